// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/image_document.h"

#include <algorithm>
#include <cstring>

#include "radio/new_image.h"

namespace radioprog {

namespace {

// A new image: the defaults over whatever the image held (band-limit bytes stay).
RadioImage NewImage(const RadioImage& current) {
    RadioImage image = current;
    WriteNewImage(image);
    return image;
}

void CopyBandLimits(const RadioImage& from, RadioImage& to) {
    const RecordInfo& limits = SingleRecord(BlockId::BandLimits);
    std::copy_n(from.recordData(limits), RecordDataSize(limits.form), to.recordData(limits));
}

}  // namespace

ImageDocument::ImageDocument() {
    image_ = NewImage(image_);
    saved_ = image_;
}

bool ImageDocument::modified() const { return !saved_ || *saved_ != image_; }

void ImageDocument::startNew() {
    image_ = NewImage(image_);
    saved_ = image_;
    path_.clear();
    history_.clear();
}

void ImageDocument::replace(const RadioImage& image, const std::string& path, bool modified) {
    image_ = image;
    if (modified)
        saved_.reset();
    else
        saved_ = image_;
    path_ = path;
    history_.clear();
}

void ImageDocument::markSaved(const std::string& path) {
    saved_ = image_;
    path_ = path;
}

std::vector<int> ImageDocument::editChannels(const std::function<void(RadioImage&)>& change) {
    const RadioImage before = image_;
    history_.apply(image_, [&] { change(image_); });
    return ChangedChannels(before, image_);
}

bool ImageDocument::editSettings(const std::function<void(RadioImage&)>& change) {
    const RadioImage before = image_;
    change(image_);
    return image_ != before;
}

std::vector<int> ImageDocument::undo() {
    const RadioImage before = image_;
    if (!history_.undo(image_)) return {};
    return ChangedChannels(before, image_);
}

std::vector<int> ImageDocument::redo() {
    const RadioImage before = image_;
    if (!history_.redo(image_)) return {};
    return ChangedChannels(before, image_);
}

void ImageDocument::setPort(int port) {
    image_.setPort(port);
    if (saved_) saved_->setPort(port);
}

void ImageDocument::takeBandLimits(const RadioImage& fromRadio) {
    CopyBandLimits(fromRadio, image_);
    if (saved_) CopyBandLimits(fromRadio, *saved_);
}

std::vector<int> ChangedChannels(const RadioImage& before, const RadioImage& after) {
    std::vector<int> changed;
    for (int n = 0; n < kChannelCount; ++n)
        if (std::memcmp(before.channel(n), after.channel(n), 16) != 0 ||
            std::memcmp(before.channelName(n), after.channelName(n), 16) != 0)
            changed.push_back(n);
    return changed;
}

}  // namespace radioprog
