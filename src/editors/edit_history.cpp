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

bool EditHistory::undo(RadioImage& image) {
    if (undo_.empty()) return false;
    redo_.push_back(CaptureChannelArea(image));
    RestoreChannelArea(image, undo_.back());
    undo_.pop_back();
    return true;
}

bool EditHistory::redo(RadioImage& image) {
    if (redo_.empty()) return false;
    undo_.push_back(CaptureChannelArea(image));
    RestoreChannelArea(image, redo_.back());
    redo_.pop_back();
    return true;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace radioprog
