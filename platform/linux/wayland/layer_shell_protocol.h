// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layer-shell code made by wayland-scanner, for C++: one of its
// arguments is called "namespace".

// What it includes comes first, untouched.
#include <stddef.h>
#include <stdint.h>
#include <wayland-client.h>

#define namespace namespace_
#include <wlr-layer-shell-unstable-v1-client-protocol.h>
#undef namespace
