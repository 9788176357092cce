// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel table: one grid row per channel, edited cell by cell through an overlay
// editor (an edit field or a drop-down list) placed exactly over the cell. What a key or a
// click does is the editing session's decision (editors/channel_session.h); this view only
// forwards them and draws the answers. Every committed cell goes into the image at once.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/channel_editors.h"
#include "editors/channel_session.h"
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
    const ChannelTableSession& session() const { return *session_; }
    // Runs a command of the editing session (delete, insert, move, cut, paste) and draws its
    // answer: the rows, the current cell, the channels it selects, the screen reader's words.
    void runCommand(const std::function<SessionAnswer(ChannelTableSession&)>& command);
    QWidget* cellEditor(CellEditor role) const { return editors_[static_cast<std::size_t>(role)]; }
    // The first click of a run only activates the table; this starts a new run (tests).
    static void forgetFirstClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class SessionDocument;

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
    // Draws what the session answered: the rows it changed, the editor it opened, changed or
    // closed, the current cell, a refusal, a notice and the words for a screen reader.
    void applyAnswer(const SessionAnswer& answer);
    void showEditor(const SessionEditor& editor);
    void showListChoice(const SessionEditor& editor);
    // The keys an open editor or the table forwards to the session; true when it took them.
    bool forwardKey(QObject* target, QKeyEvent& event);
    QWidget* openEditorWidget() const;
    std::string editorText() const;
    void showChannel(int n);

    Workspace& workspace_;
    CMSFlexGrid* grid_ = nullptr;
    static constexpr std::size_t kEditorRoles = static_cast<std::size_t>(CellEditor::Name) + 1;
    std::array<QWidget*, kEditorRoles> editors_{};
    // A list editor is named by a label (its value is its name on Linux): hidden, its buddy.
    std::array<QLabel*, kEditorRoles> editorLabels_{};
    std::unique_ptr<SessionDocument> sessionDocument_;
    std::unique_ptr<ChannelTableSession> session_;
    // Set while the view moves the grid itself, so its cell events do not go back to the session.
    bool movingGrid_ = false;
};

}  // namespace radioprog
