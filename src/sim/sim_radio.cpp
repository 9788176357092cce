// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_radio.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "radio/new_image.h"

namespace radioprog::sim {

namespace {

namespace rw = radio_wire;

constexpr std::uint8_t kStrayByte = 0x00;
constexpr std::uint8_t kBadAck = 0x07;

struct FaultKindEntry {
    FaultKind kind;
    const char* name;
};

constexpr FaultKindEntry kFaultKinds[] = {
    {FaultKind::Silent, "silent"},         {FaultKind::Drop, "drop"},
    {FaultKind::Short, "short"},           {FaultKind::CorruptHeader, "bad-header"},
    {FaultKind::ExtraByte, "extra-byte"},  {FaultKind::LateAck, "late-ack"},
    {FaultKind::DoubledAck, "double-ack"}, {FaultKind::Nak, "nak"},
    {FaultKind::BadAck, "bad-ack"},        {FaultKind::LateDoubledAck, "late-double-ack"},
    {FaultKind::Trickle, "trickle"},       {FaultKind::Lost, "lost"},
};

// The radio's band-limit block goes out scrambled nibble by nibble.
void Scramble(std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(rw::kScramble[data[i] & 0x0F] + 16 * rw::kScramble[data[i] >> 4]);
}

}  // namespace

bool ParseFaultKind(const std::string& name, FaultKind& kind) {
    for (const FaultKindEntry& entry : kFaultKinds)
        if (name == entry.name) {
            kind = entry.kind;
            return true;
        }
    return false;
}

const char* FaultKindName(FaultKind kind) {
    for (const FaultKindEntry& entry : kFaultKinds)
        if (entry.kind == kind) return entry.name;
    return "";
}

BandLimits DefaultSimBands() { return {{136, 400}, {174, 520}, {136, 400}, {174, 520}}; }

SimRadio::SimRadio() {
    memory_.fill(0xFF);
    // Room for the requests of a whole transfer.
    events_.reserve(512);
    RadioImage image;
    WriteNewImage(image);
    loadImage(image);
    setBandLimits(DefaultSimBands());
}

void SimRadio::setFaults(const SimFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    blocksAnswered_ = readReplies_ = writeUnits_ = 0;
    requestCount_[0] = requestCount_[1] = 0;
    confirmFault_ = nullptr;
    wentSilent_ = false;
}

void SimRadio::setLatencyMs(int ms) {
    std::lock_guard lock(mutex_);
    latencyMs_ = ms;
}

void SimRadio::setPaced(bool paced) {
    std::lock_guard lock(mutex_);
    paced_ = paced;
}

void SimRadio::setBandLimits(const BandLimits& limits) {
    std::lock_guard lock(mutex_);
    EncodeBandLimits(limits, bandBlock_.data());
}

void SimRadio::loadImage(const RadioImage& image) {
    std::lock_guard lock(mutex_);
    for (const RecordInfo& record : BlockMap()) {
        const std::uint8_t* data = image.recordData(record);
        if (record.block == BlockId::BandLimits)
            std::copy(data, data + bandBlock_.size(), bandBlock_.begin());
        else
            std::copy(data, data + RecordDataSize(record.form), memory_.begin() + record.address);
    }
}

RadioImage SimRadio::image() const {
    RadioImage image;
    image.ApplyDefaults();
    std::lock_guard lock(mutex_);
    for (const RecordInfo& record : BlockMap()) {
        std::uint8_t* data = image.recordData(record);
        if (record.block == BlockId::BandLimits)
            std::copy(bandBlock_.begin(), bandBlock_.end(), data);
        else
            std::copy_n(memory_.begin() + record.address, RecordDataSize(record.form), data);
    }
    return image;
}

std::array<std::uint8_t, 64> SimRadio::bandBlock() const {
    std::lock_guard lock(mutex_);
    return bandBlock_;
}

std::uint64_t SimRadio::memoryVersion() const {
    std::lock_guard lock(mutex_);
    return memoryVersion_;
}

std::vector<SimEvent> SimRadio::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

void SimRadio::clearEvents() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

void SimRadio::receive(Time now, const std::uint8_t* data, std::size_t size) {
    std::lock_guard lock(mutex_);
    // The program's bytes hold the wire too.
    wireFree_ = std::max(wireFree_, now) + kByteTime * static_cast<long>(size);
    input_.insert(input_.end(), data, data + size);
    process(now);
}

void SimRadio::takeDue(Time now, std::vector<std::uint8_t>& out) {
    std::lock_guard lock(mutex_);
    while (outgoingFront_ < outgoing_.size() && outgoing_[outgoingFront_].arrives <= now)
        out.push_back(outgoing_[outgoingFront_++].byte);
    if (outgoingFront_ == outgoing_.size()) {
        outgoing_.clear();
        outgoingFront_ = 0;
    } else if (outgoingFront_ > 256 && outgoingFront_ * 2 > outgoing_.size()) {
        outgoing_.erase(outgoing_.begin(), outgoing_.begin() + static_cast<std::ptrdiff_t>(outgoingFront_));
        outgoingFront_ = 0;
    }
}

SimRadio::Time SimRadio::nextDue() const {
    std::lock_guard lock(mutex_);
    return outgoingFront_ == outgoing_.size() ? Time::max() : outgoing_[outgoingFront_].arrives;
}

void SimRadio::queueAnswer(Time now, std::span<const std::uint8_t> bytes, int delayMs) {
    if (bytes.empty()) return;
    Time due = now + std::chrono::milliseconds(delayMs);
    // The line keeps its order: nothing overtakes a reply held back.
    if (outgoingFront_ < outgoing_.size()) due = std::max(due, lastDue_);
    lastDue_ = due;
    // Paced, each byte reaches the cable's far end when its last bit would have left the
    // radio. An adapter with a latency timer then holds it until the timer's next tick, which
    // runs freely. (Such an adapter also passes bytes on when its 62-byte buffer fills; at
    // 9600 baud that happens only with timers over 60 ms, which this leaves out.)
    const Time start = paced_ ? std::max(wireFree_, due) : due;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        Time at = paced_ ? start + kByteTime * static_cast<long>(i + 1) : start;
        if (latencyMs_ > 0) {
            const Clock::duration tick = std::chrono::milliseconds(latencyMs_);
            at = Time((at.time_since_epoch() + tick - Clock::duration(1)) / tick * tick);
        }
        outgoing_.push_back({at, bytes[i]});
    }
    if (paced_) wireFree_ = start + kByteTime * static_cast<long>(bytes.size());
}

bool SimRadio::answering() const { return !faults_.silent && !wentSilent_; }

void SimRadio::noteBlockRequest() {
    // The confirmation of the last answered block is still answered; the next request is not.
    if (faults_.silentAfterBlocks >= 0 && blocksAnswered_ >= faults_.silentAfterBlocks) wentSilent_ = true;
}

const TargetedFault* SimRadio::hitBy(FaultTarget target) {
    int n = requestCount_[static_cast<int>(target)]++;
    for (const TargetedFault& fault : faults_.targeted)
        if (fault.target == target && n >= fault.at && n < fault.at + fault.times) return &fault;
    return nullptr;
}

void SimRadio::readReply(std::uint8_t hi, std::uint8_t lo, std::vector<std::uint8_t>& reply) {
    reply.assign(4 + rw::kBlockSize, 0);
    reply[0] = rw::kWrite;
    reply[1] = hi;
    reply[2] = lo;
    reply[3] = rw::kBlockLength;
    const unsigned address = static_cast<unsigned>(hi << 8 | lo);
    if (address == kBandLimitAddress) {
        std::copy(bandBlock_.begin(), bandBlock_.end(), reply.begin() + 4);
        Scramble(reply.data() + 4, rw::kBlockSize);
    } else {
        for (unsigned i = 0; i < rw::kBlockSize; ++i) reply[4 + i] = memory_[(address + i) & 0xFFFF];
    }
    if (faults_.wrongHeader) reply[2] = static_cast<std::uint8_t>(lo + 1);
    if (readReplies_ < faults_.garbledReads) reply[4 + static_cast<std::size_t>(readReplies_) % rw::kBlockSize] ^= 0xFF;
    if (readReplies_++ < faults_.shortReplies) reply.pop_back();
}

// The answer to an acknowledgement exchange as a fault changes it.
void SimRadio::acknowledge(Time now, const TargetedFault* fault) {
    if (!fault) return queueAnswer(now, {rw::kAck});
    switch (fault->kind) {
    case FaultKind::LateAck: return queueAnswer(now, {rw::kAck}, faults_.lateReplyMs);
    case FaultKind::DoubledAck: return queueAnswer(now, {rw::kAck, rw::kAck});
    case FaultKind::LateDoubledAck:
        queueAnswer(now, {rw::kAck});
        return queueAnswer(now, {rw::kAck}, faults_.lateReplyMs);
    case FaultKind::Nak: return queueAnswer(now, {kNak});
    case FaultKind::BadAck: return queueAnswer(now, {kBadAck});
    case FaultKind::ExtraByte: return queueAnswer(now, {rw::kAck, kStrayByte});
    case FaultKind::Trickle: return queueAnswer(now, {rw::kAck}, faults_.trickleMs);
    case FaultKind::Silent: wentSilent_ = true; return;
    case FaultKind::Lost:
    case FaultKind::Drop:
    case FaultKind::Short:
    case FaultKind::CorruptHeader: return;
    }
}

bool SimRadio::onModeEntry(Time now) {
    const std::size_t n = std::min(input_.size(), std::size(rw::kModeEntry));
    if (std::memcmp(input_.data(), rw::kModeEntry, n) != 0) {
        input_.erase(input_.begin());
        return true;
    }
    if (n < std::size(rw::kModeEntry)) return false;
    input_.erase(input_.begin(), input_.begin() + static_cast<long>(n));
    events_.push_back({SimEvent::Kind::ModeEntry, 0, {}, now});
    if (answering()) queueAnswer(now, {faults_.wrongModeReply ? kNak : rw::kAck});
    return true;
}

void SimRadio::onIdentify(Time now) {
    input_.erase(input_.begin());
    events_.push_back({SimEvent::Kind::Identify, 0, {}, now});
    if (!answering()) return;
    const std::uint8_t* identity = faults_.unreadableModel ? rw::kUnreadableIdentity
                                   : faults_.wrongModel    ? rw::kOtherIdentity
                                                           : rw::kIdentity;
    queueAnswer(now, std::span<const std::uint8_t>(identity, 8));
}

void SimRadio::onConfirm(Time now) {
    input_.erase(input_.begin());
    const TargetedFault* fault = std::exchange(confirmFault_, nullptr);
    if (answering()) acknowledge(now, fault && fault->kind != FaultKind::ExtraByte ? fault : nullptr);
}

bool SimRadio::onRead(Time now) {
    if (input_.size() < 4) return false;
    const std::uint8_t hi = input_[1], lo = input_[2];
    input_.erase(input_.begin(), input_.begin() + 4);
    events_.push_back({SimEvent::Kind::Read, static_cast<std::uint16_t>(hi << 8 | lo), {}, now});
    noteBlockRequest();
    const TargetedFault* fault = hitBy(FaultTarget::Read);
    confirmFault_ = nullptr;
    if (fault && fault->kind == FaultKind::Silent) wentSilent_ = true;
    if (!answering() || (fault && fault->kind == FaultKind::Lost)) return true;
    std::vector<std::uint8_t>& reply = replyScratch_;
    readReply(hi, lo, reply);
    if (fault) {
        switch (fault->kind) {
        case FaultKind::Drop: return true;
        case FaultKind::Short: reply.pop_back(); break;
        case FaultKind::CorruptHeader: reply[2] = static_cast<std::uint8_t>(reply[2] + 1); break;
        case FaultKind::ExtraByte: reply.push_back(kStrayByte); break;
        case FaultKind::Trickle:
            ++blocksAnswered_;
            for (std::size_t i = 0; i < reply.size(); ++i)
                queueAnswer(now, {reply[i]}, faults_.trickleMs * static_cast<int>(i + 1));
            return true;
        default: confirmFault_ = fault; break;
        }
    }
    ++blocksAnswered_;
    queueAnswer(now, reply);
    return true;
}

bool SimRadio::onWrite(Time now) {
    if (input_.size() < 4 + rw::kUnitSize) return false;
    SimEvent event{SimEvent::Kind::Write, static_cast<std::uint16_t>(input_[1] << 8 | input_[2]), {}, now};
    std::copy_n(input_.begin() + 4, rw::kUnitSize, event.data.begin());
    input_.erase(input_.begin(), input_.begin() + 4 + static_cast<long>(rw::kUnitSize));
    events_.push_back(event);
    noteBlockRequest();
    const TargetedFault* fault = hitBy(FaultTarget::Write);
    if (fault && fault->kind == FaultKind::Silent) wentSilent_ = true;
    if (!answering() || (fault && fault->kind == FaultKind::Lost)) return true;
    if (writeUnits_++ < faults_.refusedWrites) {
        queueAnswer(now, {kNak});
        return true;
    }
    if (!fault || fault->kind != FaultKind::Nak) {
        for (std::size_t i = 0; i < rw::kUnitSize; ++i) memory_[(event.address + i) & 0xFFFF] = event.data[i];
        if (faults_.corruptAddress >= event.address && faults_.corruptAddress < event.address + 16)
            memory_[static_cast<std::size_t>(faults_.corruptAddress)] ^= 0x01;
        ++memoryVersion_;
        ++blocksAnswered_;
    }
    acknowledge(now, fault);
    return true;
}

void SimRadio::process(Time now) {
    bool complete = true;
    while (!input_.empty() && complete) {
        switch (input_[0]) {
        case rw::kModeEntry[0]: complete = onModeEntry(now); break;
        case rw::kIdentify: onIdentify(now); break;
        case rw::kAck: onConfirm(now); break;
        case rw::kRead: complete = onRead(now); break;
        case rw::kWrite: complete = onWrite(now); break;
        default: input_.erase(input_.begin()); break;
        }
    }
}

}  // namespace radioprog::sim
