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
#include "editors/gui/document.h"
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

// The session edits the channels through the document, so every change is one undo step and
// the document's signals tell the other views.
class CChnMsgView::SessionDocument : public ChannelSessionDocument {
public:
    explicit SessionDocument(Document& document) : document_(document) {}
    const RadioImage& image() const override { return document_.image(); }
    std::vector<int> editChannels(const std::function<void(RadioImage&)>& change) override {
        const QList<int> changed = document_.editChannels(change);
        return {changed.begin(), changed.end()};
    }

private:
    Document& document_;
};

CChnMsgView::CChnMsgView(Workspace& workspace, QWidget* parent)
    : EditorView(parent),
      workspace_(workspace),
      sessionDocument_(std::make_unique<SessionDocument>(workspace.document)),
      session_(std::make_unique<ChannelTableSession>(*sessionDocument_, workspace.language)) {
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
    // The table follows the document: every change of channels, by this table, a command,
    // undo or another editor, redraws those rows; a new image reloads the table.
    connect(&workspace.document, &Document::channelsChanged, this, [this](const QList<int>& channels) {
        for (int n : channels) showChannel(n);
    });
    connect(&workspace.document, &Document::settingsChanged, this, &CChnMsgView::loadRows);
    connect(&workspace.document, &Document::imageReplaced, this, &CChnMsgView::LoadFromImage);
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
        // An entry picked from the open list with the mouse or the keyboard.
        connect(list, &QComboBox::activated, this, [this](int index) {
            if (session_->editor()) applyAnswer(session_->chooseEntry(index));
        });
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
        const std::vector<std::string> choices = EditorChoices(role, workspace_.language);
        QStringList entries;
        entries.reserve(static_cast<qsizetype>(choices.size()));
        for (const std::string& entry : choices) entries << Q(entry);
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
    // An open editor stays open on its cell and shows the reloaded text (its edit is dropped).
    const bool editing = session_->editor().has_value();
    movingGrid_ = true;
    grid_->Clear();
    setUpGrid();
    fillLists();
    loadRows();
    fitColumns();
    movingGrid_ = false;
    session_->languageChanged();
    session_->moveTo({grid_->Row(), grid_->Col()});
    for (QWidget* editor : editors_)
        if (editor && !editor->isHidden()) editor->hide();
    if (editing) applyAnswer(session_->key(SessionKey::F2));
}

void CChnMsgView::StoreToImage() {
    if (session_->editor()) applyAnswer(session_->commit(editorText()));
}

QSize CChnMsgView::wholeSize() const {
    const QMargins margins = layout()->contentsMargins();
    return {grid_->wholeWidth() + margins.left() + margins.right(), sizeHint().height()};
}

bool CChnMsgView::hasUnstoredEdits() { return session_->editor().has_value(); }

std::string CChnMsgView::GetCellText(int n, int column) const { return S(grid_->TextMatrix(n + 1, column)); }

QList<int> CChnMsgView::editChannels(const std::function<void(RadioImage&)>& change) {
    return workspace_.document.editChannels(change);
}

void CChnMsgView::showChannel(int n) {
    const ChannelRow cells = ChannelToRow(workspace_.document.image(), workspace_.language, n);
    for (int c = column::kBand; c < kChannelColumnCount; ++c) {
        const QString text = Q(cells[static_cast<std::size_t>(c)]);
        if (grid_->TextMatrix(n + 1, c) != text) grid_->SetTextMatrix(n + 1, c, text);
    }
}

void CChnMsgView::runCommand(const std::function<SessionAnswer(ChannelTableSession&)>& command) {
    StoreToImage();
    const SessionAnswer answer = command(*session_);
    applyAnswer(answer);
    if (answer.selected.empty()) return;
    std::vector<int> rows;
    for (int n : answer.selected) rows.push_back(n + 1);
    grid_->selectRows(rows);
}

QWidget* CChnMsgView::openEditorWidget() const {
    const auto& editor = session_->editor();
    return editor ? cellEditor(editor->editor) : nullptr;
}

std::string CChnMsgView::editorText() const {
    const auto& editor = session_->editor();
    if (!editor || !IsEditEditor(editor->editor)) return {};
    return S(static_cast<CFilterEdit*>(cellEditor(editor->editor))->text());
}

void CChnMsgView::showListChoice(const SessionEditor& editor) {
    auto* list = static_cast<QComboBox*>(cellEditor(editor.editor));
    // Typed text that names no entry is shown as typed, with no entry chosen.
    list->setPlaceholderText(Q(editor.text));
    list->setCurrentIndex(editor.choice);
}

void CChnMsgView::showEditor(const SessionEditor& editor) {
    // The editor covers the cell exactly; a drop-down list opens its entries as a popup.
    grid_->scrollToCurrent();
    QWidget* widget = cellEditor(editor.editor);
    widget->setGeometry(grid_->cellRect(editor.cell.row, editor.cell.column));
    // A screen reader names the open editor after its column ("RX Freq").
    const QString columnName = Q(editor.name);
    widget->setAccessibleName(columnName);
    if (QLabel* label = editorLabels_[static_cast<std::size_t>(editor.editor)])
        label->setText(QString(columnName).replace(QLatin1Char('&'), QStringLiteral("&&")));
    if (IsEditEditor(editor.editor)) {
        auto* edit = static_cast<CFilterEdit*>(widget);
        if (editor.selectAll) {
            edit->setText(Q(editor.text));
            edit->selectAll();
        } else {
            // The key replaces the cell's text as if typed into the field, so the field's
            // first Ctrl+Z brings the cell's text back.
            edit->setText(Q(session_->cellText(editor.cell)));
            edit->selectAll();
            QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, Q(editor.text));
            QApplication::sendEvent(edit, &typed);
        }
    } else {
        showListChoice(editor);
    }
    widget->show();
    widget->raise();
    widget->setFocus();
    grid_->refresh();
}

void CChnMsgView::applyAnswer(const SessionAnswer& answer) {
    if (answer.closed) {
        for (QWidget* editor : editors_) {
            if (!editor || editor->isHidden()) continue;
            // The table's current cell takes the focus back (also from a dialog that has it),
            // so a screen reader is on the cell whose value it hears.
            if (editor->hasFocus() || window()->focusWidget() == editor) grid_->setFocus();
            editor->hide();
            // The closed field holds what the cell shows now, as the grid does.
            if (auto* edit = qobject_cast<CFilterEdit*>(editor)) edit->setText(Q(session_->cellText(answer.cell)));
        }
    }
    for (int n : answer.changed) showChannel(n);
    const GridCell current = session_->current();
    if (answer.moved || grid_->Row() != current.row || grid_->Col() != current.column) {
        movingGrid_ = true;
        grid_->SetRow(current.row);
        grid_->SetCol(current.column);
        movingGrid_ = false;
    }
    if (answer.opened && session_->editor()) showEditor(*session_->editor());
    if (answer.editorChanged && session_->editor() && IsListEditor(session_->editor()->editor))
        showListChoice(*session_->editor());
    const QString words = Q(answer.announcement);
    // Said by the control that has the focus: the open editor, else the table's cells.
    QWidget* speaker = openEditorWidget()    ? openEditorWidget()
                       : grid_->focusProxy() ? grid_->focusProxy()
                                             : static_cast<QWidget*>(grid_);
    if (answer.refused)
        KeyBeep(speaker, words);
    else
        Announce(speaker, words);
    if (answer.notice)
        // After the move that committed the cell has finished.
        QTimer::singleShot(0, this, [this, message = Q(*answer.notice)] { Warn(this, message); });
}

void CChnMsgView::OnGridLeaveCell() {
    if (movingGrid_ || !session_->editor()) return;
    applyAnswer(session_->commit(editorText()));
}

void CChnMsgView::OnGridEnterCell() {
    if (movingGrid_) return;
    applyAnswer(session_->moveTo({grid_->Row(), grid_->Col()}, editorText()));
}

void CChnMsgView::OnGridClick() {
    const int row = grid_->Row();
    const int col = grid_->Col();
    if (row == 0 || col == 0) return;
    if (!firstClickSeen) {
        firstClickSeen = true;
        return;
    }
    applyAnswer(session_->openByClick({row, col}));
}

void CChnMsgView::OnGridKeyPress(int keyCode) {
    // Esc cancels; it never starts an edit. Nothing is typed while the button is held.
    if (keyCode == kEscapeCharacter || keyCode < 32 || GridButtonDown()) return;
    if (grid_->Row() == 0 || grid_->Col() == 0) return;
    applyAnswer(session_->typeCharacter(static_cast<char32_t>(keyCode)));
}

bool CChnMsgView::forwardKey(QObject* target, QKeyEvent& event) {
    QWidget* editor = openEditorWidget();
    const bool toEditor = editor != nullptr && target == editor;
    const bool toGrid = editor == nullptr && grid_->isGridWindow(target);
    if (!toEditor && !toGrid) return false;
    const bool undo = event.matches(QKeySequence::Undo);
    if (event.type() == QEvent::ShortcutOverride) {
        // The editor, not the table's Undo command, takes Ctrl+Z and Esc while it is open.
        if (toEditor && (undo || event.key() == Qt::Key_Escape)) event.accept();
        return false;
    }
    const bool isList = toEditor && IsListEditor(session_->editor()->editor);
    const bool plain = !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    std::optional<SessionKey> key;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: key = SessionKey::Enter; break;
    case Qt::Key_Tab: key = SessionKey::Tab; break;
    case Qt::Key_Backtab: key = SessionKey::Backtab; break;
    case Qt::Key_Escape:
        if (toEditor) key = SessionKey::Escape;
        break;
    case Qt::Key_F2: key = SessionKey::F2; break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (plain) key = event.key() == Qt::Key_Up ? SessionKey::Up : SessionKey::Down;
        break;
    case Qt::Key_Backspace:
        if (isList) key = SessionKey::Backspace;
        break;
    default: break;
    }
    if (toEditor && undo) {
        // Ctrl+Z undoes the field's own typing first; with nothing left it cancels the edit.
        if (!isList && static_cast<CFilterEdit*>(editor)->isUndoAvailable()) return false;
        key = SessionKey::Escape;
    }
    if (toGrid && key == SessionKey::Enter && !plain) key.reset();
    if (key) {
        const SessionAnswer answer = session_->key(*key, editorText());
        if (!answer.handled) return false;
        applyAnswer(answer);
        return true;
    }
    if (!toEditor || !plain) return false;
    const char32_t c = TypedCharacter(event);
    if (c < U' ') return false;
    if (isList) {
        applyAnswer(session_->typeCharacter(c));
        return true;
    }
    auto* edit = static_cast<CFilterEdit*>(editor);
    const SessionAnswer answer =
        session_->editCharacter(c, static_cast<std::size_t>(edit->text().size()), edit->hasSelectedText());
    if (!answer.handled) return false;
    applyAnswer(answer);
    return true;
}

bool CChnMsgView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (forwardKey(watched, static_cast<QKeyEvent&>(*event))) return true;
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
