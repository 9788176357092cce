// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Transfers that prove themselves. The protocol carries no checksum, so a byte corrupted on
// the line is taken as it arrives and a radio may acknowledge a unit it did not store
// correctly. A proven read reads each block until two readings agree; a write is proven
// by reading back every block it wrote.
#include <cstdint>
#include <optional>
#include <vector>

#include "model/radio_image.h"

namespace radioprog {

// A proven read reads the 64-byte block twice with the ordinary read request (and its
// retries); when the two differ, a third time, and keeps the reading two of the three agree
// on. A proven write reads back, 64 bytes at a time, every block the write sent.
enum class ProvenRead {
    Agreed,    // two readings agree; the destination holds them
    Failed,    // a reading failed as an ordinary read fails
    Unproven,  // three readings, no two alike; the destination is unchanged
};

// A record the write sends, and how many of its 16-byte units (from its first data byte).
struct WrittenRecord {
    const RecordInfo* record;
    int units;
};
// Every record a write sends, in the order sent.
const std::vector<WrittenRecord>& WrittenRecords();

}  // namespace radioprog
