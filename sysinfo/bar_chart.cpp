// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/bar_chart.h"

#include "sysinfo/info_rows.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLinearGradient>
#include <QValueAxis>

#include <algorithm>

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
}

void TChart::SetTitle(const QString& title)
{
    chart()->setTitle(title);
}

void TChart::SetValueRange(double minimum, double maximum)
{
    fixedRange_ = true;
    valueAxis_->setRange(minimum, maximum);
    PlaceDecorations();
}

void TChart::AddBar(double value, const QString& label, const QColor& colour)
{
    auto* set = new QBarSet(label);
    *set << value;
    set->setColor(colour);
    set->setBrush(GradientBrush(colour));
    set->setPen(QPen(Qt::black, 0));
    series_->append(set);

    Bar bar{value, label, colour, new QGraphicsSimpleTextItem(chart())};
    bar.mark->setFont(ChartFont(10, false));
    bar.mark->setZValue(10);  // over the bars beside it
    bars_.push_back(bar);
    UpdateRange();
    UpdateMarks();
}

QString TChart::MarkText(int index) const
{
    const Bar& bar = bars_.at(static_cast<std::size_t>(index));
    if (markStyle_ == MarkStyle::LabelValue)
        return bar.label + QLatin1Char(' ') + QString::fromStdString(GroupedValueText(bar.value));
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
    if (fixedRange_)
        return;
    double top = 0;
    for (const Bar& bar : bars_)
        top = std::max(top, bar.value);
    // Room above the tallest bar for its mark.
    valueAxis_->setRange(0, top > 0 ? top * 1.15 : 1);
}

void TChart::UpdateMarks()
{
    for (int i = 0; i < BarCount(); ++i)
        bars_[static_cast<std::size_t>(i)].mark->setText(MarkText(i));
    PlaceDecorations();
}

void TChart::PlaceDecorations()
{
    const QRectF plot = chart()->plotArea();
    leftWall_->setRect(plot.left() - kLeftWallWidth, plot.top(), kLeftWallWidth, plot.height() + kBottomWallHeight);
    bottomWall_->setRect(plot.left() - kLeftWallWidth, plot.bottom(), plot.width() + kLeftWallWidth, kBottomWallHeight);
    // Bar i of n spans its share of the category's width around 0.
    const qreal n = static_cast<qreal>(bars_.size());
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const qreal centre = -kBarWidth / 2 + (static_cast<qreal>(i) + 0.5) * kBarWidth / n;
        const double top = std::min(bars_[i].value, valueAxis_->max());
        const QPointF at = chart()->mapToPosition(QPointF(centre, top), series_);
        QGraphicsSimpleTextItem* mark = bars_[i].mark;
        const QRectF box = mark->boundingRect();
        const qreal x = std::clamp(at.x() - box.width() / 2, 0.0, std::max(0.0, chart()->size().width() - box.width()));
        // A bar that fills the plot carries its mark inside its top, clear of the title.
        mark->setPos(x, std::max(plot.top(), at.y() - box.height() - 2));
    }
}
