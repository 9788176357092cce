// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page_transfer.h"

#include <cerrno>

#include "link/port_map.h"

namespace radioprog {

int PickedPortNumber(const RadioImage& image) {
    const int port = image.port();
    return port >= kFirstPort && port <= kLastPort ? port : kFirstPort;
}

void PageTransfer::start(TransferMode mode, bool verify, const RadioImage& image, const LanguageTable& language,
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
    engine_.startTransfer(job, *this, now);
}

void PageTransfer::opened(LineTime now, const std::string& device, const std::optional<PortOpenFailure>& failure) {
    PortOpening opening;
    opening.device = device;
    opening.opened = !failure;
    if (failure) {
        opening.error.code = failure->busy ? EBUSY : EIO;
        opening.error.text = failure->reason;
    }
    engine_.opened(now, opening);
    answerBandCheck(now);
}

void PageTransfer::sent(LineTime now, std::size_t count) {
    engine_.sent(now, count);
    answerBandCheck(now);
}

void PageTransfer::received(LineTime now, std::span<const std::uint8_t> bytes) {
    engine_.received(now, bytes);
    answerBandCheck(now);
}

void PageTransfer::done(LineTime now) {
    engine_.done(now);
    answerBandCheck(now);
}

void PageTransfer::answerBandCheck(LineTime now) {
    while (engine_.request().kind == LineRequest::Kind::BandCheck)
        engine_.bandChecked(now, checkBandLimits(engine_.bandCheckImage()));
}

bool PageTransfer::checkBandLimits(const RadioImage& bandLimitImage) {
    bandLimitImage_ = bandLimitImage;
    bandCheck_ = CheckBandLimits(bandLimitImage, language_);
    return bandCheck_->accepted;
}

const TransferOutcome& PageTransfer::finish() {
    running_ = false;
    mode_ = TransferMode::Idle;
    return engine_.outcome();
}

}  // namespace radioprog
