// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Marks a user-visible text of the Qt-free core for translation: the marker
// leaves the text as written, and the translation tools find it by this name.
// The Qt side translates it where it is shown, with
// QCoreApplication::translate(context, text). The definition is Qt's own, so
// the two may meet in one file.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The context of the core's messages (error boxes, information boxes).
inline constexpr const char* kMessagesContext = "Messages";
