// SPDX-License-Identifier: GPL-3.0-or-later
// The message dialog shows every message whole: the band refusal with its ranges, in the
// shipped Simplified Chinese and English texts, fits the dialog, wraps only where a line may
// break, and leaves room for the button and the detail line. Short messages keep the small
// dialog and the large face.
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <utility>

#include "model/channel_record.h"
#include "radio/band_check.h"
#include "radio/new_image.h"
#include "shell/gui/message_dlg.h"
#include "sim/radio_sim.h"
#include "ui/text.h"

using namespace radioprog;

namespace {

LanguageTable ShippedLanguage(int column) {
    LanguageTable table;
    table.index = column;
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv");
    LoadLanguageStream(in, table);
    return table;
}

// An image whose channel 3 (table number 2) receives at 150 MHz, outside the radio's bands
// 144-146 and 430-440 MHz.
RadioImage RefusedImage() {
    RadioImage image;
    WriteNewImage(image);
    ChannelRef(image, 2).setRxFrequency(0x15000000);
    std::uint8_t* limits = image.recordData(SingleRecord(BlockId::BandLimits));
    EncodeBandLimits({{144, 430}, {146, 440}, {144, 430}, {146, 440}}, limits);
    return image;
}

bool BreakableBetween(QChar before, QChar after) {
    return before == QLatin1Char(' ') || after == QLatin1Char(' ') || before.unicode() >= 0x80 ||
           after.unicode() >= 0x80;
}

}  // namespace

class MessageFitTest : public QObject {
    Q_OBJECT

    // Every line lies inside the dialog and above its button, breaks only where a line may
    // break, and nothing but the spaces at the breaks is dropped.
    static void VerifyShownWhole(const CMessageDlg& dialog) {
        const CMessageDlg::PaintPlan plan = dialog.paintPlan();
        const QString& message = dialog.message();
        QString joined;
        qsizetype from = 0;
        for (const QString& line : plan.lines) {
            const qsizetype at = message.indexOf(line, from);
            QVERIFY2(at >= 0, qPrintable(line));
            from = at + line.size();
            if (from < message.size()) QVERIFY2(BreakableBetween(message[from - 1], message[from]), qPrintable(line));
            joined += line;
        }
        QCOMPARE(joined.remove(QLatin1Char(' ')), QString(dialog.message()).remove(QLatin1Char(' ')));
        const QRect lines = dialog.paintedRect();
        QVERIFY2(dialog.rect().contains(lines), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                               .arg(lines.x())
                                                               .arg(lines.y())
                                                               .arg(lines.width())
                                                               .arg(lines.height())
                                                               .arg(dialog.width())
                                                               .arg(dialog.height())));
        QVERIFY(lines.bottom() < dialog.okButton()->y());
        QVERIFY(dialog.rect().contains(dialog.okButton()->geometry()));
    }

private slots:
    void bandRefusalIsShownWhole_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("Simplified Chinese") << 0;
        QTest::newRow("Traditional Chinese") << 1;
        QTest::newRow("English") << 2;
    }
    void bandRefusalIsShownWhole() {
        QFETCH(int, column);
        const LanguageTable language = ShippedLanguage(column);
        const BandCheck check = CheckBandLimits(RefusedImage(), language);
        QVERIFY(!check.accepted);
        QVERIFY(check.message.find("<144.000~146.995 430.000~440.995>") != std::string::npos);
        CMessageDlg dialog(Q(language.row(lang_row::kTitle)), Q(language.row(lang_row::kOk)), Q(check.message));
        QVERIFY2(dialog.wraps(), "too long for the small dialog");
        VerifyShownWhole(dialog);
        // The detail line widens the dialog and stands between the message and the button.
        dialog.setDetail(Q(BandRefusalDetail(check, language)));
        VerifyShownWhole(dialog);
        auto* detail = dialog.findChild<QLabel*>();
        QVERIFY(detail);
        QVERIFY(detail->y() > dialog.paintedRect().bottom());
        QVERIFY(detail->geometry().bottom() < dialog.okButton()->y());
        QVERIFY(dialog.rect().contains(detail->geometry()));
        QVERIFY(detail->text().contains(QStringLiteral("150.00000 MHz")));
        QVERIFY(detail->text().contains(QStringLiteral(" 2:")));
    }

    void shortMessagesKeepTheSmallDialog() {
        const LanguageTable chinese = ShippedLanguage(0);
        CMessageDlg dialog(QStringLiteral("t"), QStringLiteral("OK"),
                           Q(chinese.row(lang_row::kRead) + chinese.row(lang_row::kCompleted)));
        QVERIFY(!dialog.wraps());
        QCOMPARE(dialog.paintPlan().points, 19);
        QCOMPARE(dialog.paintPlan().lines.size(), 1);
        // A detail (where the backup went) stands under the message, above the button.
        dialog.setDetail(QStringLiteral("Backup saved to /home/user/.local/share/radioprog/backup.dat"));
        VerifyShownWhole(dialog);
        auto* detail = dialog.findChild<QLabel*>();
        QVERIFY(detail->y() > dialog.paintedRect().bottom());
        QVERIFY(detail->geometry().bottom() < dialog.okButton()->y());
        CMessageDlg small(QStringLiteral("t"), QStringLiteral("OK"), QStringLiteral("OK"));
        QVERIFY(!small.wraps());
        QCOMPARE(small.paintPlan().points, 19);
        CMessageDlg longer(
            QStringLiteral("t"), QStringLiteral("OK"),
            QStringLiteral("The radio may now hold a mix of old and new memory. Writing again fixes it."));
        QVERIFY(longer.wraps());
        QVERIFY(longer.width() > small.width());
        VerifyShownWhole(longer);
    }

    // The message is painted in the palette's text colour: readable on a dark face too.
    void messageFollowsTheTextColour() {
        for (const auto& [face, text] :
             {std::pair{QColor(Qt::white), QColor(Qt::black)}, std::pair{QColor(Qt::black), QColor(Qt::yellow)}}) {
            CMessageDlg dialog(QStringLiteral("t"), QStringLiteral("OK"), QStringLiteral("No radio found"));
            QPalette palette = dialog.palette();
            palette.setColor(QPalette::Window, face);
            palette.setColor(QPalette::WindowText, text);
            dialog.setPalette(palette);
            const QImage shown = dialog.grab(dialog.paintedRect()).toImage();
            int textPixels = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (shown.pixelColor(x, y) == text) ++textPixels;
            QVERIFY2(textPixels > 20, qPrintable(text.name()));
        }
    }
};

QTEST_MAIN(MessageFitTest)
#include "message_fit_test.moc"
