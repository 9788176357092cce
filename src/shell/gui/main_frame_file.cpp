// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's File commands around the open document: New, Open, Save, Save As, the
// recent files, files from outside (command line, drops), the title that names the file, the
// question before unsaved changes are lost and the recovery file of unsaved changes.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QUrl>

#include "editors/gui/channel_edit_commands.h"
#include "model/dat_file.h"
#include "model/recovery_file.h"
#include "shell/document_texts.h"
#include "shell/file_messages.h"
#include "shell/gui/address_question.h"
#include "shell/gui/app_settings.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/icons.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/recovery_keeper.h"
#include "shell/gui/unsaved_changes_dlg.h"
#include "shell/recent_files.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace {

bool IsCsvFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0;
}

// The local .dat or .csv files among dropped URLs.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if (suffix == QStringLiteral("dat") || suffix == QStringLiteral("csv")) files << url.toLocalFile();
    }
    return files;
}

}  // namespace

void CMainFrame::setUpFileCommands() {
    connect(action(Command::FileNew), &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(action(Command::FileOpen), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(action(Command::FileSave), &QAction::triggered, this, [this] { OnFileSave(); });
    connect(action(Command::FileSaveAs), &QAction::triggered, this, [this] { onFileSaveAs(); });

    recentMenu_ = new QMenu(this);
    recentMenu_->menuAction()->setData(static_cast<int>(Command::RecentFiles));
    actions_.insert(static_cast<int>(Command::RecentFiles), recentMenu_->menuAction());
    connect(recentMenu_, &QMenu::aboutToShow, this, &CMainFrame::rebuildRecentMenu);
    rebuildRecentMenu();

    // The title follows the document's file and modified state.
    connect(&workspace_.document, &Document::modifiedChanged, this, &CMainFrame::updateTitle);
    connect(&workspace_.document, &Document::pathChanged, this, &CMainFrame::updateTitle);
    recovery_ = new RecoveryKeeper(workspace_.document, this);
    setAcceptDrops(true);
}

void CMainFrame::rebuildRecentMenu() {
    recentMenu_->clear();
    const QStringList files = RecentFiles();
    for (qsizetype k = 0; k < files.size(); ++k) {
        const QString path = files[k];
        QAction* entry = recentMenu_->addAction(Q(RecentFileCaption(static_cast<std::size_t>(k), S(path))));
        connect(entry, &QAction::triggered, this, [this, path] {
            // A file that is gone leaves the list once the user has been told.
            if (!openFile(path) && !QFileInfo::exists(path)) ForgetRecentFile(path);
        });
    }
    recentMenu_->menuAction()->setEnabled(!files.isEmpty());
}

QString CMainFrame::dialogStart() const {
    // The document's own file, else the folder of the last file used.
    const QString path = workspace_.document.path();
    return path.isEmpty() ? LastFolder() : path;
}

void CMainFrame::rememberFile(const QString& path) {
    RememberRecentFile(path);
    RememberLastFolder(QFileInfo(path).absolutePath());
    rebuildRecentMenu();
}

void CMainFrame::updateTitle() {
    setWindowTitle(Q(DocumentWindowTitle(S(workspace_.document.path()), workspace_.language)));
    setWindowModified(workspace_.document.isModified());
}

void CMainFrame::changeEvent(QEvent* event) {
    // The work area resets the window's modified marker when an editor window closes or hides;
    // the marker belongs to the document.
    if (event->type() == QEvent::ModifiedChange && isWindowModified() != workspace_.document.isModified())
        setWindowModified(workspace_.document.isModified());
    QMainWindow::changeEvent(event);
}

int CMainFrame::askUnsavedChanges() { return AskSaveChanges(this, S(workspace_.document.path()), workspace_.language); }

bool CMainFrame::maybeKeepChanges() {
    // Edits in the open editors count as part of the document.
    flushEditedEditors();
    if (!workspace_.document.isModified()) return true;
    switch (askUnsavedChanges()) {
    case QMessageBox::Save: return OnFileSave();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void CMainFrame::OnFileNew() {
    if (transferRunning_) return;
    flushEditedEditors();
    if (workspace_.document.isModified()) {
        if (!maybeKeepChanges()) return;
    } else if (!showMessage(workspace_.language.row(lang_row::kResetQuestion))) {
        return;
    }
    workspace_.document.startNew();
    RefreshEditors();
}

void CMainFrame::OnFileOpen() {
    if (transferRunning_ || !maybeKeepChanges()) return;
    const QString previousDir = QDir::currentPath();
    const QString path = ChooseDatFile(this, false, workspace_.language, dialogStart());
    QDir::setCurrent(previousDir);
    if (!path.isEmpty()) loadFile(path);
}

void CMainFrame::openFromOutside(const QString& path) {
    if (!IsCsvFile(path)) {
        openFile(path);
        return;
    }
    if (transferRunning_) return;
    ImportCsvFile(*this, path);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!transferRunning_ && !DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // The drop ends before a question or a report is shown.
    const QString path = files.front();
    QTimer::singleShot(0, this, [this, path] { openFromOutside(path); });
}

void CMainFrame::offerRecovery() {
    // Only the edits of a program that no longer runs; the newest first, the others at the
    // next start.
    std::optional<Recovery> found;
    std::string file;
    for (const std::string& candidate : UnheldRecoveryFiles()) {
        found = ReadRecovery(candidate);
        if (found) {
            file = candidate;
            break;
        }
    }
    if (!found) return;
    const LanguageTable& language = workspace_.language;
    QMessageBox box(QMessageBox::Question, Q(language.row(lang_row::kTitle)),
                    Q(language.row(lang_row::kRestoreQuestion)), QMessageBox::Ok | QMessageBox::Discard, this);
    box.setObjectName(QStringLiteral("restoreQuestion"));
    box.button(QMessageBox::Ok)->setText(Q(language.row(lang_row::kRestoreButton)));
    box.button(QMessageBox::Discard)->setText(Q(language.row(lang_row::kDiscardButton)));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Discard);
    int answer = RunModal(box);
    if (QAbstractButton* clicked = box.clickedButton()) answer = box.standardButton(clicked);
    if (answer != QMessageBox::Ok) {
        RemoveRecovery(file);
        return;
    }
    // The restored edits are unsaved: the document stays modified (with its file, if it had one).
    workspace_.document.replace(found->image, Q(found->documentPath), true);
    // The edits are this program's now: kept in its own file before the other one goes.
    if (recovery_->update() && file != recovery_->path()) RemoveRecovery(file);
    background_->viewport()->update();
    RefreshEditors();
}

bool CMainFrame::openFile(const QString& path) {
    if (transferRunning_ || !maybeKeepChanges()) return false;
    return loadFile(path);
}

bool CMainFrame::loadFile(const QString& path) {
    RadioImage image = workspace_.document.image();
    const FileResult opened = OpenDatFile(S(path), image);
    if (!opened.ok) {
        Warn(this, Q(DatOpenFailure(S(path), opened, workspace_.language)));
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    workspace_.document.replace(image, absolute, false);
    rememberFile(absolute);
    // Records whose address bytes point elsewhere: said at once, with the repair offered (a
    // repaired document is an unsaved edit).
    if (AskAboutAddresses(this, image, workspace_.language, false) == AddressAnswer::Repair)
        workspace_.document.editSettings(RepairRecordAddresses);
    background_->viewport()->update();
    RefreshEditors();
    return true;
}

bool CMainFrame::OnFileSave() {
    if (workspace_.document.path().isEmpty()) return onFileSaveAs();
    return saveTo(workspace_.document.path());
}

bool CMainFrame::onFileSaveAs() {
    const QString previousDir = QDir::currentPath();
    const QString chosen = ChooseDatFile(this, true, workspace_.language, dialogStart());
    QDir::setCurrent(previousDir);
    if (chosen.isEmpty()) return false;
    const QString path = Q(DatSaveName(S(chosen)));
    // The file dialog asked about the name chosen; ask again when ".dat" leads to another file.
    if (path != chosen && QFileInfo::exists(path)) {
        QMessageBox confirm(QMessageBox::Question, windowTitle(), Q(ReplaceQuestion(S(path), workspace_.language)),
                            QMessageBox::Yes | QMessageBox::No, this);
        if (RunModal(confirm) != QMessageBox::Yes) return false;
    }
    return saveTo(QFileInfo(path).absoluteFilePath());
}

bool CMainFrame::saveTo(const QString& path) {
    flushEditors();
    const FileResult saved = SaveDatFile(workspace_.document.image(), S(path));
    if (!saved.ok) {
        Warn(this, Q(SaveFailure(S(path), saved, workspace_.language)));
        return false;
    }
    workspace_.document.markSaved(path);
    rememberFile(path);
    background_->viewport()->update();
    return true;
}

}  // namespace radioprog
