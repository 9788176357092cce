// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-channel operations of the channel table: delete, insert and move rows. A channel
// always travels as its pair of 16-byte entries (ChannelRecord and ChannelNameEntry), so
// the bytes no editor shows (record byte 15, name bytes 7..15, the hidden flag bits) stay
// with their channel.
#include <vector>

#include "model/radio_image.h"

namespace radioprog {

// Channel numbers sorted, without duplicates, limited to 0..127.
std::vector<int> NormalizeChannelSet(const std::vector<int>& channels);

// Erases channel n to the state of a channel that was never programmed: all 32 bytes 0xFF.
// (Emptying column 2 in the grid keeps the signalling index and hidden bits for a channel
// the user is about to type again; deleting the row removes the channel altogether, so
// nothing of it can reappear in a channel created there later.)
void EraseChannel(RadioImage& image, int n);

// Erases every channel of the set (numbers outside 0..127 are ignored).
void DeleteChannels(RadioImage& image, const std::vector<int>& channels);

// True when inserting a channel would drop channel 127 while it is in use (its receive
// frequency is valid): the caller asks the user first.
bool InsertDropsChannelInUse(const RadioImage& image);

// Inserts an erased channel at n (0..127): channels n..126 move down by one, channel 127
// drops off. Returns whether the dropped channel was in use. n outside 0..127 changes
// nothing and returns false.
bool InsertEmptyChannel(RadioImage& image, int n);

enum class MoveDirection { Up, Down };

// Moves the channels of the set one row up (towards channel 0) or down; each unselected
// neighbour takes the place the selection leaves, so a range moves as a block and gaps in
// the set stay. Nothing moves when the set is empty or touches the edge (channel 0 for Up,
// 127 for Down). Returns the set's new channel numbers (for the caller's selection), or an
// empty list when nothing moved.
std::vector<int> MoveChannels(RadioImage& image, const std::vector<int>& channels, MoveDirection direction);

enum class ChannelSortKey {
    RxFrequency,  // lowest receive frequency first
    Name,         // by name (digits before letters), unnamed channels after named ones
    Band,         // VHF channels before UHF ones, each band in its present order
};

// Sorts the channels of the set among their own rows (the whole table when the set holds
// fewer than two channels): channels in use in the key's order, equal keys in their present
// order, empty channels after them. Returns the rows sorted (for the caller's selection), or
// an empty list when nothing moved.
std::vector<int> SortChannels(RadioImage& image, const std::vector<int>& channels, ChannelSortKey key);

}  // namespace radioprog
