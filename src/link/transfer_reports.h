// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a transfer job tells its owner. The GUI turns these into queued signals handled on
// the user-interface thread in the order sent; the command-line tool handles them directly.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

// Result codes as the radio programming software has always numbered them.
enum class TransferResult : int { NoRadio = 0, ReadFailed = 1, WriteFailed = 2, ReadDone = 3, WriteDone = 4 };

enum class TransferMode : int { Idle = 0, Read = 2, Write = 3 };

// A port the scan could not open, and why.
struct PortProblem {
    int port = 0;        // 1..20 (COMn)
    std::string device;  // device path, e.g. /dev/ttyUSB0
    std::string reason;  // strerror text
    bool permissionDenied = false;
    bool busy = false;  // held by another program
};

// A radio that answered the identification as another model.
struct OtherModel {
    int port = 0;
    std::string device;
    std::string model;  // its model name when printable, else empty
};

// What is said of it: "A radio answered but it is another model: R3M72", or, when its name
// cannot be shown, that it answered, but not as this radio does.
std::string OtherModelText(const OtherModel& other, const LanguageTable& language);

struct TransferOutcome {
    TransferResult result = TransferResult::NoRadio;
    // The port where the radio answered and identified itself (the read's image carries it
    // as its port number); set once the radio was found.
    std::optional<int> foundPort;
    // For NoRadio: the first port that was refused for lack of permission, so the user can
    // be told to join the dialout group.
    std::optional<PortProblem> permissionProblem;
    // For NoRadio: the first port that was busy (held by another program); the scan went on.
    std::optional<PortProblem> busyProblem;
    // For ReadFailed and WriteFailed: the radio address of the block or unit that failed.
    std::optional<std::uint16_t> failedAddress;
    std::size_t failedSize = 0;  // its length: 16 for a write unit, 64 for a block read
    // ReadFailed with a verified read: the block arrived, but no two of its three readings
    // agreed (failedAddress names it).
    bool unproven = false;
    // WriteDone with a verified write: what the radio holds after the write, read back
    // (the sent image with every written byte replaced by the byte read back). Compare it
    // with the image sent to find what the radio did not store.
    std::optional<RadioImage> readBack;
    // For NoRadio: every existing port the scan tried, in order; an empty reason means it
    // opened but no radio answered there.
    std::vector<PortProblem> portsTried;
    // For NoRadio: a radio answered on this port, but identified itself as another model.
    std::optional<OtherModel> otherModel;
    // The user stopped the transfer; the result is then ReadFailed or WriteFailed.
    bool cancelled = false;
    // Write units the radio acknowledged.
    int unitsWritten = 0;
    // Write units sent, resends included. A radio may store a unit it does not acknowledge
    // (its answer lost or garbled), so a failed write after any leaves the radio possibly
    // holding part old, part new memory.
    int unitsSent = 0;
    bool radioMayHoldMix() const { return unitsSent > 0; }
};

// Called on the thread that runs the job. Images are passed by reference for the length of
// the call only: copy what is kept or queued.
class TransferReports {
public:
    virtual ~TransferReports() = default;
    // Progress value: 1 at the start, rising counts, 100 when all blocks moved, 0 at the end.
    virtual void progress(int value) = 0;
    // A whole read succeeded: image is the job's complete copy (port number included).
    virtual void dataReady(const RadioImage& image) = 0;
    // Before anything is written: bandLimitImage holds the radio's band-limit block
    // (descrambled) and the image to be written. Blocks the worker until answered;
    // true lets the write proceed.
    virtual bool checkBandLimits(const RadioImage& bandLimitImage) = 0;
    // The final result; sent after dataReady and before progress(0).
    virtual void finished(const TransferOutcome& outcome) = 0;
};

}  // namespace radioprog
