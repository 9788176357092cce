// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/document.h"

#include "ui/text.h"

namespace radioprog {

namespace {

QList<int> ToList(const std::vector<int>& channels) { return QList<int>(channels.begin(), channels.end()); }

}  // namespace

Document::Document(QObject* parent) : QObject(parent) {}

QString Document::path() const { return Q(core_.path()); }

template <typename Change>
auto Document::tracked(Change&& change) {
    const bool wasModified = core_.modified();
    const std::string oldPath = core_.path();
    const std::size_t undoSteps = core_.history().undoCount();
    const std::size_t redoSteps = core_.history().redoCount();
    auto result = change();
    if (core_.history().undoCount() != undoSteps || core_.history().redoCount() != redoSteps) emit historyChanged();
    if (core_.path() != oldPath) emit pathChanged(path());
    if (core_.modified() != wasModified) emit modifiedChanged(core_.modified());
    return result;
}

void Document::startNew() {
    tracked([this] {
        core_.startNew();
        emit imageReplaced();
        return true;
    });
    emit historyChanged();
}

void Document::replace(const RadioImage& image, const QString& path, bool modified) {
    tracked([&] {
        core_.replace(image, S(path), modified);
        emit imageReplaced();
        return true;
    });
    emit historyChanged();
}

void Document::markSaved(const QString& path) {
    tracked([&] {
        core_.markSaved(S(path));
        return true;
    });
}

QList<int> Document::editChannels(const std::function<void(RadioImage&)>& change) {
    return tracked([&] {
        QList<int> changed = ToList(core_.editChannels(change));
        if (!changed.isEmpty()) emit channelsChanged(changed);
        return changed;
    });
}

bool Document::editSettings(const std::function<void(RadioImage&)>& change) {
    return tracked([&] {
        const bool changed = core_.editSettings(change);
        if (changed) emit settingsChanged();
        return changed;
    });
}

QList<int> Document::undo() {
    return tracked([this] {
        QList<int> changed = ToList(core_.undo());
        if (!changed.isEmpty()) emit channelsChanged(changed);
        return changed;
    });
}

QList<int> Document::redo() {
    return tracked([this] {
        QList<int> changed = ToList(core_.redo());
        if (!changed.isEmpty()) emit channelsChanged(changed);
        return changed;
    });
}

void Document::setPort(int port) {
    tracked([&] {
        core_.setPort(port);
        return true;
    });
}

void Document::takeBandLimits(const RadioImage& fromRadio) {
    tracked([&] {
        core_.takeBandLimits(fromRadio);
        return true;
    });
}

}  // namespace radioprog
