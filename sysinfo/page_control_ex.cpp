// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/page_control_ex.h"

#include <QTabBar>

namespace {

// Tabs of one width along the strip (height when the strip stands upright).
class EvenTabBar : public QTabBar {
public:
    explicit EvenTabBar(QWidget* parent) : QTabBar(parent) {}
    int width = 0;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (width > 0) {
            const bool vertical = shape() == QTabBar::RoundedWest || shape() == QTabBar::RoundedEast ||
                                  shape() == QTabBar::TriangularWest || shape() == QTabBar::TriangularEast;
            (vertical ? size.rheight() : size.rwidth()) = width;
        }
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

}  // namespace

TPageControlEx::TPageControlEx(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new EvenTabBar(this));
    tabBar()->setAttribute(Qt::WA_Hover);
    tabBar()->setExpanding(false);
    tabBar()->setUsesScrollButtons(false);
}

void TPageControlEx::SetTabPosition(TTabPositionEx position)
{
    switch (position) {
    case TTabPositionEx::tpeTop: setTabPosition(QTabWidget::North); break;
    case TTabPositionEx::tpeBottom: setTabPosition(QTabWidget::South); break;
    case TTabPositionEx::tpeLeft: setTabPosition(QTabWidget::West); break;
    case TTabPositionEx::tpeRight: setTabPosition(QTabWidget::East); break;
    }
}

void TPageControlEx::SetTabWidth(int width)
{
    static_cast<EvenTabBar*>(tabBar())->width = width;
    // Setting a caption makes the bar measure its tabs again.
    for (int i = 0; i < count(); ++i)
        setTabText(i, tabText(i));
}
