// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of the radio's programming protocol as the program sends and expects them.
#include <cstddef>
#include <cstdint>

namespace radioprog {

namespace wire {
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kReadCommand = 0x52;   // 'R'
inline constexpr std::uint8_t kWriteCommand = 0x57;  // 'W', also the header of a read reply
inline constexpr std::uint8_t kReadLength = 0x40;
inline constexpr std::uint8_t kWriteLength = 0x10;
inline constexpr std::size_t kBlockSize = 64;
inline constexpr std::size_t kUnitSize = 16;
inline constexpr std::size_t kReadReplySize = 4 + kBlockSize;
inline constexpr char kModeEntry[] = "PqWmZt5V\x02";  // 9 bytes
inline constexpr std::size_t kModeEntrySize = 9;
inline constexpr char kModel[] = "R3M71";
inline constexpr std::size_t kModelSize = 5;
inline constexpr std::uint8_t kIdentTrailer[2] = {0x43, 0xF8};
inline constexpr std::size_t kIdentReplySize = 8;
inline constexpr int kModeEntryWaitMs = 200;  // quiet time before the mode-entry string
inline constexpr int kReadAttempts = 4;
inline constexpr int kWriteAttempts = 4;
inline constexpr int kAckReadAttempts = 4;
}  // namespace wire

// Replaces each nibble of each byte through the radio's 16-entry table, in place; with
// descramble false, through the inverse table. The band-limit block is sent scrambled.
void TranslateNibbles(std::uint8_t* buffer, std::size_t length, bool descramble);

}  // namespace radioprog
