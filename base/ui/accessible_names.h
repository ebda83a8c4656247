// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader says for a control: its name without the access-key
// marker and without the colon a caption ends in ("&Main folder:" is read
// "Main folder").

#include <QString>

class QWidget;

// `caption` as a spoken name: "&" markers gone ("&&" stays one "&"), a
// trailing ":" or "：" and the blanks around it dropped.
QString SpokenName(const QString& caption);

// Gives every control in `window` a spoken name: a name already set is
// cleaned, a control without one takes its caption label's (its buddy's).
// Run once a window's controls are built.
void NameControlsForSpeech(QWidget* window);
