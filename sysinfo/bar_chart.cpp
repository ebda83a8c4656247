// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/bar_chart.h"

#include "base/ui/readable_colour.h"
#include "sysinfo/info_rows.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLinearGradient>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kBarWidth = 0.8;  // share of the plot the bars take
const QColor kWallColour(0, 0, 160);
constexpr int kLeftWallWidth = 3;
constexpr int kBottomWallHeight = 2;

QFont ChartFont(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Lighter at the top, the bar's own colour at its foot.
QBrush GradientBrush(const QColor& colour)
{
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, colour.lighter(190));
    gradient.setColorAt(1, colour);
    return QBrush(gradient);
}

}  // namespace

TChart::TChart(QWidget* parent) : QChartView(parent)
{
    // The view makes a chart of its own and owns it; a chart set in its place
    // would leave that one behind (the view releases a replaced chart
    // without freeing it), once per chart and opening.
    QChart* chart = this->chart();
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setMargins(QMargins(10, 10, 10, 10));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->hide();
    chart->setTitleFont(ChartFont(13, true));
    chart->setTitleBrush(Qt::black);
    chart->setAnimationOptions(QChart::NoAnimation);

    series_ = new QBarSeries;
    series_->setBarWidth(kBarWidth);
    chart->addSeries(series_);
    auto* categories = new QBarCategoryAxis;
    categories->append(QStringLiteral(" "));
    valueAxis_ = new QValueAxis;
    valueAxis_->setRange(0, 1);
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    series_->attachAxis(categories);
    series_->attachAxis(valueAxis_);
    categories->setVisible(false);
    valueAxis_->setVisible(false);
    setRenderHint(QPainter::Antialiasing, false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(Qt::white);

    leftWall_ = new QGraphicsRectItem(chart);
    bottomWall_ = new QGraphicsRectItem(chart);
    for (QGraphicsRectItem* wall : {leftWall_, bottomWall_}) {
        wall->setBrush(kWallColour);
        wall->setPen(Qt::NoPen);
    }
    connect(chart, &QChart::plotAreaChanged, this, [this] { PlaceDecorations(); });
    FollowPalette();
}

void TChart::changeEvent(QEvent* event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        FollowPalette();
}

void TChart::FollowPalette()
{
    const QColor ground = palette().color(QPalette::Base);
    const QColor text = palette().color(QPalette::Text);
    chart()->setBackgroundBrush(ground);
    setBackgroundBrush(ground);
    chart()->setTitleBrush(text);
    for (QGraphicsRectItem* wall : {leftWall_, bottomWall_})
        wall->setBrush(ReadableHue(kWallColour, ground));
    for (const Bar& bar : bars_)
        bar.mark->setBrush(text);
    for (QBarSet* set : series_->barSets())
        set->setPen(QPen(text, 0));
}

void TChart::SetTitle(const QString& title)
{
    chart()->setTitle(title);
}

void TChart::SetValueRange(double minimum, double maximum)
{
    fixedRange_ = true;
    fixedTop_ = maximum;
    valueAxis_->setRange(minimum, maximum);
    UpdateRange();
    PlaceDecorations();
}

void TChart::AddBar(double value, const QString& label, const QColor& colour)
{
    auto* set = new QBarSet(label);
    *set << value;
    set->setColor(colour);
    set->setBrush(GradientBrush(colour));
    set->setPen(QPen(palette().color(QPalette::Text), 0));
    series_->append(set);

    Bar bar{value, label, colour, new QGraphicsSimpleTextItem(chart())};
    bar.mark->setFont(ChartFont(10, false));
    bar.mark->setZValue(10);  // over the bars beside it
    bar.mark->setBrush(palette().color(QPalette::Text));
    bars_.push_back(bar);
    UpdateRange();
    UpdateMarks();
}

QString TChart::MarkText(int index) const
{
    const Bar& bar = bars_.at(static_cast<std::size_t>(index));
    if (markStyle_ == MarkStyle::LabelValue)
        return bar.label + QLatin1Char(' ') +
               (valueText_ ? valueText_(bar.value) : QString::fromStdString(GroupedValueText(bar.value)));
    double total = 0;
    for (const Bar& b : bars_)
        total += b.value;
    return bar.label + QLatin1Char(' ') + QString::fromStdString(PercentText(bar.value, total, decimalSeparator_));
}

void TChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    PlaceDecorations();
}

void TChart::UpdateRange()
{
    double top = fixedRange_ ? fixedTop_ : 0;
    if (!fixedRange_)
        for (const Bar& bar : bars_)
            top = std::max(top, bar.value);
    if (top <= 0)
        top = 1;
    // Room above the tallest bar for every mark, one over the other at worst,
    // so no mark need stand on a bar or under the title: the axis reaches that
    // much higher than the bars (it is not shown).
    const qreal plot = chart()->plotArea().height();
    const qreal room = (QFontMetricsF(ChartFont(10, false)).height() + 2) * static_cast<qreal>(bars_.size()) + 2;
    const double max = plot > room * 1.5 ? top * plot / (plot - room) : top * 1.15;
    if (std::abs(valueAxis_->max() - max) > 1e-9 * max)
        valueAxis_->setRange(valueAxis_->min(), max);
}

void TChart::UpdateMarks()
{
    for (int i = 0; i < BarCount(); ++i)
        bars_[static_cast<std::size_t>(i)].mark->setText(MarkText(i));
    PlaceDecorations();
}

std::vector<QRectF> TChart::BarRects() const
{
    std::vector<QRectF> rects;
    const QRectF plot = chart()->plotArea();
    const qreal n = static_cast<qreal>(bars_.size());
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const qreal left = -kBarWidth / 2 + static_cast<qreal>(i) * kBarWidth / n;
        const double top = std::clamp(bars_[i].value, 0.0, valueAxis_->max());
        const QPointF topLeft = chart()->mapToPosition(QPointF(left, top), series_);
        const QPointF bottomRight = chart()->mapToPosition(QPointF(left + kBarWidth / n, 0), series_);
        rects.emplace_back(QPointF(topLeft.x(), topLeft.y()), QPointF(bottomRight.x(), plot.bottom()));
    }
    return rects;
}

std::vector<QRectF> TChart::MarkRects() const
{
    std::vector<QRectF> rects;
    for (const Bar& bar : bars_)
        rects.push_back(bar.mark->mapRectToParent(bar.mark->boundingRect()));
    return rects;
}

void TChart::PlaceDecorations()
{
    UpdateRange();
    const QRectF plot = chart()->plotArea();
    leftWall_->setRect(plot.left() - kLeftWallWidth, plot.top(), kLeftWallWidth, plot.height() + kBottomWallHeight);
    bottomWall_->setRect(plot.left() - kLeftWallWidth, plot.bottom(), plot.width() + kLeftWallWidth, kBottomWallHeight);
    // Each mark stands centred over its bar, inside the chart and right of
    // the left wall, and rises over every bar and earlier mark it would
    // otherwise touch: no mark covers a bar, the wall or another mark.
    std::vector<QRectF> taken = BarRects();
    taken.emplace_back(plot.left() - kLeftWallWidth, plot.top(), kLeftWallWidth, plot.height() + kBottomWallHeight);
    const std::vector<QRectF> bars = BarRects();
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        QGraphicsSimpleTextItem* mark = bars_[i].mark;
        const QSizeF box = mark->boundingRect().size();
        const qreal right = std::max(plot.left(), chart()->size().width() - box.width());
        QRectF place(QPointF(std::clamp(bars[i].center().x() - box.width() / 2, plot.left(), right),
                             bars[i].top() - box.height() - 2),
                     box);
        for (bool moved = true; moved;) {
            moved = false;
            for (const QRectF& other : taken) {
                if (place.intersects(other)) {
                    place.moveBottom(other.top() - 2);
                    moved = true;
                }
            }
        }
        mark->setPos(place.topLeft());
        taken.push_back(place);
    }
}
