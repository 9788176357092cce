// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open file as the user interface sees it: the document (editors/image_document.h) with
// signals that say what changed, so the editors, the title and the commands follow it. Every
// change of the image goes through one of the calls below.
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

#include "editors/image_document.h"

namespace radioprog {

class Document : public QObject {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);

    const RadioImage& image() const { return core_.image(); }
    QString path() const;
    bool isModified() const { return core_.modified(); }
    const EditHistory& history() const { return core_.history(); }

    void startNew();
    void replace(const RadioImage& image, const QString& path, bool modified);
    void markSaved(const QString& path);

    // See ImageDocument; each emits what changed.
    QList<int> editChannels(const std::function<void(RadioImage&)>& change);
    bool editSettings(const std::function<void(RadioImage&)>& change);
    QList<int> undo();
    QList<int> redo();
    void setPort(int port);
    void takeBandLimits(const RadioImage& fromRadio);

signals:
    // Channels (0..127) changed by an edit, an undo or a redo.
    void channelsChanged(const QList<int>& channels);
    // A form stored settings, frequency-mode entries or DTMF codes.
    void settingsChanged();
    // The image was replaced as a whole (New, Open, a read, a restored recovery file).
    void imageReplaced();
    void modifiedChanged(bool modified);
    void pathChanged(const QString& path);
    // Steps were added to or taken from the undo history, or it was cleared.
    void historyChanged();

private:
    // Runs a change of the core and emits the state signals that follow from it.
    template <typename Change>
    auto tracked(Change&& change);

    ImageDocument core_;
};

}  // namespace radioprog
