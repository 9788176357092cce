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
    auto add = [&records](const RecordInfo& record) { records.push_back({&record, WrittenUnits(record)}); };
    for (BlockId block : {BlockId::ChannelMemory, BlockId::ChannelNames})
        for (int i = 0; i < 32; ++i) add(RecordAt(block, i));
    for (BlockId block : {BlockId::DtmfCodes, BlockId::Vfo, BlockId::Settings, BlockId::SecondSettings})
        add(SingleRecord(block));
    return records;
}

}  // namespace

const std::vector<WrittenRecord>& WrittenRecords() {
    static const std::vector<WrittenRecord> records = MakeWrittenRecords();
    return records;
}

}  // namespace radioprog
