// SPDX-License-Identifier: GPL-3.0-or-later
// The channel table driven as a user drives it: clicks open the overlay editors over their
// cells, typing and Enter or Tab commit into the image, the filtered edits refuse keys.
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

#include "editors/channel_navigation.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/filter_edit.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/ms_flex_grid.h"
#include "model/channel_record.h"
#include "model/tone_codec.h"

using namespace radioprog;

namespace {

std::unique_ptr<Workspace> MakeWorkspace() {
    auto workspace = std::make_unique<Workspace>();
    for (int r = 0; r < kLanguageRowCount; ++r)
        workspace->language.rows[static_cast<std::size_t>(r)] = "E" + std::to_string(r);
    workspace->language.rows[lang_row::kToneOff] = "OFF";
    return workspace;
}

// A channel in use: receive and transmit 145.00000 MHz.
void UseChannel(RadioImage& image, int n) {
    ChannelRef channel(image, n);
    channel.setRxFrequency(0x14500000);
    channel.setTxFrequency(0x14500000);
}

}  // namespace

Q_DECLARE_METATYPE(radioprog::RadioImage)

class ChannelViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<CChnMsgView> view_;
    const RadioImage& image() const { return workspace_->document.image(); }
    int beeps_ = 0;

    CMSFlexGrid* grid() const { return view_->grid(); }
    QWidget* editor(CellEditor role) const { return view_->cellEditor(role); }
    void click(int row, int col) {
        QTest::mouseClick(grid()->cellArea(), Qt::LeftButton, {}, grid()->cellRect(row, col).center());
    }
    // The editor shows over the cell and nothing else shows.
    void verifyOpenOver(CellEditor role, int row, int col) {
        QVERIFY(editor(role)->isVisible());
        QCOMPARE(editor(role)->geometry(), grid()->cellRect(row, col));
        QCOMPARE(editor(role)->parentWidget(), grid()->cellArea());
    }
    void setCell(int row, int col) {
        grid()->SetRow(row);
        grid()->SetCol(col);
    }

private slots:
    void initTestCase() {
        qRegisterMetaType<RadioImage>();
        SetKeyBeepHandler([this] { ++beeps_; });
    }
    void init() {
        view_.reset();
        workspace_ = MakeWorkspace();
        workspace_->document.editSettings([](RadioImage& image) { UseChannel(image, 4); });
        view_ = std::make_unique<CChnMsgView>(*workspace_);
        view_->resize(1000, 700);
        view_->show();
        view_->LoadFromImage();
        CChnMsgView::forgetFirstClick();
        beeps_ = 0;
    }

    void firstClickOpensNothingAndTheSecondDoes() {
        click(3, 2);
        QVERIFY(editor(CellEditor::Frequency)->isHidden());
        click(3, 2);
        verifyOpenOver(CellEditor::Frequency, 3, 2);
    }

    void clickOnAnEmptyChannelEditsItsReceiveFrequency() {
        click(5, 3);  // the first click of the run
        click(4, 7);
        QCOMPARE(grid()->Col(), 2);
        verifyOpenOver(CellEditor::Frequency, 4, 2);
        // On a channel in use the clicked column's own editor opens.
        click(5, 7);
        verifyOpenOver(CellEditor::Bandwidth, 5, 7);
        QVERIFY(editor(CellEditor::Frequency)->isHidden());
    }

    void typingAndEnterCommitIntoTheImage() {
        QSignalSpy edits(&workspace_->document, &Document::channelsChanged);
        setCell(1, 2);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_1);  // a key opens the edit with that key
        verifyOpenOver(CellEditor::Frequency, 1, 2);
        QTest::keyClicks(editor(CellEditor::Frequency), "45.5");
        QTest::keyClick(editor(CellEditor::Frequency), Qt::Key_Return);

        ChannelView channel(image(), 0);
        QCOMPARE(channel.rxFrequency(), 0x14550000u);
        QCOMPARE(channel.txFrequency(), 0x14550000u);
        QCOMPARE(channel.rxTone(), kToneOff);
        QCOMPARE(channel.signalling(), 0);
        QCOMPARE(view_->GetCellText(0, 2), std::string("145.50000"));
        QCOMPARE(view_->GetCellText(0, 3), std::string("145.50000"));
        QCOMPARE(view_->GetCellText(0, 1), std::string("VHF/UHF"));
        QCOMPARE(grid()->Col(), 3);
        QVERIFY(editor(CellEditor::Frequency)->isHidden());
        QCOMPARE(static_cast<CFilterEdit*>(editor(CellEditor::Frequency))->text(), QStringLiteral("145.50000"));
        QCOMPARE(edits.size(), 1);
        QCOMPARE(edits[0][0].value<QList<int>>(), QList<int>{0});
        QCOMPARE(workspace_->document.history().undoCount(), std::size_t(1));

        // A name typed in column 11 goes in with StoreToImage (as before a write or a save).
        grid()->SetCol(11);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_A);
        QTest::keyClicks(editor(CellEditor::Name), "b12");
        view_->StoreToImage();
        QVERIFY(editor(CellEditor::Name)->isHidden());
        const std::uint8_t* name = image().channelName(0);
        QCOMPARE(std::vector<int>(name, name + 7), (std::vector<int>{10, 11, 1, 2, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(edits.size(), 2);
        view_->StoreToImage();  // nothing open: nothing changes
        QCOMPARE(edits.size(), 2);
    }

    void tabMovesRightAndWrapsToTheNextChannel() {
        setCell(5, 11);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Tab);
        QCOMPARE(QPoint(grid()->Row(), grid()->Col()), QPoint(6, 1));
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Tab);
        QCOMPARE(QPoint(grid()->Row(), grid()->Col()), QPoint(6, 2));
        setCell(128, 11);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Tab);
        QCOMPARE(QPoint(grid()->Row(), grid()->Col()), QPoint(128, 11));
        // Tab in an open list commits the choice and moves on.
        setCell(5, 6);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Space);
        auto* power = static_cast<QComboBox*>(editor(CellEditor::Power));
        verifyOpenOver(CellEditor::Power, 5, 6);
        QTest::keyClick(power, Qt::Key_Down);  // row 3: bit 13 = 0
        QCOMPARE(power->currentIndex(), 1);
        QTest::keyClick(power, Qt::Key_Tab);
        QCOMPARE(grid()->Col(), 7);
        QVERIFY(!ChannelView(image(), 4).flag(channel_flag::kPower));
        QCOMPARE(view_->GetCellText(4, 6), "E" + std::to_string(lang_row::kLow));
    }

    void upAndDownOntoEmptyChannelsGoToTheBandColumn() {
        setCell(5, 7);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Up);
        QCOMPARE(QPoint(grid()->Row(), grid()->Col()), QPoint(4, 1));
        setCell(5, 7);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Down);
        QCOMPARE(QPoint(grid()->Row(), grid()->Col()), QPoint(6, 1));
        setCell(6, 7);  // onto the channel in use the column stays
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Up);
        QCOMPARE(QPoint(grid()->Row(), grid()->Col()), QPoint(5, 7));
        // From an open edit the cell is committed and the table moves as well.
        setCell(5, 2);
        QTest::keyClick(grid()->focusProxy(), Qt::Key_Return);
        QVERIFY(editor(CellEditor::Frequency)->isVisible());
        QTest::keyClick(editor(CellEditor::Frequency), Qt::Key_Down);
        QCOMPARE(QPoint(grid()->Row(), grid()->Col()), QPoint(6, 1));
        QVERIFY(editor(CellEditor::Frequency)->isHidden());
    }

    void filteredEditsRefuseWhatTheFieldCannotHold() {
        CChannelNameEdit name;
        QTest::keyClicks(&name, "ab12cd3");
        QCOMPARE(beeps_, 0);
        QTest::keyClick(&name, Qt::Key_E);  // an eighth character
        QTest::keyClick(&name, Qt::Key_Backspace);
        QTest::keyClick(&name, Qt::Key_Space);
        QTest::keyClick(&name, Qt::Key_Minus);
        QCOMPARE(name.text(), QStringLiteral("AB12CD"));  // shown as the radio stores it
        QCOMPARE(beeps_, 3);
        name.selectAll();  // a selection is replaced, also at the limit
        QTest::keyClick(&name, Qt::Key_Z);
        QCOMPARE(name.text(), QStringLiteral("Z"));

        CNumericEdit number;
        QTest::keyClicks(&number, "14x5.5");
        QCOMPARE(number.text(), QStringLiteral("145.5"));
        QCOMPARE(beeps_, 4);
    }
};

QTEST_MAIN(ChannelViewTest)
#include "channel_view_test.moc"
