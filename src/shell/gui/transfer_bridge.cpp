// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/transfer_bridge.h"

#include <QMetaObject>
#include <QThread>

namespace radioprog {

TransferBridge::TransferBridge(QObject* receiver, Handlers handlers)
    : receiver_(receiver), handlers_(std::move(handlers)) {}

void TransferBridge::progress(int value) {
    QMetaObject::invokeMethod(
        receiver_, [this, value] { handlers_.progress(value); }, Qt::QueuedConnection);
}

void TransferBridge::dataReady(const RadioImage& image) {
    QMetaObject::invokeMethod(
        receiver_, [this, image] { handlers_.dataReady(image); }, Qt::QueuedConnection);
}

bool TransferBridge::checkBandLimits(const RadioImage& bandLimitImage) {
    bool proceed = false;
    if (!receiver_) return false;
    if (QThread::currentThread() == receiver_->thread()) return handlers_.checkBandLimits(bandLimitImage);
    QMetaObject::invokeMethod(
        receiver_, [this, &proceed, &bandLimitImage] { proceed = handlers_.checkBandLimits(bandLimitImage); },
        Qt::BlockingQueuedConnection);
    return proceed;
}

void TransferBridge::finished(const TransferOutcome& outcome) {
    QMetaObject::invokeMethod(
        receiver_, [this, outcome] { handlers_.finished(outcome); }, Qt::QueuedConnection);
}

}  // namespace radioprog
