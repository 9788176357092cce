#pragma once
// The main window: owns the image and texts, the transfer job, the three editor windows, the
// toolbar, the progress status bar and the background; routes every command.
#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

#include "editors/edit_history.h"
#include "link/transfer_reports.h"
#include "shell/gui/child_frame.h"
#include "shell/gui/workspace.h"

class QAction;
class QMenu;
class QToolBar;

namespace radioprog {

class CBackgroundWnd;
class CCommTask;
class CProgStatusBar;
class TransferBridge;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    Workspace& workspace() { return workspace_; }
    RadioImage& image() { return workspace_.image; }
    LanguageTable& language() { return workspace_.language; }
    CCommTask& job() { return *job_; }
    CProgStatusBar* progressStatusBar() const { return statusBar_; }
    CBackgroundWnd* background() const { return background_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* action(int command) const { return actions_.value(command); }
    QMenu* windowMenu() const { return windowMenu_; }
    // Undo and redo of the channel table; kept while the table's window is closed.
    EditHistory& editHistory() { return history_; }

    // Editors: open (or bring to the front) and reach them.
    CChildFrame* OpenEditor(EditorKind kind);
    CChildFrame* OpenChannelEditor() { return OpenEditor(EditorKind::Channels); }
    CChildFrame* OpenFunctionsEditor() { return OpenEditor(EditorKind::Functions); }
    CChildFrame* OpenDtmfEditor() { return OpenEditor(EditorKind::Dtmf); }
    CChildFrame* editorFrame(EditorKind kind) const { return slots_[static_cast<std::size_t>(kind)]; }
    EditorView* editorView(EditorKind kind) const;

    // Every open editor reloads from the image, then the channel editor is shown.
    void RefreshEditors();
    // Every open editor stores into the image (the channel table commits its cell).
    void FlushEditors();
    // Closes the open editors and reopens exactly those (after a change of language).
    void ReopenEditors();
    void RelabelMenu();
    void SetTitle();
    bool transferRunning() const { return transferRunning_; }
    // The toolbar tip of a command in the current language (empty: no tip).
    QString toolTipText(int command) const;

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnReadRadio();
    void OnWriteRadio();
    void OnPortSelect();
    void OnBatchChannels();

signals:
    // The image was replaced as a whole (File New, Open, a read from the radio).
    void imageReplaced();
    // A transfer ended (its final progress report arrived) with this result code.
    void transferEnded(int result);
    void languageCommand();
    void aboutCommand();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    QAction* addCommand(int command, const QIcon& icon = QIcon());
    void updateCommandStates();
    void rebuildWindowMenu();
    void arrangeIcons();
    bool startTransfer(TransferMode mode);
    void onProgress(int value);
    void onDataReady(const RadioImage& image);
    bool onBandCheck(const RadioImage& bandLimitImage);
    void onFinished(const TransferOutcome& outcome);
    bool showMessage(const std::string& message, const std::string& detail = {});

    Workspace workspace_;
    EditHistory history_;
    std::unique_ptr<CCommTask> job_;
    std::unique_ptr<TransferBridge> bridge_;
    std::array<QPointer<CChildFrame>, kEditorKindCount> slots_;
    CProgStatusBar* statusBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    CBackgroundWnd* background_ = nullptr;
    QHash<int, QAction*> actions_;
    QMenu* windowMenu_ = nullptr;
    QIcon editorIcon_;
    bool transferRunning_ = false;
    int lastResult_ = -1;
    std::string backupNote_;
    RadioImage sentImage_;  // the image the latest transfer started with
};

}  // namespace radioprog
