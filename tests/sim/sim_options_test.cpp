// SPDX-License-Identifier: GPL-3.0-or-later
// The radiosim command line.
#include <gtest/gtest.h>

#include "sim/sim_options.h"

namespace radioprog::sim {
namespace {

TEST(SimOptions, ParsesMemoryBandsPacingAndFaults) {
    SimConfig config;
    std::string error;
    ASSERT_TRUE(ParseSimArgs({"--load",
                              "a.dat",
                              "--save",
                              "b.dat",
                              "--link",
                              "/tmp/r",
                              "--bands",
                              "144-146,430-440",
                              "--tx-bands",
                              "144-145,430-431",
                              "--paced",
                              "--latency-ms",
                              "16",
                              "--silent",
                              "--wrong-mode-reply",
                              "--wrong-model",
                              "--short-replies",
                              "2",
                              "--wrong-header",
                              "--refuse-writes",
                              "3",
                              "--silent-after",
                              "10"},
                             config, error))
        << error;
    EXPECT_EQ(config.loadFile, "a.dat");
    EXPECT_EQ(config.saveFile, "b.dat");
    EXPECT_EQ(config.linkPath, "/tmp/r");
    EXPECT_TRUE(config.paced);
    EXPECT_EQ(config.latencyMs, 16);
    EXPECT_TRUE(config.faults.silent && config.faults.wrongModeReply && config.faults.wrongModel &&
                config.faults.wrongHeader);
    EXPECT_EQ(config.faults.shortReplies, 2);
    EXPECT_EQ(config.faults.refusedWrites, 3);
    EXPECT_EQ(config.faults.silentAfterBlocks, 10);

    BandLimits limits = ApplyBandOptions(config, DefaultSimBands());
    EXPECT_EQ(limits.rxLower[0], 144);
    EXPECT_EQ(limits.rxUpper[1], 440);
    EXPECT_EQ(limits.txUpper[0], 145);
    EXPECT_EQ(limits.txUpper[1], 431);
    // Bands not given keep what the simulator has.
    SimConfig rxOnly;
    ASSERT_TRUE(ParseSimArgs({"--rx-bands", "1-2,3-4"}, rxOnly, error));
    EXPECT_EQ(ApplyBandOptions(rxOnly, DefaultSimBands()).txUpper[1], 520);
}

// A radio answers at the wire's pace unless asked to answer at once.
TEST(SimOptions, PacedUnlessInstant) {
    std::string error;
    SimConfig plain;
    ASSERT_TRUE(ParseSimArgs({}, plain, error)) << error;
    EXPECT_TRUE(plain.paced);
    SimConfig instant;
    ASSERT_TRUE(ParseSimArgs({"--instant"}, instant, error)) << error;
    EXPECT_FALSE(instant.paced);
    SimConfig both;
    EXPECT_FALSE(ParseSimArgs({"--paced", "--instant"}, both, error));
    EXPECT_EQ(error, "--paced and --instant exclude each other");
}

TEST(SimOptions, SeveralLinksAreSeveralRadiosAndTheStorageFaultTakesAnAddress) {
    SimConfig config;
    std::string error;
    ASSERT_TRUE(ParseSimArgs(
        {"--link", "/tmp/a", "--link", "/tmp/b", "--link", "/tmp/c", "--corrupt-byte", "0x0090", "--garble-reads", "2"},
        config, error))
        << error;
    EXPECT_EQ(config.linkPath, "/tmp/a");
    EXPECT_EQ(config.moreLinks, (std::vector<std::string>{"/tmp/b", "/tmp/c"}));
    EXPECT_EQ(config.faults.corruptAddress, 0x90);
    EXPECT_EQ(config.faults.garbledReads, 2);
    SimConfig decimal;
    ASSERT_TRUE(ParseSimArgs({"--corrupt-byte", "144"}, decimal, error));
    EXPECT_EQ(decimal.faults.corruptAddress, 144);
    for (const char* bad : {"0x10000", "0xZZ", "-1", ""}) {
        SimConfig refused;
        EXPECT_FALSE(ParseSimArgs({"--corrupt-byte", bad}, refused, error)) << bad;
    }
}

TEST(SimOptions, ParsesTargetedFaults) {
    SimConfig config;
    std::string error;
    ASSERT_TRUE(ParseSimArgs({"--fault", "late-ack,write,17", "--fault", "nak,write,18,99", "--fault",
                              "bad-header,read,3", "--late-ms", "900"},
                             config, error))
        << error;
    const std::vector<TargetedFault> expected = {{FaultKind::LateAck, FaultTarget::Write, 17, 1},
                                                 {FaultKind::Nak, FaultTarget::Write, 18, 99},
                                                 {FaultKind::CorruptHeader, FaultTarget::Read, 3, 1}};
    EXPECT_EQ(config.faults.targeted, expected);
    EXPECT_EQ(config.faults.lateReplyMs, 900);
    for (FaultKind kind : {FaultKind::Silent, FaultKind::Drop, FaultKind::Short, FaultKind::CorruptHeader,
                           FaultKind::ExtraByte, FaultKind::LateAck, FaultKind::DoubledAck, FaultKind::Nak,
                           FaultKind::BadAck, FaultKind::LateDoubledAck, FaultKind::Trickle, FaultKind::Lost}) {
        FaultKind parsed{};
        EXPECT_TRUE(ParseFaultKind(FaultKindName(kind), parsed) && parsed == kind) << FaultKindName(kind);
    }
}

TEST(SimOptions, RefusesWhatItDoesNotUnderstand) {
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{{"--load"},
                                                                               {"--bands", "136-174"},
                                                                               {"--bands", "136-174,400"},
                                                                               {"--bands", "a-b,c-d"},
                                                                               {"--rx-bands", "1-99999,1-2"},
                                                                               {"--short-replies", "-1"},
                                                                               {"--refuse-writes", "x"},
                                                                               {"--frobnicate"},
                                                                               {"--fault", "nak,write"},
                                                                               {"--fault", "nak,both,1"},
                                                                               {"--fault", "loud,read,1"},
                                                                               {"--fault", "nak,read,1,0"},
                                                                               {"--fault", "nak,read,1,2,3"},
                                                                               {"--late-ms", "soon"},
                                                                               {"--latency-ms", "256"},
                                                                               {"--latency-ms", "-1"}}) {
        SimConfig config;
        std::string error;
        EXPECT_FALSE(ParseSimArgs(args, config, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
    SimConfig config;
    std::string error;
    ASSERT_TRUE(ParseSimArgs({"--help"}, config, error));
    EXPECT_TRUE(config.help);
    EXPECT_NE(std::string(SimUsage()).find("--silent-after K"), std::string::npos);
}

}  // namespace
}  // namespace radioprog::sim
