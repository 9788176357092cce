// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/proven_transfer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace radioprog {

namespace {

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

const std::vector<WrittenRecord>& WrittenRecords() {
    static const std::vector<WrittenRecord> records = MakeWrittenRecords();
    return records;
}

}  // namespace radioprog
