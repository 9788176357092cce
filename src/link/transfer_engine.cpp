// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_engine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "link/engine_coroutine.h"
#include "link/port_map.h"
#include "link/proven_transfer.h"
#include "link/wire.h"

namespace radioprog {

namespace {

using engine::Co;
using Kind = LineRequest::Kind;
using Block = std::array<std::uint8_t, wire::kBlockSize>;

constexpr int kConfiguredPortRetries = 3;
constexpr int kOtherPortRetries = 1;
constexpr int kProgressAllMoved = 100;
// Scheduling delays of a loaded machine, added to the final wait.
constexpr LineTime kAnswerJitter = std::chrono::milliseconds(2);

LineTime Ms(long long ms) { return std::chrono::milliseconds(ms); }

const RecordInfo& NthRecord(BlockId block, int index) {
    const auto& map = BlockMap();
    return block == BlockId::ChannelMemory  ? map[static_cast<std::size_t>(index)]
           : block == BlockId::ChannelNames ? map[32 + static_cast<std::size_t>(index)]
                                            : SingleRecord(block);
}

// The model name as the user may read it: printable ASCII without the padding after it (NUL
// or space); empty when nothing printable is left or a byte cannot be shown.
std::string ReadableModel(const std::uint8_t* name, std::size_t size) {
    while (size > 0 && (name[size - 1] == 0 || name[size - 1] == ' ')) --size;
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (name[i] < 0x20 || name[i] > 0x7E) return {};
        text += static_cast<char>(name[i]);
    }
    return text;
}

}  // namespace

std::vector<ScanStep> PortScanOrder(std::int32_t configuredPort) {
    std::vector<ScanStep> order;
    bool configured = configuredPort >= kFirstPort && configuredPort <= kLastPort;
    if (configured) order.push_back({configuredPort, kConfiguredPortRetries});
    for (int port = kFirstPort; port <= kLastPort; ++port)
        if (!configured || port != configuredPort) order.push_back({port, kOtherPortRetries});
    return order;
}

int ReplyWaitMs(const LineTimeouts& timeouts, std::size_t size, ReplyWait wait) {
    const long long total = timeouts.readTotalConstantMs + static_cast<long long>(timeouts.readTotalPerByteMs) * size;
    if (wait == ReplyWait::Stored) return static_cast<int>(total);
    // Twice the wire time of size bytes, rounded up to whole milliseconds.
    const long long wireMs =
        (static_cast<long long>(timeouts.replyStartWireTimes) * static_cast<long long>(size) * 1000 +
         kLineBytesPerSecond - 1) /
        kLineBytesPerSecond;
    return static_cast<int>(std::min(total, timeouts.replyStartMs + wireMs));
}

// Everything of one transfer or series of exchanges: the input not yet taken, the session's
// memory of written units, and the protocol's steps as coroutines.
struct TransferEngine::Session {
    explicit Session(TransferEngine& owner) : e(owner) {}

    TransferEngine& e;
    std::coroutine_handle<> waiting;  // the step that asked for request_
    Co<bool> running;                 // the outermost step
    std::vector<std::uint8_t> input;  // received and not yet taken
    std::size_t sentCount = 0;
    PortOpening opening;
    bool bandAnswer = false;

    struct SentUnit {
        bool valid = false;
        std::uint8_t hi = 0, lo = 0;
        std::uint8_t data[wire::kUnitSize] = {};
    };
    SentUnit lastUnit;  // the unit acknowledged last in this session
    // Every unit of this write taken as stored, to send again after answers went out of step.
    std::vector<SentUnit> storedUnits;
    // An ACK came sooner than the radio could have received its unit: a stray byte may have
    // been taken for an answer, so every later answer may belong to the unit before.
    bool earlyAnswer = false;
    // A NAK or another byte that is not an ACK was seen: with an early answer, the unit it
    // refused may be one that was taken as stored.
    bool refusalSeen = false;
    // While answers came early, an answer came in time: the answers ran a unit behind and are
    // back in step, so the unit before never had an answer of its own.
    bool caughtUp = false;
    int resynchronisations = 0;
    LineTime lastUnitSent{};
    LineTime slowestAnswer{};  // the longest a unit's ACK took in this session

    // A whole transfer.
    TransferReports* reports = nullptr;
    TransferMode mode = TransferMode::Read;
    TransferOptions options;
    int progress = 0;
    int unitsWritten = 0;
    int unitsSent = 0;
    std::optional<std::uint16_t> failedAddress;
    std::size_t failedSize = 0;
    bool unproven = false;

    // Suspends the steps until the driver answers request.
    struct Ask {
        Session& s;
        LineRequest request;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> step) noexcept {
            s.e.request_ = request;
            s.waiting = step;
        }
        void await_resume() const noexcept {}
    };
    Ask request(Kind kind) { return Ask{*this, LineRequest{kind, 0, {}, kNoDeadline}}; }
    Ask waitUntil(LineTime until) { return Ask{*this, LineRequest{Kind::Wait, 0, {}, until}}; }
    LineTime now() const { return e.now_; }
    bool cancelled() const { return e.cancelled_; }
    TransferTrace* trace() const { return e.trace_.get(); }

    // The line's primitives.
    Co<std::size_t> write(const std::uint8_t* data, std::size_t size);
    Co<bool> send(const std::uint8_t* data, std::size_t size) {
        const std::size_t sent = co_await write(data, size);
        co_return sent != 0;
    }
    Co<bool> sendByte(std::uint8_t byte) {
        const std::size_t sent = co_await write(&byte, 1);
        co_return sent != 0;
    }
    Co<std::size_t> read(std::uint8_t* data, std::size_t size, ReplyWait wait = ReplyWait::Answer);
    Co<bool> receiveExactly(std::uint8_t* data, std::size_t size) {
        const std::size_t got = co_await read(data, size);
        co_return got == size;
    }
    Co<bool> sleep(LineTime until);
    Co<bool> purge();
    Co<std::size_t> discardInput();
    Co<bool> inputPending();

    // The exchanges; those CComPort offers keep its operations' names.
    Co<bool> EnterProgramMode(int retries);
    Co<bool> Identify(std::optional<std::string>* otherModel);
    Co<bool> ReadBlock(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    Co<bool> ReadBlockDescrambled(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    Co<bool> exchangeUnit(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source, bool drained = false);
    Co<bool> awaitLateAnswers(int count);
    Co<bool> settleLastUnit();
    Co<bool> drainStrays();
    Co<bool> resynchronise();
    Co<bool> proveLastUnit();
    Co<bool> storeUnit(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source);
    Co<bool> confirmWrites();
    Co<bool> runExchange(Exchange exchange);

    // The transfer.
    Co<ProvenRead> readBlockProven(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);
    Co<bool> readBackWritten(RadioImage& readBack);
    Co<bool> scanPorts(TransferOutcome& outcome);
    Co<bool> readPiece(const RecordInfo& record, int k);
    Co<bool> writeRecord(const RecordInfo& record);
    Co<bool> readSequence();
    Co<bool> writeSequence();
    Co<bool> runTransfer();
    void stepProgress();
};

Co<std::size_t> TransferEngine::Session::write(const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    if (!cancelled()) {
        co_await Ask{*this, LineRequest{Kind::Send, 0, {data, size}, kNoDeadline}};
        done = std::min(sentCount, size);
    }
    if (trace()) trace()->sent(data, done);
    co_return done;
}

Co<std::size_t> TransferEngine::Session::read(std::uint8_t* data, std::size_t size, ReplyWait wait) {
    if (size == 0) co_return 0;
    const LineTime start = now();
    // The whole reply must come within its time; once bytes flow, a gap longer than the
    // interval ends it early.
    const LineTime deadline = start + Ms(ReplyWaitMs(e.timeouts_, size, wait));
    const LineTime interval = Ms(e.timeouts_.readIntervalMs);
    LineTime lastByte = start;
    std::size_t seen = input.size();
    while (input.size() < size && !cancelled()) {
        if (input.size() > seen) {
            lastByte = now();
            seen = input.size();
        }
        const LineTime limit = input.empty() ? deadline : std::min(deadline, lastByte + interval);
        if (now() >= limit) break;
        co_await waitUntil(limit);
    }
    const std::size_t got = cancelled() && input.size() < size ? 0 : std::min(size, input.size());
    std::copy_n(input.begin(), got, data);
    input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(got));
    if (trace()) trace()->received(data, got, size);
    co_return got;
}

Co<bool> TransferEngine::Session::sleep(LineTime until) {
    while (now() < until && !cancelled()) co_await waitUntil(until);
    co_return true;
}

Co<bool> TransferEngine::Session::purge() {
    co_await request(Kind::Purge);
    input.clear();
    co_return true;
}

Co<std::size_t> TransferEngine::Session::discardInput() {
    co_await waitUntil(now());  // what has arrived by now
    const std::size_t discarded = input.size();
    if (discarded > 0 && trace()) {
        trace()->received(input.data(), discarded, discarded);
        trace()->note(std::to_string(discarded) + " stale bytes discarded");
    }
    for (std::size_t i = 0; i < discarded; ++i)
        if (input[i] != wire::kAck) refusalSeen = true;
    input.clear();
    co_return discarded;
}

Co<bool> TransferEngine::Session::inputPending() {
    co_await waitUntil(now());
    co_return !input.empty();
}

Co<bool> TransferEngine::Session::EnterProgramMode(int retries) {
    // The radio listens for the mode-entry string only after a quiet time.
    co_await sleep(now() + Ms(wire::kModeEntryWaitMs));
    co_await purge();
    lastUnit = {};
    slowestAnswer = {};
    storedUnits.clear();
    earlyAnswer = refusalSeen = false;
    resynchronisations = 0;
    const auto* entry = reinterpret_cast<const std::uint8_t*>(wire::kModeEntry);
    for (int attempt = 0; attempt <= retries; ++attempt) {
        const bool sendOk = co_await send(entry, wire::kModeEntrySize);
        if (!sendOk) co_return false;
        std::uint8_t reply = 0;
        const std::size_t got = co_await read(&reply, 1);
        if (got == 1) co_return reply == wire::kAck;
    }
    co_return false;
}

Co<bool> TransferEngine::Session::Identify(std::optional<std::string>* otherModel) {
    const bool sendByteOk = co_await sendByte(wire::kStx);
    if (!sendByteOk) co_return false;
    std::uint8_t reply[wire::kIdentReplySize];
    const bool receiveExactlyOk = co_await receiveExactly(reply, sizeof reply);
    if (!receiveExactlyOk) co_return false;
    const bool framed =
        reply[0] == wire::kAck && reply[6] == wire::kIdentTrailer[0] && reply[7] == wire::kIdentTrailer[1];
    if (!framed) co_return false;
    if (std::memcmp(reply + 1, wire::kModel, wire::kModelSize) != 0) {
        // A radio answered, but it is another model: worth telling apart from silence.
        if (otherModel) *otherModel = ReadableModel(reply + 1, wire::kModelSize);
        co_return false;
    }
    const bool confirmed = co_await sendByte(wire::kAck);
    if (!confirmed) co_return false;
    std::uint8_t ack = 0;
    const std::size_t got = co_await read(&ack, 1);
    co_return got == 1 && ack == wire::kAck;
}

namespace {

bool TakeReadReply(const std::uint8_t* reply, std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    if (reply[0] != wire::kWriteCommand || reply[1] != hi || reply[2] != lo || reply[3] != wire::kReadLength)
        return false;
    std::memcpy(destination, reply + 4, wire::kBlockSize);
    return true;
}

}  // namespace

Co<bool> TransferEngine::Session::ReadBlock(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    const std::uint8_t request[4] = {wire::kReadCommand, hi, lo, wire::kReadLength};
    std::uint8_t reply[wire::kReadReplySize];
    bool complete = false;
    for (int attempt = 0; attempt < wire::kReadAttempts && !complete; ++attempt) {
        // Leftovers of an earlier exchange must not be taken for this reply.
        co_await discardInput();
        const bool sendOk = co_await send(request, sizeof request);
        if (!sendOk) co_return false;
        // A byte beyond the reply means a byte was inserted somewhere in it: ask again.
        const bool whole = co_await receiveExactly(reply, sizeof reply);
        complete = whole;
        if (whole) {
            const bool more = co_await inputPending();
            complete = !more;
        }
    }
    if (!complete || !TakeReadReply(reply, hi, lo, destination)) co_return false;
    const bool sendByteOk = co_await sendByte(wire::kAck);
    if (!sendByteOk) co_return false;
    // The radio may be slow to confirm: wait again without asking again.
    for (int attempt = 0; attempt < wire::kAckReadAttempts; ++attempt) {
        std::uint8_t ack = 0;
        const std::size_t got = co_await read(&ack, 1);
        if (got == 1) co_return ack == wire::kAck;
    }
    co_return false;
}

Co<bool> TransferEngine::Session::ReadBlockDescrambled(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    const std::uint8_t request[4] = {wire::kReadCommand, hi, lo, wire::kReadLength};
    std::uint8_t reply[wire::kReadReplySize];
    const bool sendOk = co_await send(request, sizeof request);
    if (!sendOk) co_return false;
    const bool receiveExactlyOk = co_await receiveExactly(reply, sizeof reply);
    if (!receiveExactlyOk) co_return false;
    if (!TakeReadReply(reply, hi, lo, destination)) co_return false;
    TranslateNibbles(destination, wire::kBlockSize, true);
    const bool sendByteOk = co_await sendByte(wire::kAck);
    if (!sendByteOk) co_return false;
    std::uint8_t ack = 0;
    const std::size_t got = co_await read(&ack, 1);
    co_return got == 1 && ack == wire::kAck;
}

Co<bool> TransferEngine::Session::exchangeUnit(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source,
                                               bool drained) {
    // Header and data leave in one piece: one send, and no gap on the line.
    std::uint8_t unit[4 + wire::kUnitSize] = {wire::kWriteCommand, hi, lo, wire::kWriteLength};
    std::memcpy(unit + 4, source, wire::kUnitSize);
    int unanswered = 0;  // sends of this unit the radio has not answered yet
    for (int attempt = 0; attempt < wire::kWriteAttempts; ++attempt) {
        if (attempt > 0) co_await discardInput();
        // The line went quiet before this send, so nothing else is in flight: the next answer
        // is this send's, however soon it comes.
        const bool inStep = std::exchange(drained, false);
        // Taken before the send: a thread held up after writing must not make a timely
        // answer look early.
        const LineTime sendStarted = now();
        const std::size_t sent = co_await write(unit, sizeof unit);
        // Even a unit cut short may have reached the radio's memory in part.
        if (sent > 0) ++unitsSent;
        if (sent == 0) co_return false;
        lastUnitSent = now();
        // The radio stores the unit before it acknowledges: it gets the whole total time.
        std::uint8_t ack = 0;
        const std::size_t got = co_await read(&ack, 1, ReplyWait::Stored);
        if (got != 1) {
            ++unanswered;
            continue;
        }
        // The radio answers only after the whole unit has reached it: an answer much sooner
        // belongs to something sent before, and later answers may be a unit behind.
        const LineTime unitWire = Ms(static_cast<int>(sizeof unit * 1000 / kLineBytesPerSecond));
        const LineTime answeredAfter = now() - sendStarted;
        const bool early = !inStep && answeredAfter < unitWire;
        if (early) earlyAnswer = true;
        // Another byte with the ACK: one of them answers an earlier send, so send again.
        bool alone = ack == wire::kAck;
        if (!alone) refusalSeen = true;
        if (alone) {
            const bool more = co_await inputPending();
            alone = !more;
        }
        if (alone) {
            // An early ACK from a radio that took its time before may be a stray byte, with the
            // real answer still to come: wait as long as the radio takes, and send again if it
            // refused. (Waiting after the first unit too would cost a paced write about 2 %.)
            if (early && unanswered == 0 && slowestAnswer >= unitWire) {
                const LineTime answerTime = std::max(slowestAnswer, 2 * unitWire);
                const LineTime wait = answerTime + answerTime / 4 + kAnswerJitter;
                co_await sleep(lastUnitSent + std::min(Ms(e.timeouts_.readIntervalMs), wait));
                const bool refusedBefore = refusalSeen;
                refusalSeen = false;
                const std::size_t answers = co_await discardInput();
                const bool refusedNow = refusalSeen;
                refusalSeen = refusedBefore || refusedNow;
                if (refusedNow) continue;
                earlyAnswer = false;  // the stray is gone, and the real answer with it: in step
                if (answers == 0) {
                    // The real answer never came: the early ACK was a stray, and the radio may
                    // have lost the unit. Nothing is in flight now: send it again.
                    if (trace()) trace()->note("early answer alone: unit again");
                    drained = true;
                    continue;
                }
            }
            if (!early && !inStep && unanswered == 0 && earlyAnswer) {
                caughtUp = true;
                earlyAnswer = false;
            }
            slowestAnswer = std::max(slowestAnswer, answeredAfter);
            // The ACK may have answered an earlier, slow send of this unit; the answer to this
            // one is still on its way and must not be taken for the next unit's. Any ACK
            // means the unit is stored (every send carried the same data), so the late
            // answers are only awaited and dropped.
            co_await awaitLateAnswers(unanswered);
            co_return true;
        }
    }
    co_return false;
}

Co<bool> TransferEngine::Session::awaitLateAnswers(int count) {
    std::uint8_t late = 0;
    const bool awaited = count > 0;
    for (; count > 0; --count) {
        const std::size_t got = co_await read(&late, 1, ReplyWait::Stored);
        if (got != 1) break;
    }
    co_await discardInput();
    // Every send answered: the answers are in step again.
    if (awaited && count == 0) earlyAnswer = false;
    co_return true;
}

Co<bool> TransferEngine::Session::settleLastUnit() {
    // Stray input puts the last unit's acknowledgement in doubt: send that unit again.
    for (int round = 0;; ++round) {
        const std::size_t stray = co_await discardInput();
        if (stray == 0 || !lastUnit.valid) break;
        if (round == wire::kWriteAttempts) co_return false;
        const bool resent = co_await exchangeUnit(lastUnit.hi, lastUnit.lo, lastUnit.data);
        if (!resent) co_return false;
    }
    co_return true;
}

Co<bool> TransferEngine::Session::storeUnit(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source) {
    const bool settleLastUnitOk = co_await settleLastUnit();
    if (!settleLastUnitOk) co_return false;
    const SentUnit previous = lastUnit;
    caughtUp = false;
    const bool exchangeUnitOk = co_await exchangeUnit(hi, lo, source);
    if (!exchangeUnitOk) co_return false;
    lastUnit.valid = true;
    lastUnit.hi = hi;
    lastUnit.lo = lo;
    std::memcpy(lastUnit.data, source, wire::kUnitSize);
    storedUnits.push_back(lastUnit);
    if (std::exchange(caughtUp, false) && previous.valid) {
        // One answer is missing: the radio lost the unit before or this one (the answer that
        // came in time may be the late one of the unit before). Let the line go quiet, then
        // send both again, each in step. A refusal heard meanwhile may be any unit's: every
        // unit goes again.
        if (trace()) trace()->note("answers back in step: the last two units again");
        co_await drainStrays();
        if (refusalSeen) {
            earlyAnswer = true;
        } else {
            const SentUnit again[] = {previous, lastUnit};
            for (const SentUnit& unit : again) {
                const bool resent = co_await exchangeUnit(unit.hi, unit.lo, unit.data, true);
                if (!resent) co_return false;
            }
        }
    }
    const bool inStep = co_await resynchronise();
    co_return inStep;
}

Co<bool> TransferEngine::Session::drainStrays() {
    // Quiet for a quarter longer than an answer takes (at least twice a unit's wire time):
    // whatever was on its way has come.
    const LineTime unitWire = Ms(static_cast<int>((4 + wire::kUnitSize) * 1000 / kLineBytesPerSecond));
    const LineTime answerTime = std::max(slowestAnswer, 2 * unitWire);
    const LineTime quiet = std::min(Ms(e.timeouts_.readIntervalMs), answerTime + answerTime / 4 + kAnswerJitter);
    for (;;) {
        co_await sleep(now() + quiet);
        const std::size_t stray = co_await discardInput();
        if (stray == 0 || cancelled()) break;
    }
    co_return true;
}

Co<bool> TransferEngine::Session::resynchronise() {
    // A refusal after an answer that came too soon: the answers may have been a unit or more
    // behind the units since then, so the refused unit may be one taken as stored. Let the
    // radio answer everything, then send every unit of this write again, each in step.
    while (refusalSeen && earlyAnswer) {
        if (++resynchronisations > wire::kWriteAttempts) co_return false;
        if (trace()) trace()->note("answers out of step: every unit again");
        co_await drainStrays();
        refusalSeen = earlyAnswer = false;
        const std::vector<SentUnit> units = storedUnits;
        for (const SentUnit& unit : units) {
            const bool resent = co_await exchangeUnit(unit.hi, unit.lo, unit.data);
            if (!resent) co_return false;
        }
        co_await drainStrays();
    }
    refusalSeen = false;
    co_return true;
}

Co<bool> TransferEngine::Session::confirmWrites() {
    // A stray byte taken for the last unit's ACK would be followed by the real answer, which
    // comes about as fast as the radio answered the other units: wait a quarter longer than
    // the slowest answer of this session (at most one read interval), from the last send.
    const LineTime interval = Ms(e.timeouts_.readIntervalMs);
    const LineTime wait = slowestAnswer + slowestAnswer / 4 + kAnswerJitter;
    co_await sleep(lastUnitSent + std::min(interval, wait));
    bool settled = co_await settleLastUnit();
    if (settled) settled = co_await resynchronise();
    if (settled && earlyAnswer && lastUnit.valid) settled = co_await proveLastUnit();
    lastUnit = {};
    slowestAnswer = {};
    storedUnits.clear();
    co_return settled;
}

Co<bool> TransferEngine::Session::proveLastUnit() {
    // An answer came sooner than the radio could have sent it, and nothing since has shown
    // whose it was: the answers may still run a unit behind, and the last unit's own answer
    // may be the one the radio lost. Let the strays come, then send the last unit again on a
    // quiet line: its answer is then its own.
    if (trace()) trace()->note("last unit unproven: sent again in step");
    co_await drainStrays();
    if (refusalSeen) {
        // A refusal among the strays may belong to any unit taken as stored.
        const bool inStep = co_await resynchronise();
        if (!inStep) co_return false;
    }
    earlyAnswer = false;
    const bool proven = co_await exchangeUnit(lastUnit.hi, lastUnit.lo, lastUnit.data, true);
    co_return proven;
}

Co<bool> TransferEngine::Session::runExchange(Exchange x) {
    bool done = false;
    switch (x.kind) {
    case Exchange::Kind::EnterProgramMode: done = co_await EnterProgramMode(x.retries); break;
    case Exchange::Kind::Identify: done = co_await Identify(nullptr); break;
    case Exchange::Kind::ReadBlock: done = co_await ReadBlock(x.hi, x.lo, x.destination); break;
    case Exchange::Kind::ReadBlockDescrambled: done = co_await ReadBlockDescrambled(x.hi, x.lo, x.destination); break;
    case Exchange::Kind::WriteUnit: done = co_await storeUnit(x.hi, x.lo, x.source); break;
    case Exchange::Kind::ConfirmWrites: done = co_await confirmWrites(); break;
    }
    e.exchangeResult_ = done;
    co_return done;
}

Co<ProvenRead> TransferEngine::Session::readBlockProven(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    Block readings[3];
    for (int k = 0; k < 2; ++k) {
        const bool readBlockOk = co_await ReadBlock(hi, lo, readings[k].data());
        if (!readBlockOk) co_return ProvenRead::Failed;
    }
    const Block* kept = nullptr;
    if (readings[0] == readings[1]) {
        kept = &readings[0];
    } else {
        const bool readBlockOk = co_await ReadBlock(hi, lo, readings[2].data());
        if (!readBlockOk) co_return ProvenRead::Failed;
        if (readings[2] == readings[0] || readings[2] == readings[1]) kept = &readings[2];
    }
    if (!kept) co_return ProvenRead::Unproven;
    std::memcpy(destination, kept->data(), kept->size());
    co_return ProvenRead::Agreed;
}

Co<bool> TransferEngine::Session::readBackWritten(RadioImage& readBack) {
    for (const WrittenRecord& written : WrittenRecords()) {
        const RecordInfo& record = *written.record;
        std::size_t bytes = wire::kUnitSize * static_cast<std::size_t>(written.units);
        for (std::size_t start = 0; start < bytes; start += wire::kBlockSize) {
            std::uint8_t hi = readBack.addressHigh(record);
            auto lo = static_cast<std::uint8_t>(readBack.addressLow(record) + start);
            Block block{};
            const bool readBlockOk = co_await ReadBlock(hi, lo, block.data());
            if (!readBlockOk) {
                failedAddress = static_cast<std::uint16_t>(hi << 8 | lo);
                co_return false;
            }
            std::size_t take = std::min(wire::kBlockSize, bytes - start);
            std::memcpy(readBack.recordData(record) + start, block.data(), take);
        }
    }
    co_return true;
}

void TransferEngine::Session::stepProgress() {
    ++progress;
    reports->progress(progress);
}

Co<bool> TransferEngine::Session::scanPorts(TransferOutcome& outcome) {
    std::optional<PortProblem> refused, busy;
    const std::vector<ScanStep> order = options.onlyPort
                                            ? std::vector<ScanStep>{{*options.onlyPort, kConfiguredPortRetries}}
                                            : PortScanOrder(e.image_.port());
    for (const ScanStep& step : order) {
        if (cancelled()) break;
        co_await Ask{*this, LineRequest{Kind::Open, step.port, {}, kNoDeadline}};
        const PortOpening& opened = opening;
        if (!opened.opened) {
            const OpenError& error = opened.error;
            if (error.permissionDenied() && !refused) refused = PortProblem{step.port, opened.device, error.text, true};
            if (error.busy() && !busy) busy = PortProblem{step.port, opened.device, error.text, false, true};
            if (!opened.device.empty())
                outcome.portsTried.push_back(
                    {step.port, opened.device, error.text, error.permissionDenied(), error.busy()});
            continue;
        }
        outcome.portsTried.push_back({step.port, opened.device, {}, false, false});
        const bool enterProgramModeOk = co_await EnterProgramMode(step.retries);
        if (enterProgramModeOk) {
            std::optional<std::string> otherModel;
            const bool identifyOk = co_await Identify(&otherModel);
            if (!identifyOk) {
                if (otherModel) outcome.otherModel = OtherModel{step.port, opened.device, *otherModel};
                break;
            }
            e.image_.setPort(step.port);
            outcome.foundPort = step.port;
            outcome.portsTried.clear();
            co_return true;
        }
        stepProgress();
        co_await request(Kind::Close);
    }
    outcome.permissionProblem = refused;
    outcome.busyProblem = busy;
    co_return false;
}

Co<bool> TransferEngine::Session::readPiece(const RecordInfo& record, int k) {
    RadioImage& image = e.image_;
    auto lo = static_cast<std::uint8_t>(image.addressLow(record) + wire::kBlockSize * static_cast<unsigned>(k));
    const std::uint8_t hi = image.addressHigh(record);
    std::uint8_t* destination = image.recordData(record) + wire::kBlockSize * static_cast<std::size_t>(k);
    bool read = true;
    if (options.verify) {
        ProvenRead proven = co_await readBlockProven(hi, lo, destination);
        unproven = proven == ProvenRead::Unproven;
        read = proven == ProvenRead::Agreed;
    } else {
        read = co_await ReadBlock(hi, lo, destination);
    }
    if (!read) {
        failedAddress = static_cast<std::uint16_t>(hi << 8 | lo);
        failedSize = wire::kBlockSize;
    }
    co_return read;
}

Co<bool> TransferEngine::Session::writeRecord(const RecordInfo& record) {
    static_assert(kWriteUnitSize == wire::kUnitSize);
    RadioImage& image = e.image_;
    const std::uint8_t* data = image.recordData(record);
    for (int k = 0; k < WrittenUnits(record); ++k) {
        const std::uint16_t address = UnitAddress(image, record, k);
        const auto hi = static_cast<std::uint8_t>(address >> 8);
        const auto lo = static_cast<std::uint8_t>(address & 0xFF);
        const std::uint8_t* source = data + wire::kUnitSize * static_cast<std::size_t>(k);
        const bool stored = co_await storeUnit(hi, lo, source);
        if (!stored) {
            failedAddress = address;
            failedSize = wire::kUnitSize;
            co_return false;
        }
        ++unitsWritten;
    }
    co_return true;
}

Co<bool> TransferEngine::Session::readSequence() {
    stepProgress();
    for (BlockId block : {BlockId::ChannelMemory, BlockId::ChannelNames})
        for (int i = 0; i < 32; ++i) {
            const bool readPieceOk = co_await readPiece(NthRecord(block, i), 0);
            if (!readPieceOk) co_return false;
            stepProgress();
        }
    for (int k = 0; k < 4; ++k) {
        const bool readPieceOk = co_await readPiece(SingleRecord(BlockId::DtmfCodes), k);
        if (!readPieceOk) co_return false;
        stepProgress();
    }
    for (BlockId block : {BlockId::Vfo, BlockId::Settings}) {
        const bool readPieceOk = co_await readPiece(SingleRecord(block), 0);
        if (!readPieceOk) co_return false;
        stepProgress();
    }
    const bool readPieceOk = co_await readPiece(SingleRecord(BlockId::SecondSettings), 0);
    if (!readPieceOk) co_return false;
    progress = kProgressAllMoved;
    reports->progress(progress);
    co_return true;
}

Co<bool> TransferEngine::Session::writeSequence() {
    stepProgress();
    RadioImage& image = e.image_;
    // The front ends refuse such an image before a transfer; this keeps any caller from
    // writing over the band limits or outside the memory map.
    if (const std::vector<RecordInfo> unsafe = UnsafeRecords(image); !unsafe.empty()) {
        failedAddress = RecordAddress(image, unsafe.front());
        failedSize = wire::kUnitSize;
        co_return false;
    }
    // The radio's band limits come first, so the check sees what this radio accepts.
    const RecordInfo& limits = SingleRecord(BlockId::BandLimits);
    const bool readBlockDescrambledOk =
        co_await ReadBlockDescrambled(image.addressHigh(limits), image.addressLow(limits), image.recordData(limits));
    if (!readBlockDescrambledOk) {
        failedAddress = kBandLimitAddress;
        failedSize = wire::kBlockSize;
        co_return false;
    }
    co_await request(Kind::BandCheck);
    if (!bandAnswer) co_return false;

    for (int i = 0; i < 32; ++i) {
        stepProgress();
        const bool writeRecordOk = co_await writeRecord(NthRecord(BlockId::ChannelMemory, i));
        if (!writeRecordOk) co_return false;
    }
    stepProgress();
    for (int i = 0; i < 32; ++i) {
        const bool writeRecordOk = co_await writeRecord(NthRecord(BlockId::ChannelNames, i));
        if (!writeRecordOk) co_return false;
        stepProgress();
    }
    const bool dtmfWritten = co_await writeRecord(SingleRecord(BlockId::DtmfCodes));
    if (!dtmfWritten) co_return false;
    stepProgress();
    // Only the first 32 data bytes of the VFO and second settings blocks are written.
    const bool vfoWritten = co_await writeRecord(SingleRecord(BlockId::Vfo));
    if (!vfoWritten) co_return false;
    stepProgress();
    const bool settingsWritten = co_await writeRecord(SingleRecord(BlockId::Settings));
    if (!settingsWritten) co_return false;
    stepProgress();
    const bool secondSettingsWritten = co_await writeRecord(SingleRecord(BlockId::SecondSettings));
    if (!secondSettingsWritten) co_return false;
    const bool confirmWritesOk = co_await confirmWrites();
    if (!confirmWritesOk) co_return false;
    progress = kProgressAllMoved;
    reports->progress(progress);
    co_return true;
}

Co<bool> TransferEngine::Session::runTransfer() {
    reports->progress(1);
    TransferOutcome outcome;
    const bool scanPortsOk = co_await scanPorts(outcome);
    if (scanPortsOk) {
        if (mode == TransferMode::Read) {
            const bool readSequenceOk = co_await readSequence();
            if (readSequenceOk) {
                reports->dataReady(e.image_);
                outcome.result = TransferResult::ReadDone;
            } else {
                outcome.result = TransferResult::ReadFailed;
            }
        } else {
            const bool written = co_await writeSequence();
            outcome.result = written ? TransferResult::WriteDone : TransferResult::WriteFailed;
            if (outcome.result == TransferResult::WriteDone && options.verify) {
                RadioImage readBack = e.image_;
                const bool readBackWrittenOk = co_await readBackWritten(readBack);
                if (readBackWrittenOk) {
                    outcome.readBack = readBack;
                } else {
                    outcome.result = TransferResult::WriteFailed;
                    failedSize = wire::kBlockSize;
                }
            }
        }
        if (outcome.result == TransferResult::ReadFailed || outcome.result == TransferResult::WriteFailed) {
            outcome.failedAddress = failedAddress;
            outcome.failedSize = failedSize;
            outcome.unproven = unproven;
        }
    } else {
        outcome.result = TransferResult::NoRadio;
    }
    // A transfer that failed after a cancel request failed because of it; a cancel that came
    // after the last block changes nothing.
    if (cancelled() && outcome.result != TransferResult::ReadDone && outcome.result != TransferResult::WriteDone) {
        outcome.cancelled = true;
        if (trace()) trace()->note("cancelled");
        outcome.result = mode == TransferMode::Read ? TransferResult::ReadFailed : TransferResult::WriteFailed;
        outcome.portsTried.clear();
        outcome.permissionProblem.reset();
        outcome.busyProblem.reset();
        outcome.otherModel.reset();
    }
    outcome.unitsWritten = unitsWritten;
    outcome.unitsSent = unitsSent;
    e.outcome_ = std::move(outcome);
    co_return true;
}

TransferEngine::TransferEngine() : session_(std::make_unique<Session>(*this)) {}

TransferEngine::~TransferEngine() = default;

void TransferEngine::startTransfer(const TransferJob& job, TransferReports& reports, LineTime now) {
    session_ = std::make_unique<Session>(*this);
    now_ = now;
    cancelled_ = false;
    image_ = job.image;
    outcome_ = {};
    session_->reports = &reports;
    session_->mode = job.mode;
    session_->options = job.options;
    request_ = {};
    session_->running = session_->runTransfer();
    session_->running.start();
    if (session_->running.done()) request_ = {};
}

void TransferEngine::startExchange(const Exchange& exchange, LineTime now) {
    now_ = now;
    cancelled_ = false;
    exchangeResult_ = false;
    request_ = {};
    session_->waiting = {};
    session_->running = session_->runExchange(exchange);
    session_->running.start();
    if (session_->running.done()) request_ = {};
}

void TransferEngine::resume(LineTime now) {
    now_ = std::max(now_, now);
    std::coroutine_handle<> step = std::exchange(session_->waiting, {});
    if (!step) return;
    request_ = {};
    step.resume();
    // A step that finished without asking for anything leaves request_ at Finished.
}

void TransferEngine::opened(LineTime now, const PortOpening& opening) {
    session_->opening = opening;
    resume(now);
}

void TransferEngine::sent(LineTime now, std::size_t count) {
    session_->sentCount = count;
    resume(now);
}

void TransferEngine::received(LineTime now, std::span<const std::uint8_t> bytes) {
    // Called for every byte of a paced reply: appended without the general insert.
    if (!bytes.empty()) {
        std::vector<std::uint8_t>& input = session_->input;
        const std::size_t held = input.size();
        input.resize(held + bytes.size());
        std::memcpy(input.data() + held, bytes.data(), bytes.size());
    }
    resume(now);
}

void TransferEngine::done(LineTime now) { resume(now); }

void TransferEngine::bandChecked(LineTime now, bool proceed) {
    session_->bandAnswer = proceed;
    resume(now);
}

void RunEngine(TransferEngine& engine, LineDriver& driver, TransferReports* reports) {
    std::vector<std::uint8_t> received;
    while (!engine.finished()) {
        if (driver.cancelRequested()) engine.cancel();
        const LineRequest& request = engine.request();
        switch (request.kind) {
        case Kind::Open: {
            PortOpening opening = driver.openPort(request.port);
            engine.opened(driver.now(), opening);
            break;
        }
        case Kind::Close:
            driver.closePort();
            engine.done(driver.now());
            break;
        case Kind::Purge:
            driver.purge();
            engine.done(driver.now());
            break;
        case Kind::Send: {
            std::size_t sent = driver.send(request.bytes);
            engine.sent(driver.now(), sent);
            break;
        }
        case Kind::Wait:
            received.clear();
            driver.wait(request.until, received);
            engine.received(driver.now(), received);
            break;
        case Kind::BandCheck: {
            bool proceed = reports && reports->checkBandLimits(engine.bandCheckImage());
            engine.bandChecked(driver.now(), proceed);
            break;
        }
        case Kind::Finished: break;
        }
    }
}

}  // namespace radioprog
