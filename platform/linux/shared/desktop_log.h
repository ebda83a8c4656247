// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The log of the desktop backends: why a wallpaper cannot be shown, said once.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
