// SPDX-License-Identifier: GPL-3.0-or-later
#include "sysinfo/string_align_grid.h"

#include <QHeaderView>

TStringAlignGrid::TStringAlignGrid(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(0);
    SetDefaultRowHeight(defaultRowHeight_);
}

void TStringAlignGrid::SetColWidth(int col, int width)
{
    if (col >= columnCount())
        setColumnCount(col + 1);
    setColumnWidth(col, width);
}

int TStringAlignGrid::ColWidth(int col) const
{
    return columnWidth(col);
}

void TStringAlignGrid::SetDefaultRowHeight(int height)
{
    defaultRowHeight_ = height;
    // One pixel of each row is the grid line below it.
    verticalHeader()->setDefaultSectionSize(height + 1);
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, height + 1);
}

void TStringAlignGrid::SetRowCount(int rows)
{
    setRowCount(rows);
    PaintFixedCells();
}

void TStringAlignGrid::SetColCount(int cols)
{
    // Widths set before the count stay.
    QList<int> widths;
    for (int col = 0; col < columnCount(); ++col)
        widths.append(columnWidth(col));
    setColumnCount(cols);
    for (int col = 0; col < cols && col < widths.size(); ++col)
        setColumnWidth(col, widths[col]);
    PaintFixedCells();
}

void TStringAlignGrid::SetFixedRows(int rows)
{
    fixedRows_ = rows;
    PaintFixedCells();
}

void TStringAlignGrid::SetFixedCols(int cols)
{
    fixedCols_ = cols;
    PaintFixedCells();
}

void TStringAlignGrid::SetDrawSelection(bool on)
{
    setSelectionMode(on ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
}

void TStringAlignGrid::SetCell(int col, int row, const QString& text)
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        return;
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setItem(row, col, cell);
        PaintFixedCells();
    }
    cell->setText(text);
}

QString TStringAlignGrid::Cell(int col, int row) const
{
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void TStringAlignGrid::PaintFixedCells()
{
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            if (QTableWidgetItem* cell = item(row, col)) {
                const bool fixed = row < fixedRows_ || col < fixedCols_;
                cell->setBackground(fixed ? palette().button() : QBrush());
            }
        }
    }
}
