// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/radio_sim.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "link/wire.h"

namespace radioprog::sim {

namespace {

using Clock = std::chrono::steady_clock;
constexpr char kOtherModel[] = "R3M72";

void WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // Nobody reads the device: wait a little, then drop the rest as a radio would.
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 100) <= 0) return;
        } else {
            return;
        }
    }
}

}  // namespace

namespace {

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
};

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

RadioSimulator::RadioSimulator() {
    RadioImage image;
    image.ApplyDefaults();
    LoadImage(image);
    SetBandLimits(DefaultSimBands());
}

RadioSimulator::~RadioSimulator() { Stop(); }

void RadioSimulator::SetFaults(const SimFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    blocksAnswered_ = readReplies_ = writeUnits_ = 0;
    requestCount_[0] = requestCount_[1] = 0;
    confirmFault_ = nullptr;
    wentSilent_ = false;
}

void RadioSimulator::SetLatencyMs(int ms) {
    std::lock_guard lock(mutex_);
    latencyMs_ = ms;
}

void RadioSimulator::SetPaced(bool paced) {
    std::lock_guard lock(mutex_);
    paced_ = paced;
}

void RadioSimulator::SetBandLimits(const BandLimits& limits) {
    std::lock_guard lock(mutex_);
    EncodeBandLimits(limits, bandBlock_.data());
}

void RadioSimulator::LoadImage(const RadioImage& image) {
    std::lock_guard lock(mutex_);
    for (const RecordInfo& record : BlockMap()) {
        const std::uint8_t* data = image.recordData(record);
        if (record.block == BlockId::BandLimits)
            std::copy(data, data + bandBlock_.size(), bandBlock_.begin());
        else
            std::copy(data, data + RecordDataSize(record.form), memory_.begin() + record.address);
    }
}

RadioImage RadioSimulator::Image() const {
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

std::array<std::uint8_t, 64> RadioSimulator::BandBlock() const {
    std::lock_guard lock(mutex_);
    return bandBlock_;
}

std::uint64_t RadioSimulator::memoryVersion() const {
    std::lock_guard lock(mutex_);
    return memoryVersion_;
}

std::vector<SimEvent> RadioSimulator::Events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

void RadioSimulator::ClearEvents() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

bool RadioSimulator::Start(std::string& error) {
    Stop();
    if (!terminal_.Create(error)) return false;
    if (::pipe2(wakePipe_, O_CLOEXEC) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        terminal_.Destroy();
        return false;
    }
    server_ = std::thread([this] { Serve(); });
    return true;
}

void RadioSimulator::Stop() {
    if (server_.joinable()) {
        const std::uint8_t wake = 1;
        WriteAll(wakePipe_[1], &wake, 1);
        server_.join();
    }
    for (int& fd : wakePipe_) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    terminal_.Destroy();
}

void RadioSimulator::Serve() {
    // Paced replies sleep until each byte's time: the default 50 us timer slack would add up
    // over a transfer's hundreds of replies and be counted against the program.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const int master = terminal_.masterFd();
    for (;;) {
        int waitMs = -1;
        if (!outgoing_.empty()) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(outgoing_.front().due - Clock::now());
            waitMs = static_cast<int>(std::max<long long>(0, left.count() + 1));
        }
        pollfd fds[2] = {{master, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        int ready = ::poll(fds, 2, waitMs);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (fds[0].revents & POLLIN) {
            std::uint8_t buffer[4096];
            ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) {
                NoteReceived(static_cast<std::size_t>(n));
                input_.insert(input_.end(), buffer, buffer + n);
                Process();
            }
        } else if (fds[0].revents) {
            // The device end is held open, so this is transient; do not spin.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        SendDue();
    }
}

void RadioSimulator::Emit(const std::vector<std::uint8_t>& bytes, int delayMs) {
    if (bytes.empty()) return;
    auto due = Clock::now() + std::chrono::milliseconds(delayMs);
    // The line keeps its order: nothing overtakes a reply held back.
    if (!outgoing_.empty()) due = std::max(due, outgoing_.back().due);
    outgoing_.push_back({due, bytes});
}

void RadioSimulator::SendDue() {
    std::size_t sent = 0;
    auto now = Clock::now();
    while (sent < outgoing_.size() && outgoing_[sent].due <= now) Send(outgoing_[sent++].bytes);
    outgoing_.erase(outgoing_.begin(), outgoing_.begin() + static_cast<long>(sent));
}

const TargetedFault* RadioSimulator::HitBy(FaultTarget target) {
    int n = requestCount_[static_cast<int>(target)]++;
    for (const TargetedFault& fault : faults_.targeted)
        if (fault.target == target && n >= fault.at && n < fault.at + fault.times) return &fault;
    return nullptr;
}

void RadioSimulator::NoteReceived(std::size_t count) {
    wireFree_ = std::max(wireFree_, Clock::now()) + kByteTime * static_cast<long>(count);
}

void RadioSimulator::Send(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return;
    bool paced;
    int latencyMs;
    {
        std::lock_guard lock(mutex_);
        paced = paced_;
        latencyMs = latencyMs_;
    }
    const int master = terminal_.masterFd();
    if (!paced && latencyMs <= 0) {
        WriteAll(master, bytes.data(), bytes.size());
        return;
    }
    // Paced, each byte reaches the cable's far end when its last bit would have left the
    // radio; the schedule is absolute, so late wake-ups do not add up. An adapter with a
    // latency timer then holds it until the timer's next tick, which runs freely. (Such an
    // adapter also passes bytes on when its 62-byte buffer fills; at 9600 baud that happens
    // only with timers over 60 ms, which this leaves out.)
    const auto start = paced ? std::max(wireFree_, Clock::now()) : Clock::now();
    auto arrival = [&](std::size_t i) { return paced ? start + kByteTime * static_cast<long>(i + 1) : start; };
    auto release = [&](Clock::time_point at) {
        if (latencyMs <= 0) return at;
        const Clock::duration tick = std::chrono::milliseconds(latencyMs);
        return Clock::time_point((at.time_since_epoch() + tick - Clock::duration(1)) / tick * tick);
    };
    for (std::size_t i = 0; i < bytes.size();) {
        const auto at = release(arrival(i));
        std::size_t end = i + 1;
        while (end < bytes.size() && release(arrival(end)) == at) ++end;
        std::this_thread::sleep_until(at);
        WriteAll(master, &bytes[i], end - i);
        i = end;
    }
    if (paced) wireFree_ = start + kByteTime * static_cast<long>(bytes.size());
}

bool RadioSimulator::Answering() { return !faults_.silent && !wentSilent_; }

void RadioSimulator::NoteBlockRequest() {
    // The confirmation of the last answered block is still answered; the next request is not.
    if (faults_.silentAfterBlocks >= 0 && blocksAnswered_ >= faults_.silentAfterBlocks) wentSilent_ = true;
}

std::vector<std::uint8_t> RadioSimulator::ReadReply(std::uint8_t hi, std::uint8_t lo) {
    std::vector<std::uint8_t> reply = {wire::kWriteCommand, hi, lo, wire::kReadLength};
    const unsigned address = static_cast<unsigned>(hi << 8 | lo);
    if (address == kBandLimitAddress) {
        std::array<std::uint8_t, 64> scrambled = bandBlock_;
        TranslateNibbles(scrambled.data(), scrambled.size(), false);
        reply.insert(reply.end(), scrambled.begin(), scrambled.end());
    } else {
        for (unsigned i = 0; i < wire::kBlockSize; ++i) reply.push_back(memory_[(address + i) & 0xFFFF]);
    }
    if (faults_.wrongHeader) reply[2] = static_cast<std::uint8_t>(lo + 1);
    if (readReplies_ < faults_.garbledReads)
        reply[4 + static_cast<std::size_t>(readReplies_) % wire::kBlockSize] ^= 0xFF;
    if (readReplies_++ < faults_.shortReplies) reply.pop_back();
    return reply;
}

namespace {

constexpr std::uint8_t kStrayByte = 0x00;
constexpr std::uint8_t kBadAck = 0x07;

}  // namespace

void RadioSimulator::Process() {
    std::lock_guard lock(mutex_);
    const auto* entry = reinterpret_cast<const std::uint8_t*>(wire::kModeEntry);
    // The answer to an acknowledgement exchange as a fault changes it.
    auto acknowledge = [this](const TargetedFault* fault) {
        if (!fault) return Emit({wire::kAck});
        switch (fault->kind) {
        case FaultKind::LateAck: return Emit({wire::kAck}, faults_.lateReplyMs);
        case FaultKind::DoubledAck: return Emit({wire::kAck, wire::kAck});
        case FaultKind::LateDoubledAck: Emit({wire::kAck}); return Emit({wire::kAck}, faults_.lateReplyMs);
        case FaultKind::Nak: return Emit({kNak});
        case FaultKind::BadAck: return Emit({kBadAck});
        case FaultKind::ExtraByte: return Emit({wire::kAck, kStrayByte});
        case FaultKind::Silent: wentSilent_ = true; return;
        case FaultKind::Drop:
        case FaultKind::Short:
        case FaultKind::CorruptHeader: return;
        }
    };
    while (!input_.empty()) {
        const std::uint8_t first = input_[0];
        if (first == entry[0]) {
            std::size_t n = std::min(input_.size(), wire::kModeEntrySize);
            if (std::memcmp(input_.data(), entry, n) != 0) {
                input_.erase(input_.begin());
                continue;
            }
            if (n < wire::kModeEntrySize) break;
            input_.erase(input_.begin(), input_.begin() + static_cast<long>(n));
            events_.push_back({SimEvent::Kind::ModeEntry, 0, {}, Clock::now()});
            if (Answering()) Emit({faults_.wrongModeReply ? kNak : wire::kAck});
        } else if (first == wire::kStx) {
            input_.erase(input_.begin());
            events_.push_back({SimEvent::Kind::Identify, 0, {}, Clock::now()});
            if (Answering()) {
                const char* model = faults_.wrongModel ? kOtherModel : wire::kModel;
                std::vector<std::uint8_t> reply(8);
                reply[0] = wire::kAck;
                std::copy_n(model, 5, reply.begin() + 1);
                std::copy_n(wire::kIdentTrailer, 2, reply.begin() + 6);
                Emit(reply);
            }
        } else if (first == wire::kAck) {
            input_.erase(input_.begin());
            const TargetedFault* fault = std::exchange(confirmFault_, nullptr);
            if (Answering()) acknowledge(fault && fault->kind != FaultKind::ExtraByte ? fault : nullptr);
        } else if (first == wire::kReadCommand) {
            if (input_.size() < 4) break;
            const std::uint8_t hi = input_[1], lo = input_[2];
            input_.erase(input_.begin(), input_.begin() + 4);
            events_.push_back({SimEvent::Kind::Read, static_cast<std::uint16_t>(hi << 8 | lo), {}, Clock::now()});
            NoteBlockRequest();
            const TargetedFault* fault = HitBy(FaultTarget::Read);
            confirmFault_ = nullptr;
            if (fault && fault->kind == FaultKind::Silent) wentSilent_ = true;
            if (!Answering()) continue;
            std::vector<std::uint8_t> reply = ReadReply(hi, lo);
            if (fault) {
                switch (fault->kind) {
                case FaultKind::Drop: continue;
                case FaultKind::Short: reply.pop_back(); break;
                case FaultKind::CorruptHeader: reply[2] = static_cast<std::uint8_t>(reply[2] + 1); break;
                case FaultKind::ExtraByte: reply.push_back(kStrayByte); break;
                default: confirmFault_ = fault; break;
                }
            }
            ++blocksAnswered_;
            Emit(reply);
        } else if (first == wire::kWriteCommand) {
            if (input_.size() < 4 + wire::kUnitSize) break;
            SimEvent event{
                SimEvent::Kind::Write, static_cast<std::uint16_t>(input_[1] << 8 | input_[2]), {}, Clock::now()};
            std::copy_n(input_.begin() + 4, wire::kUnitSize, event.data.begin());
            input_.erase(input_.begin(), input_.begin() + 4 + static_cast<long>(wire::kUnitSize));
            events_.push_back(event);
            NoteBlockRequest();
            const TargetedFault* fault = HitBy(FaultTarget::Write);
            if (fault && fault->kind == FaultKind::Silent) wentSilent_ = true;
            if (!Answering()) continue;
            if (writeUnits_++ < faults_.refusedWrites) {
                Emit({kNak});
                continue;
            }
            if (!fault || fault->kind != FaultKind::Nak) {
                for (std::size_t i = 0; i < wire::kUnitSize; ++i) memory_[(event.address + i) & 0xFFFF] = event.data[i];
                if (faults_.corruptAddress >= event.address && faults_.corruptAddress < event.address + 16)
                    memory_[static_cast<std::size_t>(faults_.corruptAddress)] ^= 0x01;
                ++memoryVersion_;
                ++blocksAnswered_;
            }
            acknowledge(fault);
        } else {
            input_.erase(input_.begin());
        }
    }
}

}  // namespace radioprog::sim
