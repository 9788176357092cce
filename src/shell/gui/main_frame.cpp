// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "editors/gui/key_beep.h"
#include "fleet/radio_outcome.h"
#include "link/comm_task.h"
#include "link/port_survey.h"
#include "model/backup_store.h"
#include "model/dat_file.h"
#include "model/extra_rows.h"
#include "print/gui/print_command.h"
#include "radio/band_check.h"
#include "shell/command_table.h"
#include "shell/file_messages.h"
#include "shell/gui/address_question.h"
#include "shell/gui/app_settings.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/command_actions.h"
#include "shell/gui/icons.h"
#include "shell/gui/keyboard_tips.h"
#include "shell/gui/message_dlg.h"
#include "shell/gui/port_select_dlg.h"
#include "shell/gui/prog_status_bar.h"
#include "shell/gui/proof_commands.h"
#include "shell/gui/recovery_keeper.h"
#include "shell/gui/refused_entry.h"
#include "shell/gui/toolbar_tips.h"
#include "shell/gui/transfer_bridge.h"
#include "shell/gui/window_placement.h"
#include "shell/menu_captions.h"
#include "shell/transfer_messages.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), job_(std::make_unique<CCommTask>(PortMap::fromEnvironment())) {
    editorIcon_ = LoadIconFile({"view.ico", "2.ico", "1.ico"});

    bridge_ = std::make_unique<TransferBridge>(
        this, TransferBridge::Handlers{[this](int value) { onProgress(value); },
                                       [this](const RadioImage& image) { onDataReady(image); },
                                       [this](const RadioImage& image) { return onBandCheck(image); },
                                       [this](const TransferOutcome& outcome) { onFinished(outcome); }});

    background_ = new CBackgroundWnd(this);
    setCentralWidget(background_);
    KeepWindowsInsideWorkArea(*background_);
    connect(background_, &CBackgroundWnd::pictureError, this, [this](const QString& path) {
        const QString message = Q(workspace_.language.row(lang_row::kPictureError)) + QLatin1Char('\n') + path;
        QTimer::singleShot(0, this, [this, message] { Warn(this, message); });
    });

    createActions();
    createMenus();
    createToolBar();
    statusBar_ = new CProgStatusBar(this);
    setStatusBar(statusBar_);
    InstallKeyboardTips(*statusBar_);
    createCancelCommand();
    // The channel table appears right after start-up.
    QTimer::singleShot(100, this, [this] { OpenChannelEditor(); });
}

CMainFrame::~CMainFrame() {
    // Editors hold pointers into the workspace: close them before it goes.
    for (auto& slot : slots_) delete slot.data();
    job_->wait();
}

QAction* CMainFrame::action(Command command) const { return actions_.value(static_cast<int>(command)); }

void CMainFrame::createActions() {
    for (const MenuEntry& entry : MenuLayout())
        if (entry.kind == EntryKind::Item || entry.kind == EntryKind::BarCommand)
            actions_.insert(static_cast<int>(entry.command), CreateCommandAction(entry, this));
    setUpFileCommands();
    auto on = [this](Command command, auto&& handler) {
        connect(action(command), &QAction::triggered, this, std::forward<decltype(handler)>(handler));
    };
    on(Command::FileClose, [this] {
        if (QMdiSubWindow* active = background_->activeSubWindow()) active->close();
    });
    on(Command::FilePrint, &CMainFrame::onFilePrint);
    on(Command::FilePrintPreview, &CMainFrame::onFilePrintPreview);
    on(Command::Exit, &QWidget::close);
    on(Command::ReadRadio, &CMainFrame::onReadRadio);
    on(Command::WriteRadio, &CMainFrame::onWriteRadio);
    on(Command::PortSelect, &CMainFrame::onPortSelect);
    on(Command::ChannelEditor, [this] { OpenChannelEditor(); });
    on(Command::FunctionsEditor, [this] { OpenFunctionsEditor(); });
    on(Command::BatchChannels, &CMainFrame::onBatchChannels);
    on(Command::DtmfEditor, [this] { openDtmfEditor(); });
    on(Command::Language, &CMainFrame::languageCommand);
    on(Command::About, &CMainFrame::aboutCommand);
    connect(action(Command::WindowCascade), &QAction::triggered, background_, &QMdiArea::cascadeSubWindows);
    connect(action(Command::WindowTile), &QAction::triggered, background_, &QMdiArea::tileSubWindows);
    on(Command::WindowArrange, &CMainFrame::arrangeIcons);
    for (Command command : {Command::WriteSeveral, Command::CompareWith})
        on(command, [this, command] { RunProofCommand(*this, command); });
    for (Command command : ChannelEditCommands())
        on(command, [this, command] { RunChannelEditCommand(*this, command); });
    SetUpChannelEditing(*this);
}

void CMainFrame::createCancelCommand() {
    // The action is in the Program menu and on the window, so Esc works while the menu is
    // closed; it is enabled only while a transfer runs, so editors keep Esc otherwise.
    QAction* cancel = action(Command::CancelTransfer);
    addAction(cancel);
    connect(cancel, &QAction::triggered, this, &CMainFrame::onCancelTransfer);
    connect(statusBar_, &CProgStatusBar::cancelRequested, this, &CMainFrame::onCancelTransfer);
}

void CMainFrame::onCancelTransfer() {
    if (transferRunning_) job_->cancel();
}

void CMainFrame::createMenus() {
    QMenuBar* bar = menuBar();
    std::array<QMenu*, kMenuBarEntries> menus{};
    for (const MenuEntry& entry : MenuLayout()) {
        QMenu* menu = menus[static_cast<std::size_t>(entry.menu)];
        switch (entry.kind) {
        case EntryKind::MenuTitle: menus[static_cast<std::size_t>(entry.menu)] = bar->addMenu(QString()); break;
        case EntryKind::BarCommand:
            if (entry.icon == CommandIcon::None) {
                bar->addAction(action(entry.command));
            } else {
                // The menu bar would show the command's icon instead of its caption: this
                // entry gets its own action that follows the command.
                QAction* command = action(entry.command);
                QAction* barEntry = bar->addAction(QString());
                connect(barEntry, &QAction::triggered, command, &QAction::trigger);
                connect(command, &QAction::enabledChanged, barEntry, &QAction::setEnabled);
            }
            break;
        case EntryKind::Separator: menu->addSeparator(); break;
        case EntryKind::Item:
        case EntryKind::Submenu: menu->addAction(action(entry.command)); break;
        }
    }
    windowMenu_ = menus[static_cast<std::size_t>(Menu::Window)];

    // View: the toolbar and status bar switches (checked; wired once both exist).
    action(Command::ViewToolbar)->setChecked(true);
    action(Command::ViewStatusBar)->setChecked(true);
    connect(action(Command::ViewToolbar), &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    connect(action(Command::ViewStatusBar), &QAction::toggled, this, [this](bool on) { statusBar_->setVisible(on); });

    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::rebuildWindowMenu);
    rebuildWindowMenu();
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("main"));
    toolBar_->setObjectName(QStringLiteral("mainToolBar"));
    toolBar_->setMovable(true);
    toolBar_->setIconSize(QSize(20, 20));
    for (const std::optional<Command>& command : ToolbarLayout()) {
        if (command)
            toolBar_->addAction(action(*command));
        else
            toolBar_->addSeparator();
    }
    connect(toolBar_, &QToolBar::visibilityChanged, action(Command::ViewToolbar), &QAction::setChecked);
    InstallToolbarTips(*toolBar_, [this](int command) { return toolTipText(static_cast<Command>(command)); });
}

void CMainFrame::rebuildWindowMenu() {
    windowMenu_->clear();
    for (const std::optional<Command>& command : MenuCommands(Menu::Window)) {
        if (command)
            windowMenu_->addAction(action(*command));
        else
            windowMenu_->addSeparator();
    }
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
    const QList<QAction*> bar = menuBar()->actions();
    for (const MenuEntry& entry : MenuLayout()) {
        if (entry.kind == EntryKind::Separator) continue;
        const QString caption = Q(CaptionText(entry, workspace_.language));
        if (entry.kind == EntryKind::MenuTitle || entry.kind == EntryKind::BarCommand)
            bar[static_cast<qsizetype>(entry.menu)]->setText(caption);
        // A bar command with a picture has its own action on the toolbar, named here too.
        if (entry.kind != EntryKind::MenuTitle)
            if (QAction* item = action(entry.command)) NameCommand(*item, caption);
    }
    statusBar_->setCancelText(Q(workspace_.language.row(lang_row::kCancel)));
    // The bars' names for a screen reader, in the interface's language.
    const auto plain = [this](int row) { return Q(TitleCaption(workspace_.language.row(row))); };
    menuBar()->setAccessibleName(plain(lang_row::kMenuBar));
    toolBar_->setAccessibleName(plain(lang_row::kToolbar));
    toolBar_->setWindowTitle(plain(lang_row::kToolbar));
    statusBar_->setAccessibleName(plain(lang_row::kStatusBar));
    SetKeyRefusedSpeech(Q(workspace_.language.row(lang_row::kKeyRefused)));
}

QString CMainFrame::toolTipText(Command command) const { return Q(ToolTipText(command, workspace_.language)); }

EditorView* CMainFrame::editorView(EditorKind kind) const {
    CChildFrame* frame = editorFrame(kind);
    return frame ? frame->view() : nullptr;
}

CChildFrame* CMainFrame::openEditor(EditorKind kind) {
    QPointer<CChildFrame>& slot = slots_[static_cast<std::size_t>(kind)];
    if (slot) {
        RestoreAndActivate(*background_, *slot);
        updateTitle();
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
    view->LoadFromImage();
    // A share of the main window, widened (once loaded, the columns fit their texts) to what
    // the editor needs whole as far as the work area allows: nothing hides behind a scroll
    // bar while there is room beside it.
    const QSize decoration = frame->sizeHint() - view->sizeHint();
    QSize size = frame->size().expandedTo(view->wholeSize() + decoration);
    if (const QSize area = background_->viewport()->size(); !area.isEmpty()) size = size.boundedTo(area);
    frame->resize(size);
    PlaceInsideWorkArea(*background_, *frame);
    background_->setActiveSubWindow(frame);
    updateTitle();
    return frame;
}

void CMainFrame::RefreshEditors() {
    // The open editors reloaded themselves when the document's image was replaced.
    OpenChannelEditor();
}

void CMainFrame::flushEditors() {
    for (int k = 0; k < kEditorKindCount; ++k)
        if (EditorView* view = editorView(static_cast<EditorKind>(k))) view->StoreToImage();
}

void CMainFrame::flushEditedEditors() {
    for (int k = 0; k < kEditorKindCount; ++k)
        if (EditorView* view = editorView(static_cast<EditorKind>(k)); view && view->hasUnstoredEdits())
            view->StoreToImage();
}

void CMainFrame::ReopenEditors() {
    // Each editor comes back where it was, as large and as minimised or maximised as it was,
    // and the active one stays active.
    struct Placement {
        bool open = false;
        QRect geometry;
        Qt::WindowStates state;
    };
    std::array<Placement, kEditorKindCount> placements{};
    const QMdiSubWindow* active = background_->activeSubWindow();
    std::optional<EditorKind> activeKind;
    for (int k = 0; k < kEditorKindCount; ++k) {
        QPointer<CChildFrame>& slot = slots_[static_cast<std::size_t>(k)];
        if (!slot) continue;
        // A minimised or maximised editor's own size is the subwindow's to keep: it opens at
        // its default size and takes the state again.
        const bool sized = !(slot->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
        placements[static_cast<std::size_t>(k)] = {true, sized ? slot->geometry() : QRect(), slot->windowState()};
        if (slot == active) activeKind = static_cast<EditorKind>(k);
        CChildFrame* frame = slot;
        slot = nullptr;
        background_->removeSubWindow(frame);
        delete frame;
    }
    for (int k = 0; k < kEditorKindCount; ++k) {
        const Placement& placement = placements[static_cast<std::size_t>(k)];
        if (!placement.open) continue;
        CChildFrame* frame = openEditor(static_cast<EditorKind>(k));
        if (!frame) continue;
        // Where it was, as large as it was or as the texts of the new language need.
        if (placement.geometry.isValid()) {
            QSize size = frame->size().expandedTo(placement.geometry.size());
            if (const QSize area = background_->viewport()->size(); !area.isEmpty()) size = size.boundedTo(area);
            frame->setGeometry(QRect(placement.geometry.topLeft(), size));
            PlaceInsideWorkArea(*background_, *frame);
        }
        // Only a minimised or maximised state is taken again: a subwindow told "normal" goes
        // back to its first size.
        if (placement.state & (Qt::WindowMinimized | Qt::WindowMaximized))
            frame->setWindowState(placement.state & (Qt::WindowMinimized | Qt::WindowMaximized));
    }
    if (activeKind)
        if (CChildFrame* frame = slots_[static_cast<std::size_t>(*activeKind)];
            frame && !(frame->windowState() & Qt::WindowMinimized))
            background_->setActiveSubWindow(frame);
}

bool CMainFrame::hasEditedEditors() {
    for (int k = 0; k < kEditorKindCount; ++k)
        if (EditorView* view = editorView(static_cast<EditorKind>(k)); view && view->hasUnstoredEdits()) return true;
    return false;
}

bool CMainFrame::showMessage(const std::string& message, const std::string& detail) {
    CMessageDlg dialog(Q(workspace_.language.row(lang_row::kTitle)), Q(workspace_.language.row(lang_row::kOk)),
                       Q(message), this);
    if (!detail.empty()) dialog.setDetail(Q(detail));
    return RunModal(dialog) == QDialog::Accepted;
}

void CMainFrame::onFilePrint() { RunPrintCommand(*this); }

void CMainFrame::onFilePrintPreview() { RunPrintPreviewCommand(*this); }

void CMainFrame::onBatchChannels() {
    if (transferRunning_) return;
    RunBatchCommand(*this);
}

void CMainFrame::onReadRadio() {
    // The read replaces the document: unsaved changes are asked about first.
    if (transferRunning_ || job_->IsBusy() || !maybeKeepChanges()) return;
    startTransfer(TransferMode::Read);
}

void CMainFrame::onWriteRadio() { startTransfer(TransferMode::Write); }

void CMainFrame::onPortSelect() {
    if (transferRunning_ || job_->IsBusy()) return;
    const LanguageTable& language = workspace_.language;
    // Cables come and go: the COM numbers are those of the devices present now.
    job_->setPorts(PortMap::fromEnvironment());
    CPortSelectDlg dialog(Q(language.row(lang_row::kSerialPort)), Q(language.row(lang_row::kOk)),
                          Q(language.row(lang_row::kCancel)), SurveyPortChoices(job_->ports(), language),
                          image().port() - 1, this);
    dialog.setDetailsName(Q(language.row(lang_row::kPortDetails)));
    dialog.followCables([this, &language] {
        job_->setPorts(PortMap::fromEnvironment());
        return SurveyPortChoices(job_->ports(), language);
    });
    if (RunModal(dialog) == QDialog::Accepted) workspace_.document.setPort(dialog.selection() + 1);
}

bool CMainFrame::startTransfer(TransferMode mode) {
    if (transferRunning_ || job_->IsBusy() || SeveralRadiosRunning(*this)) return false;
    if (mode == TransferMode::Write) {
        flushEditors();
        if (!confirmRecordAddresses()) return false;
    }
    job_->wait();
    job_->setOptions({std::nullopt, action(Command::VerifyTransfers)->isChecked()});
    // The ports present now; the cable of the last successful transfer is tried first under
    // whatever COM number it has today.
    job_->setPorts(PortMap::fromEnvironment());
    portsAtStart_ = job_->ports();
    sentImage_ = image();
    if (int cable = FindCable(job_->ports(), S(RememberedCable())); cable != 0) sentImage_.setPort(cable);
    job_->Setup(bridge_.get(), sentImage_);
    job_->SetMode(mode);
    statusBar_->setProgressName(Q(
        workspace_.language.row(mode == TransferMode::Read ? lang_row::kReadingProgress : lang_row::kWritingProgress)));
    transferRunning_ = true;
    lastResult_ = -1;
    updateCommandStates();
    if (!job_->start()) {
        transferRunning_ = false;
        updateCommandStates();
        return false;
    }
    return true;
}

void CMainFrame::updateCommandStates() {
    for (Command command : TransferBlockedCommands())
        if (QAction* blocked = action(command)) blocked->setEnabled(!transferRunning_);
    // The recent files' submenu opens only with files in it.
    if (!transferRunning_) action(Command::RecentFiles)->setEnabled(!recentMenu_->isEmpty());
    action(Command::CancelTransfer)->setEnabled(transferRunning_);
    // Undo and redo only with a step to take.
    UpdateChannelEditStates(*this);
}

void CMainFrame::onProgress(int value) {
    statusBar_->SetProgress(value);
    if (value != 0) return;
    job_->wait();
    transferRunning_ = false;
    updateCommandStates();
    emit transferEnded(lastResult_);
    if (quitQuestion_) quitQuestion_->done(QMessageBox::Cancel);
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
    if (outcome.foundPort && outcome.result != TransferResult::ReadFailed)
        workspace_.document.setPort(*outcome.foundPort);
    const bool succeeded = outcome.result == TransferResult::ReadDone || outcome.result == TransferResult::WriteDone;
    if (outcome.foundPort && succeeded) {
        const std::string cable = ReadPortInfo(job_->ports().device(*outcome.foundPort)).identity();
        if (!cable.empty()) RememberCable(Q(cable));
    }
    std::string detail =
        outcome.result == TransferResult::ReadDone ? backupNote_ : TransferResultDetail(outcome, workspace_.language);
    backupNote_.clear();
    if (outcome.result == TransferResult::NoRadio && !outcome.cancelled)
        if (std::string note = CablesPluggedInNote(portsAtStart_, PortMap::fromEnvironment(), workspace_.language);
            !note.empty())
            detail += "\n" + note;
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
            job_->cancel();
            return;
        }
    }
    if (!maybeKeepChanges()) {
        event->ignore();
        return;
    }
    recovery_->discard();
    QMainWindow::closeEvent(event);
}

bool CMainFrame::confirmRecordAddresses() {
    switch (AskAboutAddresses(this, image(), workspace_.language, true)) {
    case AddressAnswer::Repair: workspace_.document.editSettings(RepairRecordAddresses); return true;
    case AddressAnswer::Keep: return true;
    case AddressAnswer::Cancel: break;
    }
    return false;
}

bool CMainFrame::confirmQuitDuringTransfer() {
    QMessageBox question(QMessageBox::Question, Q(workspace_.language.row(lang_row::kTitle)),
                         Q(workspace_.language.row(lang_row::kQuitDuringTransfer)), QMessageBox::Yes | QMessageBox::No,
                         this);
    question.setDefaultButton(QMessageBox::No);
    quitQuestion_ = &question;
    const int answer = RunModal(question);
    quitQuestion_ = nullptr;
    // The transfer ended while the question was open and took it away: nothing is left to
    // cancel, and the quit the user asked for goes ahead (unsaved edits are still asked about).
    if (!transferRunning_) return true;
    return answer == QMessageBox::Yes;
}

}  // namespace radioprog
