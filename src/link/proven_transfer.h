// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Transfers that prove themselves. The protocol carries no checksum, so a byte corrupted on
// the line is taken as it arrives and a radio may acknowledge a unit it did not store
// correctly. A proven read reads each block until two readings agree; a write is proven
// by reading back every block it wrote.
#include <cstdint>
#include <optional>
#include <vector>

#include "link/com_port.h"
#include "model/radio_image.h"

namespace radioprog {

enum class ProvenRead {
    Agreed,    // two readings agree; the destination holds them
    Failed,    // a reading failed as an ordinary read fails
    Unproven,  // three readings, no two alike; the destination is unchanged
};

// Reads the 64-byte block at hi/lo twice with the ordinary read request (and its retries);
// when the two differ, a third time, and keeps the reading two of the three agree on.
ProvenRead ReadBlockProven(CComPort& port, std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination);

// A record the write sends, and how many of its 16-byte units (from its first data byte).
struct WrittenRecord {
    const RecordInfo* record;
    int units;
};
// Every record a write sends, in the order sent.
const std::vector<WrittenRecord>& WrittenRecords();

// Reads back, 64 bytes at a time with the ordinary read request, every block the write sent
// and puts the bytes read back over the written bytes of readBack (which starts as the image
// sent). False when a read fails; failedAddress then names the block.
bool ReadBackWritten(CComPort& port, RadioImage& readBack, std::optional<std::uint16_t>& failedAddress);

}  // namespace radioprog
