// SPDX-License-Identifier: GPL-3.0-or-later
// The block protocol against a scripted radio on an in-process pseudo-terminal: each byte of
// the input decides how the radio answers one request (store and ACK, refuse, stay silent,
// garble, double or trail its answer, cut or misaddress a read reply). The radio's answer
// bytes leave together, as a radio sends them. Invariants: a unit write that returns success
// put the unit into the radio; a block read that returns success gave the radio's bytes.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "fuzz_support.h"
#include "link/com_port.h"
#include "sim/pseudo_terminal.h"

using namespace radioprog;

namespace {

constexpr std::uint8_t kNak = 0x15;
constexpr int kUnits = 4;
constexpr int kBlocks = 2;

class ScriptedRadio {
public:
    ScriptedRadio() {
        std::string error;
        fuzz::Require(terminal_.Create(error), "a pseudo-terminal");
        thread_ = std::thread([this] { Serve(); });
    }

    const std::string& device() const { return terminal_.devicePath(); }

    void Reset(const std::uint8_t* script, std::size_t size) {
        std::lock_guard lock(mutex_);
        script_.assign(script, script + size);
        next_ = 0;
        memory_.fill(0xEE);
        input_.clear();
        std::uint8_t drain[256];
        while (::read(terminal_.masterFd(), drain, sizeof drain) > 0) {
        }
    }

    std::array<std::uint8_t, 256> memory() {
        std::lock_guard lock(mutex_);
        return memory_;
    }

private:
    std::uint8_t NextAction() { return next_ < script_.size() ? script_[next_++] : 0; }

    void Answer(const std::vector<std::uint8_t>& bytes) {
        // A reply that cannot be written is a silent radio, one of the faults being fuzzed.
        if (bytes.empty()) return;
        [[maybe_unused]] const ssize_t sent = ::write(terminal_.masterFd(), bytes.data(), bytes.size());
    }

    void Serve() {
        int master = terminal_.masterFd();
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        for (;;) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            std::uint8_t buffer[512];
            ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0) continue;
            std::lock_guard lock(mutex_);
            input_.insert(input_.end(), buffer, buffer + n);
            Process();
        }
    }

    void Process() {
        while (!input_.empty()) {
            std::uint8_t first = input_[0];
            if (first == wire::kWriteCommand) {
                if (input_.size() < 4 + wire::kUnitSize) return;
                std::uint8_t lo = input_[2];
                std::uint8_t action = NextAction() % 8;
                bool store = action != 1 && action != 3 && action != 7;
                if (store) std::memcpy(&memory_[lo], &input_[4], wire::kUnitSize);
                input_.erase(input_.begin(), input_.begin() + 4 + static_cast<long>(wire::kUnitSize));
                static const std::vector<std::uint8_t> answers[8] = {
                    {wire::kAck}, {kNak}, {}, {}, {0x07}, {wire::kAck, wire::kAck}, {wire::kAck, 0x00}, {0x86}};
                Answer(answers[action]);
            } else if (first == wire::kReadCommand) {
                if (input_.size() < 4) return;
                std::uint8_t lo = input_[2];
                input_.erase(input_.begin(), input_.begin() + 4);
                std::vector<std::uint8_t> reply = {wire::kWriteCommand, 0, lo, wire::kReadLength};
                for (std::size_t i = 0; i < wire::kBlockSize; ++i) reply.push_back(memory_[(lo + i) & 0xFF]);
                switch (NextAction() % 6) {
                case 1: reply.pop_back(); break;
                case 2: reply[2] ^= 0x40; break;
                case 3: reply.push_back(0x00); break;
                case 4: reply.clear(); break;
                default: break;
                }
                Answer(reply);
            } else if (first == wire::kAck) {
                input_.erase(input_.begin());
                static const std::vector<std::uint8_t> confirmations[4] = {
                    {wire::kAck}, {kNak}, {}, {wire::kAck, wire::kAck}};
                Answer(confirmations[NextAction() % 4]);
            } else {
                input_.erase(input_.begin());
            }
        }
    }

    sim::PseudoTerminal terminal_;
    std::mutex mutex_;
    std::vector<std::uint8_t> script_;
    std::size_t next_ = 0;
    std::array<std::uint8_t, 256> memory_{};
    std::vector<std::uint8_t> input_;
    std::thread thread_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScriptedRadio* radio = new ScriptedRadio();  // lives as long as the process
    // Silence costs a timeout: keep an input to a few dozen exchanges.
    if (size > 48) return 0;
    radio->Reset(data, size);

    CComPort port;
    // Short waits keep the fuzzer fast, yet far longer than the scripted radio takes to answer
    // on a loaded machine: its answers never arrive after the program gave up on them.
    port.SetTimeouts({20, 1, 40, 100, 50});
    fuzz::Require(port.Open(radio->device()), "the pseudo-terminal opens");
    std::uint8_t units[kUnits][wire::kUnitSize];
    for (int u = 0; u < kUnits; ++u)
        for (std::size_t i = 0; i < wire::kUnitSize; ++i) units[u][i] = static_cast<std::uint8_t>(u * 16 + i + 1);

    bool written = true;
    for (int u = 0; u < kUnits && written; ++u)
        written = port.WriteBlock(0, static_cast<std::uint8_t>(u * wire::kUnitSize), units[u]);
    written = written && port.ConfirmWrites();
    if (written) {
        auto memory = radio->memory();
        for (int u = 0; u < kUnits; ++u)
            fuzz::Require(std::memcmp(&memory[u * wire::kUnitSize], units[u], wire::kUnitSize) == 0,
                          "a write that returns success put every unit into the radio");
    }

    for (int b = 0; b < kBlocks; ++b) {
        std::uint8_t block[wire::kBlockSize];
        auto before = radio->memory();
        std::uint8_t lo = static_cast<std::uint8_t>(b * wire::kBlockSize);
        if (port.ReadBlock(0, lo, block))
            fuzz::Require(std::memcmp(block, &before[lo], wire::kBlockSize) == 0,
                          "a read that returns success gave the radio's bytes");
    }
    port.Close();
    return 0;
}
