// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader finds in the clock window: a frame (a top-level
// window of its own, not a pane inside one), named and described as the
// window sets it.

class QAccessibleInterface;
class QObject;
class QString;

// The accessibility factory that answers for TfrmClock; installed once, by
// the first clock window made.
QAccessibleInterface* ClockWindowAccessibleFactory(const QString& className, QObject* object);
