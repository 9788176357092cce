// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the recovery file (model/recovery_file.h) of a document: written every interval while
// the document holds unsaved edits, removed as soon as it holds none (after Save, Discard,
// New or Open) and at a clean exit.
#include <QObject>
#include <QTimer>

#include "model/recovery_file.h"

namespace radioprog {

class Document;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 30000;

    explicit RecoveryKeeper(Document& document, QObject* parent = nullptr);

    void setInterval(int ms) { timer_.setInterval(ms); }
    // Writes the recovery file now when the document is modified; false when that failed.
    bool update();
    // A clean end: the recovery file goes.
    void discard();
    // This program's recovery file.
    std::string path() const { return own_.path(); }

private:
    Document& document_;
    OwnRecovery own_;
    QTimer timer_;
};

}  // namespace radioprog
