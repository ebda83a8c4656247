// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TStringAlignGrid: a grid of texts, as far as the information dialog uses
// it: column widths, a default row height, row and column counts, fixed
// rows and columns, and the text of a cell. Texts are left-aligned.

#include <QTableWidget>

class TStringAlignGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit TStringAlignGrid(QWidget* parent = nullptr);

    void SetColWidth(int col, int width);
    int ColWidth(int col) const;
    void SetDefaultRowHeight(int height);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetRowCount(int rows);
    void SetColCount(int cols);
    // The first rows or columns are drawn as headings.
    void SetFixedRows(int rows);
    void SetFixedCols(int cols);
    // Off: the current cell is drawn like any other.
    void SetDrawSelection(bool on);
    void SetCell(int col, int row, const QString& text);
    QString Cell(int col, int row) const;

private:
    void PaintFixedCells();

    int defaultRowHeight_ = 24;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
};
