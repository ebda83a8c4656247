// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calen_pnl_accessible.h"

#include "calendar/calen_pnl.h"

#include <QAccessibleWidget>
#include <QDate>
#include <QPointer>

#include <vector>

namespace {

// One day of the shown month. It has no object of its own, so it is
// registered with the accessibility layer and removed with its table.
class DayCell : public QAccessibleInterface {
public:
    DayCell(TCalenPnl* panel, int day) : panel_(panel), day_(day) {}

    bool isValid() const override { return panel_ && day_ <= DaysShown(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return panel_ ? panel_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(panel_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name || !isValid())
            return {};
        const CalendarModel& model = panel_->Model();
        return QLocale().toString(QDate(model.Year(), model.Month(), day_), QLocale::LongFormat);
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = panel_->CellQRect(panel_->Model().FirstWeekday() + day_ - 1);
        return QRect(panel_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        const bool held = isValid() && panel_->Model().Day() == day_;
        state.selected = held;
        state.focused = held && panel_->hasFocus();
        return state;
    }

private:
    int DaysShown() const { return DaysInMonth(panel_->Model().Month(), panel_->Model().Year()); }

    QPointer<TCalenPnl> panel_;
    int day_;
};

class CalenPnlAccessible : public QAccessibleWidget {
public:
    explicit CalenPnlAccessible(TCalenPnl* panel) : QAccessibleWidget(panel, QAccessible::Table) {}
    ~CalenPnlAccessible() override
    {
        for (const QAccessible::Id id : cells_)
            QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && QAccessibleWidget::text(kind).isEmpty())
            return Panel()->TitleText();
        return QAccessibleWidget::text(kind);
    }
    int childCount() const override { return DaysInMonth(Panel()->Model().Month(), Panel()->Model().Year()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (static_cast<int>(cells_.size()) <= index) {
            auto* cell = new DayCell(Panel(), static_cast<int>(cells_.size()) + 1);
            cells_.push_back(QAccessible::registerAccessibleInterface(cell));
        }
        return QAccessible::accessibleInterface(cells_[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            if (QAccessible::accessibleInterface(cells_[i]) == child)
                return static_cast<int>(i) < childCount() ? static_cast<int>(i) : -1;
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        return Panel()->hasFocus() ? child(Panel()->Model().Day() - 1) : nullptr;
    }

private:
    TCalenPnl* Panel() const { return static_cast<TCalenPnl*>(widget()); }

    mutable std::vector<QAccessible::Id> cells_;
};

}  // namespace

QAccessibleInterface* CalenPnlAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TCalenPnl") && object && object->isWidgetType())
        return new CalenPnlAccessible(static_cast<TCalenPnl*>(object));
    return nullptr;
}
