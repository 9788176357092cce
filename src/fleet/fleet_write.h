// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes one image to several radios at once: one job per port, each on its own thread,
// each going through the same sequence as a single write (its own band check against its
// own limits, the same retries, its own result). A failing radio never stops the others.
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "fleet/radio_outcome.h"
#include "link/comm_task.h"
#include "link/port_map.h"
#include "link/serial_line.h"
#include "link/transfer_trace.h"
#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

// Called on the radios' threads, several at once: the receiver must be thread-safe.
class FleetReports {
public:
    virtual ~FleetReports() = default;
    // The job's progress on port (1 at the start ... 100, 0 when it has ended).
    virtual void progress(int port, int value) = 0;
    // One radio has ended (after its progress 0).
    virtual void finished(const RadioOutcome& radio) = 0;
};

class FleetWrite {
public:
    // ports: the COM numbers to write (each once, 1..20). verify: read back every radio.
    FleetWrite(PortMap portMap, std::vector<int> ports, const RadioImage& image, LanguageTable language, bool verify);
    // Waits for every radio.
    ~FleetWrite();
    FleetWrite(const FleetWrite&) = delete;
    FleetWrite& operator=(const FleetWrite&) = delete;

    // Before Start: shorter serial timeouts (tests), a byte log shared by every port.
    void setLineTimeouts(const LineTimeouts& timeouts) { timeouts_ = timeouts; }
    void setTrace(std::shared_ptr<TransferTrace> trace) { trace_ = std::move(trace); }

    // Starts one thread per port; false when started before or a thread could not start
    // (the radios already started still run; Wait for them).
    bool start(FleetReports* reports);
    // Stops every radio soon: one that has not passed its band check writes nothing, one that
    // is writing stops between units (its outcome says how many it wrote). Each ends as
    // cancelled. From any thread, and async-signal-safe once Start has returned.
    void cancel();
    // Waits for every radio; afterwards outcomes() holds one entry per port, in port order.
    void wait();
    bool running() const { return running_.load() > 0; }

    const std::vector<RadioOutcome>& outcomes() const { return outcomes_; }
    // The worst status over all radios (Done when all succeeded).
    RadioStatus worstStatus() const;

private:
    void runRadio(std::size_t index, FleetReports* reports);
    void setUpRadio(std::size_t index, FleetReports* reports);

    PortMap portMap_;
    std::vector<int> ports_;
    RadioImage image_;
    LanguageTable language_;
    bool verify_;
    std::optional<LineTimeouts> timeouts_;
    std::shared_ptr<TransferTrace> trace_;
    std::vector<RadioOutcome> outcomes_;  // entry i written only by radio i's thread
    // One job per port, made before any thread starts, so Cancel reaches each of them.
    std::vector<std::unique_ptr<CCommTask>> tasks_;
    std::vector<std::unique_ptr<TransferReports>> forwards_;
    std::vector<std::thread> threads_;
    std::atomic<bool> cancelled_{false};
    std::atomic<int> running_{0};
    std::atomic<std::size_t> startedTasks_{0};  // tasks_ entries Cancel may reach
    bool started_ = false;
};

}  // namespace radioprog
