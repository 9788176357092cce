// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/proven_transfer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace radioprog {

namespace {

using Block = std::array<std::uint8_t, wire::kBlockSize>;

const RecordInfo& RecordAt(BlockId block, int index) {
    const auto& map = BlockMap();
    return block == BlockId::ChannelMemory  ? map[static_cast<std::size_t>(index)]
           : block == BlockId::ChannelNames ? map[32 + static_cast<std::size_t>(index)]
                                            : SingleRecord(block);
}

std::vector<WrittenRecord> MakeWrittenRecords() {
    std::vector<WrittenRecord> records;
    for (BlockId block : {BlockId::ChannelMemory, BlockId::ChannelNames})
        for (int i = 0; i < 32; ++i) records.push_back({&RecordAt(block, i), 4});
    // Only the first 32 data bytes of the VFO and second settings blocks are written.
    records.push_back({&SingleRecord(BlockId::DtmfCodes), 16});
    records.push_back({&SingleRecord(BlockId::Vfo), 2});
    records.push_back({&SingleRecord(BlockId::Settings), 4});
    records.push_back({&SingleRecord(BlockId::SecondSettings), 2});
    return records;
}

}  // namespace

ProvenRead ReadBlockProven(CComPort& port, std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    Block readings[3];
    for (int k = 0; k < 2; ++k)
        if (!port.ReadBlock(hi, lo, readings[k].data())) return ProvenRead::Failed;
    const Block* kept = nullptr;
    if (readings[0] == readings[1]) {
        kept = &readings[0];
    } else {
        if (!port.ReadBlock(hi, lo, readings[2].data())) return ProvenRead::Failed;
        if (readings[2] == readings[0] || readings[2] == readings[1]) kept = &readings[2];
    }
    if (!kept) return ProvenRead::Unproven;
    std::memcpy(destination, kept->data(), kept->size());
    return ProvenRead::Agreed;
}

const std::vector<WrittenRecord>& WrittenRecords() {
    static const std::vector<WrittenRecord> records = MakeWrittenRecords();
    return records;
}

bool ReadBackWritten(CComPort& port, RadioImage& readBack, std::optional<std::uint16_t>& failedAddress) {
    for (const WrittenRecord& written : WrittenRecords()) {
        const RecordInfo& record = *written.record;
        std::size_t bytes = wire::kUnitSize * static_cast<std::size_t>(written.units);
        for (std::size_t start = 0; start < bytes; start += wire::kBlockSize) {
            std::uint8_t hi = readBack.addressHigh(record);
            auto lo = static_cast<std::uint8_t>(readBack.addressLow(record) + start);
            Block block{};
            if (!port.ReadBlock(hi, lo, block.data())) {
                failedAddress = static_cast<std::uint16_t>(hi << 8 | lo);
                return false;
            }
            std::size_t take = std::min(wire::kBlockSize, bytes - start);
            std::memcpy(readBack.recordData(record) + start, block.data(), take);
        }
    }
    return true;
}

}  // namespace radioprog
