// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and redo of the channel table: each step is a snapshot of the channel area (the 32
// channel records and the 32 name records, address bytes included), taken before a change.
// Only the channel area is restored, so an undo never takes back the port number or the
// settings that the other editors store.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "model/radio_image.h"

namespace radioprog {

inline constexpr std::size_t kChannelAreaBegin = offsets::kChannelRecords;
inline constexpr std::size_t kChannelAreaEnd = offsets::kVfoRecord;
using ChannelArea = std::array<std::uint8_t, kChannelAreaEnd - kChannelAreaBegin>;

ChannelArea CaptureChannelArea(const RadioImage& image);
void RestoreChannelArea(RadioImage& image, const ChannelArea& area);

class EditHistory {
public:
    static constexpr std::size_t kDefaultDepth = 100;

    // depth: the number of steps kept; the oldest step is forgotten beyond it (at least 1).
    explicit EditHistory(std::size_t depth = kDefaultDepth);

    // Records one step: `before` is the channel area as it was before the change, `image`
    // holds the result. A change that left the channel area as it was records nothing.
    // Returns whether a step was recorded; a recorded step drops every redo step.
    bool record(const ChannelArea& before, const RadioImage& image);

    // Runs change() on the image and records everything it did as one step (a paste, a
    // batch, an import, ...). Returns whether a step was recorded.
    template <typename Change>
    bool apply(RadioImage& image, Change&& change) {
        ChannelArea before = CaptureChannelArea(image);
        change();
        return record(before, image);
    }

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    std::size_t depth() const { return depth_; }

    // Puts back the channel area of the step before; false (and no change) when there is none.
    bool undo(RadioImage& image);
    // Puts back what the last undo took back; false when there is nothing to redo.
    bool redo(RadioImage& image);

    // Forgets every step (File New, File Open, a read from the radio).
    void clear();

private:
    std::size_t depth_;
    std::deque<ChannelArea> undo_;  // newest at the back
    std::deque<ChannelArea> redo_;  // newest at the back
};

}  // namespace radioprog
