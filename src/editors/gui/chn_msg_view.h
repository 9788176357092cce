// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel table: one grid row per channel, edited cell by cell through an overlay
// editor (an edit field or a drop-down list) placed exactly over the cell. Every committed
// cell goes into the image at once; the grid is the only display of the channels, and the
// printout reads its cells.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/channel_editors.h"
#include "editors/gui/workspace.h"
#include "radio/channel_cells.h"
#include "ui/editor_view.h"

class QComboBox;
class QKeyEvent;
class QLabel;

namespace radioprog {

class CChildFrame;
class CMSFlexGrid;
class CFilterEdit;

class CChnMsgView : public EditorView {
    Q_OBJECT
public:
    // The view of the channel editor's frame; it edits the frame's workspace.
    explicit CChnMsgView(CChildFrame* frame);
    explicit CChnMsgView(Workspace& workspace, QWidget* parent = nullptr);
    ~CChnMsgView() override;

    // Rebuilds the grid from the image. An open editor stays open and shows the reloaded
    // text of its cell (its own edit is dropped).
    void LoadFromImage() override;
    // Commits the open editor, if any; the rest of the grid is in the image already.
    void StoreToImage() override;
    // A cell editor is open.
    bool hasUnstoredEdits() override;
    QSize wholeSize() const override;
    // The grid's text of channel n (0..127) in column c.
    std::string GetCellText(int n, int column) const;

    // Every change this view (or the batch dialog through it) makes to the channels runs
    // here, through the document (one undo step). Returns the channels that changed.
    QList<int> editChannels(const std::function<void(RadioImage&)>& change);

    CMSFlexGrid* grid() const { return grid_; }
    QWidget* cellEditor(CellEditor role) const { return editors_[static_cast<std::size_t>(role)]; }
    // The first click of a run only activates the table; this starts a new run (tests).
    static void forgetFirstClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Selection { All, CaretAtEnd };

    void createEditors();
    void addEditor(CellEditor role, QWidget* editor);
    void setUpGrid();
    void fillLists();
    void loadRows();
    void fitColumns();

    void OnGridLeaveCell();
    void OnGridEnterCell();
    void OnGridClick();
    void OnGridKeyPress(int keyCode);
    void OpenCellEditor(std::optional<char32_t> key, Selection selection);
    // Closes the open cell editor without storing it: the cell keeps its stored text.
    void cancelCellEdit();
    // Esc, and Ctrl+Z with nothing left to undo in the editor, cancel the edit.
    bool applyEditorKeys(QObject* target, QKeyEvent& event);
    void AdvanceCell();
    bool applyKeyRules(QObject* target, const QKeyEvent& event);
    // A character typed into an open list editor extends the typed text; the list selects
    // the first entry that begins with it (an entry that none begins with is refused).
    bool typeIntoList(QObject* target, const QKeyEvent& event);
    bool selectTypedChoice(CellEditor role, const std::string& typed);

    void clearEditor(CellEditor role);
    std::string editorText(CellEditor role) const;
    void setEditorText(CellEditor role, const std::string& text);
    ChannelRow gridRow(int row) const;
    void showRow(int row, const ChannelRow& cells);

    Workspace& workspace_;
    CMSFlexGrid* grid_ = nullptr;
    static constexpr std::size_t kEditorRoles = static_cast<std::size_t>(CellEditor::Name) + 1;
    std::array<QWidget*, kEditorRoles> editors_{};
    // A list editor is named by a label (its value is its name on Linux): hidden, its buddy.
    std::array<QLabel*, kEditorRoles> editorLabels_{};
    std::array<std::vector<std::string>, kEditorRoles> choices_{};
    std::string typedChoice_;  // what has been typed into the open list editor
};

}  // namespace radioprog
