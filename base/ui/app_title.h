// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's names as the user sees them.

// The application title: taskbar button and the caption of error boxes.
inline constexpr const char* kApplicationTitle = "Zelvaro Ver.1.6";
// The clock window's caption.
inline constexpr const char* kClockCaption = "Zelvaro";
