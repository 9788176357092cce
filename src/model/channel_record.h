// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two 16-byte entries of a channel: the ChannelRecord (frequencies, tones, flags,
// signalling) and the ChannelNameEntry (seven name characters).
#include <cstdint>
#include <string>

#include "model/byte_order.h"
#include "model/radio_image.h"

namespace radioprog {

namespace channel_field {
inline constexpr int kRxFrequency = 0;
inline constexpr int kTxFrequency = 4;
inline constexpr int kRxTone = 8;
inline constexpr int kTxTone = 10;
inline constexpr int kFlags = 12;
inline constexpr int kSignalling = 14;
}  // namespace channel_field

namespace channel_flag {
inline constexpr int kBusyLockout = 3;
inline constexpr int kPttIdLow = 5;  // bits 5-6: a 2-bit selector only the batch dialog sets
inline constexpr int kBandwidth = 12;
inline constexpr int kPower = 13;
inline constexpr int kBit14 = 14;
}  // namespace channel_flag

inline constexpr int kChannelNameLength = 7;

// Read access to channel n's fields in an image.
class ChannelView {
public:
    ChannelView(const RadioImage& image, int n) : record_(image.channel(n)), name_(image.channelName(n)) {}

    std::uint32_t rxFrequency() const { return ReadLe32(record_ + channel_field::kRxFrequency); }
    std::uint32_t txFrequency() const { return ReadLe32(record_ + channel_field::kTxFrequency); }
    std::uint16_t rxTone() const { return ReadLe16(record_ + channel_field::kRxTone); }
    std::uint16_t txTone() const { return ReadLe16(record_ + channel_field::kTxTone); }
    std::uint16_t flags() const { return ReadLe16(record_ + channel_field::kFlags); }
    bool flag(int bit) const { return (flags() >> bit) & 1; }
    std::uint8_t signalling() const { return record_[channel_field::kSignalling]; }
    std::uint8_t nameByte(int i) const { return name_[i]; }
    const std::uint8_t* nameEntry() const { return name_; }

private:
    const std::uint8_t* record_;
    const std::uint8_t* name_;
};

// Read and write access to channel n's fields in an image.
class ChannelRef : public ChannelView {
public:
    ChannelRef(RadioImage& image, int n)
        : ChannelView(image, n), record_(image.channel(n)), name_(image.channelName(n)) {}

    void setRxFrequency(std::uint32_t v) { WriteLe32(record_ + channel_field::kRxFrequency, v); }
    void setTxFrequency(std::uint32_t v) { WriteLe32(record_ + channel_field::kTxFrequency, v); }
    void setRxTone(std::uint16_t v) { WriteLe16(record_ + channel_field::kRxTone, v); }
    void setTxTone(std::uint16_t v) { WriteLe16(record_ + channel_field::kTxTone, v); }
    void setFlags(std::uint16_t v) { WriteLe16(record_ + channel_field::kFlags, v); }
    void setFlag(int bit, bool on) {
        auto mask = static_cast<std::uint16_t>(1u << bit);
        setFlags(static_cast<std::uint16_t>(on ? (flags() | mask) : (flags() & ~mask)));
    }
    void setSignalling(std::uint8_t v) { record_[channel_field::kSignalling] = v; }
    void setNameByte(int i, std::uint8_t v) { name_[i] = v; }

private:
    std::uint8_t* record_;
    std::uint8_t* name_;
};

// The name characters 0-9 and A-Z as stored (0..35); 0xFF for any other character.
std::uint8_t NameCharToCode(char c);
// Decodes name bytes: stops at the first byte that is not 0..35 or after seven characters.
std::string DecodeChannelName(const std::uint8_t* nameEntry);

// A channel is in use when its receive frequency is a valid code.
bool ChannelInUse(const RadioImage& image, int n);

}  // namespace radioprog
