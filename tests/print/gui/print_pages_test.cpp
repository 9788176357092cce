// SPDX-License-Identifier: GPL-3.0-or-later
// The printed pages as a painter draws them, recorded on a page-sized device: what is drawn
// where, in which font, for the real language file in every language.
#include <QFontInfo>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTest>

#include <fstream>
#include <memory>

#include "print/paint/page_painter.h"
#include "print/paint/print_fonts.h"
#include "print/settings_page.h"
#include "radio/new_image.h"
#include "ui/text.h"

using namespace radioprog;

namespace {

struct DrawnText {
    QPointF baseline;  // on the device
    QString text;
    QFont font;
    double xScale;  // < 1 for a condensed text
};

// Keeps every text, line and frame drawn on it.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QTransform toDevice = painter()->combinedTransform();
        texts.push_back({toDevice.map(p), item.text(), item.font(), toDevice.m11()});
    }
    void drawLines(const QLineF* l, int count) override { lines.insert(lines.end(), l, l + count); }
    void drawRects(const QRectF* r, int count) override {
        // The paper cleared behind a title is not a frame.
        if (painter()->pen().style() != Qt::NoPen) frames.insert(frames.end(), r, r + count);
    }
    Type type() const override { return User; }

    std::vector<DrawnText> texts;
    std::vector<QLineF> lines;
    std::vector<QRectF> frames;
};

// An A4 page less 10 mm margins, at 300 dpi.
class RecordingDevice : public QPaintDevice {
public:
    static constexpr int kDpi = 300;
    static constexpr int kWidth = 2244;
    static constexpr int kHeight = 3271;

    QPaintEngine* paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth: return kWidth;
        case PdmHeight: return kHeight;
        case PdmWidthMM: return kWidth * 254 / (10 * kDpi);
        case PdmHeightMM: return kHeight * 254 / (10 * kDpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return kDpi;
        case PdmDepth: return 32;
        case PdmNumColors: return 0x7fffffff;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

    mutable RecordingEngine engine;
};

LanguageTable ProgramLanguage(int column) {
    LanguageTable table;
    table.index = column;
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv", std::ios::binary);
    LoadLanguageStream(in, table);
    return table;
}

PrintData DefaultPrintout(int column) {
    RadioImage image;
    WriteNewImage(image);
    return PrintDataFromImage(image, ProgramLanguage(column));
}

std::unique_ptr<RecordingDevice> Record(int page, const PrintData& data) {
    auto device = std::make_unique<RecordingDevice>();
    QPainter painter(device.get());
    PaintPage(painter, page, data);
    return device;
}

// Where the text's glyphs are inked.
QRectF InkBox(const DrawnText& t, QPaintDevice& device) {
    const QRectF ink = QFontMetrics(t.font, &device).tightBoundingRect(t.text);
    return QRectF(t.baseline.x() + ink.x() * t.xScale, t.baseline.y() + ink.y(), ink.width() * t.xScale, ink.height());
}

}  // namespace

class PrintPagesTest : public QObject {
    Q_OBJECT

private slots:
    void fontsResolveToInstalledFamilies() {
        RecordingDevice device;
        // Each font is one of those it asks for, not whatever the system substitutes.
        for (PrintFont kind : {PrintFont::Table, PrintFont::Header, PrintFont::Page}) {
            const QFont font = PrintFontFor(kind);
            QVERIFY2(font.families().contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));
        }
        QVERIFY(QFontInfo(PrintFontFor(PrintFont::Header)).fixedPitch());
        // Point sizes follow the device: 10 pt at 300 dpi is about 42 device pixels.
        QVERIFY(QFontMetrics(PrintFontFor(PrintFont::Page), &device).height() > 35);
    }

    void emptyChannelPrintsOnlyItsNumber() {
        PrintData data = DefaultPrintout(2);
        data.channels[0] = {"0", "VHF/UHF", "145.50000", "145.50000", "67.0", "67.0",
                            "H", "W",       "A",         "OFF",       "1",    "AB12"};
        auto device = Record(1, data);
        const PageMetrics m = DevicePageMetrics(*device, data.language);
        const int ascent = QFontMetrics(PrintFontFor(PrintFont::Page), device.get()).ascent();
        QStringList line0, line1;
        for (const DrawnText& t : device->engine.texts) {
            if (t.baseline.y() == 6 * m.lineHeight + 10 + ascent) line0 << t.text;
            if (t.baseline.y() == 7 * m.lineHeight + 10 + ascent) line1 << t.text;
        }
        QCOMPARE(line0.size(), 12);
        QCOMPARE(line0.last(), QStringLiteral("AB12"));
        QCOMPARE(line1, QStringList{QStringLiteral("1")});
        // One frame, 13 column lines, the header rule and the page rule, all within the page.
        QCOMPARE(device->engine.frames.size(), std::size_t(1));
        QCOMPARE(device->engine.lines.size(), std::size_t(15));
        QCOMPARE(device->engine.frames[0].left(), double(m.leftMargin));
        QCOMPARE(device->engine.frames[0].right(), double(m.leftMargin + m.tableWidth));
        QVERIFY(device->engine.frames[0].bottom() < RecordingDevice::kHeight);
    }

    void settingsPageShowsLabelsBesideValues() {
        const PrintData data = DefaultPrintout(2);
        auto device = Record(3, data);
        auto find = [&](const QString& text) {
            for (const DrawnText& t : device->engine.texts)
                if (t.text == text) return t.baseline;
            return QPointF(-1, -1);
        };
        // Every printed line: its caption, and its value beside it.
        for (const SettingsPageLine& line : SettingsPageLines(data)) {
            const QPointF label = find(Q(line.label));
            QVERIFY2(label.x() >= 0, qPrintable(Q(line.label)));
            if (line.value.empty()) continue;
            bool beside = false;
            for (const DrawnText& t : device->engine.texts)
                beside |= t.text == Q(line.value) && t.baseline.y() == label.y() && t.baseline.x() > label.x();
            QVERIFY2(beside, qPrintable(Q(line.value)));
        }
        QCOMPARE(device->engine.frames.size(), std::size_t(3));
    }

    // In every language of the program's language file, no text touches another and every
    // text lies on the page.
    void nothingOverlapsInAnyLanguage() {
        QStringList faults;
        for (int column = 0; column < 3; ++column) {
            PrintData data = DefaultPrintout(column);
            // A full row of the widest texts a channel can show.
            data.channels[3] = {"127",
                                "VHF/UHF",
                                "470.00000",
                                "470.00000",
                                "D754I",
                                "254.1",
                                data.language.row(lang_row::kLow),
                                data.language.row(lang_row::kNarrow),
                                data.language.row(lang_row::kNo),
                                data.language.row(lang_row::kCarrier),
                                "15",
                                "WWWWWWW"};
            for (int page = 1; page <= kPrintPageCount; ++page) {
                auto device = Record(page, data);
                std::vector<std::pair<QRectF, QString>> boxes;
                for (const DrawnText& t : device->engine.texts) boxes.emplace_back(InkBox(t, *device), t.text);
                for (std::size_t i = 0; i < boxes.size(); ++i) {
                    const QRectF& a = boxes[i].first;
                    if (a.left() < 0 || a.right() > RecordingDevice::kWidth || a.bottom() > RecordingDevice::kHeight)
                        faults << QStringLiteral("language %1 page %2: \"%3\" leaves the page")
                                      .arg(column)
                                      .arg(page)
                                      .arg(boxes[i].second);
                    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                        const QRectF& b = boxes[j].first;
                        const bool apart = a.right() <= b.left() || b.right() <= a.left() || a.bottom() <= b.top() ||
                                           b.bottom() <= a.top();
                        if (!apart)
                            faults << QStringLiteral("language %1 page %2: \"%3\" and \"%4\"")
                                          .arg(column)
                                          .arg(page)
                                          .arg(boxes[i].second, boxes[j].second);
                    }
                }
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

QTEST_MAIN(PrintPagesTest)
#include "print_pages_test.moc"
