// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transfer the web page drives: the transfer engine's requests go to the one serial port
// the user picked in the browser, and the page answers with the time and what the port did.
// The port stands for the image's configured port, so the read's image keeps its port
// number; the band check before a write is answered here, with the language in use.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/transfer_engine.h"
#include "model/language_table.h"
#include "radio/band_check.h"

namespace radioprog {

// Why the picked port did not open, as the browser tells it.
struct PortOpenFailure {
    bool busy = false;   // another program holds it
    std::string reason;  // what to show beside the port
};

class PageTransfer : private TransferReports {
public:
    // Starts a read or a write of image (the document as the editors hold it).
    void start(TransferMode mode, bool verify, const RadioImage& image, const LanguageTable& language, LineTime now);
    bool running() const { return running_; }
    TransferMode mode() const { return mode_; }

    // What the engine waits for; never BandCheck, which is answered here.
    const LineRequest& request() const { return engine_.request(); }
    void opened(LineTime now, const std::string& device, const std::optional<PortOpenFailure>& failure);
    void sent(LineTime now, std::size_t count);
    void received(LineTime now, std::span<const std::uint8_t> bytes);
    void done(LineTime now);
    void cancel() { engine_.cancel(); }

    // The latest progress value (1 at the start, rising counts, 100 when all blocks moved).
    int progressValue() const { return progress_; }

    // Once request() is Finished: how it ended, what was read (a whole read only), the image
    // that was sent, and the radio's band limits with the check's answer (writes only).
    // Ends the transfer.
    const TransferOutcome& finish();
    const std::optional<RadioImage>& readImage() const { return readImage_; }
    const RadioImage& sentImage() const { return sent_; }
    const std::optional<RadioImage>& bandLimitImage() const { return bandLimitImage_; }
    const std::optional<BandCheck>& bandCheck() const { return bandCheck_; }

private:
    void progress(int value) override { progress_ = value; }
    void dataReady(const RadioImage& image) override { readImage_ = image; }
    bool checkBandLimits(const RadioImage& bandLimitImage) override;
    void finished(const TransferOutcome&) override {}
    // Answers the band check as soon as the engine asks it.
    void answerBandCheck(LineTime now);

    TransferEngine engine_;
    LanguageTable language_;
    TransferMode mode_ = TransferMode::Idle;
    bool running_ = false;
    int progress_ = 0;
    RadioImage sent_;
    std::optional<RadioImage> readImage_;
    std::optional<RadioImage> bandLimitImage_;
    std::optional<BandCheck> bandCheck_;
};

// The port the picked serial port stands for: the image's configured port, or COM1 when it
// names none of COM1 ... COM20.
int PickedPortNumber(const RadioImage& image);

}  // namespace radioprog
