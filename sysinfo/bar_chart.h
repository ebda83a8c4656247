// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TChart: a small bar chart with one series whose bars each carry their own
// colour, drawn as gradients, with a mark above each bar. The left and bottom
// walls frame the plot; the axes themselves are hidden.

#include <QChartView>
#include <QColor>
#include <QRectF>

#include <functional>
#include <utility>
#include <vector>

class QBarSeries;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QValueAxis;

class TChart : public QChartView {
    Q_OBJECT

public:
    // The text of a bar's mark: its label and value ("使用 1,234"), or its
    // label and share of the series total ("空き 25 %").
    enum class MarkStyle { LabelValue, LabelPercent };

    explicit TChart(QWidget* parent = nullptr);

    void SetTitle(const QString& title);
    void SetMarkStyle(MarkStyle style)
    {
        markStyle_ = style;
        UpdateMarks();
    }
    // A fixed value range; without one it follows the bars.
    void SetValueRange(double minimum, double maximum);
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    // How a LabelValue mark writes the value: "#,##0." unless told, or with
    // its unit ("690 MB") where the reader needs one.
    void SetValueText(std::function<QString(double)> text)
    {
        valueText_ = std::move(text);
        UpdateMarks();
    }

    // Adds one bar to the series.
    void AddBar(double value, const QString& label, const QColor& colour);

    int BarCount() const { return static_cast<int>(bars_.size()); }
    // Where the bars and their marks stand in the chart's coordinates.
    std::vector<QRectF> BarRects() const;
    std::vector<QRectF> MarkRects() const;
    double BarValue(int index) const { return bars_.at(static_cast<std::size_t>(index)).value; }
    QColor BarColour(int index) const { return bars_.at(static_cast<std::size_t>(index)).colour; }
    QString MarkText(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Bar {
        double value = 0;
        QString label;
        QColor colour;
        QGraphicsSimpleTextItem* mark = nullptr;
    };

    void UpdateRange();
    void UpdateMarks();
    void PlaceDecorations();
    // The chart's ground, texts and walls in the palette's colours: white and
    // black on a light palette as drawn, the dark ones on a dark palette, the
    // walls' blue lightened until it reads there.
    void FollowPalette();

    std::vector<Bar> bars_;
    QBarSeries* series_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QGraphicsRectItem* leftWall_ = nullptr;
    QGraphicsRectItem* bottomWall_ = nullptr;
    MarkStyle markStyle_ = MarkStyle::LabelValue;
    bool fixedRange_ = false;
    double fixedTop_ = 1;  // the top of a fixed range
    char decimalSeparator_ = '.';
    std::function<QString(double)> valueText_;
};
