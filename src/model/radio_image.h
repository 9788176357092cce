// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte-exact copy of the radio's programmable memory plus the port number. The offsets
// are fixed: they are what a .dat file holds, and the address bytes of every record are what
// goes on the wire.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace radioprog {

inline constexpr std::size_t kImageSize = 4816;
inline constexpr int kChannelCount = 128;

// Record forms: address high, address low, [2 spare bytes,] data.
enum class RecordForm { Wide, Narrow, Long };

enum class BlockId { ChannelMemory, ChannelNames, Vfo, BandLimits, Settings, SecondSettings, DtmfCodes };

struct RecordInfo {
    BlockId block;
    int index;           // record number inside its block (0 for single records)
    std::size_t offset;  // image offset of the record's first address byte
    RecordForm form;
    std::uint16_t address;  // radio address written by the defaults
};

std::size_t RecordHeaderSize(RecordForm form);  // 4, 2, 2
std::size_t RecordDataSize(RecordForm form);    // 64, 64, 256
std::size_t RecordSize(RecordForm form);        // 68, 66, 258

// Every record of the image in image order: 32 channel records, 32 name records, VFO,
// band limits, settings, second settings, DTMF codes.
const std::vector<RecordInfo>& BlockMap();
// The single record of a block that has one (every block except channels and names).
const RecordInfo& SingleRecord(BlockId block);

namespace offsets {
inline constexpr std::size_t kPort = 0;
inline constexpr std::size_t kChannelRecords = 4;
inline constexpr std::size_t kNameRecords = 2180;
inline constexpr std::size_t kVfoRecord = 4292;
inline constexpr std::size_t kBandLimitRecord = 4360;
inline constexpr std::size_t kSettingsRecord = 4426;
inline constexpr std::size_t kSecondSettingsRecord = 4492;
inline constexpr std::size_t kDtmfRecord = 4558;
inline constexpr std::size_t kVfoData = 4296;
inline constexpr std::size_t kBandLimitData = 4362;
inline constexpr std::size_t kSettingsData = 4428;
inline constexpr std::size_t kSecondSettingsData = 4494;
inline constexpr std::size_t kDtmfData = 4560;
}  // namespace offsets

// Radio addresses of the single blocks' first data byte.
inline constexpr std::uint16_t kSettingsAddress = 0x0E20;
inline constexpr std::uint16_t kVfoAddress = 0x0F60;
inline constexpr std::uint16_t kSecondSettingsAddress = 0x1F60;
inline constexpr std::uint16_t kBandLimitAddress = 0x0FD0;
inline constexpr std::uint16_t kDtmfAddress = 0x0B00;

class RadioImage;

// The radio address a record's address bytes give (high byte, low byte). Transfers take
// every address from these bytes.
std::uint16_t RecordAddress(const RadioImage& image, const RecordInfo& record);
// A write sends each record in units of 16 data bytes: all of it, except the VFO and second
// settings blocks (their first 32 bytes) and the band limits (never written).
inline constexpr std::size_t kWriteUnitSize = 16;
int WrittenUnits(const RecordInfo& record);

// Where the k-th written unit of a record lands, as its address bytes say: the low byte steps
// by 16 and wraps within the high byte's page, as the write command carries it.
std::uint16_t UnitAddress(const RadioImage& image, const RecordInfo& record, int k);

// The records one of whose written units would land anywhere but where a write of a well-laid
// image puts data: over the radio's band limits, or outside its memory map. Such a record is
// never written, whatever the user says about the address bytes.
std::vector<RecordInfo> UnsafeRecords(const RadioImage& image);

// The records whose address bytes are not the ones the radio's layout gives, in BlockMap
// order. Written as they are, their data would land at other addresses of the radio.
std::vector<RecordInfo> MisaddressedRecords(const RadioImage& image);
// Gives every record the address bytes of the radio's layout; nothing else changes.
void RepairRecordAddresses(RadioImage& image);

std::size_t ChannelOffset(int n);      // ChannelRecord of channel n
std::size_t ChannelNameOffset(int n);  // ChannelNameEntry of channel n

class RadioImage {
public:
    std::array<std::uint8_t, kImageSize> bytes{};

    RadioImage() = default;

    // Writes the contents of a new image except the settings block's data, which it sets to
    // 0xFF: the settings table gives those bytes (WriteNewImage in radio/new_image.h writes a
    // whole new image). Leaves the spare bytes and band-limit data bytes 16..63 as they are.
    void ApplyDefaults();

    std::int32_t port() const;
    void setPort(std::int32_t port);

    std::uint8_t* channel(int n) { return &bytes[ChannelOffset(n)]; }
    const std::uint8_t* channel(int n) const { return &bytes[ChannelOffset(n)]; }
    std::uint8_t* channelName(int n) { return &bytes[ChannelNameOffset(n)]; }
    const std::uint8_t* channelName(int n) const { return &bytes[ChannelNameOffset(n)]; }

    std::uint8_t* recordData(const RecordInfo& record) { return &bytes[record.offset + RecordHeaderSize(record.form)]; }
    const std::uint8_t* recordData(const RecordInfo& record) const {
        return &bytes[record.offset + RecordHeaderSize(record.form)];
    }
    std::uint8_t addressHigh(const RecordInfo& record) const { return bytes[record.offset]; }
    std::uint8_t addressLow(const RecordInfo& record) const { return bytes[record.offset + 1]; }

    // Data of the single blocks.
    std::uint8_t* blockData(BlockId block) { return recordData(SingleRecord(block)); }
    const std::uint8_t* blockData(BlockId block) const { return recordData(SingleRecord(block)); }

    // A byte of the settings block by its radio address 0x0E20..0x0E5F.
    std::uint8_t& settingsByte(std::uint16_t address) {
        return bytes[offsets::kSettingsData + (address - kSettingsAddress)];
    }
    std::uint8_t settingsByte(std::uint16_t address) const {
        return bytes[offsets::kSettingsData + (address - kSettingsAddress)];
    }
    // VfoEntry / OffsetEntry of side 0 (A) or 1 (B); DTMF slot k (0..15).
    std::uint8_t* vfoEntry(int side) { return &bytes[offsets::kVfoData + 16 * static_cast<std::size_t>(side)]; }
    const std::uint8_t* vfoEntry(int side) const {
        return &bytes[offsets::kVfoData + 16 * static_cast<std::size_t>(side)];
    }
    std::uint8_t* offsetEntry(int side) {
        return &bytes[offsets::kSecondSettingsData + 16 * static_cast<std::size_t>(side)];
    }
    const std::uint8_t* offsetEntry(int side) const {
        return &bytes[offsets::kSecondSettingsData + 16 * static_cast<std::size_t>(side)];
    }
    std::uint8_t* dtmfSlot(int k) { return &bytes[offsets::kDtmfData + 16 * static_cast<std::size_t>(k)]; }
    const std::uint8_t* dtmfSlot(int k) const { return &bytes[offsets::kDtmfData + 16 * static_cast<std::size_t>(k)]; }

    bool operator==(const RadioImage&) const = default;
};

}  // namespace radioprog
