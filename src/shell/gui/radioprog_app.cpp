// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/radioprog_app.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QTimer>

#include <string>
#include <utility>
#include <vector>

#include "model/extra_rows.h"
#include "shell/file_messages.h"
#include "shell/gui/about_box_dlg.h"
#include "shell/gui/app_settings.h"
#include "shell/gui/icons.h"
#include "shell/gui/language_dlg.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/menu_bar_key.h"
#include "shell/gui/qt_translations.h"
#include "shell/gui/unsaved_changes_dlg.h"
#include "shell/gui/window_placement.h"
#include "shell/interface_locale.h"
#include "shell/menu_captions.h"
#include "ui/interface_fonts.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

CRadioProgApp::CRadioProgApp() = default;

CRadioProgApp::~CRadioProgApp() = default;

bool CRadioProgApp::InitInstance(bool showWindow) {
    // Chinese texts in a plain sans face: left to itself, the font system may pick the
    // brush-script face that only the message dialog is meant to use.
    QFont interfaceFont = QApplication::font();
    interfaceFont.setFamilies(InterfaceFamilies(interfaceFont.family()));
    QApplication::setFont(interfaceFont);
    mainFrame_ = std::make_unique<CMainFrame>();
    connect(mainFrame_.get(), &CMainFrame::languageCommand, this, &CRadioProgApp::OnLanguage);
    connect(mainFrame_.get(), &CMainFrame::aboutCommand, this, &CRadioProgApp::OnAppAbout);
    InstallMenuBarKey(*mainFrame_);

    appIcon_ = LoadIconFile({"app.ico", "1.ico"});
    LoadLanguageFile(true);
    if (showWindow) {
        // Without a window manager "maximised" means nothing: cover the screen instead.
        if (QScreen* screen = QApplication::primaryScreen()) mainFrame_->setGeometry(screen->availableGeometry());
        KeepNormalSizeInsideScreen(*mainFrame_);
        mainFrame_->showMaximized();
        mainFrame_->repaint();
    }
    mainFrame_->RelabelMenu();
    if (!appIcon_.isNull()) {
        QApplication::setWindowIcon(appIcon_);
        mainFrame_->setWindowIcon(appIcon_);
    }
    // Over the window, once it shows what it could load.
    if (showWindow) warnSkippedLanguageFiles();
    return true;
}

void CRadioProgApp::LoadLanguageFile(bool resetToDefault) {
    LanguageTable& language = mainFrame_->workspace().language;
    skippedLanguageFiles_.clear();
    LanguageFileFlaws flaws;
    const bool found = !radioprog::LoadLanguageFile(language, resetToDefault, &skippedLanguageFiles_, &flaws).empty();
    if (!toldLanguageFileFlaws_ && flaws.any()) {
        toldLanguageFileFlaws_ = true;
        languageFileFlaws_ = LanguageFileFlawTexts(flaws, language);
    }
    // A language once chosen is kept; until then the locale's language, where the file has it.
    std::optional<int> chosen = resetToDefault ? ChosenLanguage() : std::nullopt;
    if (resetToDefault && !chosen) chosen = StartLanguageIndex(ProcessLocaleEnvironment(), language.nameCount());
    if (found && chosen && *chosen != language.index && *chosen >= 0 && *chosen < language.nameCount()) {
        language.index = *chosen;
        radioprog::LoadLanguageFile(language, false);
    }
    LoadQtTranslations(language.index);
    mainFrame_->updateTitle();
    // The menus then show their built-in English captions; say once where the file was looked for.
    if (!found && !toldMissingLanguageFile_) {
        toldMissingLanguageFile_ = true;
        const QString notice = Q(NoLanguageFileNotice(mainFrame_->language()));
        QTimer::singleShot(0, mainFrame_.get(), [frame = mainFrame_.get(), notice] { Warn(frame, notice); });
    }
}

void CRadioProgApp::warnSkippedLanguageFiles() {
    for (const std::string& path : std::exchange(skippedLanguageFiles_, {}))
        Warn(mainFrame_.get(), Q(mainFrame_->language().row(lang_row::kLanguageFileSkipped) + " " + path));
    for (const std::string& text : std::exchange(languageFileFlaws_, {})) Warn(mainFrame_.get(), Q(text));
}

void CRadioProgApp::openAtStart(const QStringList& arguments) {
    mainFrame_->offerRecovery();
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) continue;
        mainFrame_->openFromOutside(argument);
        break;
    }
}

void CRadioProgApp::OnLanguage() {
    if (mainFrame_->transferRunning()) return;
    LanguageTable& language = mainFrame_->workspace().language;
    CLanguageDlg dialog(Q(TitleCaption(language.row(lang_row::kLanguage))), Q(language.row(lang_row::kOk)),
                        Q(language.row(lang_row::kCancel)), language.names, language.index, mainFrame_.get());
    if (RunModal(dialog) != QDialog::Accepted || dialog.chosenIndex() == language.index) return;
    // The editors are rebuilt in the new language: edits not stored yet are the user's to keep
    // or drop, never lost without a word.
    if (mainFrame_->hasEditedEditors()) {
        const QMessageBox::StandardButton answer = AskStoreEdits(mainFrame_.get(), language);
        if (answer == QMessageBox::Cancel) return;
        if (answer == QMessageBox::Save) mainFrame_->flushEditedEditors();
    }
    language.index = dialog.chosenIndex();
    RememberLanguage(language.index);
    LoadLanguageFile(false);
    mainFrame_->RelabelMenu();
    mainFrame_->ReopenEditors();
    warnSkippedLanguageFiles();
}

void CRadioProgApp::OnAppAbout() {
    const LanguageTable& language = mainFrame_->language();
    CAboutBoxDlg dialog(Q(TitleCaption(language.row(lang_row::kAbout))), Q(language.row(lang_row::kAboutVersion)),
                        Q(language.row(lang_row::kAboutLine)), Q(language.row(lang_row::kOk)),
                        Q(language.row(lang_row::kAboutCopyright)), Q(language.row(lang_row::kAboutLicence)),
                        mainFrame_.get());
    RunModal(dialog);
}

}  // namespace radioprog
