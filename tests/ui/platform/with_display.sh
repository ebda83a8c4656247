#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program on a virtual X display of its own.
set -euo pipefail
source "$(dirname "$0")/../../../scripts/virtual-display.sh"
start_virtual_display "${E2E_SCREEN:-1280x1024}"
trap stop_virtual_display EXIT
"$@"
