// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_transfer.h"

#include <cerrno>

#include "link/port_map.h"

namespace radioprog {

int PickedPortNumber(const RadioImage& image) {
    const int port = image.port();
    return port >= kFirstPort && port <= kLastPort ? port : kFirstPort;
}

void PageTransfer::Start(TransferMode mode, bool verify, const RadioImage& image, const LanguageTable& language,
                         LineTime now) {
    language_ = language;
    mode_ = mode;
    running_ = true;
    progress_ = 0;
    sent_ = image;
    readImage_.reset();
    bandLimitImage_.reset();
    bandCheck_.reset();
    TransferJob job;
    job.mode = mode;
    job.image = image;
    // One port, the one the user picked: no scan over ports that are not there.
    job.options.onlyPort = PickedPortNumber(image);
    job.options.verify = verify;
    engine_.StartTransfer(job, *this, now);
}

void PageTransfer::Opened(LineTime now, const std::string& device, const std::optional<PortOpenFailure>& failure) {
    PortOpening opening;
    opening.device = device;
    opening.opened = !failure;
    if (failure) {
        opening.error.code = failure->busy ? EBUSY : EIO;
        opening.error.text = failure->reason;
    }
    engine_.Opened(now, opening);
    AnswerBandCheck(now);
}

void PageTransfer::Sent(LineTime now, std::size_t count) {
    engine_.Sent(now, count);
    AnswerBandCheck(now);
}

void PageTransfer::Received(LineTime now, std::span<const std::uint8_t> bytes) {
    engine_.Received(now, bytes);
    AnswerBandCheck(now);
}

void PageTransfer::Done(LineTime now) {
    engine_.Done(now);
    AnswerBandCheck(now);
}

void PageTransfer::AnswerBandCheck(LineTime now) {
    while (engine_.request().kind == LineRequest::Kind::BandCheck)
        engine_.BandChecked(now, checkBandLimits(engine_.bandCheckImage()));
}

bool PageTransfer::checkBandLimits(const RadioImage& bandLimitImage) {
    bandLimitImage_ = bandLimitImage;
    bandCheck_ = CheckBandLimits(bandLimitImage, language_);
    return bandCheck_->accepted;
}

const TransferOutcome& PageTransfer::Finish() {
    running_ = false;
    mode_ = TransferMode::Idle;
    return engine_.outcome();
}

}  // namespace radioprog
