// SPDX-License-Identifier: GPL-3.0-or-later
// Several simulated radios on pseudo-terminals written at once through the real serial code.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include "fleet/fleet_write.h"
#include "link/link_test_support.h"
#include "link/proven_transfer.h"
#include "model/channel_record.h"
#include "radio/new_image.h"

namespace radioprog {
namespace {

using test::RunningSim;

// A band-clean image: defaults with every channel at an in-band frequency and a name.
RadioImage FleetImage() {
    RadioImage image;
    WriteNewImage(image);
    for (int n = 0; n < kChannelCount; ++n) {
        ChannelRef channel(image, n);
        channel.setRxFrequency(n % 2 ? 0x14500000u + static_cast<std::uint32_t>(n % 10) * 0x1000u : 0x43812500u);
        channel.setTxFrequency(channel.rxFrequency());
        channel.setNameByte(0, static_cast<std::uint8_t>(n % 36));
    }
    image.dtmfSlot(3)[0] = 5;
    return image;
}

// True when the radio holds every byte the write sends.
::testing::AssertionResult HoldsWrittenUnits(const RunningSim& radio, const RadioImage& image) {
    RadioImage memory = radio.image();
    for (const WrittenRecord& written : WrittenRecords()) {
        std::size_t bytes = 16 * static_cast<std::size_t>(written.units);
        const std::uint8_t* sent = image.recordData(*written.record);
        const std::uint8_t* held = memory.recordData(*written.record);
        if (!std::equal(sent, sent + bytes, held))
            return ::testing::AssertionFailure() << "block 0x" << std::hex << written.record->address << " differs";
    }
    return ::testing::AssertionSuccess();
}

class Collector : public FleetReports {
public:
    void progress(int port, int value) override {
        std::lock_guard lock(mutex);
        if (value == 0) ended.push_back(port);
    }
    void finished(const RadioOutcome& radio) override {
        std::lock_guard lock(mutex);
        finishedPorts.push_back(radio.port);
    }
    std::mutex mutex;
    std::vector<int> ended;
    std::vector<int> finishedPorts;
};

struct Fleet {
    explicit Fleet(std::vector<sim::SimFaults> faults) {
        std::vector<std::string> devices;
        for (const sim::SimFaults& f : faults) {
            radios.push_back(std::make_unique<RunningSim>(f));
            devices.push_back(radios.back()->devicePath());
        }
        ports = PortMap(devices);
    }
    std::vector<std::unique_ptr<RunningSim>> radios;
    PortMap ports;
};

LanguageTable Texts() {
    LanguageTable language;
    language.rows[lang_row::kChannelNumber] = "CH";
    language.rows[lang_row::kRxFrequency] = "RX Freq";
    return language;
}

TEST(FleetWrite, WritesEveryRadioAndReportsEachOnce) {
    Fleet fleet({{}, {}, {}});
    const RadioImage image = FleetImage();
    FleetWrite write(fleet.ports, {1, 2, 3}, image, Texts(), false);
    Collector reports;
    ASSERT_TRUE(write.start(&reports));
    write.wait();

    EXPECT_EQ(write.worstStatus(), RadioStatus::Done);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(HoldsWrittenUnits(*fleet.radios[i], image)) << "radio " << i;
        EXPECT_EQ(write.outcomes()[i].port, static_cast<int>(i) + 1);
        EXPECT_EQ(write.outcomes()[i].outcome.foundPort, static_cast<int>(i) + 1);
        // One port each: no radio saw a mode entry meant for another.
        EXPECT_EQ(fleet.radios[i]->count(sim::SimEvent::Kind::ModeEntry), 1u);
    }
    std::sort(reports.finishedPorts.begin(), reports.finishedPorts.end());
    EXPECT_EQ(reports.finishedPorts, (std::vector<int>{1, 2, 3}));
}

TEST(FleetWrite, AFailingRadioNeverStopsTheOthers) {
    sim::SimFaults refusing;
    refusing.refusedWrites = 4;  // the first unit NAKed four times
    Fleet fleet({{}, refusing, {}});
    const RadioImage image = FleetImage();
    FleetWrite write(fleet.ports, {1, 2, 3}, image, Texts(), false);
    ASSERT_TRUE(write.start(nullptr));
    write.wait();

    EXPECT_EQ(write.worstStatus(), RadioStatus::WriteFailed);
    const RadioOutcome& failed = write.outcomes()[1];
    EXPECT_EQ(StatusOf(failed), RadioStatus::WriteFailed);
    EXPECT_EQ(OutcomeText(failed, Texts()), "Write failed at CH 0");
    EXPECT_TRUE(HoldsWrittenUnits(*fleet.radios[0], image));
    EXPECT_TRUE(HoldsWrittenUnits(*fleet.radios[2], image));
}

TEST(FleetWrite, EachRadioIsCheckedAgainstItsOwnBands) {
    Fleet fleet({{}, {}});
    fleet.radios[1]->setBandLimits({{150, 400}, {160, 420}, {150, 400}, {160, 420}});
    const RadioImage image = FleetImage();
    FleetWrite write(fleet.ports, {1, 2}, image, Texts(), false);
    ASSERT_TRUE(write.start(nullptr));
    write.wait();
    EXPECT_EQ(StatusOf(write.outcomes()[0]), RadioStatus::Done);
    EXPECT_EQ(StatusOf(write.outcomes()[1]), RadioStatus::BandRefused);
    EXPECT_EQ(write.worstStatus(), RadioStatus::BandRefused);
    EXPECT_FALSE(write.outcomes()[1].bandRefusal.empty());
    EXPECT_EQ(fleet.radios[1]->count(sim::SimEvent::Kind::Write), 0u);
    EXPECT_TRUE(HoldsWrittenUnits(*fleet.radios[0], image));
}

TEST(FleetWrite, VerifyFindsTheByteARadioStoredWrongAndPassesTheSoundOnes) {
    sim::SimFaults corrupting;
    corrupting.corruptAddress = 9 * 16;  // channel 9, first byte of its receive frequency
    Fleet fleet({{}, corrupting, {}});
    const RadioImage image = FleetImage();
    FleetWrite write(fleet.ports, {1, 2, 3}, image, Texts(), true);
    ASSERT_TRUE(write.start(nullptr));
    write.wait();

    EXPECT_EQ(write.worstStatus(), RadioStatus::VerifyDiffers);
    for (std::size_t i : {0u, 2u}) {
        EXPECT_EQ(StatusOf(write.outcomes()[i]), RadioStatus::Done);
        EXPECT_TRUE(write.outcomes()[i].verified);
    }
    const RadioOutcome& wrong = write.outcomes()[1];
    ASSERT_EQ(wrong.differences.size(), 1u);
    EXPECT_EQ(wrong.differences[0].channel, 9);
    EXPECT_EQ(DifferenceText(wrong.differences[0], Texts()), "CH 9 RX Freq 145.09000 \xE2\x86\x92 145.09001");
    // Every written block was read back after the last unit.
    std::vector<sim::SimEvent> events = fleet.radios[1]->events();
    auto lastWrite = std::find_if(events.rbegin(), events.rend(),
                                  [](const sim::SimEvent& e) { return e.kind == sim::SimEvent::Kind::Write; });
    auto readsAfter = std::count_if(events.rbegin(), lastWrite,
                                    [](const sim::SimEvent& e) { return e.kind == sim::SimEvent::Kind::Read; });
    EXPECT_EQ(readsAfter, 71);
}

TEST(FleetWrite, CancelledBeforeTheBandCheckWritesNothing) {
    Fleet fleet({{}, {}});
    FleetWrite write(fleet.ports, {1, 2}, FleetImage(), Texts(), false);
    write.cancel();
    ASSERT_TRUE(write.start(nullptr));
    write.wait();
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(write.outcomes()[i].cancelled);
        EXPECT_EQ(fleet.radios[i]->count(sim::SimEvent::Kind::Write), 0u);
    }
}

}  // namespace
}  // namespace radioprog
