// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/radio_image.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "model/byte_order.h"

namespace radioprog {

std::size_t RecordHeaderSize(RecordForm form) { return form == RecordForm::Wide ? 4 : 2; }
std::size_t RecordDataSize(RecordForm form) { return form == RecordForm::Long ? 256 : 64; }
std::size_t RecordSize(RecordForm form) { return RecordHeaderSize(form) + RecordDataSize(form); }

namespace {

std::vector<RecordInfo> BuildBlockMap() {
    std::vector<RecordInfo> map;
    for (int i = 0; i < 32; ++i)
        map.push_back({BlockId::ChannelMemory, i, offsets::kChannelRecords + 68 * static_cast<std::size_t>(i),
                       RecordForm::Wide, static_cast<std::uint16_t>(0x0000 + 0x40 * i)});
    for (int i = 0; i < 32; ++i)
        map.push_back({BlockId::ChannelNames, i, offsets::kNameRecords + 66 * static_cast<std::size_t>(i),
                       RecordForm::Narrow, static_cast<std::uint16_t>(0x1000 + 0x40 * i)});
    map.push_back({BlockId::Vfo, 0, offsets::kVfoRecord, RecordForm::Wide, kVfoAddress});
    map.push_back({BlockId::BandLimits, 0, offsets::kBandLimitRecord, RecordForm::Narrow, kBandLimitAddress});
    map.push_back({BlockId::Settings, 0, offsets::kSettingsRecord, RecordForm::Narrow, kSettingsAddress});
    map.push_back(
        {BlockId::SecondSettings, 0, offsets::kSecondSettingsRecord, RecordForm::Narrow, kSecondSettingsAddress});
    map.push_back({BlockId::DtmfCodes, 0, offsets::kDtmfRecord, RecordForm::Long, kDtmfAddress});
    return map;
}

// VFO A and B: receive and transmit frequency, tones off, flag word 0xF800, signalling 0, band.
constexpr std::uint8_t kDefaultVfo[32] = {0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x60, 0x13, 0xFF, 0xFF, 0xFF,
                                          0xFF, 0x00, 0xF8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00,
                                          0x00, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xF8, 0x00, 0x01};

// Repeater offset entries A and B: direction 0, offset digits 0 0 6 0 0 (600 kHz), end mark.
constexpr std::uint8_t kDefaultOffsetEntry[7] = {0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00};

}  // namespace

const std::vector<RecordInfo>& BlockMap() {
    static const std::vector<RecordInfo> map = BuildBlockMap();
    return map;
}

const RecordInfo& SingleRecord(BlockId block) {
    const auto& map = BlockMap();
    return *std::find_if(map.begin() + 64, map.end(), [block](const RecordInfo& r) { return r.block == block; });
}

std::size_t ChannelOffset(int n) {
    auto u = static_cast<std::size_t>(n);
    return 8 + 68 * (u / 4) + 16 * (u % 4);
}

std::size_t ChannelNameOffset(int n) {
    auto u = static_cast<std::size_t>(n);
    return 2182 + 66 * (u / 4) + 16 * (u % 4);
}

std::int32_t RadioImage::port() const { return static_cast<std::int32_t>(ReadLe32(&bytes[offsets::kPort])); }

void RadioImage::setPort(std::int32_t port) { WriteLe32(&bytes[offsets::kPort], static_cast<std::uint32_t>(port)); }

void RadioImage::ApplyDefaults() {
    for (const RecordInfo& record : BlockMap()) {
        bytes[record.offset] = static_cast<std::uint8_t>(record.address >> 8);
        bytes[record.offset + 1] = static_cast<std::uint8_t>(record.address & 0xFF);
        if (record.block != BlockId::BandLimits) std::memset(recordData(record), 0xFF, RecordDataSize(record.form));
    }
    std::memcpy(blockData(BlockId::Vfo), kDefaultVfo, sizeof kDefaultVfo);

    std::uint8_t* limits = blockData(BlockId::BandLimits);
    for (int i = 0; i < 4; ++i) WriteLe32(limits + 4 * i, 0x99990000u);

    std::memcpy(offsetEntry(0), kDefaultOffsetEntry, sizeof kDefaultOffsetEntry);
    std::memcpy(offsetEntry(1), kDefaultOffsetEntry, sizeof kDefaultOffsetEntry);

    std::uint8_t* slot0 = dtmfSlot(0);
    const std::uint8_t group1[5] = {1, 2, 1, 2, 2};
    std::memcpy(slot0, group1, 5);
    for (int k = 1; k <= 13; ++k) std::memset(dtmfSlot(k), k, 5);
    const std::uint8_t group15[5] = {3, 0, 3, 0, 3};
    std::memcpy(dtmfSlot(14), group15, 5);

    setPort(1);
}

std::uint16_t RecordAddress(const RadioImage& image, const RecordInfo& record) {
    return static_cast<std::uint16_t>(image.addressHigh(record) << 8 | image.addressLow(record));
}

std::vector<RecordInfo> MisaddressedRecords(const RadioImage& image) {
    std::vector<RecordInfo> wrong;
    for (const RecordInfo& record : BlockMap())
        if (RecordAddress(image, record) != record.address) wrong.push_back(record);
    return wrong;
}

int WrittenUnits(const RecordInfo& record) {
    switch (record.block) {
    case BlockId::BandLimits: return 0;
    case BlockId::Vfo:
    case BlockId::SecondSettings: return 2;
    default: return static_cast<int>(RecordDataSize(record.form) / kWriteUnitSize);
    }
}

std::uint16_t UnitAddress(const RadioImage& image, const RecordInfo& record, int k) {
    const auto low = static_cast<std::uint8_t>(image.addressLow(record) + kWriteUnitSize * static_cast<unsigned>(k));
    return static_cast<std::uint16_t>(image.addressHigh(record) << 8 | low);
}

std::vector<RecordInfo> UnsafeRecords(const RadioImage& image) {
    // The units a well-laid image writes: the only places a unit may land.
    static const std::set<std::uint16_t> kWritable = [] {
        std::set<std::uint16_t> units;
        for (const RecordInfo& record : BlockMap())
            for (int k = 0; k < WrittenUnits(record); ++k)
                units.insert(static_cast<std::uint16_t>(record.address + kWriteUnitSize * static_cast<unsigned>(k)));
        return units;
    }();
    std::vector<RecordInfo> unsafe;
    for (const RecordInfo& record : BlockMap())
        for (int k = 0; k < WrittenUnits(record); ++k)
            if (!kWritable.contains(UnitAddress(image, record, k))) {
                unsafe.push_back(record);
                break;
            }
    return unsafe;
}

void RepairRecordAddresses(RadioImage& image) {
    for (const RecordInfo& record : BlockMap()) {
        image.bytes[record.offset] = static_cast<std::uint8_t>(record.address >> 8);
        image.bytes[record.offset + 1] = static_cast<std::uint8_t>(record.address & 0xFF);
    }
}

}  // namespace radioprog
