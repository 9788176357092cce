// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/ms_flex_grid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "editors/gui/typed_character.h"

namespace radioprog {

namespace {

constexpr int kColumnCount = 12;
constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultColumnTwips = 960;
constexpr Qt::Alignment kGeneralAlignment = {};
constexpr Qt::Alignment kHeaderAlignment = Qt::AlignLeft | Qt::AlignVCenter;

// Keys that move the current cell; every other key that types a character is a KeyPress.
bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return true;
    default: return false;
    }
}

}  // namespace

// The table behind the grid. Every change of its current cell, by mouse, key or program,
// reaches the grid, which turns it into LeaveCell and EnterCell.
class FlexTable : public QTableWidget {
public:
    explicit FlexTable(CMSFlexGrid* grid) : QTableWidget(grid), grid_(grid) {}

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        QTableWidget::currentChanged(current, previous);
        if (current.isValid()) grid_->onCurrentChanged(current.row(), current.column());
    }

    void mousePressEvent(QMouseEvent* event) override {
        pressedOnCell_ = false;
        // Only the left button moves the current cell.
        if (event->button() != Qt::LeftButton) {
            event->accept();
            return;
        }
        pressedOnCell_ = indexAt(event->position().toPoint()).isValid();
        QTableWidget::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override {
        // Dragging does not drag the current cell along.
        if (event->buttons() & Qt::LeftButton) return;
        QTableWidget::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QTableWidget::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && pressedOnCell_) {
            pressedOnCell_ = false;
            grid_->onClicked();
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (!IsNavigationKey(event->key())) {
            if (char32_t code = TypedCharacter(*event)) {
                grid_->onCharacter(static_cast<int>(code));
                event->accept();
                return;
            }
        }
        QTableWidget::keyPressEvent(event);
    }

private:
    CMSFlexGrid* grid_;
    bool pressedOnCell_ = false;
};

CMSFlexGrid::CMSFlexGrid(QWidget* parent)
    : QWidget(parent),
      table_(new FlexTable(this)),
      colAlignment_(kColumnCount, kGeneralAlignment),
      fixedAlignment_(kColumnCount, kHeaderAlignment) {
    QFont cellFont;
    // Arial, or the nearest installed; Chinese headers in a plain sans face.
    cellFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK TC")});
    cellFont.setPointSizeF(8.25);
    table_->setFont(cellFont);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setCornerButtonEnabled(false);
    table_->setColumnCount(kColumnCount - 1);

    QHeaderView* top = table_->horizontalHeader();
    QHeaderView* left = table_->verticalHeader();
    for (QHeaderView* header : {top, left}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(1);
    }
    top->setDefaultSectionSize(toPixelsX(kDefaultColumnTwips));
    left->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    left->setFixedWidth(toPixelsX(kDefaultColumnTwips));
    for (int c = 1; c < kColumnCount; ++c) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(kHeaderAlignment);
        table_->setHorizontalHeaderItem(c - 1, item);
    }
    if (auto* corner = table_->findChild<QAbstractButton*>()) corner->installEventFilter(this);
    left->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    setFocusProxy(table_);
    SetRows(2);
}

CMSFlexGrid::~CMSFlexGrid() = default;

int CMSFlexGrid::Rows() const { return table_->rowCount() + 1; }

void CMSFlexGrid::SetRows(int rows) {
    if (rows < 2) return;
    const int oldRows = Rows();
    table_->setRowCount(rows - 1);
    for (int r = oldRows; r < rows; ++r) {
        auto* header = new QTableWidgetItem;
        const Qt::Alignment alignment = colAlignment_[0];
        header->setTextAlignment(alignment != kGeneralAlignment ? alignment : fixedAlignment_[0]);
        table_->setVerticalHeaderItem(r - 1, header);
        for (int c = 1; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            table_->setItem(r - 1, c - 1, item);
            alignCell(r, c);
        }
    }
    if (!table_->currentIndex().isValid()) table_->setCurrentCell(std::min(row_, rows - 1) - 1, col_ - 1);
}

int CMSFlexGrid::Cols() const { return kColumnCount; }

void CMSFlexGrid::SetRow(int row) {
    if (row < 1 || row >= Rows() || row == row_) return;
    table_->setCurrentCell(row - 1, col_ - 1);
}

void CMSFlexGrid::SetCol(int col) {
    if (col < 1 || col >= kColumnCount || col == col_) return;
    table_->setCurrentCell(row_ - 1, col - 1);
}

void CMSFlexGrid::onCurrentChanged(int tableRow, int tableColumn) {
    const int row = tableRow + 1;
    const int col = tableColumn + 1;
    if (row == row_ && col == col_) return;
    emit LeaveCell();
    row_ = row;
    col_ = col;
    emit EnterCell();
}

QString CMSFlexGrid::Text() const { return TextMatrix(row_, col_); }

QString CMSFlexGrid::TextMatrix(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= kColumnCount) return {};
    if (row == 0 && col == 0) return cornerText_;
    if (row == 0) return table_->horizontalHeaderItem(col - 1)->text();
    if (col == 0) return table_->verticalHeaderItem(row - 1)->text();
    return table_->item(row - 1, col - 1)->text();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || row >= Rows() || col < 0 || col >= kColumnCount) return;
    if (row == 0 && col == 0) {
        cornerText_ = text;
        if (auto* corner = table_->findChild<QAbstractButton*>()) corner->update();
    } else if (row == 0) {
        table_->horizontalHeaderItem(col - 1)->setText(text);
    } else if (col == 0) {
        table_->verticalHeaderItem(row - 1)->setText(text);
    } else {
        QTableWidgetItem* item = table_->item(row - 1, col - 1);
        item->setText(text);
        if (speech_) item->setData(Qt::AccessibleTextRole, speech_(row, col, text));
        if (colAlignment_[static_cast<std::size_t>(col)] == kGeneralAlignment) alignCell(row, col);
    }
}

Qt::Alignment CMSFlexGrid::dataAlignment(int col, const QString& text) const {
    Qt::Alignment alignment = colAlignment_[static_cast<std::size_t>(col)];
    if (alignment != kGeneralAlignment) return alignment;
    bool number = false;
    text.toDouble(&number);
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

void CMSFlexGrid::alignCell(int row, int col) {
    QTableWidgetItem* item = table_->item(row - 1, col - 1);
    const Qt::Alignment alignment = dataAlignment(col, item->text());
    if (item->textAlignment() != static_cast<int>(alignment)) item->setTextAlignment(alignment);
}

void CMSFlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= kColumnCount) return;
    if (col == 0)
        table_->verticalHeader()->setFixedWidth(toPixelsX(twips));
    else
        table_->setColumnWidth(col - 1, toPixelsX(twips));
}

int CMSFlexGrid::wholeWidth() const {
    int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < kColumnCount; ++c) width += colWidthPixels(c);
    return width;
}

int CMSFlexGrid::colWidthPixels(int col) const {
    if (col < 0 || col >= kColumnCount) return 0;
    return col == 0 ? table_->verticalHeader()->width() : table_->columnWidth(col - 1);
}

void CMSFlexGrid::fitColWidth(int col, int minimumPixels) {
    if (col < 0 || col >= kColumnCount) return;
    QHeaderView* header = col == 0 ? table_->verticalHeader() : table_->horizontalHeader();
    auto headerWidth = [header](const QString& text) {
        QStyleOptionHeader option;
        option.initFrom(header);
        option.text = text;
        option.fontMetrics = header->fontMetrics();
        option.orientation = Qt::Horizontal;
        return header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
    };
    // An item's text sits between the item view's margins, plus the grid line.
    const int cellMargin = 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1) + 1;
    int needed = std::max(minimumPixels, headerWidth(TextMatrix(0, col)));
    for (int r = 1; r < Rows(); ++r) {
        const QString text = TextMatrix(r, col);
        if (text.isEmpty()) continue;
        needed =
            std::max(needed, col == 0 ? headerWidth(text) : table_->fontMetrics().horizontalAdvance(text) + cellMargin);
    }
    if (needed <= colWidthPixels(col)) return;
    if (col == 0)
        table_->verticalHeader()->setFixedWidth(needed);
    else
        table_->setColumnWidth(col - 1, needed);
}

void CMSFlexGrid::SetColAlignment(int col, Qt::Alignment alignment) {
    if (col < 0 || col >= kColumnCount) return;
    colAlignment_[static_cast<std::size_t>(col)] = alignment;
    // Column 0 is the fixed column: below the header row its cells are the row headers.
    for (int r = 1; r < Rows(); ++r) {
        if (col == 0)
            table_->verticalHeaderItem(r - 1)->setTextAlignment(alignment);
        else
            alignCell(r, col);
    }
}

void CMSFlexGrid::SetFixedAlignment(int col, Qt::Alignment alignment) {
    if (col < 0 || col >= kColumnCount) return;
    fixedAlignment_[static_cast<std::size_t>(col)] = alignment;
    if (col > 0) {
        table_->horizontalHeaderItem(col - 1)->setTextAlignment(alignment);
        return;
    }
    cornerAlignment_ = alignment;
    for (int r = 1; r < Rows(); ++r) table_->verticalHeaderItem(r - 1)->setTextAlignment(alignment);
}

int CMSFlexGrid::toPixelsX(int twips) const { return twips * logicalDpiX() / kTwipsPerInch; }

QRect CMSFlexGrid::cellRect(int row, int col) const {
    if (row < 1 || row >= Rows() || col < 1 || col >= kColumnCount) return {};
    return table_->visualRect(table_->model()->index(row - 1, col - 1));
}

QRect CMSFlexGrid::currentCellRect() const { return cellRect(row_, col_); }

void CMSFlexGrid::scrollToCurrent() { table_->scrollTo(table_->currentIndex()); }

void CMSFlexGrid::Clear() {
    for (int r = 0; r < Rows(); ++r)
        for (int c = 0; c < kColumnCount; ++c) SetTextMatrix(r, c, QString());
}

void CMSFlexGrid::refresh() { table_->viewport()->repaint(); }

QWidget* CMSFlexGrid::cellArea() const { return table_->viewport(); }

void CMSFlexGrid::setTableName(const QString& name) { table_->setAccessibleName(name); }

bool CMSFlexGrid::isGridWindow(const QObject* object) const {
    return object == this || object == table_ || object == table_->viewport();
}

void CMSFlexGrid::watchEvents(QObject* filter) {
    table_->installEventFilter(filter);
    table_->viewport()->installEventFilter(filter);
}

std::vector<int> CMSFlexGrid::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows.push_back(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CMSFlexGrid::selectRows(const std::vector<int>& rows) {
    QItemSelection selection;
    const QAbstractItemModel* model = table_->model();
    for (int row : rows)
        if (row >= 1 && row < Rows())
            selection.select(model->index(row - 1, 0), model->index(row - 1, table_->columnCount() - 1));
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.empty()) anchorRow_ = *std::min_element(rows.begin(), rows.end());
}

QWidget* CMSFlexGrid::rowHeaderArea() const { return table_->verticalHeader()->viewport(); }

bool CMSFlexGrid::pickRows(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool drag = type == QEvent::MouseMove;
    if (drag ? !(mouse->buttons() & Qt::LeftButton) : mouse->button() != Qt::LeftButton) return false;
    const int row = table_->verticalHeader()->logicalIndexAt(mouse->position().toPoint()) + 1;
    if (row < 1) return true;

    std::vector<int> rows = selectedRows();
    const int anchor = anchorRow_;
    if (drag || (mouse->modifiers() & Qt::ShiftModifier)) {
        rows.clear();
        for (int r = std::min(anchor, row); r <= std::max(anchor, row); ++r) rows.push_back(r);
    } else {
        if (!(mouse->modifiers() & Qt::ControlModifier))
            rows = {row};
        else if (auto at = std::find(rows.begin(), rows.end(), row); at != rows.end())
            rows.erase(at);
        else
            rows.push_back(row);
        // The clicked row becomes current first: that move ends any selection.
        SetRow(row);
    }
    selectRows(rows);
    anchorRow_ = drag || (mouse->modifiers() & Qt::ShiftModifier) ? anchor : row;
    table_->setFocus();
    emit rowsPicked();
    return true;
}

bool CMSFlexGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rowHeaderArea() && pickRows(event)) return true;
    // The top-left header cell shows its text like the other headers.
    if (event->type() == QEvent::Paint) {
        if (auto* corner = qobject_cast<QAbstractButton*>(watched)) {
            paintCorner(corner);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CMSFlexGrid::paintCorner(QAbstractButton* corner) const {
    QStyleOptionHeader option;
    option.initFrom(corner);
    // The button is disabled (a click selects nothing), but its text reads like any header.
    option.state |= QStyle::State_Enabled;
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = cornerText_;
    option.textAlignment = cornerAlignment_;
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, option);
}

}  // namespace radioprog
