// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/keyboard_tips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QStatusBar>
#include <QWhatsThis>

namespace radioprog {

namespace {

bool IsWhatsThisKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_F1 && (event.modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}

class KeyboardTips : public QObject {
public:
    explicit KeyboardTips(QStatusBar& statusBar) : QObject(&statusBar), statusBar_(statusBar) {
        qApp->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, &KeyboardTips::onFocusChanged);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !IsWhatsThisKey(*static_cast<QKeyEvent*>(event))) return false;
        QWidget* focus = QApplication::focusWidget();
        // Only once, at the focused widget (the key passes its parents too), and only where Qt
        // has no What's This text to show.
        if (!focus || watched != focus || !focus->whatsThis().isEmpty()) return false;
        const QString tip = FocusedTip(*focus);
        if (tip.isEmpty()) return false;
        QWhatsThis::showText(focus->mapToGlobal(tipPlace(*focus)), tip, focus);
        return true;
    }

private:
    static QPoint tipPlace(const QWidget& widget) {
        if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget))
            if (view->currentIndex().isValid())
                return view->viewport()->mapTo(&widget, view->visualRect(view->currentIndex()).bottomLeft());
        return widget.rect().bottomLeft();
    }

    void onFocusChanged(QWidget*, QWidget* now) {
        const QString tip = now && now->window() == statusBar_.window() ? FocusedTip(*now) : QString();
        if (!tip.isEmpty()) {
            statusBar_.showMessage(tip);
            shown_ = tip;
        } else if (!shown_.isEmpty() && statusBar_.currentMessage() == shown_) {
            statusBar_.clearMessage();
            shown_.clear();
        }
    }

    QStatusBar& statusBar_;
    QString shown_;
};

}  // namespace

QString FocusedTip(const QWidget& widget) {
    if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) {
        const QString tip = view->currentIndex().data(Qt::ToolTipRole).toString();
        if (!tip.isEmpty()) return tip;
    }
    return widget.toolTip();
}

void InstallKeyboardTips(QStatusBar& statusBar) { new KeyboardTips(statusBar); }

}  // namespace radioprog
