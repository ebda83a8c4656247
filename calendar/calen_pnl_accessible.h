// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader finds in the calendar panel: a table named by the
// shown month, holding one cell per day of that month, each named by its
// full date and marked selected when it is the held day.

class QAccessibleInterface;
class QObject;
class QString;

// The accessibility factory that answers for TCalenPnl; installed once, by
// the first panel made.
QAccessibleInterface* CalenPnlAccessibleFactory(const QString& className, QObject* object);
