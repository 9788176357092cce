// The main window's File commands around the open document: New, Open, Save, Save As, the
// title that names the file and the question before unsaved changes are lost.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QStyle>

#include "model/dat_file.h"
#include "pictures/background_wnd.h"
#include "shell/commands.h"
#include "shell/document_texts.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/text.h"
#include "shell/gui/ui_hooks.h"
#include "shell/gui/unsaved_changes_dlg.h"

namespace radioprog {

namespace {

constexpr int kResetQuestionRow = 30;

}  // namespace

void CMainFrame::createFileActions() {
    using namespace command;
    QStyle* style = QApplication::style();
    connect(addCommand(kFileNew, style->standardIcon(QStyle::SP_FileIcon)), &QAction::triggered, this,
            &CMainFrame::OnFileNew);
    connect(addCommand(kFileOpen, style->standardIcon(QStyle::SP_DialogOpenButton)), &QAction::triggered, this,
            &CMainFrame::OnFileOpen);
    connect(addCommand(kFileSave, style->standardIcon(QStyle::SP_DialogSaveButton)), &QAction::triggered, this,
            [this] { OnFileSave(); });
    connect(addCommand(kFileSaveAs), &QAction::triggered, this, [this] { OnFileSaveAs(); });
    actions_[kFileNew]->setShortcut(QKeySequence::New);
    actions_[kFileOpen]->setShortcut(QKeySequence::Open);
    actions_[kFileSave]->setShortcut(QKeySequence::Save);
    actions_[kFileSaveAs]->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    // The title follows the document's file and modified state.
    connect(&workspace_.document, &Document::modifiedChanged, this, &CMainFrame::SetTitle);
    connect(&workspace_.document, &Document::pathChanged, this, &CMainFrame::SetTitle);
}

void CMainFrame::SetTitle() {
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

int CMainFrame::askUnsavedChanges() {
    return AskSaveChanges(this, S(workspace_.document.path()), workspace_.language);
}

bool CMainFrame::MaybeKeepChanges() {
    // Edits in the open editors count as part of the document.
    FlushEditedEditors();
    if (!workspace_.document.isModified()) return true;
    switch (askUnsavedChanges()) {
    case QMessageBox::Save: return OnFileSave();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void CMainFrame::OnFileNew() {
    if (transferRunning_) return;
    FlushEditedEditors();
    if (workspace_.document.isModified()) {
        if (!MaybeKeepChanges()) return;
    } else if (!showMessage(workspace_.language.row(kResetQuestionRow))) {
        return;
    }
    workspace_.document.startNew();
    RefreshEditors();
}

void CMainFrame::OnFileOpen() {
    if (transferRunning_ || !MaybeKeepChanges()) return;
    const QString previousDir = QDir::currentPath();
    const QString path = ChooseDatFile(this, false);
    QDir::setCurrent(previousDir);
    if (!path.isEmpty()) loadFile(path);
}

bool CMainFrame::OpenFile(const QString& path) {
    if (transferRunning_ || !MaybeKeepChanges()) return false;
    return loadFile(path);
}

bool CMainFrame::loadFile(const QString& path) {
    RadioImage image = workspace_.document.image();
    const FileResult opened = OpenDatFile(S(path), image);
    if (!opened.ok) {
        Warn(this, Q(opened.error));
        return false;
    }
    workspace_.document.replace(image, QFileInfo(path).absoluteFilePath(), false);
    background_->viewport()->update();
    RefreshEditors();
    return true;
}

bool CMainFrame::OnFileSave() {
    if (workspace_.document.path().isEmpty()) return OnFileSaveAs();
    return saveTo(workspace_.document.path());
}

bool CMainFrame::OnFileSaveAs() {
    const QString previousDir = QDir::currentPath();
    const QString chosen = ChooseDatFile(this, true, workspace_.document.path());
    QDir::setCurrent(previousDir);
    if (chosen.isEmpty()) return false;
    const QString path = Q(DatSaveName(S(chosen)));
    // The file dialog asked about the name chosen; ask again when ".dat" leads to another file.
    if (path != chosen && QFileInfo::exists(path)) {
        QMessageBox confirm(QMessageBox::Question, windowTitle(),
                            QStringLiteral("%1 already exists. Replace it?").arg(path),
                            QMessageBox::Yes | QMessageBox::No, this);
        if (RunModal(confirm) != QMessageBox::Yes) return false;
    }
    return saveTo(QFileInfo(path).absoluteFilePath());
}

bool CMainFrame::saveTo(const QString& path) {
    FlushEditors();
    const FileResult saved = SaveDatFile(workspace_.document.image(), S(path));
    if (!saved.ok) {
        Warn(this, Q(saved.error));
        return false;
    }
    workspace_.document.markSaved(path);
    background_->viewport()->update();
    return true;
}

}  // namespace radioprog
