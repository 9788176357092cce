// SPDX-License-Identifier: GPL-3.0-or-later
// What a user sees of the interface as a whole: editor windows inside the work area at small
// screens, minimised editors coming back from the menus, toolbar tips as Qt shows them, every
// text from the language table, grid headers and list entries that fit, Qt's own texts in
// the chosen language, the faces used, F10 and the start without a language file.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editors/gui/chn_msg_view.h"
#include "editors/gui/settings_form_page.h"
#include "model/data_paths.h"
#include "print/gui/print_command.h"
#include "shell/command_table.h"
#include "shell/gui/about_box_dlg.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/command_actions.h"
#include "shell/gui/language_dlg.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/message_dlg.h"
#include "shell/gui/qt_translations.h"
#include "shell/gui/radioprog_app.h"
#include "shell/gui/window_placement.h"
#include "support/program_fixture.h"
#include "ui/interface_fonts.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

namespace {

std::string ShippedLanguageFile() {
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Answers the language dialog with a column.
ModalRecorder::Answer ChooseLanguage(int column) {
    return [column](QDialog& dialog) {
        if (auto* languages = qobject_cast<CLanguageDlg*>(&dialog)) languages->list()->setCurrentIndex(column);
        dialog.accept();
        return dialog.result();
    };
}

QString Unmarked(const QString& text) {
    QString rest = text;
    rest.remove(QRegularExpression(QStringLiteral("[ZTE]\\d+")));
    return rest;
}

}  // namespace

class InterfaceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDirectory> dir_;

    std::unique_ptr<CRadioProgApp> start(QSize size = QSize(1366, 768)) {
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        frame->show();
        frame->resize(size);
        QCoreApplication::processEvents();
        return app;
    }

    static void verifyEditorsInside(CMainFrame& frame, const char* when) {
        const QRect area = frame.background()->viewport()->rect();
        for (QMdiSubWindow* window : frame.background()->subWindowList()) {
            if (!window->isVisible()) continue;
            if (!area.contains(window->geometry()))
                QFAIL(qPrintable(QStringLiteral("%1: \"%2\" at %3,%4 %5x%6 leaves the work area %7x%8")
                                     .arg(QLatin1String(when), window->windowTitle())
                                     .arg(window->x())
                                     .arg(window->y())
                                     .arg(window->width())
                                     .arg(window->height())
                                     .arg(area.width())
                                     .arg(area.height())));
            // Nothing scrolls sideways while the work area has room beside the window.
            for (auto* scrolled : window->findChildren<QAbstractScrollArea*>())
                if (scrolled->horizontalScrollBar()->isVisible() && window->width() < area.width())
                    QFAIL(qPrintable(QStringLiteral("%1: \"%2\" scrolls sideways at %3 px in a work area of %4 px")
                                         .arg(QLatin1String(when), window->windowTitle())
                                         .arg(window->width())
                                         .arg(area.width())));
        }
    }

private slots:
    void init() { dir_ = std::make_unique<TestDirectory>(ShippedLanguageFile()); }
    void cleanup() {
        dir_.reset();
        LoadQtTranslations(2);
    }

    void fittingRectangles() {
        const QRect area(0, 0, 1000, 500);
        QCOMPARE(FitInside(QRect(900, 400, 300, 200), area), QRect(700, 300, 300, 200));
        QCOMPARE(FitInside(QRect(-50, -10, 300, 200), area), QRect(0, 0, 300, 200));
        QCOMPARE(FitInside(QRect(200, 100, 1400, 700), area), area);
        QCOMPARE(FitInside(QRect(10, 20, 30, 40), area), QRect(10, 20, 30, 40));
        const QRect normal = NormalMainWindowGeometry(QRect(0, 0, 1366, 740));
        QVERIFY(QRect(0, 0, 1366, 740).contains(normal));
        QVERIFY(normal.width() > 1000 && normal.width() < 1366);
    }

    void unMaximisedMainWindowFitsItsScreen() {
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        KeepNormalSizeInsideScreen(*frame);
        const QRect available = frame->screen()->availableGeometry();
        // As at start-up: the whole area (and more, with a window manager's frame), then maximised.
        frame->setGeometry(available.adjusted(0, 0, 40, 40));
        frame->showMaximized();
        QCoreApplication::processEvents();
        frame->showNormal();
        QTRY_COMPARE(frame->geometry(), NormalMainWindowGeometry(available));
        QVERIFY(available.contains(frame->frameGeometry()));
    }

    void editorsOpenInsideTheWorkArea_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1366x768") << QSize(1366, 768);
        QTest::newRow("1024x600") << QSize(1024, 600);
        QTest::newRow("1366x768 at twice the scale") << QSize(683, 384);
    }
    void editorsOpenInsideTheWorkArea() {
        QFETCH(QSize, size);
        auto app = start(size);
        CMainFrame* frame = app->mainFrame();
        for (EditorKind kind : {EditorKind::Channels, EditorKind::Functions, EditorKind::Dtmf})
            QVERIFY(frame->openEditor(kind));
        QCoreApplication::processEvents();
        verifyEditorsInside(*frame, "opened");

        ModalRecorder modal(ChooseLanguage(0));
        app->OnLanguage();
        QCoreApplication::processEvents();
        QCOMPARE(frame->background()->subWindowList().size(), 3);
        verifyEditorsInside(*frame, "after a language change");

        // Print reads the image and opens no editor; the print dialog is answered with Cancel.
        for (QMdiSubWindow* window : frame->background()->subWindowList()) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Whatever the closing set going (on a loaded machine it may still be queued) is
        // done before the count, so the count after Print sees only what Print did.
        QTest::qWait(100);
        const auto windowsBefore = frame->background()->subWindowList().size();
        modal.setAnswer([](QDialog&) { return int(QDialog::Rejected); });
        RunPrintCommand(*frame);
        QCoreApplication::processEvents();
        QCOMPARE(frame->background()->subWindowList().size(), windowsBefore);
        for (EditorKind kind : {EditorKind::Channels, EditorKind::Functions, EditorKind::Dtmf})
            QVERIFY(frame->openEditor(kind));

        // A smaller work area pulls the windows in with it.
        frame->resize(size * 3 / 4);
        QCoreApplication::processEvents();
        verifyEditorsInside(*frame, "after the main window shrank");
    }

    void minimisedOrHiddenEditorComesBackFromTheMenus() {
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        CChildFrame* functions = frame->OpenFunctionsEditor();
        frame->OpenChannelEditor();

        functions->showMinimized();
        frame->action(Command::FunctionsEditor)->trigger();
        QVERIFY(!functions->isMinimized());
        QCOMPARE(frame->background()->activeSubWindow(), functions);

        frame->OpenChannelEditor();
        functions->showMinimized();
        QMetaObject::invokeMethod(frame->windowMenu(), "aboutToShow");
        QAction* entry = nullptr;
        for (QAction* item : frame->windowMenu()->actions())
            if (item->text().endsWith(functions->windowTitle())) entry = item;
        QVERIFY(entry);
        entry->trigger();
        QVERIFY(!functions->isMinimized());
        QVERIFY(functions->isVisible());
        QCOMPARE(frame->background()->activeSubWindow(), functions);

        functions->hide();
        frame->action(Command::FunctionsEditor)->trigger();
        QVERIFY(functions->isVisible());
        QCOMPARE(frame->background()->activeSubWindow(), functions);
        verifyEditorsInside(*frame, "restored");
    }

    void toolbarTipsAsQtShowsThem_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("tips");
        // New, Open, Save, Print, Read, Port, Write, About.
        QTest::newRow("Simplified Chinese") << 0
                                            << QStringList{QStringLiteral("新建"),
                                                           QStringLiteral("打开"),
                                                           QStringLiteral("保存"),
                                                           QStringLiteral("打印"),
                                                           QStringLiteral("从对讲机读取数据"),
                                                           QStringLiteral("端口选择"),
                                                           QStringLiteral("向对讲机写入数据"),
                                                           QStringLiteral("关于 radioprog")};
        QTest::newRow("English") << 2
                                 << QStringList{QStringLiteral("New"),
                                                QStringLiteral("Open"),
                                                QStringLiteral("Save"),
                                                QStringLiteral("Print"),
                                                QStringLiteral("Read from Radio"),
                                                QStringLiteral("Port"),
                                                QStringLiteral("Write to Radio"),
                                                QStringLiteral("About radioprog")};  // tips carry no "..."
    }
    void toolbarTipsAsQtShowsThem() {
        QFETCH(int, column);
        QFETCH(QStringList, tips);
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        ModalRecorder modal(ChooseLanguage(column));
        app->OnLanguage();
        QCoreApplication::processEvents();
        QStringList shown;
        for (QAction* action : frame->toolBar()->actions()) {
            if (action->isSeparator()) continue;
            auto* button = qobject_cast<QToolButton*>(frame->toolBar()->widgetForAction(action));
            QVERIFY(button);
            QToolTip::hideText();
            QTRY_VERIFY(!QToolTip::isVisible());  // the tip fades out
            const QPoint inside = button->rect().center();
            QHelpEvent help(QEvent::ToolTip, inside, button->mapToGlobal(inside));
            QApplication::sendEvent(button, &help);
            shown << (QToolTip::isVisible() ? QToolTip::text() : QString());
        }
        QToolTip::hideText();
        QCOMPARE(shown.join(QLatin1Char('|')), tips.join(QLatin1Char('|')));
    }

    // Every text of the menus, windows, dialogs and messages carries a row's marker: the
    // fixture's row r reads "Z<r>", "T<r>" or "E<r>" in its three columns.
    void everyTextComesFromTheLanguageTable_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("column 0") << 0;
        QTest::newRow("column 1") << 1;
        QTest::newRow("column 2") << 2;
    }
    void everyTextComesFromTheLanguageTable() {
        QFETCH(int, column);
        dir_->write("lang.csv", TestLanguageFile());
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        QStringList unmarked;
        auto check = [&unmarked](const QString& where, const QString& text) {
            // Values the user typed or the radio stores (numbers, frequencies, tone codes,
            // port names) are no language texts.
            static const QRegularExpression value(
                QStringLiteral("^([-+0-9.,:/ ()&%]*|D\\d{3}[NI]|COM\\d+( \\(.*\\))?|[0-9A-D*#]*|&?\\d+ "
                               ".*|radioprog|DTMF|VHF|UHF|VHF/UHF)$"));
            const QString rest = Unmarked(text);
            if (text.isEmpty() || value.match(rest).hasMatch() ||
                (rest != text && !rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")))))
                return;
            unmarked << where + QStringLiteral(": ") + text;
        };
        std::function<void(const QString&, QWidget*)> walk = [&](const QString& where, QWidget* root) {
            check(where + QStringLiteral(" title"), root->windowTitle());
            for (QWidget* widget : root->findChildren<QWidget*>()) {
                if (auto* label = qobject_cast<QLabel*>(widget)) check(where, label->text());
                if (auto* button = qobject_cast<QAbstractButton*>(widget)) check(where, button->text());
                if (auto* group = qobject_cast<QGroupBox*>(widget)) check(where, group->title());
                if (auto* list = qobject_cast<QComboBox*>(widget))
                    for (int i = 0; i < list->count(); ++i) check(where, list->itemText(i));
                if (auto* table = qobject_cast<QTableWidget*>(widget))
                    for (int c = 0; c < table->columnCount(); ++c) check(where, table->horizontalHeaderItem(c)->text());
            }
        };
        std::function<void(QMenu*)> walkMenu = [&](QMenu* menu) {
            QMetaObject::invokeMethod(menu, "aboutToShow");
            for (QAction* item : menu->actions()) {
                if (item->isSeparator()) continue;
                check(QStringLiteral("menu"), item->text());
                if (item->menu()) walkMenu(item->menu());
            }
        };

        ModalRecorder modal([&](QDialog& dialog) {
            auto* languages = qobject_cast<CLanguageDlg*>(&dialog);
            // The language names are the file's first line, no rows: they are checked apart.
            if (languages) {
                if (languages->list()->count() != 3) unmarked << QStringLiteral("language list");
                for (int i = 0; i < languages->list()->count(); ++i)
                    languages->list()->setItemText(i, QStringLiteral("E0"));
            }
            walk(QStringLiteral("dialog"), &dialog);
            if (auto* message = qobject_cast<CMessageDlg*>(&dialog))
                check(QStringLiteral("message"), message->message());
            if (languages) {
                languages->list()->setCurrentIndex(column);
                dialog.accept();
                return dialog.result();
            }
            return int(QDialog::Rejected);
        });
        app->OnLanguage();
        QCoreApplication::processEvents();
        for (EditorKind kind : {EditorKind::Channels, EditorKind::Functions, EditorKind::Dtmf}) frame->openEditor(kind);
        QCoreApplication::processEvents();

        walk(QStringLiteral("main window"), frame);
        for (QAction* entry : frame->menuBar()->actions()) {
            check(QStringLiteral("menu bar"), entry->text());
            if (entry->menu()) walkMenu(entry->menu());
        }
        for (QAction* action : frame->toolBar()->actions())
            if (!action->isSeparator()) check(QStringLiteral("tip"), frame->toolTipText(CommandOf(*action)));

        // Dialogs and messages.
        frame->OnFileNew();
        frame->onPortSelect();
        frame->onBatchChannels();
        app->OnAppAbout();
        // File errors: a file too short to be an image, a file that cannot be read, a save
        // into a folder that does not exist.
        const std::string shortFile = dir_->write("short.dat", "abc");
        Hooks().chooseFile = [&shortFile](QWidget*, bool) { return Q(shortFile); };
        frame->OnFileOpen();
        Hooks().chooseFile = [this](QWidget*, bool) { return Q(dir_->file("missing.dat")); };
        frame->OnFileOpen();
        Hooks().chooseFile = [this](QWidget*, bool) { return Q(dir_->file("no/such/folder/radio.dat")); };
        frame->OnFileSave();
        QCoreApplication::processEvents();
        QCOMPARE(modal.warnings.size(), 3);
        for (const QString& warning : modal.warnings)
            check(QStringLiteral("warning"), warning.section(QLatin1Char('\n'), 0, 0));

        if (!unmarked.isEmpty())
            QFAIL(
                qPrintable(QStringLiteral("texts not from the language table:\n") + unmarked.join(QLatin1Char('\n'))));
    }

    void gridHeadersAndListEntriesFit_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("Simplified Chinese") << 0;
        QTest::newRow("Traditional Chinese") << 1;
        QTest::newRow("English") << 2;
    }
    void gridHeadersAndListEntriesFit() {
        QFETCH(int, column);
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        ModalRecorder modal(ChooseLanguage(column));
        app->OnLanguage();
        CChildFrame* channels = frame->OpenChannelEditor();
        QCoreApplication::processEvents();
        auto* table = channels->findChild<QTableWidget*>();
        QVERIFY(table);
        QHeaderView* header = table->horizontalHeader();
        const int headerMargin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        QStringList clipped;
        for (int c = 0; c < table->columnCount(); ++c) {
            const QString text = table->horizontalHeaderItem(c)->text();
            const int needed = header->fontMetrics().horizontalAdvance(text) + 2 * headerMargin;
            if (needed > table->columnWidth(c))
                clipped << QStringLiteral("header %1 (%2 > %3)").arg(text).arg(needed).arg(table->columnWidth(c));
        }
        // Each list editor shown in a cell of its column: every entry fits its text field.
        auto* view = qobject_cast<CChnMsgView*>(channels->view());
        QVERIFY(view);
        for (int c = 1; c < kChannelColumnCount; ++c) {
            const CellEditor role = EditorForColumn(c);
            if (!IsListEditor(role)) continue;
            auto* list = qobject_cast<QComboBox*>(view->cellEditor(role));
            QVERIFY(list);
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.rect = QRect(0, 0, table->columnWidth(c - 1), table->rowHeight(0));
            const QRect field =
                list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
            for (int i = 0; i < list->count(); ++i) {
                const int width = list->fontMetrics().horizontalAdvance(list->itemText(i));
                if (width > field.width())
                    clipped << QStringLiteral("list entry %1 (%2 > %3)")
                                   .arg(list->itemText(i))
                                   .arg(width)
                                   .arg(field.width());
            }
        }
        if (!clipped.isEmpty()) QFAIL(qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    void formCaptionsAndChoicesFit_data() { gridHeadersAndListEntriesFit_data(); }
    void formCaptionsAndChoicesFit() {
        QFETCH(int, column);
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        ModalRecorder modal(ChooseLanguage(column));
        app->OnLanguage();
        QStringList clipped;
        for (EditorKind kind : {EditorKind::Functions, EditorKind::Dtmf}) {
            CChildFrame* editor = frame->openEditor(kind);
            QVERIFY(editor);
            auto* page = editor->findChild<QScrollArea*>()->widget();
            for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<QGroupBox*>(control)) continue;
                const int needed = FormPage::neededWidth(control);
                if (needed > control->width()) {
                    QString text;
                    if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
                    if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
                    if (auto* list = qobject_cast<QComboBox*>(control))
                        text = list->itemText(0) + QStringLiteral("...");
                    clipped << QStringLiteral("%1: %2 (%3 > %4)")
                                   .arg(editor->windowTitle(), text)
                                   .arg(needed)
                                   .arg(control->width());
                }
            }
        }
        if (!clipped.isEmpty()) QFAIL(qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    void qtsOwnTextsFollowTheLanguage() {
        auto app = start();
        ModalRecorder modal(ChooseLanguage(0));
        app->OnLanguage();
        if (QCoreApplication::translate("QFileDialog", "Look in:") == QStringLiteral("Look in:"))
            QSKIP("Qt's Chinese translations are not installed (qt6-translations-l10n)");
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QVERIFY(buttons.button(QDialogButtonBox::Cancel)->text() != QStringLiteral("&Cancel"));
        modal.setAnswer(ChooseLanguage(2));
        app->OnLanguage();
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    }

    void aboutTitleHasNoAccelerator() {
        auto app = start();
        QStringList titles;
        for (int column : {0, 2}) {
            ModalRecorder modal(ChooseLanguage(column));
            app->OnLanguage();
            app->OnAppAbout();
            titles << modal.titles.last();
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("关于 radioprog"), QStringLiteral("About radioprog")}));
    }

    void facesPerScript() {
        // The forms' and menus' Chinese come from a sans face, never the Kai face.
        for (const QString& family : InterfaceFamilies(QStringLiteral("Tahoma")))
            QVERIFY2(!family.contains(QStringLiteral("Kai")), qPrintable(family));
        // The message dialog draws Latin letters in a proportional sans face without Chinese.
        const QStringList families = MessageFamilies();
        auto installed = std::find_if(families.begin(), families.end(),
                                      [](const QString& f) { return QFontDatabase::hasFamily(f); });
        if (installed == families.end()) QSKIP("none of the message faces is installed");
        QVERIFY2(!QFontDatabase::isFixedPitch(*installed), qPrintable(*installed));
        QVERIFY2(!QFontDatabase::writingSystems(*installed).contains(QFontDatabase::SimplifiedChinese),
                 qPrintable(*installed));
    }

    void messageTextStandsOnTheDialogsFace() {
        CMessageDlg dialog(QStringLiteral("t"), QStringLiteral("OK"), QStringLiteral("读取完成"));
        const QImage image = dialog.grab().toImage();
        const QColor face = dialog.palette().color(QPalette::Window);
        const QColor old(212, 208, 200);
        if (face == old) QSKIP("the dialog face is the old colour itself");
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == old)
                    QFAIL(qPrintable(QStringLiteral("old background at %1,%2").arg(x).arg(y)));
    }

    void f10OpensTheMenuBar() {
        auto app = start();
        CMainFrame* frame = app->mainFrame();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keyClick(frame, Qt::Key_F10);
        QVERIFY(frame->menuBar()->activeAction());
        QCOMPARE(frame->menuBar()->activeAction(), frame->menuBar()->actions().first());
        frame->menuBar()->activeAction()->menu()->close();
    }

    void startWithoutLanguageFileShowsEnglishMenusAndSaysWhere() {
        std::filesystem::remove(dir_->file("lang.csv"));
        if (!FindLanguageFile().empty()) QSKIP("a language file is installed on this machine");
        ModalRecorder modal;
        auto app = start();
        QCoreApplication::processEvents();
        CMainFrame* frame = app->mainFrame();
        QCOMPARE(frame->menuBar()->actions()[0]->text(), QStringLiteral("&File"));
        QCOMPARE(frame->menuBar()->actions()[1]->text(), QStringLiteral("&Program"));
        QCOMPARE(frame->action(Command::FileNew)->text(), QStringLiteral("&New"));
        QCOMPARE(frame->action(Command::FileNew)->shortcut(), QKeySequence(QKeySequence::New));
        QCOMPARE(frame->toolTipText(Command::FileNew), QStringLiteral("New"));
        QCOMPARE(modal.warnings.size(), 1);
        QVERIFY(modal.warnings[0].contains(QStringLiteral("lang.csv")));
        for (const std::string& folder : DataSearchDirs()) QVERIFY(modal.warnings[0].contains(Q(folder)));
        app->LoadLanguageFile(false);
        QCoreApplication::processEvents();
        QCOMPARE(modal.warnings.size(), 1);  // said once
    }
};

QTEST_MAIN(InterfaceTest)
#include "interface_test.moc"
