// SPDX-License-Identifier: GPL-3.0-or-later
// The shared keystroke table (tests/editors/keystrokes.json), typed into the desktop program's
// channel table as a user types: key events to the focused widget, in English, committed by
// Enter, Tab, a click on another channel or Esc. The web page's test drives the same rows in
// a browser, so a row added once runs in both.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTest>

#include <map>
#include <string>

#include "editors/channel_clipboard.h"
#include "editors/channel_commit.h"
#include "editors/channel_csv.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/ms_flex_grid.h"
#include "model/extra_rows.h"
#include "model/file_read.h"
#include "radio/channel_cells.h"
#include "support/program_fixture.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

namespace {

QJsonObject Table() {
    QFile file(QStringLiteral(RADIOPROG_SOURCE_DIR "/tests/editors/keystrokes.json"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

int ColumnNamed(const QString& name) {
    static const std::map<QString, int> kColumns = {
        {QStringLiteral("Band"), column::kBand},
        {QStringLiteral("RxFrequency"), column::kRxFrequency},
        {QStringLiteral("TxFrequency"), column::kTxFrequency},
        {QStringLiteral("RxTone"), column::kRxTone},
        {QStringLiteral("TxTone"), column::kTxTone},
        {QStringLiteral("Power"), column::kPower},
        {QStringLiteral("Bandwidth"), column::kBandwidth},
        {QStringLiteral("Bit14"), column::kBit14},
        {QStringLiteral("BusyLockout"), column::kBusyLockout},
        {QStringLiteral("Signalling"), column::kSignalling},
        {QStringLiteral("Name"), column::kName},
    };
    const auto found = kColumns.find(name);
    return found == kColumns.end() ? -1 : found->second;
}

// The shipped language file, so the rows read as a user reads them.
std::string ShippedLanguageFile() {
    FileContent content = ReadWholeFile(RADIOPROG_SOURCE_DIR "/data/lang.csv");
    return content.ok ? std::string(content.bytes.begin(), content.bytes.end()) : std::string();
}

}  // namespace

class SharedKeystrokesTest : public ProgramTest {
    Q_OBJECT

    CChnMsgView* channels() const { return qobject_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels)); }
    CMSFlexGrid* grid() const { return channels()->grid(); }
    const LanguageTable& language() const { return frame()->language(); }

    RadioImage fixture_;

    void press(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, key);
    }
    // Characters and {Key} tokens, each to the widget that has the focus then.
    void type(const QString& keys) {
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (keys[i] == QLatin1Char('{')) {
                const qsizetype end = keys.indexOf(QLatin1Char('}'), i);
                const QString name = keys.mid(i + 1, end - i - 1);
                i = end;
                press(name == QLatin1String("Down") ? Qt::Key_Down
                      : name == QLatin1String("Up") ? Qt::Key_Up
                                                    : Qt::Key_Backspace);
                continue;
            }
            QWidget* target = QApplication::focusWidget();
            QVERIFY(target);
            if (keys[i].unicode() < 0x80)
                QTest::keyClicks(target, QString(keys[i]));
            else  // as an input method delivers a character the keyboard has no key for
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(keys[i]), Qt::NoModifier);
        }
    }
    void clickCell(int row, int col) {
        grid()->scrollToCurrent();
        QTest::mouseClick(grid()->cellArea(), Qt::LeftButton, {}, grid()->cellRect(row, col).center());
    }

private slots:
    void initTestCase() {
        SetKeyBeepHandler([] {});
    }
    void cleanupTestCase() { SetKeyBeepHandler({}); }

    void init() {
        dir_ = std::make_unique<TestDirectory>(ShippedLanguageFile());
        modal_ = std::make_unique<ModalRecorder>([](QDialog&) { return int(QDialog::Rejected); });
        app_ = StartProgram();
        frame()->resize(1300, 900);
        QVERIFY(ShowWithChannelTable(*frame()));
        const QJsonObject fixture = Table()[QStringLiteral("fixture")].toObject();
        fixture_ = frame()->image();
        ImportChannelsCsv(fixture_, fixture[QStringLiteral("csv")].toString().toStdString());
        for (const QJsonValue poke : fixture[QStringLiteral("pokes")].toArray()) {
            std::size_t offset = static_cast<std::size_t>(poke[QStringLiteral("offset")].toInt());
            for (const QJsonValue byte : poke[QStringLiteral("bytes")].toArray())
                fixture_.bytes[offset++] = static_cast<std::uint8_t>(byte.toInt());
        }
        frame()->document().replace(fixture_, QString(), false);
        channels()->LoadFromImage();
        CChnMsgView::forgetFirstClick();
    }
    void cleanup() { tearDownProgram(); }

    void theTableIsRead() {
        QVERIFY(!Table()[QStringLiteral("cases")].toArray().isEmpty());
        QCOMPARE(language().row(lang_row::kLow), std::string("Low"));
    }

    void typedCellsStoreWhatWasTyped_data() {
        QTest::addColumn<QJsonObject>("row");
        for (const QJsonValue row : Table()[QStringLiteral("cases")].toArray())
            QTest::newRow(row[QStringLiteral("what")].toString().toUtf8().constData()) << row.toObject();
    }
    void typedCellsStoreWhatWasTyped() {
        QFETCH(QJsonObject, row);
        const int channel = row[QStringLiteral("channel")].toInt();
        const int col = ColumnNamed(row[QStringLiteral("column")].toString());
        QVERIFY(col > 0);
        const int gridRow = channel + 1;
        const QString storedName = row[QStringLiteral("storedColumn")].toString();
        const int storedColumn = storedName.isEmpty() ? col : ColumnNamed(storedName);

        grid()->setFocus();
        grid()->SetRow(gridRow);
        grid()->SetCol(col);
        if (row[QStringLiteral("start")].toString() == QLatin1String("opened")) {
            clickCell(gridRow, col);
            clickCell(gridRow, col);
            QVERIFY(channels()->hasUnstoredEdits());
        }
        type(row[QStringLiteral("keys")].toString());
        // A screen reader names an open editor after its column: a field by its name, a list
        // by the label it is labelled by (its name is its value).
        if (channels()->hasUnstoredEdits()) {
            const QString columnName = Q(
                language().row(ChannelHeaderRows()[static_cast<std::size_t>(channels()->session().current().column)]));
            QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
            QVERIFY(editor);
            if (qobject_cast<QComboBox*>(QApplication::focusWidget())) {
                const auto labels = editor->relations(QAccessible::Label);
                QCOMPARE(labels.size(), 1);
                QCOMPARE(labels[0].first->text(QAccessible::Name), columnName);
            } else {
                QCOMPARE(editor->text(QAccessible::Name), columnName);
            }
        }
        const QString commit = row[QStringLiteral("commit")].toString();
        if (commit == QLatin1String("enter"))
            press(Qt::Key_Return);
        else if (commit == QLatin1String("tab"))
            press(Qt::Key_Tab);
        else if (commit == QLatin1String("escape"))
            press(Qt::Key_Escape);
        else
            clickCell(gridRow + 2, column::kRxFrequency);
        QTest::qWait(1);  // the notice comes after the move that committed the cell

        QVERIFY(!channels()->hasUnstoredEdits() || commit == QLatin1String("click"));
        // After Enter, Tab or Esc the table's cells have the focus back, and a screen reader
        // hears the cell that was edited with the value it holds now.
        if (commit != QLatin1String("click")) {
            QCOMPARE(QApplication::focusWidget(), grid()->focusProxy());
            const QString heard = grid()->focusProxy()->accessibleDescription();
            const QString value =
                Q(ChannelToRow(frame()->image(), language(), channel)[static_cast<std::size_t>(storedColumn)]);
            if (!value.isEmpty()) QVERIFY2(heard.contains(value), qPrintable(heard));
        }
        // The image: the fixture, or the fixture with the expected text pasted into the cell.
        RadioImage want = fixture_;
        const QJsonValue shown = row[QStringLiteral("shown")];
        if (!shown.isNull()) {
            const std::string text = shown.toString().toStdString();
            if (text.empty()) {
                ChannelRow cells = ChannelToRow(want, language(), channel);
                ClearCell(want, language(), channel, storedColumn, cells);
            } else {
                PasteTarget target;
                target.firstChannel = channel;
                target.column = storedColumn;
                PasteChannels(want, language(), target, text);
            }
        }
        QVERIFY2(frame()->image() == want, qPrintable(row[QStringLiteral("what")].toString()));
        // The table shows what the image holds.
        const ChannelRow stored = ChannelToRow(frame()->image(), language(), channel);
        for (int c = column::kBand; c < kChannelColumnCount; ++c)
            QCOMPARE(channels()->GetCellText(channel, c), stored[static_cast<std::size_t>(c)]);
        if (!shown.isNull()) QCOMPARE(channels()->GetCellText(channel, storedColumn), shown.toString().toStdString());
        QCOMPARE(!modal_->warnings.isEmpty(), row[QStringLiteral("notice")].toBool());
        QCOMPARE(frame()->document().isModified(), !(want == fixture_));
    }
};

QTEST_MAIN(SharedKeystrokesTest)
#include "shared_keystrokes_test.moc"
