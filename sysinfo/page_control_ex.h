// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TPageControlEx: a page control whose tabs may sit on any side, all of one
// width, lit while the mouse is over them.

#include <QTabWidget>

enum class TTabPositionEx { tpeTop, tpeBottom, tpeLeft, tpeRight };

class TPageControlEx : public QTabWidget {
    Q_OBJECT

public:
    explicit TPageControlEx(QWidget* parent = nullptr);

    void SetTabPosition(TTabPositionEx position);
    // Every tab this wide; 0 sizes each to its caption.
    void SetTabWidth(int width);
};
