// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: owns the document and texts, the transfer job, the three editor windows, the
// toolbar, the progress status bar and the background; routes every command.
#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

#include "editors/gui/workspace.h"
#include "link/port_map.h"
#include "link/transfer_reports.h"
#include "ui/child_frame.h"
#include "ui/editor_host.h"

class QAction;
class QMenu;
class QToolBar;

namespace radioprog {

class CBackgroundWnd;
class CCommTask;
class CProgStatusBar;
class RecoveryKeeper;
class TransferBridge;

class CMainFrame : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // EditorHost
    QWidget* hostWindow() override { return this; }
    Document& document() override { return workspace_.document; }
    const LanguageTable& language() const override { return workspace_.language; }
    CChildFrame* openEditor(EditorKind kind) override;
    EditorView* editorView(EditorKind kind) const override;
    void flushEditors() override;
    bool transferRunning() const override { return transferRunning_; }
    QAction* action(Command command) const override;

    Workspace& workspace() { return workspace_; }
    const RadioImage& image() const { return workspace_.document.image(); }
    CCommTask& job() { return *job_; }
    CProgStatusBar* progressStatusBar() const { return statusBar_; }
    CBackgroundWnd* background() const { return background_; }
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* windowMenu() const { return windowMenu_; }

    // Editors: open (or bring to the front) and reach them.
    CChildFrame* OpenChannelEditor() { return openEditor(EditorKind::Channels); }
    CChildFrame* OpenFunctionsEditor() { return openEditor(EditorKind::Functions); }
    CChildFrame* openDtmfEditor() { return openEditor(EditorKind::Dtmf); }
    CChildFrame* editorFrame(EditorKind kind) const { return slots_[static_cast<std::size_t>(kind)]; }

    // Shows the channel editor after the image was replaced (the open editors follow the
    // document's signals and have reloaded already).
    void RefreshEditors();
    // The open editors that hold edits of the user store them (see EditorView).
    void flushEditedEditors();
    // Closes the open editors and reopens exactly those (after a change of language), each
    // where it was and in the state it was in.
    void ReopenEditors();
    // An open editor holds edits of the user that are not in the image yet.
    bool hasEditedEditors();
    void RelabelMenu();
    // "<file name>[*] - <program title>"; "Untitled" before the first save.
    void updateTitle();
    // The toolbar tip of a command in the current language (empty: no tip).
    QString toolTipText(Command command) const;

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    // Save writes the document's file without a dialog (Save As when it has none); false
    // when nothing was written (cancelled or failed).
    bool OnFileSave();
    bool onFileSaveAs();
    void onFilePrint();
    void onFilePrintPreview();
    void onReadRadio();
    void onWriteRadio();
    void onPortSelect();
    void onBatchChannels();
    // Stops the running transfer (Program menu, Esc, the status bar's Cancel button).
    void onCancelTransfer();

    // Opens a .dat file as the document (after the unsaved-changes question); false when it
    // was not opened.
    bool openFile(const QString& path);
    // A file from outside (the command line, a drop on the window): a .csv file is imported
    // into the channel table, anything else is opened as a .dat file.
    void openFromOutside(const QString& path);
    // At start-up: when a recovery file of unsaved edits exists, offers to restore it.
    void offerRecovery();
    // Before a write: records whose address bytes are not the radio's layout are repaired,
    // kept or the write is cancelled, as the user answers.
    bool confirmRecordAddresses();
    RecoveryKeeper& recovery() { return *recovery_; }
    // The unsaved-changes question when the document is modified: Save (and it was saved),
    // Discard, or no question needed give true; Cancel or a failed save give false.
    bool maybeKeepChanges();

signals:
    // A transfer ended (its final progress report arrived) with this result code.
    void transferEnded(int result);
    void languageCommand();
    void aboutCommand();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void updateCommandStates();
    void rebuildWindowMenu();
    void arrangeIcons();
    bool startTransfer(TransferMode mode);
    void onProgress(int value);
    void onDataReady(const RadioImage& image);
    bool onBandCheck(const RadioImage& bandLimitImage);
    void onFinished(const TransferOutcome& outcome);
    bool showMessage(const std::string& message, const std::string& detail = {});
    void createCancelCommand();
    // Closing during a transfer: asks, and on Yes cancels and closes once the worker ended.
    bool confirmQuitDuringTransfer();
    // File commands (main_frame_file.cpp).
    void setUpFileCommands();
    void rebuildRecentMenu();
    QString dialogStart() const;
    bool loadFile(const QString& path);
    bool saveTo(const QString& path);
    void rememberFile(const QString& path);
    int askUnsavedChanges();

    Workspace workspace_;
    std::unique_ptr<CCommTask> job_;
    std::unique_ptr<TransferBridge> bridge_;
    std::array<QPointer<CChildFrame>, kEditorKindCount> slots_;
    CProgStatusBar* statusBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    CBackgroundWnd* background_ = nullptr;
    QHash<int, QAction*> actions_;  // by command number
    QMenu* windowMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;
    QIcon editorIcon_;
    bool transferRunning_ = false;
    bool closeWhenTransferEnds_ = false;
    // The open "quit during the transfer?" question; the end of the transfer takes it away.
    QPointer<QDialog> quitQuestion_;
    int lastResult_ = -1;
    std::string backupNote_;
    RadioImage sentImage_;  // the image the latest transfer started with
    PortMap portsAtStart_;  // the ports present when it started
};

}  // namespace radioprog
