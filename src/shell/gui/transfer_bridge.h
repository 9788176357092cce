// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Carries a transfer job's reports from its worker thread to the main window: each report is
// queued to the user-interface thread and handled there in the order sent; the band check is
// the one report the worker waits for.
#include <QObject>
#include <QPointer>

#include <functional>

#include "link/transfer_reports.h"

namespace radioprog {

class TransferBridge : public TransferReports {
public:
    struct Handlers {
        std::function<void(int)> progress;
        std::function<void(const RadioImage&)> dataReady;
        std::function<bool(const RadioImage&)> checkBandLimits;
        std::function<void(const TransferOutcome&)> finished;
    };

    TransferBridge(QObject* receiver, Handlers handlers);

    void progress(int value) override;
    void dataReady(const RadioImage& image) override;
    bool checkBandLimits(const RadioImage& bandLimitImage) override;
    void finished(const TransferOutcome& outcome) override;

private:
    QPointer<QObject> receiver_;
    Handlers handlers_;
};

}  // namespace radioprog
