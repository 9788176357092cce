// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A radio on a pseudo-terminal: it answers the programming protocol as the handheld does
// (mode entry, identification, 64-byte reads, 16-byte writes, the band-limit block sent
// scrambled), keeps a memory that can be loaded from and saved to an image, records what the
// program sent, and can misbehave in the ways real cables and radios do.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/band_limits.h"
#include "model/radio_image.h"
#include "sim/pseudo_terminal.h"

namespace radioprog::sim {

// A fault at chosen requests of a transfer, for the fault matrix.
enum class FaultKind {
    Silent,          // from the hit request on, answers nothing at all
    Drop,            // the reply to the request is lost
    Short,           // a read reply lacks its last byte (a write unit's reply is lost)
    CorruptHeader,   // a read reply names another address (a write unit's reply is lost)
    ExtraByte,       // a stray byte follows the reply
    LateAck,         // the acknowledgement comes lateReplyMs late (and what follows it too)
    DoubledAck,      // the acknowledgement comes twice
    LateDoubledAck,  // the acknowledgement comes at once and again lateReplyMs later
    Nak,             // NAK instead of the acknowledgement; a refused unit is not stored
    BadAck,          // another byte instead of the acknowledgement (the unit is stored)
};
// Which requests a fault counts and hits. A read's acknowledgement is the radio's answer to
// the program's confirmation after the block.
enum class FaultTarget { Read, Write };

struct TargetedFault {
    FaultKind kind = FaultKind::Drop;
    FaultTarget target = FaultTarget::Write;
    int at = 0;     // the first request hit: its number among all such requests, resends included, from 0
    int times = 1;  // how many requests in a row are hit
    bool operator==(const TargetedFault&) const = default;
};

// "late-ack" and the like; false for an unknown name.
bool ParseFaultKind(const std::string& name, FaultKind& kind);
const char* FaultKindName(FaultKind kind);

struct SimFaults {
    bool silent = false;          // answers nothing at all
    bool wrongModeReply = false;  // answers the mode-entry string with NAK
    bool wrongModel = false;      // identifies as another model
    int shortReplies = 0;         // the first k read replies lack their last byte
    bool wrongHeader = false;     // read replies name the wrong address
    int refusedWrites = 0;        // the first k write units are answered with NAK
    int silentAfterBlocks = -1;   // goes silent after answering k reads and writes (-1: never)
    int corruptAddress = -1;      // the byte at this radio address is stored with bit 0
                                  // inverted, and the unit acknowledged as usual (-1: none)
    int garbledReads = 0;         // the first k read replies carry one data byte inverted on
                                  // the line (a different byte each time); memory stays right
    std::vector<TargetedFault> targeted{};
    int lateReplyMs = 500;  // the delay of LateAck and of LateDoubledAck's second ACK
};

// What the program sent, in order.
struct SimEvent {
    enum class Kind { ModeEntry, Identify, Read, Write };
    Kind kind;
    std::uint16_t address = 0;
    std::array<std::uint8_t, 16> data{};         // a write unit's bytes
    std::chrono::steady_clock::time_point at{};  // when it arrived
};

inline constexpr std::uint8_t kNak = 0x15;
// One byte on the wire at 9600 baud, 8N1: 10 bits.
inline constexpr std::chrono::nanoseconds kByteTime{1'041'667};

// Common limits of this radio: 136-174 MHz and 400-520 MHz, receive and transmit.
BandLimits DefaultSimBands();

class RadioSimulator {
public:
    // Memory of a new image, with the default bands.
    RadioSimulator();
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    void SetFaults(const SimFaults& faults);
    // Pacing at 9600 baud: every byte in either direction costs its wire time.
    void SetPaced(bool paced);
    // A USB serial adapter's latency timer between the radio and the program: bytes from the
    // radio are passed on only at ticks of ms milliseconds (0: at once).
    void SetLatencyMs(int ms);
    void SetBandLimits(const BandLimits& limits);
    // Places every block of the image (band-limit data included) at its radio address.
    void LoadImage(const RadioImage& image);
    // The memory as an image (port 1).
    RadioImage Image() const;
    // The band-limit block as stored, before scrambling (64 bytes).
    std::array<std::uint8_t, 64> BandBlock() const;
    // Counts the write units stored, for saving after changes.
    std::uint64_t memoryVersion() const;

    // Creates the pseudo-terminal and starts answering.
    bool Start(std::string& error);
    void Stop();
    const std::string& devicePath() const { return terminal_.devicePath(); }

    std::vector<SimEvent> Events() const;
    void ClearEvents();

private:
    void Serve();
    // Consumes complete requests from input_; returns the bytes to answer.
    void Process();
    std::vector<std::uint8_t> ReadReply(std::uint8_t hi, std::uint8_t lo);
    bool Answering();
    void NoteBlockRequest();
    void Send(const std::vector<std::uint8_t>& bytes);
    // The fault that hits the next request of target, if any; counts the request.
    const TargetedFault* HitBy(FaultTarget target);
    // Queues reply bytes behind everything queued before; delayMs holds them (and so all
    // that follows) back.
    void Emit(const std::vector<std::uint8_t>& bytes, int delayMs = 0);
    void SendDue();
    void NoteReceived(std::size_t count);

    mutable std::mutex mutex_;
    std::vector<std::uint8_t> memory_ = std::vector<std::uint8_t>(0x10000, 0xFF);
    std::array<std::uint8_t, 64> bandBlock_{};
    SimFaults faults_;
    bool paced_ = false;
    int latencyMs_ = 0;
    int blocksAnswered_ = 0;
    bool wentSilent_ = false;
    int readReplies_ = 0;
    int writeUnits_ = 0;
    int requestCount_[2] = {0, 0};                 // reads and write units received, for targeted faults
    const TargetedFault* confirmFault_ = nullptr;  // hits the confirmation of the last read
    std::uint64_t memoryVersion_ = 0;
    std::vector<SimEvent> events_;

    std::vector<std::uint8_t> input_;                   // serving thread only
    std::chrono::steady_clock::time_point wireFree_{};  // serving thread only
    struct Outgoing {
        std::chrono::steady_clock::time_point due;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Outgoing> outgoing_;  // serving thread only (Process runs on it)

    PseudoTerminal terminal_;
    int wakePipe_[2] = {-1, -1};
    std::thread server_;
};

}  // namespace radioprog::sim
