// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open file as a document: the image, the file it belongs to, whether it holds edits that
// file does not have, and the undo history of the channel table. Every change of the image
// runs through here, so "modified" is always the truth: it compares the image with what was
// last opened or saved, and undoing back to that state clears it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/channel_session.h"
#include "editors/edit_history.h"
#include "model/radio_image.h"

namespace radioprog {

class ImageDocument : public ChannelSessionDocument {
public:
    // A new image, without a file, not modified.
    ImageDocument();

    const RadioImage& image() const override { return image_; }
    // The file the document was opened from or saved to; empty before the first save.
    const std::string& path() const { return path_; }
    bool modified() const;
    const EditHistory& history() const { return history_; }

    // The whole image is replaced and the history forgotten. File New: a new image, no file.
    void startNew();
    // An image from a file (not modified), from the radio or a recovery file (modified until
    // saved; path empty when there is no file).
    void replace(const RadioImage& image, const std::string& path, bool modified);
    // The image is now what `path` holds.
    void markSaved(const std::string& path);

    // A change of the channel area (cells, batch, paste, import, delete, insert, move): one
    // undo step. Returns the channels whose bytes changed (empty: nothing changed, no step).
    std::vector<int> editChannels(const std::function<void(RadioImage&)>& change) override;
    // A change the forms store (settings, frequency-mode entries, DTMF): no undo step.
    // Returns whether the image changed.
    bool editSettings(const std::function<void(RadioImage&)>& change);
    // Undo and redo of the channel table; the channels the step changed (empty: none to take).
    std::vector<int> undo();
    std::vector<int> redo();

    // Facts of the link, not edits of the user: the port the radio was found on and the band
    // limits a write reads from the radio. They change the image without making it modified.
    void setPort(int port);
    void takeBandLimits(const RadioImage& fromRadio);

private:
    RadioImage image_;
    std::optional<RadioImage> saved_;  // what the file holds; none when no file holds it
    std::string path_;
    EditHistory history_;
};

// The channels (0..127) whose record or name differs between the two images.
std::vector<int> ChangedChannels(const RadioImage& before, const RadioImage& after);

}  // namespace radioprog
