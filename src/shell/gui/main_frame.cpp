#include "shell/gui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "editors/gui/batch_command.h"
#include "editors/gui/channel_edit_commands.h"
#include "editors/gui/editor_factory.h"
#include "link/comm_task.h"
#include "model/backup_store.h"
#include "model/dat_file.h"
#include "model/extra_rows.h"
#include "pictures/background_wnd.h"
#include "print/gui/print_command.h"
#include "fleet/radio_outcome.h"
#include "shell/band_check.h"
#include "shell/commands.h"
#include "shell/file_messages.h"
#include "shell/gui/icons.h"
#include "shell/gui/message_dlg.h"
#include "shell/gui/port_select_dlg.h"
#include "shell/gui/prog_status_bar.h"
#include "shell/gui/proof_commands.h"
#include "shell/gui/refused_entry.h"
#include "shell/gui/recovery_keeper.h"
#include "shell/gui/text.h"
#include "shell/gui/toolbar_tips.h"
#include "shell/gui/transfer_bridge.h"
#include "shell/gui/ui_hooks.h"
#include "shell/gui/window_placement.h"
#include "shell/menu_captions.h"
#include "shell/transfer_messages.h"

namespace radioprog {

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), job_(std::make_unique<CCommTask>(PortMap::FromEnvironment())) {
    editorIcon_ = LoadIconFile({"view.ico", "2.ico", "1.ico"});

    bridge_ = std::make_unique<TransferBridge>(
        this, TransferBridge::Handlers{[this](int value) { onProgress(value); },
                                       [this](const RadioImage& image) { onDataReady(image); },
                                       [this](const RadioImage& image) { return onBandCheck(image); },
                                       [this](const TransferOutcome& outcome) { onFinished(outcome); }});

    background_ = new CBackgroundWnd(this);
    setCentralWidget(background_);
    KeepWindowsInsideWorkArea(*background_);
    connect(background_, &CBackgroundWnd::pictureError, this,
            [this](const QString& path) {
                const QString message = Q(workspace_.language.row(lang_row::kPictureError)) + QLatin1Char('\n') + path;
                QTimer::singleShot(0, this, [this, message] { Warn(this, message); });
            });

    createActions();
    createMenus();
    createToolBar();
    statusBar_ = new CProgStatusBar(this);
    setStatusBar(statusBar_);
    createCancelCommand();
    // The channel table appears right after start-up.
    QTimer::singleShot(100, this, [this] { OpenChannelEditor(); });
}

CMainFrame::~CMainFrame() {
    // Editors hold pointers into the workspace: close them before it goes.
    for (auto& slot : slots_) delete slot.data();
    job_->Wait();
}

QAction* CMainFrame::addCommand(int command, const QIcon& icon) {
    auto* action = new QAction(icon, QString(), this);
    action->setData(command);
    actions_.insert(command, action);
    return action;
}

void CMainFrame::createActions() {
    using namespace command;
    QStyle* style = QApplication::style();
    setUpFileCommands();
    connect(addCommand(kFileClose), &QAction::triggered, this, [this] {
        if (QMdiSubWindow* active = background_->activeSubWindow()) active->close();
    });
    connect(addCommand(kFilePrint, LoadSizedIcon("print", QIcon::fromTheme(QStringLiteral("document-print"),
                                                                           style->standardIcon(QStyle::SP_FileDialogDetailedView)))),
            &QAction::triggered, this, &CMainFrame::OnFilePrint);
    connect(addCommand(kFilePrintPreview), &QAction::triggered, this, &CMainFrame::OnFilePrintPreview);
    connect(addCommand(kExit), &QAction::triggered, this, &QWidget::close);
    actions_[kExit]->setShortcut(QKeySequence::Quit);
    connect(addCommand(kReadRadio, style->standardIcon(QStyle::SP_ArrowDown)), &QAction::triggered, this,
            &CMainFrame::OnReadRadio);
    connect(addCommand(kWriteRadio, style->standardIcon(QStyle::SP_ArrowUp)), &QAction::triggered, this,
            &CMainFrame::OnWriteRadio);
    connect(addCommand(kPortSelect, style->standardIcon(QStyle::SP_ComputerIcon)), &QAction::triggered, this,
            &CMainFrame::OnPortSelect);
    connect(addCommand(kChannelEditor), &QAction::triggered, this, [this] { OpenChannelEditor(); });
    connect(addCommand(kFunctionsEditor), &QAction::triggered, this, [this] { OpenFunctionsEditor(); });
    connect(addCommand(kBatchChannels), &QAction::triggered, this, &CMainFrame::OnBatchChannels);
    connect(addCommand(kDtmfEditor), &QAction::triggered, this, [this] { OpenDtmfEditor(); });
    connect(addCommand(kLanguage), &QAction::triggered, this, &CMainFrame::languageCommand);
    connect(addCommand(kAbout, style->standardIcon(QStyle::SP_MessageBoxQuestion)), &QAction::triggered, this,
            &CMainFrame::aboutCommand);
    connect(addCommand(kWindowCascade), &QAction::triggered, background_, &QMdiArea::cascadeSubWindows);
    connect(addCommand(kWindowTile), &QAction::triggered, background_, &QMdiArea::tileSubWindows);
    connect(addCommand(kWindowArrange), &QAction::triggered, this, &CMainFrame::arrangeIcons);

    actions_[kFilePrint]->setShortcut(QKeySequence::Print);
    for (QAction* action : actions_) action->setShortcutContext(Qt::ApplicationShortcut);
    for (int command : {kWriteSeveral, kCompareWith})
        connect(addCommand(command), &QAction::triggered, this, [this, command] { RunProofCommand(*this, command); });
    addCommand(kVerifyTransfers)->setCheckable(true);
    for (int command : ChannelEditCommands())
        connect(addCommand(command), &QAction::triggered, this, [this, command] { RunChannelEditCommand(*this, command); });
    SetUpChannelEditing(*this);
}

void CMainFrame::createCancelCommand() {
    // Esc only while a transfer runs: the action is disabled otherwise, so editors keep Esc.
    QAction* cancel = addCommand(command::kCancelTransfer);
    cancel->setShortcut(QKeySequence(Qt::Key_Escape));
    cancel->setShortcutContext(Qt::WindowShortcut);
    cancel->setEnabled(false);
    addAction(cancel);
    connect(cancel, &QAction::triggered, this, &CMainFrame::OnCancelTransfer);
    connect(statusBar_, &CProgStatusBar::cancelRequested, this, &CMainFrame::OnCancelTransfer);
    for (QObject* holder : actions_[command::kReadRadio]->associatedObjects())
        if (auto* program = qobject_cast<QMenu*>(holder)) {
            program->addSeparator();
            program->addAction(cancel);
            break;
        }
}

void CMainFrame::OnCancelTransfer() {
    if (transferRunning_) job_->Cancel();
}

void CMainFrame::createMenus() {
    using namespace command;
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QString());
    file->addAction(actions_[kFileNew]);
    file->addAction(actions_[kFileClose]);
    file->addSeparator();
    file->addAction(actions_[kFileSave]);
    file->addAction(actions_[kFileSaveAs]);
    file->addAction(actions_[kFileOpen]);
    file->addAction(actions_[kImportCsv]);
    file->addAction(actions_[kExportCsv]);
    file->addAction(actions_[kCompareWith]);
    file->addAction(actions_[kFilePrint]);
    file->addAction(actions_[kFilePrintPreview]);
    file->addSeparator();
    file->addMenu(recentMenu_);
    file->addSeparator();
    file->addAction(actions_[kExit]);
    QMenu* program = bar->addMenu(QString());
    program->addAction(actions_[kReadRadio]);
    program->addAction(actions_[kWriteRadio]);
    program->addAction(actions_[kWriteSeveral]);
    program->addSeparator();
    program->addAction(actions_[kVerifyTransfers]);
    QMenu* edit = bar->addMenu(QString());
    edit->addAction(actions_[kChannelEditor]);
    edit->addAction(actions_[kFunctionsEditor]);
    edit->addAction(actions_[kBatchChannels]);
    edit->addAction(actions_[kDtmfEditor]);
    for (int command : {0, kEditUndo, kEditRedo, 0, kEditCut, kEditCopy, kEditPaste, 0, kDeleteChannels, kInsertChannel,
                        kMoveChannelsUp, kMoveChannelsDown})
        if (command)
            edit->addAction(actions_[command]);
        else
            edit->addSeparator();
    // The menu bar shows a command's icon instead of its caption: this entry gets its own.
    QAction* portEntry = bar->addAction(QString());
    connect(portEntry, &QAction::triggered, this, &CMainFrame::OnPortSelect);
    connect(actions_[kPortSelect], &QAction::enabledChanged, portEntry, &QAction::setEnabled);
    QMenu* view = bar->addMenu(QString());
    windowMenu_ = bar->addMenu(QString());
    bar->addAction(actions_[kLanguage]);
    QMenu* help = bar->addMenu(QString());
    help->addAction(actions_[kAbout]);

    // View: the toolbar and status bar switches (created checked; wired once both exist).
    QAction* toolbarSwitch = addCommand(kViewToolbar);
    QAction* statusSwitch = addCommand(kViewStatusBar);
    toolbarSwitch->setCheckable(true);
    statusSwitch->setCheckable(true);
    toolbarSwitch->setChecked(true);
    statusSwitch->setChecked(true);
    view->addAction(toolbarSwitch);
    view->addAction(statusSwitch);
    connect(toolbarSwitch, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    connect(statusSwitch, &QAction::toggled, this, [this](bool on) { statusBar_->setVisible(on); });

    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::rebuildWindowMenu);
    rebuildWindowMenu();
}

void CMainFrame::createToolBar() {
    using namespace command;
    toolBar_ = addToolBar(QStringLiteral("main"));
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setMovable(true);
    toolBar_->setIconSize(QSize(20, 20));
    toolBar_->addAction(actions_[kFileNew]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[kFileOpen]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[kFileSave]);
    toolBar_->addAction(actions_[kFilePrint]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[kReadRadio]);
    toolBar_->addAction(actions_[kPortSelect]);
    toolBar_->addAction(actions_[kWriteRadio]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[kAbout]);
    connect(toolBar_, &QToolBar::visibilityChanged, actions_[kViewToolbar], &QAction::setChecked);
    InstallToolbarTips(*toolBar_, [this](int command) { return toolTipText(command); });
}

void CMainFrame::rebuildWindowMenu() {
    using namespace command;
    windowMenu_->clear();
    windowMenu_->addAction(actions_[kWindowCascade]);
    windowMenu_->addAction(actions_[kWindowTile]);
    windowMenu_->addAction(actions_[kWindowArrange]);
    const QList<QMdiSubWindow*> windows = background_->subWindowList();
    if (!windows.isEmpty()) windowMenu_->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle())
                                   : QStringLiteral("%1 %2").arg(number).arg(window->windowTitle());
        QAction* item = windowMenu_->addAction(text);
        item->setCheckable(true);
        item->setChecked(window == background_->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, window] { RestoreAndActivate(*background_, *window); });
        ++number;
    }
}

void CMainFrame::arrangeIcons() {
    // Minimised editor windows are lined up along the bottom of the work area.
    int x = 0;
    const int bottom = background_->viewport()->height();
    for (QMdiSubWindow* window : background_->subWindowList()) {
        if (!window->isMinimized()) continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

void CMainFrame::RelabelMenu() {
    const QList<QAction*> top = menuBar()->actions();
    for (const MenuCaption& entry : MenuCaptions()) {
        QString caption = Q(MenuCaptionText(entry, workspace_.language));
        if (entry.position >= 0 && entry.position < top.size())
            top[entry.position]->setText(caption);
        else if (QAction* item = actions_.value(entry.command))
            item->setText(caption);
    }
    statusBar_->setCancelText(Q(workspace_.language.row(lang_row::kCancel)));
}

QString CMainFrame::toolTipText(int command) const { return Q(ToolTipText(command, workspace_.language)); }


EditorView* CMainFrame::editorView(EditorKind kind) const {
    CChildFrame* frame = editorFrame(kind);
    return frame ? frame->view() : nullptr;
}

CChildFrame* CMainFrame::OpenEditor(EditorKind kind) {
    QPointer<CChildFrame>& slot = slots_[static_cast<std::size_t>(kind)];
    if (slot) {
        RestoreAndActivate(*background_, *slot);
        SetTitle();
        return slot;
    }
    auto* frame = new CChildFrame(kind, &workspace_);
    EditorView* view = CreateEditorView(kind, this, frame);
    if (!view) {
        delete frame;
        return nullptr;
    }
    slot = frame;
    AttachChannelEditing(*this, *view);
    const EditorSpec& facts = EditorSpecFor(kind);
    frame->setWidget(view);
    frame->setWindowTitle(Q(workspace_.language.row(facts.titleRow)));
    frame->setWindowIcon(editorIcon_);
    background_->addSubWindow(frame);
    const QRect outer = frameGeometry();
    frame->resize(outer.width() * facts.widthNum / 50, outer.height() * facts.heightNum / 50);
    connect(frame, &QObject::destroyed, this, [this] { update(); });
    frame->show();
    PlaceInsideWorkArea(*background_, *frame);
    view->LoadFromImage();
    background_->setActiveSubWindow(frame);
    SetTitle();
    return frame;
}

void CMainFrame::RefreshEditors() {
    for (int k = 0; k < kEditorKindCount; ++k)
        if (EditorView* view = editorView(static_cast<EditorKind>(k))) view->LoadFromImage();
    OpenChannelEditor();
}

void CMainFrame::FlushEditors() {
    for (int k = 0; k < kEditorKindCount; ++k)
        if (EditorView* view = editorView(static_cast<EditorKind>(k))) view->StoreToImage();
}

void CMainFrame::FlushEditedEditors() {
    for (int k = 0; k < kEditorKindCount; ++k)
        if (EditorView* view = editorView(static_cast<EditorKind>(k)); view && view->HasUnstoredEdits()) view->StoreToImage();
}

void CMainFrame::ReopenEditors() {
    std::array<bool, kEditorKindCount> wasOpen{};
    for (int k = 0; k < kEditorKindCount; ++k) {
        QPointer<CChildFrame>& slot = slots_[static_cast<std::size_t>(k)];
        if (!slot) continue;
        wasOpen[static_cast<std::size_t>(k)] = true;
        CChildFrame* frame = slot;
        slot = nullptr;
        background_->removeSubWindow(frame);
        delete frame;
    }
    for (int k = 0; k < kEditorKindCount; ++k)
        if (wasOpen[static_cast<std::size_t>(k)]) OpenEditor(static_cast<EditorKind>(k));
}

bool CMainFrame::showMessage(const std::string& message, const std::string& detail) {
    CMessageDlg dialog(Q(workspace_.language.row(lang_row::kTitle)), Q(workspace_.language.row(lang_row::kOk)), Q(message), this);
    if (!detail.empty()) dialog.setDetail(Q(detail));
    return RunModal(dialog) == QDialog::Accepted;
}

void CMainFrame::OnFilePrint() {
    RunPrintCommand(*this);
}

void CMainFrame::OnFilePrintPreview() { RunPrintPreviewCommand(*this); }

void CMainFrame::OnBatchChannels() {
    if (transferRunning_) return;
    RunBatchCommand(*this);
}

void CMainFrame::OnReadRadio() {
    // The read replaces the document: unsaved changes are asked about first.
    if (transferRunning_ || job_->IsBusy() || !MaybeKeepChanges()) return;
    startTransfer(TransferMode::Read);
}

void CMainFrame::OnWriteRadio() { startTransfer(TransferMode::Write); }

void CMainFrame::OnPortSelect() {
    if (transferRunning_ || job_->IsBusy()) return;
    const LanguageTable& language = workspace_.language;
    std::uint32_t mask = job_->ProbePorts();
    std::vector<std::string> devices;
    for (int port = 1; port <= 20; ++port) devices.push_back(job_->ports().device(port));
    CPortSelectDlg dialog(Q(language.row(lang_row::kSerialPort)), Q(language.row(lang_row::kOk)), Q(language.row(lang_row::kCancel)), mask, devices,
                          image().port() - 1, this);
    if (RunModal(dialog) == QDialog::Accepted) workspace_.document.setPort(dialog.selection() + 1);
}

bool CMainFrame::startTransfer(TransferMode mode) {
    if (transferRunning_ || job_->IsBusy() || SeveralRadiosRunning(*this)) return false;
    if (mode == TransferMode::Write) FlushEditors();
    job_->Wait();
    job_->SetOptions({std::nullopt, actions_[command::kVerifyTransfers]->isChecked()});
    sentImage_ = image();
    job_->Setup(bridge_.get(), image());
    job_->SetMode(mode);
    transferRunning_ = true;
    lastResult_ = -1;
    updateCommandStates();
    if (!job_->Start()) {
        transferRunning_ = false;
        updateCommandStates();
        return false;
    }
    return true;
}

void CMainFrame::updateCommandStates() {
    using namespace command;
    for (int command : {kReadRadio, kWriteRadio, kFileNew, kFileOpen, kPortSelect, kBatchChannels, kLanguage,
                        kWriteSeveral, kCompareWith})
        actions_[command]->setEnabled(!transferRunning_);
    actions_[kCancelTransfer]->setEnabled(transferRunning_);
    UpdateChannelEditStates(*this);
}

void CMainFrame::onProgress(int value) {
    statusBar_->SetProgress(value);
    if (value != 0) return;
    job_->Wait();
    transferRunning_ = false;
    updateCommandStates();
    emit transferEnded(lastResult_);
    if (closeWhenTransferEnds_) QTimer::singleShot(0, this, &QWidget::close);
}

void CMainFrame::onDataReady(const RadioImage& image) {
    // The radio's contents are a new document that no file holds yet.
    workspace_.document.replace(image, QString(), true);
    // A copy of every successful read, so what was in the radio is never lost.
    BackupResult backup = SaveBackup(image);
    backupNote_ = backup.ok ? workspace_.language.row(lang_row::kBackupSaved) + " " + backup.path
                            : workspace_.language.row(lang_row::kBackupFailed) + " " + backup.error;
    RefreshEditors();
}

bool CMainFrame::onBandCheck(const RadioImage& bandLimitImage) {
    // The radio's band limits were read into the image, as every write does.
    workspace_.document.takeBandLimits(bandLimitImage);
    BandCheck check = CheckBandLimits(bandLimitImage, workspace_.language);
    if (check.accepted) return true;
    showMessage(check.message, BandRefusalDetail(check, workspace_.language));
    ShowRefusedEntry(*this, check);
    return false;
}

void CMainFrame::onFinished(const TransferOutcome& outcome) {
    lastResult_ = static_cast<int>(outcome.result);
    if (outcome.foundPort && outcome.result != TransferResult::ReadFailed) workspace_.document.setPort(*outcome.foundPort);
    std::string detail =
        outcome.result == TransferResult::ReadDone ? backupNote_ : TransferResultDetail(outcome, workspace_.language);
    backupNote_.clear();
    // Where a transfer failed ("Write failed at CH 40"), or what a verified write found.
    if (outcome.failedAddress && !outcome.cancelled)
        detail = OutcomeText(RadioOutcome{0, outcome, {}, false, false, {}}, workspace_.language) + "\n" + detail;
    // Quitting: the user asked to cancel; no result to read.
    if (closeWhenTransferEnds_) return;
    if (!ShowVerifyDifferences(*this, sentImage_, outcome))
        showMessage(TransferResultMessage(outcome, workspace_.language), detail);
    if (std::string advice = PermissionAdvice(outcome, workspace_.language); !advice.empty()) Warn(this, Q(advice));
    statusBar_->update();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Several radios being written: the window stays until they have ended.
    if (SeveralRadiosRunning(*this)) {
        statusBar_->showMessage(Q(workspace_.language.row(lang_row::kTransferRunning)), 5000);
        event->ignore();
        return;
    }
    // The worker must end before the window goes: on Yes it is cancelled, and the window
    // closes when its last report has arrived.
    if (transferRunning_) {
        event->ignore();
        if (!closeWhenTransferEnds_ && !confirmQuitDuringTransfer()) return;
        if (transferRunning_) {
            closeWhenTransferEnds_ = true;
            job_->Cancel();
            return;
        }
    }
    if (!MaybeKeepChanges()) {
        event->ignore();
        return;
    }
    recovery_->discard();
    QMainWindow::closeEvent(event);
}

bool CMainFrame::confirmQuitDuringTransfer() {
    QMessageBox question(QMessageBox::Question, Q(workspace_.language.row(lang_row::kTitle)),
                         Q(workspace_.language.row(lang_row::kQuitDuringTransfer)), QMessageBox::Yes | QMessageBox::No,
                         this);
    question.setDefaultButton(QMessageBox::No);
    return RunModal(question) == QMessageBox::Yes;
}

}  // namespace radioprog
