// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel table's grid: a table with one fixed header row (row 0) and one fixed column
// (column 0), addressed by row and column numbers that count the headers, with a current
// cell and the events the channel view relies on:
//   LeaveCell fires before the current cell moves, while Row and Col still name the old
//   cell; EnterCell fires after the move. Both also fire when the program writes Row or Col.
//   Click fires after the current cell has moved to the clicked cell.
//   KeyPress carries the code of a character typed while the grid has the focus.
// Column widths are set in twips (1/1440 inch) of the screen's logical resolution, as the
// layout tables give them; cell positions are pixels of the cell area.
// Whole rows are selected in the fixed column: a click selects the row and makes it current
// (with LeaveCell and EnterCell when it moves), Shift extends from the last clicked row,
// Ctrl adds or removes one row, dragging extends. Moving the current cell ends the row
// selection.
#include <QString>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QAbstractButton;
class QTableWidget;

namespace radioprog {

class FlexTable;

class CMSFlexGrid : public QWidget {
    Q_OBJECT
public:
    explicit CMSFlexGrid(QWidget* parent = nullptr);
    ~CMSFlexGrid() override;

    int Rows() const;
    void SetRows(int rows);
    int Cols() const;

    int Row() const { return row_; }
    int Col() const { return col_; }
    void SetRow(int row);
    void SetCol(int col);

    QString Text() const;
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    void SetColWidth(int col, int twips);
    // Widens a column (never narrows it) so its header and every cell's text fit in it, and
    // so it is at least minimumPixels wide (the width a cell's list needs).
    void fitColWidth(int col, int minimumPixels = 0);
    int colWidthPixels(int col) const;
    // The width that shows every column, with the frame and the vertical scroll bar.
    int wholeWidth() const;
    // Data cells and header cells; a column without an alignment shows text left and
    // numbers right.
    void SetColAlignment(int col, Qt::Alignment alignment);
    void SetFixedAlignment(int col, Qt::Alignment alignment);

    // The current cell's rectangle in pixels of the cell area, where the overlay editors sit.
    // It does not scroll: scrollToCurrent brings the cell into view first.
    QRect currentCellRect() const;
    // Scrolls the table so the current cell is in view.
    void scrollToCurrent();

    // Empties every cell, headers included; the row and column counts stay.
    void Clear();
    // Redraws the cells at once.
    void refresh();

    // The window that shows the cells: it receives the mouse and holds the overlay editors.
    QWidget* cellArea() const;
    // The table's name for a screen reader.
    void setTableName(const QString& name);
    // What a screen reader says for a data cell, from its row, column and text; set before
    // the cells are filled.
    using CellSpeaker = std::function<QString(int row, int col, const QString& text)>;
    void setCellSpeech(CellSpeaker speaker) { speech_ = std::move(speaker); }
    // Whether a window is one of the grid's own (for the view's key and mouse rules).
    bool isGridWindow(const QObject* object) const;
    // Lets `filter` see the events of the grid's windows before they are handled.
    void watchEvents(QObject* filter);
    // A cell's rectangle in pixels of the cell area.
    QRect cellRect(int row, int col) const;

    // The selected whole rows, ascending (grid row numbers, 1 ...).
    std::vector<int> selectedRows() const;
    // Selects these rows (others deselected) without moving the current cell.
    void selectRows(const std::vector<int>& rows);
    // The fixed column's window, which takes the row-selecting clicks.
    QWidget* rowHeaderArea() const;

signals:
    void Click();
    void EnterCell();
    void LeaveCell();
    void KeyPress(int keyCode);
    // The row selection was changed by a click or drag in the fixed column.
    void rowsPicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class FlexTable;
    void onCurrentChanged(int tableRow, int tableColumn);
    void onClicked() { emit Click(); }
    void onCharacter(int code) { emit KeyPress(code); }
    void paintCorner(QAbstractButton* corner) const;
    bool pickRows(QEvent* event);
    void alignCell(int row, int col);
    Qt::Alignment dataAlignment(int col, const QString& text) const;
    int toPixelsX(int twips) const;

    FlexTable* table_;
    int row_ = 1;
    int col_ = 1;
    int anchorRow_ = 1;  // where Shift extends the row selection from
    QString cornerText_;
    Qt::Alignment cornerAlignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    std::vector<Qt::Alignment> colAlignment_;  // 0 = general
    std::vector<Qt::Alignment> fixedAlignment_;
    CellSpeaker speech_;
};

}  // namespace radioprog
