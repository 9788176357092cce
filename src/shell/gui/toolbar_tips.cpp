// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/toolbar_tips.h"

#include <QAction>
#include <QActionEvent>
#include <QHelpEvent>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

namespace radioprog {

namespace {

class ToolbarTips : public QObject {
public:
    ToolbarTips(QToolBar& toolBar, std::function<QString(int)> tipOfCommand)
        : QObject(&toolBar), toolBar_(toolBar), tipOfCommand_(std::move(tipOfCommand)) {
        toolBar.installEventFilter(this);
        for (QAction* action : toolBar.actions()) watch(action);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &toolBar_) {
            if (event->type() == QEvent::ActionAdded) watch(static_cast<QActionEvent*>(event)->action());
            if (event->type() != QEvent::ToolTip) return false;
            // Between the buttons: no tip at all.
            QToolTip::hideText();
            return true;
        }
        if (event->type() != QEvent::ToolTip) return false;
        auto* button = qobject_cast<QToolButton*>(watched);
        QAction* action = button ? button->defaultAction() : nullptr;
        const QString tip = action ? tipOfCommand_(action->data().toInt()) : QString();
        auto* help = static_cast<QHelpEvent*>(event);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, button);
        return true;
    }

private:
    void watch(QAction* action) {
        // The button exists once the toolbar has handled the action; look for it then.
        QMetaObject::invokeMethod(
            this,
            [this, action = QPointer<QAction>(action)] {
                if (!action) return;
                if (QWidget* button = toolBar_.widgetForAction(action)) button->installEventFilter(this);
            },
            Qt::QueuedConnection);
        if (QWidget* button = toolBar_.widgetForAction(action)) button->installEventFilter(this);
    }

    QToolBar& toolBar_;
    std::function<QString(int)> tipOfCommand_;
};

}  // namespace

void InstallToolbarTips(QToolBar& toolBar, std::function<QString(int command)> tipOfCommand) {
    new ToolbarTips(toolBar, std::move(tipOfCommand));
}

}  // namespace radioprog
