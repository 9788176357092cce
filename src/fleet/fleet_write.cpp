// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleet/fleet_write.h"

#include <algorithm>
#include <system_error>

#include "radio/band_check.h"

namespace radioprog {

namespace {

// One radio's job reports, forwarded with its port; the band check runs on the spot.
class RadioReports : public TransferReports {
public:
    RadioReports(int port, FleetReports* reports, const LanguageTable& language, const std::atomic<bool>& cancelled,
                 RadioOutcome& radio)
        : port_(port), reports_(reports), language_(language), cancelled_(cancelled), radio_(radio) {}

    void progress(int value) override {
        if (reports_) reports_->progress(port_, value);
    }
    void dataReady(const RadioImage&) override {}
    bool checkBandLimits(const RadioImage& image) override {
        if (cancelled_.load()) {
            radio_.cancelled = true;
            return false;
        }
        BandCheck check = CheckBandLimits(image, language_);
        if (!check.accepted) radio_.bandRefusal = check.message;
        return check.accepted;
    }
    void finished(const TransferOutcome& outcome) override { radio_.outcome = outcome; }

private:
    int port_;
    FleetReports* reports_;
    const LanguageTable& language_;
    const std::atomic<bool>& cancelled_;
    RadioOutcome& radio_;
};

}  // namespace

FleetWrite::FleetWrite(PortMap portMap, std::vector<int> ports, const RadioImage& image, LanguageTable language,
                       bool verify)
    : portMap_(std::move(portMap)),
      ports_(std::move(ports)),
      image_(image),
      language_(std::move(language)),
      verify_(verify),
      outcomes_(ports_.size()) {
    for (std::size_t i = 0; i < ports_.size(); ++i) outcomes_[i].port = ports_[i];
}

FleetWrite::~FleetWrite() {
    wait();
    // The jobs go before the reports they hold.
    tasks_.clear();
}

bool FleetWrite::start(FleetReports* reports) {
    if (started_) return false;
    started_ = true;
    for (std::size_t i = 0; i < ports_.size(); ++i) setUpRadio(i, reports);
    startedTasks_.store(tasks_.size(), std::memory_order_release);
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        running_.fetch_add(1);
        try {
            threads_.emplace_back([this, i, reports] { runRadio(i, reports); });
        } catch (const std::system_error&) {
            running_.fetch_sub(1);
            return false;
        }
    }
    return true;
}

void FleetWrite::setUpRadio(std::size_t index, FleetReports* reports) {
    RadioOutcome& radio = outcomes_[index];
    forwards_.push_back(std::make_unique<RadioReports>(radio.port, reports, language_, cancelled_, radio));
    auto task = std::make_unique<CCommTask>(portMap_);
    if (timeouts_) task->setLineTimeouts(*timeouts_);
    if (trace_) task->setTrace(trace_);
    task->setOptions({radio.port, verify_});
    RadioImage image = image_;
    image.setPort(radio.port);
    task->Setup(forwards_.back().get(), image);
    task->SetMode(TransferMode::Write);
    tasks_.push_back(std::move(task));
}

void FleetWrite::cancel() {
    cancelled_.store(true);
    const std::size_t count = startedTasks_.load(std::memory_order_acquire);
    for (std::size_t i = 0; i < count; ++i) tasks_[i]->cancel();
}

void FleetWrite::runRadio(std::size_t index, FleetReports* reports) {
    RadioOutcome& radio = outcomes_[index];
    tasks_[index]->Run();
    radio.cancelled = radio.cancelled || radio.outcome.cancelled;
    radio.verified = radio.outcome.readBack.has_value();
    radio.differences = VerifyDifferences(image_, radio.outcome, language_);
    running_.fetch_sub(1);
    if (reports) reports->finished(radio);
}

void FleetWrite::wait() {
    for (std::thread& thread : threads_)
        if (thread.joinable() && thread.get_id() != std::this_thread::get_id()) thread.join();
}

RadioStatus FleetWrite::worstStatus() const {
    RadioStatus worst = RadioStatus::Done;
    for (const RadioOutcome& radio : outcomes_)
        worst = static_cast<int>(StatusOf(radio)) > static_cast<int>(worst) ? StatusOf(radio) : worst;
    return worst;
}

}  // namespace radioprog
