// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/chn_msg_view.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "editors/cell_speech.h"
#include "editors/channel_commit.h"
#include "editors/channel_navigation.h"
#include "editors/gui/filter_edit.h"
#include "editors/gui/grid_button.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/ms_flex_grid.h"
#include "editors/gui/typed_character.h"
#include "model/extra_rows.h"
#include "radio/edit_filters.h"
#include "ui/child_frame.h"
#include "ui/dialog_units.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace {

constexpr Qt::Alignment kCentred = Qt::AlignCenter;
constexpr int kEscapeCharacter = 27;

// Width (twips, 0 = the grid's default) and whether the data cells are centred.
struct ColumnLayout {
    int widthTwips;
    bool centred;
};
constexpr std::array<ColumnLayout, kChannelColumnCount> kColumnLayout = {{
    {950, true},    // channel number
    {0, true},      // band
    {1530, false},  // receive frequency
    {1530, false},  // transmit frequency
    {1120, true},   // receive tone
    {1120, true},   // transmit tone
    {0, true},      // power
    {0, true},      // bandwidth
    {0, true},      // bit 14
    {0, true},      // busy-channel lockout
    {0, true},      // signalling
    {1100, false},  // name
}};

// The form's margin around the grid, in dialog units.
constexpr int kFormMargin = 7;

bool firstClickSeen = false;

}  // namespace

CChnMsgView::CChnMsgView(CChildFrame* frame) : CChnMsgView(*frame->workspace()) {}

CChnMsgView::CChnMsgView(Workspace& workspace, QWidget* parent) : EditorView(parent), workspace_(workspace) {
    grid_ = new CMSFlexGrid(this);
    auto* layout = new QVBoxLayout(this);
    const DialogUnits units(font());
    layout->setContentsMargins(units.x(kFormMargin), units.y(kFormMargin), units.x(kFormMargin), units.y(kFormMargin));
    layout->addWidget(grid_);

    connect(grid_, &CMSFlexGrid::LeaveCell, this, &CChnMsgView::OnGridLeaveCell);
    connect(grid_, &CMSFlexGrid::EnterCell, this, &CChnMsgView::OnGridEnterCell);
    connect(grid_, &CMSFlexGrid::Click, this, &CChnMsgView::OnGridClick);
    connect(grid_, &CMSFlexGrid::KeyPress, this, &CChnMsgView::OnGridKeyPress);
    // Picking rows ends the edit of a cell, as moving to another cell does.
    connect(grid_, &CMSFlexGrid::rowsPicked, this, &CChnMsgView::StoreToImage);
    grid_->watchEvents(this);
    createEditors();
}

CChnMsgView::~CChnMsgView() {
    // The grid outlives this object's own destructor by a little: it must not call back.
    grid_->disconnect(this);
    SetGridButtonDown(false);
}

void CChnMsgView::forgetFirstClick() { firstClickSeen = false; }

void CChnMsgView::createEditors() {
    QWidget* cells = grid_->cellArea();
    auto makeEdit = [this](CFilterEdit* edit) {
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFont(font());
        return edit;
    };
    addEditor(CellEditor::Frequency, makeEdit(new CNumericEdit(cells)));
    addEditor(CellEditor::Name, makeEdit(new CChannelNameEdit(cells)));
    for (CellEditor role : {CellEditor::Band, CellEditor::Tone, CellEditor::Power, CellEditor::Bandwidth,
                            CellEditor::Bit14, CellEditor::BusyLockout, CellEditor::Signalling}) {
        auto* list = new QComboBox(cells);
        list->setFont(QApplication::font());
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        addEditor(role, list);
        auto* label = new QLabel(cells);
        label->hide();
        label->setBuddy(list);
        editorLabels_[static_cast<std::size_t>(role)] = label;
    }
}

void CChnMsgView::addEditor(CellEditor role, QWidget* editor) {
    editor->hide();
    editor->installEventFilter(this);
    editors_[static_cast<std::size_t>(role)] = editor;
}

void CChnMsgView::setUpGrid() {
    grid_->SetRows(kGridRowCount);
    for (int r = 1; r < kGridRowCount; ++r) grid_->SetTextMatrix(r, column::kNumber, QString::number(r - 1));
    const auto& headers = ChannelHeaderRows();
    for (int c = 0; c < kChannelColumnCount; ++c) {
        const ColumnLayout& layout = kColumnLayout[static_cast<std::size_t>(c)];
        grid_->SetFixedAlignment(c, kCentred);
        if (layout.centred) grid_->SetColAlignment(c, kCentred);
        if (layout.widthTwips) grid_->SetColWidth(c, layout.widthTwips);
        grid_->SetTextMatrix(0, c, Q(workspace_.language.row(headers[static_cast<std::size_t>(c)])));
    }
    grid_->setTableName(Q(workspace_.language.row(lang_row::kChannel)));
    grid_->setCellSpeech([this](int row, int col, const QString& text) {
        return Q(CellSpeech(workspace_.language, row - 1, S(grid_->TextMatrix(0, col)), S(text)));
    });
}

void CChnMsgView::fillLists() {
    for (std::size_t k = 0; k < kEditorRoles; ++k) {
        auto role = static_cast<CellEditor>(k);
        if (!IsListEditor(role)) continue;
        auto* list = static_cast<QComboBox*>(editors_[k]);
        choices_[k] = EditorChoices(role, workspace_.language);
        QStringList entries;
        entries.reserve(static_cast<qsizetype>(choices_[k].size()));
        for (const std::string& entry : choices_[k]) entries << Q(entry);
        list->clear();
        list->addItems(entries);
    }
}

void CChnMsgView::fitColumns() {
    // Columns may be wider than their default: every header, cell and list entry shows whole.
    for (int c = 0; c < kChannelColumnCount; ++c) {
        const CellEditor role = EditorForColumn(c);
        auto* list = IsListEditor(role) ? static_cast<QComboBox*>(editors_[static_cast<std::size_t>(role)]) : nullptr;
        grid_->fitColWidth(c, list ? list->sizeHint().width() : 0);
    }
}

void CChnMsgView::loadRows() {
    for (int n = 0; n < kChannelCount; ++n) {
        const ChannelRow cells = ChannelToRow(workspace_.document.image(), workspace_.language, n);
        for (int c = column::kBand; c < kChannelColumnCount; ++c)
            grid_->SetTextMatrix(n + 1, c, Q(cells[static_cast<std::size_t>(c)]));
    }
}

void CChnMsgView::LoadFromImage() {
    grid_->Clear();
    setUpGrid();
    fillLists();
    loadRows();
    fitColumns();
    OnGridEnterCell();
}

void CChnMsgView::StoreToImage() { OnGridLeaveCell(); }

QSize CChnMsgView::wholeSize() const {
    const QMargins margins = layout()->contentsMargins();
    return {grid_->wholeWidth() + margins.left() + margins.right(), sizeHint().height()};
}

bool CChnMsgView::hasUnstoredEdits() {
    for (QWidget* editor : editors_)
        if (editor && !editor->isHidden()) return true;
    return false;
}

std::string CChnMsgView::GetCellText(int n, int column) const { return S(grid_->TextMatrix(n + 1, column)); }

QList<int> CChnMsgView::editChannels(const std::function<void(RadioImage&)>& change) {
    return workspace_.document.editChannels(change);
}

ChannelRow CChnMsgView::gridRow(int row) const {
    ChannelRow cells;
    for (int c = 0; c < kChannelColumnCount; ++c) cells[static_cast<std::size_t>(c)] = S(grid_->TextMatrix(row, c));
    return cells;
}

void CChnMsgView::showRow(int row, const ChannelRow& cells) {
    for (int c = column::kBand; c < kChannelColumnCount; ++c) {
        const QString text = Q(cells[static_cast<std::size_t>(c)]);
        if (grid_->TextMatrix(row, c) != text) grid_->SetTextMatrix(row, c, text);
    }
}

std::string CChnMsgView::editorText(CellEditor role) const {
    QWidget* editor = cellEditor(role);
    if (IsEditEditor(role)) return S(static_cast<CFilterEdit*>(editor)->text());
    return S(static_cast<QComboBox*>(editor)->currentText());
}

void CChnMsgView::setEditorText(CellEditor role, const std::string& text) {
    QWidget* editor = cellEditor(role);
    if (IsEditEditor(role)) {
        static_cast<CFilterEdit*>(editor)->setText(Q(text));
        return;
    }
    auto* list = static_cast<QComboBox*>(editor);
    // A value without an entry (a byte the list cannot show) leaves nothing chosen.
    const std::vector<std::string>& choices = choices_[static_cast<std::size_t>(role)];
    const auto exact = std::find(choices.begin(), choices.end(), text);
    list->setCurrentIndex(exact != choices.end() ? static_cast<int>(exact - choices.begin())
                          : text.empty()         ? -1
                                                 : FindChoice(choices, text));
}

void CChnMsgView::OnGridLeaveCell() {
    const int row = grid_->Row();
    const int col = grid_->Col();
    if (row == 0) return;
    const CellEditor role = EditorForColumn(col);
    if (role == CellEditor::None) return;
    QWidget* editor = cellEditor(role);
    if (editor->isHidden()) return;

    // A list with nothing chosen was opened on a value it has no entry for and not changed.
    const bool nothingChosen = !IsEditEditor(role) && static_cast<QComboBox*>(editor)->currentIndex() < 0;
    const std::string text = editorText(role);
    // Also while a dialog has the focus (a save, a transfer): the table gets it back after.
    if (editor->hasFocus() || window()->focusWidget() == editor) grid_->setFocus();
    editor->hide();
    ChannelRow cells = gridRow(row);
    if (nothingChosen || text == cells[static_cast<std::size_t>(col)]) {
        // Nothing was changed: the channel keeps every byte, also one its cell cannot show
        // exactly (a frequency off the step, a tone code without a name).
        clearEditor(role);
        return;
    }
    editChannels([&](RadioImage& image) { CommitCell(image, workspace_.language, row - 1, col, text, cells); });
    // The row shows what the image holds now (a name in capitals, a frequency on its step,
    // nothing in a channel that stayed empty), not what was typed.
    const ChannelRow stored = ChannelToRow(workspace_.document.image(), workspace_.language, row - 1);
    showRow(row, stored);
    clearEditor(role);
    if (std::optional<std::string> notice =
            FrequencyCommitNotice(col, text, stored[static_cast<std::size_t>(col)], workspace_.language))
        // After the move that committed the cell has finished.
        QTimer::singleShot(0, this, [this, message = Q(*notice)] { Warn(this, message); });
}

void CChnMsgView::clearEditor(CellEditor role) {
    if (IsEditEditor(role))
        static_cast<CFilterEdit*>(cellEditor(role))->clear();
    else
        static_cast<QComboBox*>(cellEditor(role))->setCurrentIndex(-1);
}

void CChnMsgView::cancelCellEdit() {
    if (grid_->Row() == 0) return;
    const CellEditor role = EditorForColumn(grid_->Col());
    if (role == CellEditor::None) return;
    QWidget* editor = cellEditor(role);
    if (editor->isHidden()) return;
    if (editor->hasFocus() || window()->focusWidget() == editor) grid_->setFocus();
    editor->hide();
    clearEditor(role);
    OnGridEnterCell();
}

bool CChnMsgView::applyEditorKeys(QObject* target, QKeyEvent& event) {
    const CellEditor role = EditorForColumn(grid_->Col());
    if (role == CellEditor::None || target != cellEditor(role) || cellEditor(role)->isHidden()) return false;
    const bool undo = event.matches(QKeySequence::Undo);
    if (event.type() == QEvent::ShortcutOverride) {
        // The editor, not the table's Undo command, takes Ctrl+Z and Esc while it is open.
        if (undo || event.key() == Qt::Key_Escape) event.accept();
        return false;
    }
    if (undo && IsEditEditor(role) && static_cast<CFilterEdit*>(cellEditor(role))->isUndoAvailable()) return false;
    if (!undo && event.key() != Qt::Key_Escape) return false;
    cancelCellEdit();
    return true;
}

void CChnMsgView::OnGridEnterCell() {
    if (grid_->Row() == 0) return;
    const CellEditor role = EditorForColumn(grid_->Col());
    if (role != CellEditor::None) setEditorText(role, S(grid_->Text()));
}

void CChnMsgView::OnGridClick() {
    const int row = grid_->Row();
    const int col = grid_->Col();
    if (row == 0 || col == 0) return;
    if (!firstClickSeen) {
        firstClickSeen = true;
        return;
    }
    grid_->SetCol(ClickEditColumn(col, S(grid_->Text()), S(grid_->TextMatrix(row, column::kRxFrequency))));
    OpenCellEditor(std::nullopt, Selection::All);
}

void CChnMsgView::OnGridKeyPress(int keyCode) {
    // Esc cancels; it never starts an edit.
    if (keyCode == kEscapeCharacter) return;
    if (grid_->Row() != 0 && grid_->Col() != 0) OpenCellEditor(static_cast<char32_t>(keyCode), Selection::CaretAtEnd);
}

void CChnMsgView::OpenCellEditor(std::optional<char32_t> key, Selection selection) {
    const int col = grid_->Col();
    const int editColumn = OpenEditorColumn(col, S(grid_->TextMatrix(grid_->Row(), column::kRxFrequency)));
    const CellEditor role = EditorForColumn(editColumn);
    if (role == CellEditor::None) return;
    std::optional<std::string> keyText;
    if (editColumn != col) {
        // An empty channel is edited at its receive frequency first; the key is dropped.
        grid_->SetCol(editColumn);
    } else if (key) {
        keyText = KeyTextForEditor(col, *key, GridButtonDown());
    }
    typedChoice_.clear();
    // The key that opens a list editor is its first typed character, as in an edit field.
    if (key && editColumn == col && IsListEditor(role) && *key >= U' ' && !GridButtonDown())
        selectTypedChoice(role, S(QString::fromUcs4(&*key, 1)));

    // The editor covers the cell exactly; a drop-down list opens its entries as a popup.
    grid_->scrollToCurrent();
    QWidget* editor = cellEditor(role);
    editor->setGeometry(grid_->currentCellRect());
    // A screen reader names the open editor after its column ("RX Freq").
    const QString columnName = grid_->TextMatrix(0, editColumn);
    editor->setAccessibleName(columnName);
    if (QLabel* label = editorLabels_[static_cast<std::size_t>(role)])
        label->setText(QString(columnName).replace(QLatin1Char('&'), QStringLiteral("&&")));
    editor->show();
    editor->raise();
    editor->setFocus();
    if (IsEditEditor(role)) {
        auto* edit = static_cast<CFilterEdit*>(editor);
        if (keyText) {
            // The key replaces the cell's text as typed into the field: filtered like every
            // later key, and undone by the first Ctrl+Z, which brings the cell's text back.
            edit->selectAll();
            QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, Q(*keyText));
            QApplication::sendEvent(edit, &typed);
        } else if (selection == Selection::All) {
            edit->selectAll();
        } else {
            edit->end(false);
        }
    }
    grid_->refresh();
}

void CChnMsgView::AdvanceCell() {
    const std::optional<GridCell> target = AdvanceCellTarget({grid_->Row(), grid_->Col()});
    if (!target) return;
    grid_->SetRow(target->row);
    grid_->SetCol(target->column);
}

bool CChnMsgView::applyKeyRules(QObject* target, const QKeyEvent& event) {
    const bool toEditor = target == cellEditor(EditorForColumn(grid_->Col()));
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!toEditor && !grid_->isGridWindow(target)) return false;
        AdvanceCell();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!toEditor) return false;
        AdvanceCell();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // Onto an empty channel the table moves in the band column.
        const std::optional<int> row = VerticalMoveTarget(grid_->Row(), event.key() == Qt::Key_Up);
        if (row && VerticalMoveGoesToBandColumn(S(grid_->TextMatrix(*row, column::kBand))))
            grid_->SetCol(column::kBand);
        return false;
    }
    default: return false;
    }
}

bool CChnMsgView::selectTypedChoice(CellEditor role, const std::string& typed) {
    const int index = typed.empty() ? -1 : FindChoice(choices_[static_cast<std::size_t>(role)], typed);
    if (index < 0) {
        KeyBeep();
        return false;
    }
    static_cast<QComboBox*>(cellEditor(role))->setCurrentIndex(index);
    typedChoice_ = typed;
    return true;
}

bool CChnMsgView::typeIntoList(QObject* target, const QKeyEvent& event) {
    const CellEditor role = EditorForColumn(grid_->Col());
    if (!IsListEditor(role) || target != cellEditor(role) || cellEditor(role)->isHidden()) return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const char32_t c = TypedCharacter(event);
    if (c == kBackspaceKey) {
        if (!typedChoice_.empty()) {
            QString shorter = Q(typedChoice_);
            shorter.chop(shorter.back().isLowSurrogate() ? 2 : 1);
            typedChoice_ = S(shorter);
            if (!typedChoice_.empty()) selectTypedChoice(role, typedChoice_);
        }
        return true;
    }
    if (c < U' ') return false;
    selectTypedChoice(role, typedChoice_ + S(QString::fromUcs4(&c, 1)));
    return true;
}

bool CChnMsgView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: applyEditorKeys(watched, static_cast<QKeyEvent&>(*event)); break;
    case QEvent::KeyPress:
        if (applyEditorKeys(watched, static_cast<QKeyEvent&>(*event))) return true;
        if (applyKeyRules(watched, static_cast<const QKeyEvent&>(*event))) return true;
        if (typeIntoList(watched, static_cast<const QKeyEvent&>(*event))) return true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (watched == grid_->cellArea() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            SetGridButtonDown(event->type() == QEvent::MouseButtonPress);
        break;
    default: break;
    }
    return EditorView::eventFilter(watched, event);
}

}  // namespace radioprog
