// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated handheld itself, with no clock and no device of its own: it is told when the
// program's bytes reach it and says when each byte of its answers reaches the program. It
// answers the programming protocol as the radio does (mode entry, identification, 64-byte
// reads, 16-byte writes, the band-limit block sent scrambled), keeps a memory that can be
// loaded from and saved to an image, records what the program sent, and can misbehave in the
// ways real cables and radios do. The pseudo-terminal simulator and the virtual line of the
// tests both drive it.
#include <array>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "model/band_limits.h"
#include "model/radio_image.h"

namespace radioprog::sim {

// The radio's side of the protocol, written down here on its own so that a wrong constant
// on the program's side cannot agree with itself.
namespace radio_wire {
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kIdentify = 0x02;
inline constexpr std::uint8_t kRead = 0x52;
inline constexpr std::uint8_t kWrite = 0x57;  // also the header of a read reply
inline constexpr std::uint8_t kBlockLength = 0x40;
inline constexpr std::size_t kBlockSize = 64;
inline constexpr std::size_t kUnitSize = 16;
inline constexpr std::uint8_t kModeEntry[9] = {0x50, 0x71, 0x57, 0x6D, 0x5A, 0x74, 0x35, 0x56, 0x02};
inline constexpr std::uint8_t kIdentity[8] = {0x06, 0x52, 0x33, 0x4D, 0x37, 0x31, 0x43, 0xF8};
inline constexpr std::uint8_t kOtherIdentity[8] = {0x06, 0x52, 0x33, 0x4D, 0x37, 0x32, 0x43, 0xF8};
inline constexpr std::uint8_t kUnreadableIdentity[8] = {0x06, 0x00, 0x01, 0x1B, 0x7F, 0xFF, 0x43, 0xF8};
inline constexpr std::uint8_t kScramble[16] = {7, 10, 0, 9, 11, 2, 14, 1, 3, 15, 4, 5, 8, 12, 6, 13};
}  // namespace radio_wire

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
    Trickle,         // the reply comes one byte every trickleMs
    Lost,            // the request never reaches the radio whole: nothing stored, nothing answered
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
    bool silent = false;           // answers nothing at all
    bool wrongModeReply = false;   // answers the mode-entry string with NAK
    bool wrongModel = false;       // identifies as another model
    bool unreadableModel = false;  // identifies with a model name of non-printing bytes
    int shortReplies = 0;          // the first k read replies lack their last byte
    bool wrongHeader = false;      // read replies name the wrong address
    int refusedWrites = 0;         // the first k write units are answered with NAK
    int silentAfterBlocks = -1;    // goes silent after answering k reads and writes (-1: never)
    int corruptAddress = -1;       // the byte at this radio address is stored with bit 0
                                   // inverted, and the unit acknowledged as usual (-1: none)
    int garbledReads = 0;          // the first k read replies carry one data byte inverted on
                                   // the line (a different byte each time); memory stays right
    std::vector<TargetedFault> targeted{};
    int lateReplyMs = 500;  // the delay of LateAck and of LateDoubledAck's second ACK
    int trickleMs = 300;    // the gap between the bytes of a trickled reply
};

// What the program sent, in order.
struct SimEvent {
    enum class Kind { ModeEntry, Identify, Read, Write };
    Kind kind;
    std::uint16_t address = 0;
    std::array<std::uint8_t, 16> data{};         // a write unit's bytes
    std::chrono::steady_clock::time_point at{};  // when it arrived
};

inline constexpr std::uint8_t kNak = radio_wire::kNak;
// One byte on the wire at 9600 baud, 8N1: 10 bits.
inline constexpr std::chrono::nanoseconds kByteTime{1'041'667};

// Common limits of this radio: 136-174 MHz and 400-520 MHz, receive and transmit.
BandLimits DefaultSimBands();

class SimRadio {
public:
    using Clock = std::chrono::steady_clock;
    using Time = Clock::time_point;

    // Memory of a new image, with the default bands.
    SimRadio();

    void setFaults(const SimFaults& faults);
    // Pacing at 9600 baud: every byte in either direction costs its wire time.
    void setPaced(bool paced);
    // A USB serial adapter's latency timer between the radio and the program: bytes from the
    // radio are passed on only at ticks of ms milliseconds (0: at once).
    void setLatencyMs(int ms);
    void setBandLimits(const BandLimits& limits);
    // Places every block of the image (band-limit data included) at its radio address.
    void loadImage(const RadioImage& image);
    // The memory as an image (port 1).
    RadioImage image() const;
    // The band-limit block as stored, before scrambling (64 bytes).
    std::array<std::uint8_t, 64> bandBlock() const;
    // Counts the write units stored, for saving after changes.
    std::uint64_t memoryVersion() const;
    std::vector<SimEvent> events() const;
    void clearEvents();

    // The program's bytes reach the radio at now.
    void receive(Time now, const std::uint8_t* data, std::size_t size);
    // Appends the answer bytes that have reached the program by now, in order.
    void takeDue(Time now, std::vector<std::uint8_t>& out);
    // When the next answer byte reaches the program; Time::max() when none is on its way.
    Time nextDue() const;

private:
    // Consumes the complete requests at the front of input_.
    void process(Time now);
    // Each returns false when the request at the front is not complete yet.
    bool onModeEntry(Time now);
    void onIdentify(Time now);
    void onConfirm(Time now);
    bool onRead(Time now);
    bool onWrite(Time now);
    void acknowledge(Time now, const TargetedFault* fault);
    // The reply to a read request, into reply.
    void readReply(std::uint8_t hi, std::uint8_t lo, std::vector<std::uint8_t>& reply);
    bool answering() const;
    void noteBlockRequest();
    // The fault that hits the next request of target, if any; counts the request.
    const TargetedFault* hitBy(FaultTarget target);
    // Queues answer bytes behind everything queued before; delayMs holds them (and so all
    // that follows) back.
    void queueAnswer(Time now, std::span<const std::uint8_t> bytes, int delayMs = 0);
    void queueAnswer(Time now, std::initializer_list<std::uint8_t> bytes, int delayMs = 0) {
        queueAnswer(now, std::span<const std::uint8_t>(bytes.begin(), bytes.size()), delayMs);
    }

    mutable std::mutex mutex_;
    std::array<std::uint8_t, 0x10000> memory_;
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

    std::vector<std::uint8_t> input_;
    std::vector<std::uint8_t> replyScratch_;  // a read reply being built
    Time wireFree_{};                         // when the wire is free for the radio's next byte
    Time lastDue_{};                          // when the last queued byte leaves: nothing overtakes it
    struct Outgoing {
        Time arrives;
        std::uint8_t byte;
    };
    // Queued answer bytes from outgoingFront_ on; the storage is kept for the next answers.
    std::vector<Outgoing> outgoing_;
    std::size_t outgoingFront_ = 0;
};

}  // namespace radioprog::sim
