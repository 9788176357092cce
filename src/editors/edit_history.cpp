// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/edit_history.h"

#include <algorithm>

namespace radioprog {

ChannelArea CaptureChannelArea(const RadioImage& image) {
    ChannelArea area;
    std::copy(image.bytes.begin() + kChannelAreaBegin, image.bytes.begin() + kChannelAreaEnd, area.begin());
    return area;
}

void RestoreChannelArea(RadioImage& image, const ChannelArea& area) {
    std::copy(area.begin(), area.end(), image.bytes.begin() + kChannelAreaBegin);
}

EditHistory::EditHistory(std::size_t depth) : depth_(std::max<std::size_t>(depth, 1)) {}

bool EditHistory::record(const ChannelArea& before, const RadioImage& image) {
    if (CaptureChannelArea(image) == before) return false;
    undo_.push_back(before);
    if (undo_.size() > depth_) undo_.pop_front();
    redo_.clear();
    return true;
}

namespace {

// Undo and redo are one move in opposite directions: the newest step of from is put back into
// the image, and what the image held becomes the newest step of to.
bool MoveStep(std::deque<ChannelArea>& from, std::deque<ChannelArea>& to, RadioImage& image) {
    if (from.empty()) return false;
    to.push_back(CaptureChannelArea(image));
    RestoreChannelArea(image, from.back());
    from.pop_back();
    return true;
}

}  // namespace

bool EditHistory::undo(RadioImage& image) { return MoveStep(undo_, redo_, image); }

bool EditHistory::redo(RadioImage& image) { return MoveStep(redo_, undo_, image); }

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace radioprog
