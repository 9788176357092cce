// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's programming protocol over one serial line: mode entry, identification,
// 64-byte block reads (one of them nibble-scrambled) and 16-byte unit writes. Every
// operation blocks and answers only true or false; the transfer job decides what a failure
// means for the user.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/serial_line.h"

namespace radioprog {

namespace wire {
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kReadCommand = 0x52;   // 'R'
inline constexpr std::uint8_t kWriteCommand = 0x57;  // 'W', also the header of a read reply
inline constexpr std::uint8_t kReadLength = 0x40;
inline constexpr std::uint8_t kWriteLength = 0x10;
inline constexpr std::size_t kBlockSize = 64;
inline constexpr std::size_t kUnitSize = 16;
inline constexpr std::size_t kReadReplySize = 4 + kBlockSize;
inline constexpr char kModeEntry[] = "PqWmZt5V\x02";  // 9 bytes
inline constexpr std::size_t kModeEntrySize = 9;
inline constexpr char kModel[] = "R3M71";
inline constexpr std::uint8_t kIdentTrailer[2] = {0x43, 0xF8};
inline constexpr std::size_t kIdentReplySize = 8;
inline constexpr int kModeEntryWaitMs = 200;  // quiet time before the mode-entry string
inline constexpr int kReadAttempts = 4;
inline constexpr int kWriteAttempts = 4;
inline constexpr int kAckReadAttempts = 4;
}  // namespace wire

// Replaces each nibble of each byte through the radio's 16-entry table, in place; with
// descramble false, through the inverse table. The band-limit block is sent scrambled.
void TranslateNibbles(std::uint8_t* buffer, std::size_t length, bool descramble);

class CComPort {
public:
    // Opens the device; true at once when the port is open already, whatever the name.
    bool Open(const std::string& device);
    bool Close();
    void CloseIfOpen();
    bool IsOpen() const { return line_.IsOpen(); }
    const OpenError& lastOpenError() const { return line_.lastOpenError(); }

    void SetTimeouts(const LineTimeouts& timeouts) { line_.SetTimeouts(timeouts); }
    void SetTrace(std::shared_ptr<TransferTrace> trace) { line_.SetTrace(std::move(trace)); }
    void SetCancel(const TransferCancel* cancel) { line_.SetCancel(cancel); }
    bool cancelled() const { return line_.cancelled(); }

    // Sends the mode-entry string up to retries + 1 times while the radio stays silent; a
    // reply other than ACK ends the attempts.
    bool EnterProgramMode(int retries);
    // The radio must report the expected model and acknowledge the confirmation.
    bool Identify();
    bool ReadBlock(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    // One attempt; the data arrive scrambled and are descrambled here.
    bool ReadBlockDescrambled(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    // Writes one 16-byte unit. Input left over from earlier exchanges is discarded before
    // every send, and an acknowledgement counts only when no other byte came with it. A stray
    // byte found before the unit puts the previous unit's acknowledgement in doubt (it may
    // have answered an earlier send), so that unit is sent again first.
    bool WriteBlock(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source);
    // After the last unit: waits for a stray reply to it (a quarter longer than the radio
    // took at most to answer a unit, at most one read interval), and sends the unit again if
    // one came. False when that fails.
    bool ConfirmWrites();

    // Spelling of the protocol's own name for the nibble translation; flag 0 descrambles.
    static void TranslateNibbles(std::uint8_t* buffer, std::size_t length, int flag) {
        radioprog::TranslateNibbles(buffer, length, flag == 0);
    }

private:
    bool Send(const std::uint8_t* data, std::size_t size) { return line_.Write(data, size) != 0; }
    bool SendByte(std::uint8_t byte) { return Send(&byte, 1); }
    bool ReceiveExactly(std::uint8_t* data, std::size_t size) { return line_.Read(data, size) == size; }
    // Reads one 68-byte reply to a read request; checks its header and copies the data.
    bool TakeReadReply(const std::uint8_t* reply, std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    // One unit sent until the radio acknowledges it alone, at most kWriteAttempts times.
    bool ExchangeUnit(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source);
    // Waits, one stored-reply time each, for the answers still owed to sends of a unit that
    // timed out, and drops them.
    void AwaitLateAnswers(int count);
    // Discards stray input; while there was some, sends the last acknowledged unit again.
    bool SettleLastUnit();

    struct SentUnit {
        bool valid = false;
        std::uint8_t hi = 0, lo = 0;
        std::uint8_t data[wire::kUnitSize] = {};
    };
    using Clock = std::chrono::steady_clock;
    // Scheduling delays of a loaded machine, added to the final wait.
    static constexpr Clock::duration kAnswerJitter = std::chrono::milliseconds(2);

    SerialLine line_;
    SentUnit lastUnit_;  // the unit acknowledged last in this session
    Clock::time_point lastUnitSent_{};
    Clock::duration slowestAnswer_{};  // the longest a unit's ACK took in this session
};

}  // namespace radioprog
