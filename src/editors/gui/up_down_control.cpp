// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/up_down_control.h"

#include <QToolButton>

namespace radioprog {

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { emit positionChanged(-1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit positionChanged(1); });
}

void UpDownControl::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace radioprog
