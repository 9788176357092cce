// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_rows.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "radio/usual_bands.h"

namespace radioprog {

namespace {

constexpr std::size_t kEntrySize = 16;

bool IsChannel(int n) { return n >= 0 && n < kChannelCount; }

void SwapChannels(RadioImage& image, int a, int b) {
    std::swap_ranges(image.channel(a), image.channel(a) + kEntrySize, image.channel(b));
    std::swap_ranges(image.channelName(a), image.channelName(a) + kEntrySize, image.channelName(b));
}

void CopyChannel(RadioImage& image, int from, int to) {
    std::memcpy(image.channel(to), image.channel(from), kEntrySize);
    std::memcpy(image.channelName(to), image.channelName(from), kEntrySize);
}

}  // namespace

std::vector<int> NormalizeChannelSet(const std::vector<int>& channels) {
    std::vector<int> set;
    std::copy_if(channels.begin(), channels.end(), std::back_inserter(set), IsChannel);
    std::sort(set.begin(), set.end());
    set.erase(std::unique(set.begin(), set.end()), set.end());
    return set;
}

void EraseChannel(RadioImage& image, int n) {
    std::memset(image.channel(n), 0xFF, kEntrySize);
    std::memset(image.channelName(n), 0xFF, kEntrySize);
}

void DeleteChannels(RadioImage& image, const std::vector<int>& channels) {
    for (int n : NormalizeChannelSet(channels)) EraseChannel(image, n);
}

bool InsertDropsChannelInUse(const RadioImage& image) { return ChannelInUse(image, kChannelCount - 1); }

bool InsertEmptyChannel(RadioImage& image, int n) {
    if (!IsChannel(n)) return false;
    bool dropped = InsertDropsChannelInUse(image);
    for (int to = kChannelCount - 1; to > n; --to) CopyChannel(image, to - 1, to);
    EraseChannel(image, n);
    return dropped;
}

std::vector<int> MoveChannels(RadioImage& image, const std::vector<int>& channels, MoveDirection direction) {
    std::vector<int> set = NormalizeChannelSet(channels);
    if (set.empty()) return {};
    bool up = direction == MoveDirection::Up;
    if (up ? set.front() == 0 : set.back() == kChannelCount - 1) return {};
    // Each channel swaps with its neighbour in the direction of travel; taking the channels
    // nearest that edge first lets a block slide past the one unselected neighbour.
    if (!up) std::reverse(set.begin(), set.end());
    int step = up ? -1 : 1;
    for (int& n : set) {
        SwapChannels(image, n, n + step);
        n += step;
    }
    std::sort(set.begin(), set.end());
    return set;
}

namespace {

// The UHF band's lower edge in 10 Hz units; a channel between the bands sorts with VHF.
constexpr FrequencyUnits kUhfFirstUnits = FrequencyUnits{kUsualBandLower[1]} * 100000;

// The value a channel sorts by; empty channels after every channel in use.
struct SortValue {
    bool empty;
    int band;  // 0 VHF, 1 UHF
    std::string name;
    FrequencyUnits rx;
};

SortValue SortValueOf(const RadioImage& image, int n) {
    const ChannelView channel(image, n);
    const FrequencyUnits rx = ChannelInUse(image, n) ? BcdToUnits(channel.rxFrequency()) : 0;
    return {!ChannelInUse(image, n), rx >= kUhfFirstUnits ? 1 : 0, DecodeChannelName(image.channelName(n)), rx};
}

bool SortsBefore(const SortValue& a, const SortValue& b, ChannelSortKey key) {
    if (a.empty != b.empty) return b.empty;
    if (a.empty) return false;
    switch (key) {
    case ChannelSortKey::RxFrequency: return a.rx < b.rx;
    case ChannelSortKey::Name:
        if (a.name.empty() != b.name.empty()) return b.name.empty();
        return a.name < b.name;
    case ChannelSortKey::Band: return a.band < b.band;
    }
    return false;
}

}  // namespace

std::vector<int> SortChannels(RadioImage& image, const std::vector<int>& channels, ChannelSortKey key) {
    std::vector<int> rows = NormalizeChannelSet(channels);
    if (rows.size() < 2) {
        rows.resize(kChannelCount);
        std::iota(rows.begin(), rows.end(), 0);
    }
    std::vector<int> order = rows;
    std::vector<SortValue> values(kChannelCount);
    for (int n : rows) values[static_cast<std::size_t>(n)] = SortValueOf(image, n);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return SortsBefore(values[static_cast<std::size_t>(a)], values[static_cast<std::size_t>(b)], key);
    });
    if (order == rows) return {};
    const RadioImage before = image;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::memcpy(image.channel(rows[i]), before.channel(order[i]), kEntrySize);
        std::memcpy(image.channelName(rows[i]), before.channelName(order[i]), kEntrySize);
    }
    return rows;
}

}  // namespace radioprog
