// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/com_port.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace radioprog {

namespace {

constexpr std::uint8_t kDescrambleTable[16] = {2, 7, 5, 8, 10, 11, 14, 0, 12, 3, 1, 4, 13, 15, 6, 9};
constexpr std::uint8_t kScrambleTable[16] = {7, 10, 0, 9, 11, 2, 14, 1, 3, 15, 4, 5, 8, 12, 6, 13};

}  // namespace

void TranslateNibbles(std::uint8_t* buffer, std::size_t length, bool descramble) {
    const std::uint8_t* table = descramble ? kDescrambleTable : kScrambleTable;
    for (std::size_t i = 0; i < length; ++i)
        buffer[i] = static_cast<std::uint8_t>(table[buffer[i] & 0x0F] + 16 * table[buffer[i] >> 4]);
}

bool CComPort::Open(const std::string& device) { return line_.IsOpen() || line_.Open(device); }

bool CComPort::Close() { return line_.Close(); }

void CComPort::CloseIfOpen() {
    if (line_.IsOpen()) line_.Close();
}

bool CComPort::EnterProgramMode(int retries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(wire::kModeEntryWaitMs));
    line_.Purge();
    lastUnit_ = {};
    slowestAnswer_ = {};
    const auto* entry = reinterpret_cast<const std::uint8_t*>(wire::kModeEntry);
    for (int attempt = 0; attempt <= retries; ++attempt) {
        if (!Send(entry, wire::kModeEntrySize)) return false;
        std::uint8_t reply = 0;
        if (line_.Read(&reply, 1) == 1) return reply == wire::kAck;
    }
    return false;
}

bool CComPort::Identify() {
    if (!SendByte(wire::kStx)) return false;
    std::uint8_t reply[wire::kIdentReplySize];
    if (!ReceiveExactly(reply, sizeof reply)) return false;
    if (reply[0] != wire::kAck || std::memcmp(reply + 1, wire::kModel, 5) != 0 || reply[6] != wire::kIdentTrailer[0] ||
        reply[7] != wire::kIdentTrailer[1])
        return false;
    if (!SendByte(wire::kAck)) return false;
    std::uint8_t ack = 0;
    return line_.Read(&ack, 1) == 1 && ack == wire::kAck;
}

bool CComPort::TakeReadReply(const std::uint8_t* reply, std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    if (reply[0] != wire::kWriteCommand || reply[1] != hi || reply[2] != lo || reply[3] != wire::kReadLength)
        return false;
    std::memcpy(destination, reply + 4, wire::kBlockSize);
    return true;
}

bool CComPort::ReadBlock(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    const std::uint8_t request[4] = {wire::kReadCommand, hi, lo, wire::kReadLength};
    std::uint8_t reply[wire::kReadReplySize];
    bool complete = false;
    for (int attempt = 0; attempt < wire::kReadAttempts && !complete; ++attempt) {
        // Leftovers of an earlier exchange must not be taken for this reply.
        line_.DiscardInput();
        if (!Send(request, sizeof request)) return false;
        // A byte beyond the reply means a byte was inserted somewhere in it: ask again.
        complete = ReceiveExactly(reply, sizeof reply) && !line_.InputPending();
    }
    if (!complete || !TakeReadReply(reply, hi, lo, destination)) return false;
    if (!SendByte(wire::kAck)) return false;
    // The radio may be slow to confirm: wait again without asking again.
    for (int attempt = 0; attempt < wire::kAckReadAttempts; ++attempt) {
        std::uint8_t ack = 0;
        if (line_.Read(&ack, 1) == 1) return ack == wire::kAck;
    }
    return false;
}

bool CComPort::ReadBlockDescrambled(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    const std::uint8_t request[4] = {wire::kReadCommand, hi, lo, wire::kReadLength};
    std::uint8_t reply[wire::kReadReplySize];
    if (!Send(request, sizeof request) || !ReceiveExactly(reply, sizeof reply)) return false;
    if (!TakeReadReply(reply, hi, lo, destination)) return false;
    TranslateNibbles(destination, wire::kBlockSize, 0);
    if (!SendByte(wire::kAck)) return false;
    std::uint8_t ack = 0;
    return line_.Read(&ack, 1) == 1 && ack == wire::kAck;
}

bool CComPort::ExchangeUnit(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source) {
    // Header and data leave in one piece: one system call, and no gap on the line.
    std::uint8_t unit[4 + wire::kUnitSize] = {wire::kWriteCommand, hi, lo, wire::kWriteLength};
    std::memcpy(unit + 4, source, wire::kUnitSize);
    int unanswered = 0;  // sends of this unit the radio has not answered yet
    for (int attempt = 0; attempt < wire::kWriteAttempts; ++attempt) {
        if (attempt > 0) line_.DiscardInput();
        if (!Send(unit, sizeof unit)) return false;
        lastUnitSent_ = Clock::now();
        // The radio stores the unit before it acknowledges: it gets the whole total time.
        std::uint8_t ack = 0;
        if (line_.Read(&ack, 1, ReplyWait::Stored) != 1) {
            ++unanswered;
            continue;
        }
        // Another byte with the ACK: one of them answers an earlier send, so send again.
        if (ack == wire::kAck && !line_.InputPending()) {
            slowestAnswer_ = std::max(slowestAnswer_, Clock::now() - lastUnitSent_);
            // The ACK may have answered an earlier, slow send of this unit; the answer to this
            // one is still on its way and must not be taken for the next unit's. Any ACK
            // means the unit is stored (every send carried the same data), so the late
            // answers are only awaited and dropped.
            AwaitLateAnswers(unanswered);
            return true;
        }
    }
    return false;
}

void CComPort::AwaitLateAnswers(int count) {
    std::uint8_t late = 0;
    while (count > 0 && line_.Read(&late, 1, ReplyWait::Stored) == 1) --count;
    line_.DiscardInput();
}

bool CComPort::SettleLastUnit() {
    for (int round = 0; line_.DiscardInput() > 0; ++round) {
        if (!lastUnit_.valid) return true;
        if (round == wire::kWriteAttempts || !ExchangeUnit(lastUnit_.hi, lastUnit_.lo, lastUnit_.data)) return false;
    }
    return true;
}

bool CComPort::WriteBlock(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source) {
    if (!SettleLastUnit() || !ExchangeUnit(hi, lo, source)) return false;
    lastUnit_.valid = true;
    lastUnit_.hi = hi;
    lastUnit_.lo = lo;
    std::memcpy(lastUnit_.data, source, wire::kUnitSize);
    return true;
}

bool CComPort::ConfirmWrites() {
    // A stray byte taken for the last unit's ACK would be followed by the real answer, which
    // comes about as fast as the radio answered the other units: wait a quarter longer than
    // the slowest answer of this session (at most one read interval), from the last send.
    const Clock::duration interval = std::chrono::milliseconds(line_.timeouts().readIntervalMs);
    const Clock::duration wait = slowestAnswer_ + slowestAnswer_ / 4 + kAnswerJitter;
    std::this_thread::sleep_until(lastUnitSent_ + std::min(interval, wait));
    bool settled = SettleLastUnit();
    lastUnit_ = {};
    slowestAnswer_ = {};
    return settled;
}

}  // namespace radioprog
