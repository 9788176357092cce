// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the link tests: the simulated radio (support/running_sim.h), a report
// receiver that writes down everything in order, and images whose every data byte tells
// where it came from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/serial_line.h"
#include "link/transfer_reports.h"
#include "radio/new_image.h"
#include "sim/radio_sim.h"
#include "support/running_sim.h"

namespace radioprog::test {

using sim::SimEvent;

// Short timeouts for cases that wait for silence; the sequence of the protocol is the same.
inline LineTimeouts FastTimeouts() { return {100, 2, 300, 100, 50}; }

// Every data byte of every block (band limits excepted) set from its image offset and a seed.
inline RadioImage PatternImage(int seed) {
    RadioImage image;
    WriteNewImage(image);
    for (const RecordInfo& record : BlockMap()) {
        if (record.block == BlockId::BandLimits) continue;
        std::uint8_t* data = image.recordData(record);
        for (std::size_t i = 0; i < RecordDataSize(record.form); ++i)
            data[i] = static_cast<std::uint8_t>((record.offset + i) * 7 + static_cast<std::size_t>(seed));
    }
    return image;
}

// Writes down every report as a line ("progress 5", "check", "data", "finished 3 port 7").
class RecordingReports : public TransferReports {
public:
    bool answer = true;  // the band check's answer
    std::vector<std::string> log;
    std::vector<RadioImage> data;
    std::vector<RadioImage> checked;
    std::vector<TransferOutcome> outcomes;

    void progress(int value) override { log.push_back("progress " + std::to_string(value)); }
    void dataReady(const RadioImage& image) override {
        log.push_back("data");
        data.push_back(image);
    }
    bool checkBandLimits(const RadioImage& image) override {
        log.push_back("check");
        checked.push_back(image);
        return answer;
    }
    void finished(const TransferOutcome& outcome) override {
        std::string line = "finished " + std::to_string(static_cast<int>(outcome.result));
        if (outcome.foundPort) line += " port " + std::to_string(*outcome.foundPort);
        log.push_back(line);
        outcomes.push_back(outcome);
    }
};

inline std::vector<std::string> ProgressLines(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<std::string> lines;
    for (auto [first, last] : ranges)
        for (int v = first; v <= last; ++v) lines.push_back("progress " + std::to_string(v));
    return lines;
}

}  // namespace radioprog::test
