// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/focus_ring.h"

#include <QPainter>
#include <QPen>

void PaintFocusRing(QWidget& widget)
{
    if (!widget.hasFocus() || !widget.window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter p(&widget);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(widget.palette().color(QPalette::Highlight), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(widget.rect()).adjusted(1, 1, -1, -1));
}

void FocusRingToolButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    PaintFocusRing(*this);
}
