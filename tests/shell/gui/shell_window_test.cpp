// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: start-up, menus, tooltips, language change, the
// progress bar, the port dialog, File New / Open / Save and the background picture.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QKeySequence>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include "model/dat_file.h"
#include "radio/new_image.h"
#include "shell/command_table.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/command_actions.h"
#include "shell/gui/language_dlg.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/message_dlg.h"
#include "shell/gui/port_select_dlg.h"
#include "shell/gui/prog_status_bar.h"
#include "shell/gui/radioprog_app.h"
#include "shell/menu_captions.h"
#include "support/program_fixture.h"
#include "ui/child_frame.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

class ShellWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDirectory> dir_;

    static QString menuTitle(CMainFrame* frame, int position) { return frame->menuBar()->actions()[position]->text(); }

private slots:
    void init() {
        // Each test starts as a first run: no language chosen before.
        QSettings(QStringLiteral("radioprog"), QStringLiteral("radioprog")).clear();
        dir_ = std::make_unique<TestDirectory>(TestLanguageFile([](int row, int column) -> std::string {
            if (row == lang_row::kNew && column == 2) return "New(&N)\tCtrl+N";
            if (row == lang_row::kNew && column == 1) return "(&N)New";
            if (row == lang_row::kPort && column == 2) return "Port";
            return {};
        }));
    }
    void cleanup() { dir_.reset(); }

    void startUpTitlesAndMenus() {
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        QCOMPARE(frame->windowTitle(), TitleOf("E", "Untitled"));
        QCOMPARE(menuTitle(frame, 0), QStringLiteral("E%1").arg(lang_row::kFileMenu));
        QCOMPARE(menuTitle(frame, 3), QStringLiteral("Port"));
        QCOMPARE(menuTitle(frame, 6), QStringLiteral("E%1").arg(lang_row::kLanguage));
        QCOMPARE(menuTitle(frame, 7), QStringLiteral("E%1").arg(lang_row::kHelpMenu));
        QCOMPARE(frame->action(Command::ReadRadio)->text(), QStringLiteral("E%1").arg(lang_row::kReadRadio));
        QCOMPARE(frame->action(Command::DtmfEditor)->text(), QStringLiteral("E%1").arg(lang_row::kDtmfMenu));
    }

    // The menu bar, the menus and the toolbar hold the command table's entries in its order,
    // each command once, with its caption and its keys.
    void menusAndToolbarAreBuiltFromTheCommandTable() {
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        const LanguageTable& language = frame->language();
        const QList<QAction*> bar = frame->menuBar()->actions();
        QCOMPARE(bar.size(), qsizetype(kMenuBarEntries));
        QMap<QAction*, int> placed;  // how often each action is in a menu or on the bar
        for (int position = 0; position < kMenuBarEntries; ++position) {
            const Menu menu = static_cast<Menu>(position);
            const MenuEntry& title = MenuBarEntry(menu);
            QCOMPARE(bar[position]->text(), Q(CaptionText(title, language)));
            if (title.kind == EntryKind::BarCommand) {
                ++placed[frame->action(title.command)];
                continue;
            }
            // The Window menu lists the open windows after its commands.
            const QList<QAction*> items = bar[position]->menu()->actions();
            const auto expected = MenuCommands(menu);
            QVERIFY(items.size() >= qsizetype(expected.size()));
            for (std::size_t k = 0; k < expected.size(); ++k) {
                QAction* item = items[qsizetype(k)];
                QCOMPARE(item->isSeparator(), !expected[k].has_value());
                if (!expected[k]) continue;
                QCOMPARE(item, frame->action(*expected[k]));
                QCOMPARE(int(CommandOf(*item)), int(*expected[k]));
                // The key name is the item's shortcut, not part of its text.
                QCOMPARE(item->text(), Q(MenuItemCaption(CaptionText(*FindCommand(*expected[k]), language))));
                QVERIFY(!item->text().contains(QLatin1Char('\t')));
                ++placed[item];
            }
        }
        for (const MenuEntry& entry : MenuLayout()) {
            if (entry.kind == EntryKind::MenuTitle || entry.kind == EntryKind::Separator) continue;
            QVERIFY2(placed.value(frame->action(entry.command)) == 1, qPrintable(QString::number(int(entry.command))));
        }
        // The bar's Port entry is its own action (without the toolbar picture) that runs the command.
        QVERIFY(bar[int(Menu::Port)] != frame->action(Command::PortSelect));
        QVERIFY(bar[int(Menu::Port)]->icon().isNull());
        QCOMPARE(frame->action(Command::PortSelect)->iconText(), QStringLiteral("Port"));
        QCOMPARE(bar[int(Menu::Language)], frame->action(Command::Language));

        // The keys as the menus promise them (the platform's standard keys for New, Open,
        // Save, Print and Quit).
        const QMap<Command, QString> keys = {
            {Command::FileNew, QKeySequence(QKeySequence::New).toString()},
            {Command::FileOpen, QKeySequence(QKeySequence::Open).toString()},
            {Command::FileSave, QKeySequence(QKeySequence::Save).toString()},
            {Command::FilePrint, QKeySequence(QKeySequence::Print).toString()},
            {Command::Exit, QKeySequence(QKeySequence::Quit).toString()},
            {Command::FileSaveAs, QStringLiteral("Ctrl+Shift+S")},
            {Command::EditUndo, QStringLiteral("Ctrl+Z")},
            {Command::EditRedo, QStringLiteral("Ctrl+Y; Ctrl+Shift+Z")},
            {Command::EditCut, QStringLiteral("Ctrl+X")},
            {Command::EditCopy, QStringLiteral("Ctrl+C")},
            {Command::EditPaste, QStringLiteral("Ctrl+V")},
            {Command::DeleteChannels, QStringLiteral("Del")},
            {Command::InsertChannel, QStringLiteral("Ins")},
            {Command::MoveChannelsUp, QStringLiteral("Ctrl+Up")},
            {Command::MoveChannelsDown, QStringLiteral("Ctrl+Down")},
            {Command::CancelTransfer, QStringLiteral("Esc")},
        };
        QCOMPARE(keys[Command::FileNew], QStringLiteral("Ctrl+N"));
        QCOMPARE(keys[Command::FilePrint], QStringLiteral("Ctrl+P"));
        for (const MenuEntry& entry : MenuLayout()) {
            if (entry.kind == EntryKind::MenuTitle || entry.kind == EntryKind::Separator) continue;
            QAction* action = frame->action(entry.command);
            QCOMPARE(QKeySequence::listToString(action->shortcuts()), keys.value(entry.command));
        }
        QCOMPARE(frame->action(Command::FileNew)->shortcutContext(), Qt::ApplicationShortcut);
        QCOMPARE(frame->action(Command::EditPaste)->shortcutContext(), Qt::WidgetWithChildrenShortcut);
        QCOMPARE(frame->action(Command::CancelTransfer)->shortcutContext(), Qt::WindowShortcut);
        QVERIFY(!frame->action(Command::CancelTransfer)->isEnabled());

        // The toolbar, left to right.
        const QList<QAction*> buttons = frame->toolBar()->actions();
        QCOMPARE(buttons.size(), qsizetype(ToolbarLayout().size()));
        for (std::size_t k = 0; k < ToolbarLayout().size(); ++k) {
            const std::optional<Command>& command = ToolbarLayout()[k];
            QCOMPARE(buttons[qsizetype(k)]->isSeparator(), !command.has_value());
            if (command) {
                QCOMPARE(buttons[qsizetype(k)], frame->action(*command));
                QVERIFY(!buttons[qsizetype(k)]->icon().isNull());
            }
        }
    }

    void toolTipsAreCutBeforeTheParenthesisAndFollowTheLanguage() {
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        QCOMPARE(frame->toolTipText(CommandOf(*frame->action(Command::FileNew))), QStringLiteral("New"));
        QCOMPARE(frame->toolTipText(CommandOf(*frame->action(Command::PortSelect))), QStringLiteral("Port"));
        QCOMPARE(frame->toolTipText(CommandOf(*frame->action(Command::About))), QStringLiteral("E111"));
        ModalRecorder modal([](QDialog& dialog) {
            static_cast<CLanguageDlg&>(dialog).list()->setCurrentIndex(1);
            dialog.accept();
            return dialog.result();
        });
        app->OnLanguage();
        QCOMPARE(frame->toolTipText(CommandOf(*frame->action(Command::FileNew))), QString());  // "row 92 starts with ("
        QCOMPARE(menuTitle(frame, 0), QStringLiteral("T%1").arg(lang_row::kFileMenu));
        QCOMPARE(frame->windowTitle(), TitleOf("T", "Untitled"));
    }

    void languageDialogKeepsEverythingForTheSameLanguage() {
        auto app = StartProgram();
        int shown = 0;
        ModalRecorder modal([&shown](QDialog& dialog) {
            auto& languages = static_cast<CLanguageDlg&>(dialog);
            ++shown;
            if (languages.list()->count() != 3 || languages.list()->currentIndex() != 2) return int(QDialog::Rejected);
            dialog.accept();
            return dialog.result();
        });
        app->OnLanguage();
        QCOMPARE(shown, 1);
        QCOMPARE(app->mainFrame()->language().index, 2);
        QCOMPARE(menuTitle(app->mainFrame(), 0), QStringLiteral("E%1").arg(lang_row::kFileMenu));
    }

    void languageChangeReopensExactlyTheOpenEditors() {
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        QPointer<CChildFrame> channels = frame->OpenChannelEditor();
        QVERIFY(channels);
        ModalRecorder modal([](QDialog& dialog) {
            dialog.accept();
            return dialog.result();
        });
        app->OnLanguage();  // the same language: the open editor stays as it is
        QCOMPARE(frame->editorFrame(EditorKind::Channels), channels.data());

        modal.setAnswer([](QDialog& dialog) {
            static_cast<CLanguageDlg&>(dialog).list()->setCurrentIndex(0);
            dialog.accept();
            return dialog.result();
        });
        app->OnLanguage();
        QCoreApplication::processEvents();
        QVERIFY(!channels);
        QVERIFY(frame->editorFrame(EditorKind::Channels));
        QCOMPARE(frame->editorFrame(EditorKind::Channels)->windowTitle(), QStringLiteral("Z1"));
        QVERIFY(!frame->editorFrame(EditorKind::Functions));
        QVERIFY(!frame->editorFrame(EditorKind::Dtmf));
        QCOMPARE(menuTitle(frame, 0), QStringLiteral("Z91"));
    }

    void messageDialogFontAndSplit() {
        struct Case {
            QString text;
            int points;
        };
        for (const Case& c : {Case{QStringLiteral("123456789012"), 19}, Case{QStringLiteral("1234567890123"), 16},
                              Case{QString(26, QLatin1Char('x')), 12}, Case{QStringLiteral("读取完成"), 19},
                              Case{QStringLiteral("读取对讲机数据失败"), 16}}) {
            CMessageDlg dialog(QStringLiteral("t"), QStringLiteral("OK"), c.text);
            QCOMPARE(dialog.paintPlan().points, c.points);
        }
        // The small dialog's layout (used where it shows the message whole; otherwise the
        // message wraps): 23 bytes that do not fit stay on one line, starting left of the
        // client area.
        CMessageDlg narrow(QStringLiteral("t"), QStringLiteral("OK"), QString(23, QLatin1Char('W')));
        QCOMPARE(narrow.smallPlan(60).lines.size(), 1);
        QVERIFY(narrow.smallPlan(60).origins[0].x() < 0);
        // A long message with a space at byte 23 is split after 24 bytes.
        QString message = QStringLiteral("Writing to the radio is refused now");
        message[23] = QLatin1Char(' ');
        CMessageDlg wide(QStringLiteral("t"), QStringLiteral("OK"), message);
        CMessageDlg::PaintPlan plan = wide.smallPlan(60);
        QCOMPARE(plan.lines.size(), 2);
        QCOMPARE(plan.lines[0], message.left(24));
        QCOMPARE(plan.origins[0], QPoint(1, 16));
        // Chinese text is split at a character boundary.
        CMessageDlg chinese(QStringLiteral("t"), QStringLiteral("OK"),
                            QStringLiteral("向对讲机写入数据失败请检查电缆连接和端口"));
        QCOMPARE(chinese.smallPlan(60).lines[0], QStringLiteral("向对讲机写入数据失败请"));
    }

    void progressBarShowsMovesAndHides() {
        CProgStatusBar bar;
        bar.resize(400, 24);
        bar.show();
        bar.showMessage(QStringLiteral("hello"));
        bar.SetProgress(0);
        QVERIFY(!bar.progressBar()->isVisible());
        QCOMPARE(bar.currentMessage(), QStringLiteral("hello"));
        bar.SetProgress(5);
        QVERIFY(bar.progressBar()->isVisible());
        QCOMPARE(bar.currentMessage(), QString());
        bar.showMessage(QStringLiteral("during"));
        bar.SetProgress(7);
        QCOMPARE(bar.progressBar()->value(), 7);
        QCOMPARE(bar.currentMessage(), QStringLiteral("during"));  // "moving does not clear the text again"
        QVERIFY(bar.cancelButton()->isVisible());
        bar.setCancelText(QStringLiteral("Cancel"));
        bar.resize(600, 30);
        QCoreApplication::processEvents();
        // The bar fills the first pane up to the Cancel button at its right end.
        const QRect pane = bar.firstPaneRect();
        const QRect progress = bar.progressBar()->geometry();
        const QRect cancel = bar.cancelButton()->geometry();
        QCOMPARE(progress.left(), pane.left());
        QCOMPARE(cancel.right(), pane.right());
        QVERIFY(progress.right() < cancel.left());
        QVERIFY(pane.contains(cancel));
        QVERIFY(cancel.width() >= bar.cancelButton()->fontMetrics().horizontalAdvance(QStringLiteral("Cancel")));
        bar.SetProgress(0);
        QVERIFY(!bar.progressBar()->isVisible());
        QVERIFY(!bar.cancelButton()->isVisible());
    }

    void portDialogOffersOnlyExistingPorts() {
        std::vector<std::string> devices(20);
        devices[0] = "/dev/ttyUSB0";
        devices[3] = "/dev/ttyS3";
        const std::uint32_t mask = (~0u & ~0x1FFFFEu) | (1u << 1) | (1u << 4);
        PortChoices choices{mask, devices, {}, {"COM1  /dev/ttyUSB0  can be used"}};
        CPortSelectDlg dialog(QStringLiteral("Ports"), QStringLiteral("OK"), QStringLiteral("Cancel"), choices, 2);
        QCOMPARE(dialog.details()->toPlainText(), QStringLiteral("COM1  /dev/ttyUSB0  can be used"));
        QVERIFY(dialog.portButton(1)->isEnabled());
        QVERIFY(dialog.portButton(4)->isEnabled());
        QVERIFY(!dialog.portButton(2)->isEnabled());
        QVERIFY(!dialog.portButton(20)->isEnabled());
        QVERIFY(dialog.portButton(3)->isChecked());  // "the configured port stays checked though missing"
        QVERIFY(dialog.portButton(1)->text().contains(QStringLiteral("/dev/ttyUSB0")));
        dialog.portButton(4)->setChecked(true);
        dialog.accept();
        QCOMPARE(dialog.selection(), 3);
    }

    // Tips without a mouse: Shift+F1 shows the focused control's tip (a list's: its current
    // entry's), and the status bar shows the tip of a main-window control that takes the focus.
    void tipsAreReachableByKeyboard() {
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        QVERIFY(ShowWithChannelTable(*frame));
        const auto whatsThisPopup = []() -> QWidget* {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && QByteArray(window->metaObject()->className()) == "QWhatsThat") return window;
            return nullptr;
        };
        const auto whatsThisShown = [&] { return whatsThisPopup() != nullptr; };
        // The popup takes the keyboard while it is shown (a grab this test platform lacks).
        const auto closeWhatsThis = [&] { QTest::keyClick(whatsThisPopup(), Qt::Key_Escape); };
        const auto pressWhatsThis = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ShiftModifier); };

        // In the main window: a table whose current entry has a tip, and a field with one.
        auto* table = new QTableWidget(1, 1, frame->progressStatusBar());
        auto* item = new QTableWidgetItem(QStringLiteral("Failed"));
        item->setToolTip(QStringLiteral("the radio did not answer"));
        table->setItem(0, 0, item);
        table->setCurrentCell(0, 0);
        auto* field = new QLineEdit(frame->progressStatusBar());
        field->setToolTip(QStringLiteral("a tip"));
        // Beside the message, which would hide them otherwise.
        frame->progressStatusBar()->addPermanentWidget(table);
        frame->progressStatusBar()->addPermanentWidget(field);
        // Once the channel table, just opened, has taken the focus.
        QTRY_VERIFY(table->isVisible() && field->isVisible() && QApplication::focusWidget());
        QTest::qWait(100);
        table->setFocus();
        QVERIFY(table->hasFocus());
        QTRY_COMPARE(frame->progressStatusBar()->currentMessage(), QStringLiteral("the radio did not answer"));
        pressWhatsThis();
        QTRY_VERIFY(whatsThisShown());
        closeWhatsThis();
        QTRY_VERIFY(!whatsThisShown());
        QTest::keyClick(table, Qt::Key_Tab);
        QTRY_COMPARE(frame->progressStatusBar()->currentMessage(), QStringLiteral("a tip"));
        // A control without a tip clears the tip from the status bar.
        frame->editorFrame(EditorKind::Channels)->widget()->setFocus();
        QTRY_COMPARE(frame->progressStatusBar()->currentMessage(), QString());

        // A port button, whose tip names the device and what it is.
        std::vector<std::string> devices(20);
        devices[0] = "/dev/ttyUSB0";
        PortChoices choices{~0u, devices, {"USB serial cable"}, {}};
        CPortSelectDlg dialog(QStringLiteral("Ports"), QStringLiteral("OK"), QStringLiteral("Cancel"), choices, 0);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.portButton(1)->setFocus();
        QVERIFY(!dialog.portButton(1)->toolTip().isEmpty());
        pressWhatsThis();
        QTRY_VERIFY(whatsThisShown());
        closeWhatsThis();
        QTRY_VERIFY(!whatsThisShown());
        dialog.portButton(2)->setFocus();  // no device, no tip
        pressWhatsThis();
        QTest::qWait(50);
        QVERIFY(!whatsThisShown());
    }

    void portCommandStoresTheChoiceOnOkOnly() {
        qputenv("RADIOPROG_PORTS", QByteArray("/dev/null,,/nonexistent"));
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        ModalRecorder modal([](QDialog& dialog) {
            auto& ports = static_cast<CPortSelectDlg&>(dialog);
            if (!ports.portButton(1)->isEnabled() || ports.portButton(2)->isEnabled()) return int(QDialog::Rejected);
            ports.portButton(1)->setChecked(true);
            return int(QDialog::Rejected);
        });
        frame->document().setPort(4);
        frame->onPortSelect();
        QCOMPARE(frame->image().port(), 4);  // "Cancel stores nothing"
        modal.setAnswer([](QDialog& dialog) {
            auto& ports = static_cast<CPortSelectDlg&>(dialog);
            ports.portButton(1)->setChecked(true);
            ports.accept();
            return int(QDialog::Accepted);
        });
        frame->onPortSelect();
        QCOMPARE(frame->image().port(), 1);
        qunsetenv("RADIOPROG_PORTS");
    }

    void fileNewAsksFirst() {
        // A document without unsaved changes: the reset question (with unsaved changes the
        // save question comes instead, see document_test).
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        frame->document().editSettings([](RadioImage& image) { image.bytes[100] = 0x42; });
        frame->document().markSaved(QString::fromStdString(dir_->file("x.dat")));
        QString shown;
        ModalRecorder modal([&shown](QDialog& dialog) {
            shown = static_cast<CMessageDlg&>(dialog).message();
            return int(QDialog::Rejected);
        });
        frame->OnFileNew();
        QCOMPARE(shown, QStringLiteral("E%1").arg(lang_row::kResetQuestion));
        QCOMPARE(frame->image().bytes[100], 0x42);  // "closed without the button: nothing changes"
        modal.setAnswer([](QDialog&) { return int(QDialog::Accepted); });
        frame->OnFileNew();
        RadioImage fresh;
        WriteNewImage(fresh);
        QVERIFY(frame->image() == fresh);
    }

    void openAndSaveThroughTheCommands() {
        auto app = StartProgram();
        CMainFrame* frame = app->mainFrame();
        ModalRecorder modal;
        frame->document().setPort(7);
        frame->document().editSettings(
            [](RadioImage& image) { image.bytes[4700] = 0x12; });  // a DTMF code byte survives save and open
        Hooks().chooseFile = [this](QWidget*, bool) { return QString::fromStdString(dir_->file("radio")); };
        frame->OnFileSave();
        QCOMPARE(ReadFile(dir_->file("radio.dat")).size(), std::size_t(5592));

        frame->OnFileNew();
        QCOMPARE(frame->image().port(), 1);
        Hooks().chooseFile = [this](QWidget*, bool) { return QString::fromStdString(dir_->file("radio.dat")); };
        frame->OnFileOpen();
        QCOMPARE(frame->image().port(), 7);
        QCOMPARE(frame->image().bytes[4700], 0x12);
        QVERIFY(modal.warnings.isEmpty());

        dir_->write("short.dat", std::string(200, '\x01'));
        Hooks().chooseFile = [this](QWidget*, bool) { return QString::fromStdString(dir_->file("short.dat")); };
        frame->OnFileOpen();
        QCOMPARE(frame->image().port(), 7);  // "a short file changes nothing"
        QCOMPARE(modal.warnings.size(), 1);

        Hooks().chooseFile = [this](QWidget*, bool) { return QString::fromStdString(dir_->file("no/dir/x.dat")); };
        frame->onFileSaveAs();
        QCOMPARE(modal.warnings.size(), 2);  // "a failed save is shown"
    }

    void backgroundFallsBackFromABadPicture() {
        QImage good(400, 300, QImage::Format_RGB32);
        good.fill(QColor(10, 200, 30));
        good.save(QString::fromStdString(dir_->file("0.JPG")), "JPG");
        dir_->write("bg.JPG", "this is not a picture");
        CBackgroundWnd background;
        QStringList errors;
        QObject::connect(&background, &CBackgroundWnd::pictureError, [&errors](const QString& e) { errors << e; });
        background.resize(200, 100);
        QImage target(200, 100, QImage::Format_RGB32);
        background.viewport()->render(&target);
        QCOMPARE(target.pixelColor(100, 50), QColor(0x40, 0x48, 0x58));  // "the first frame is plain"
        QVERIFY(background.currentPicture().isEmpty());
        for (int paint = 0; paint < 3; ++paint) {
            QCoreApplication::processEvents();  // "the picture is decoded after the frame"
            background.viewport()->render(&target);
        }
        QCOMPARE(background.currentPicture(), QStringLiteral("0.JPG"));
        QCOMPARE(background.picture().size(), background.viewport()->size());  // "kept at the work area's size"
        QCOMPARE(errors.size(), 1);                                            // "reported once, not at every paint"
        QVERIFY2(errors[0].endsWith(QStringLiteral("bg.JPG")), qPrintable(errors[0]));  // the file is named
        QColor middle = target.pixelColor(100, 50);
        QVERIFY(middle.green() > 150 && middle.red() < 60);

        // A new picture in place of the broken one is shown once decoded, at the new size.
        good.fill(QColor(200, 20, 20));
        good.save(QString::fromStdString(dir_->file("bg.JPG")), "JPG");
        background.resize(300, 120);
        QImage larger(300, 120, QImage::Format_RGB32);
        background.viewport()->render(&larger);
        QTRY_COMPARE(background.currentPicture(), QStringLiteral("bg.JPG"));
        background.viewport()->render(&larger);
        QCOMPARE(background.picture().size(), QSize(300, 120));
        QVERIFY(larger.pixelColor(150, 60).red() > 150);
        QCOMPARE(errors.size(), 1);
    }
};

QTEST_MAIN(ShellWindowTest)
#include "shell_window_test.moc"
