// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid as its users rely on it: the order of its cell events, the header cells
// that count as row 0 and column 0, and where the current cell lies (in pixels of the cell area).
#include <QTableWidget>
#include <QTest>

#include "editors/channel_navigation.h"
#include "editors/gui/ms_flex_grid.h"

using namespace radioprog;

class ChannelGridTest : public QObject {
    Q_OBJECT

    // Each event with the current cell it saw, e.g. "Leave 1,1".
    QStringList events_;
    void record(CMSFlexGrid& grid) {
        auto note = [this, &grid](const char* name) {
            events_ << QStringLiteral("%1 %2,%3").arg(QLatin1String(name)).arg(grid.Row()).arg(grid.Col());
        };
        connect(&grid, &CMSFlexGrid::LeaveCell, this, [note] { note("Leave"); });
        connect(&grid, &CMSFlexGrid::EnterCell, this, [note] { note("Enter"); });
        connect(&grid, &CMSFlexGrid::Click, this, [note] { note("Click"); });
        connect(&grid, &CMSFlexGrid::KeyPress, this,
                [this](int code) { events_ << QStringLiteral("Key %1").arg(code); });
    }

private slots:
    void eventsNameTheOldCellOnLeavingAndTheNewOneAfter() {
        CMSFlexGrid grid;
        grid.SetRows(kGridRowCount);
        grid.resize(900, 400);
        grid.show();
        record(grid);

        grid.SetCol(3);
        grid.SetCol(3);  // no move, no events
        grid.SetRow(2);
        QTest::mouseClick(grid.cellArea(), Qt::LeftButton, {}, grid.cellRect(4, 5).center());
        QTest::keyClick(grid.focusProxy(), Qt::Key_Left);
        QTest::keyClick(grid.focusProxy(), Qt::Key_A);
        QTest::keyClick(grid.focusProxy(), Qt::Key_Return);
        grid.SetRow(0);  // the header row never becomes current
        QCOMPARE(events_, (QStringList{"Leave 1,1", "Enter 1,3", "Leave 1,3", "Enter 2,3", "Leave 2,3", "Enter 4,5",
                                       "Click 4,5", "Leave 4,5", "Enter 4,4", "Key 97", "Key 13"}));
    }

    void headersAreRowAndColumnZero() {
        CMSFlexGrid grid;
        grid.SetRows(kGridRowCount);
        QCOMPARE(grid.Rows(), 129);
        QCOMPARE(grid.Cols(), 12);
        grid.SetTextMatrix(0, 0, QStringLiteral("No."));
        grid.SetTextMatrix(0, 11, QStringLiteral("Name"));
        grid.SetTextMatrix(128, 0, QStringLiteral("127"));
        grid.SetTextMatrix(1, 1, QStringLiteral("x"));
        QCOMPARE(grid.TextMatrix(0, 0), QStringLiteral("No."));
        QCOMPARE(grid.TextMatrix(0, 11), QStringLiteral("Name"));
        QCOMPARE(grid.TextMatrix(128, 0), QStringLiteral("127"));
        QCOMPARE(grid.Text(), QStringLiteral("x"));
        grid.Clear();
        QCOMPARE(grid.TextMatrix(0, 0), QString());
        QCOMPARE(grid.Text(), QString());
        QCOMPARE(grid.Rows(), 129);
    }

    void currentCellRectIsTheCellAndOnlyScrollingBringsItIntoView() {
        CMSFlexGrid grid;
        grid.SetRows(kGridRowCount);
        grid.SetColWidth(2, 1530);
        grid.resize(600, 300);
        grid.show();
        grid.SetCol(2);
        grid.SetRow(120);
        // Scrolled away from the current cell (as the scroll bar would).
        grid.findChild<QTableWidget*>()->scrollToTop();
        const QRect before = grid.currentCellRect();
        QCOMPARE(before, grid.cellRect(120, 2));
        QVERIFY(!grid.cellArea()->rect().contains(before));
        QCOMPARE(grid.currentCellRect(), before);  // asking does not scroll

        grid.scrollToCurrent();
        const QRect rect = grid.currentCellRect();
        QCOMPARE(rect, grid.cellRect(120, 2));
        QCOMPARE(rect.width(), 1530 * grid.logicalDpiX() / 1440 - 1);  // less the grid line
        QVERIFY(grid.cellArea()->rect().contains(rect));
    }
};

QTEST_MAIN(ChannelGridTest)
#include "channel_grid_test.moc"
