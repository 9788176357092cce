// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/prog_status_bar.h"

#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

namespace radioprog {

CProgStatusBar::CProgStatusBar(QWidget* parent)
    : QStatusBar(parent), progress_(new QProgressBar(this)), cancel_(new QPushButton(this)) {
    progress_->setRange(0, 100);
    progress_->setTextVisible(true);
    progress_->setAlignment(Qt::AlignCenter);
    progress_->hide();
    cancel_->setObjectName(QStringLiteral("cancelTransfer"));
    cancel_->setFocusPolicy(Qt::NoFocus);
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &CProgStatusBar::cancelRequested);
}

void CProgStatusBar::setCancelText(const QString& text) {
    cancel_->setText(text);
    placeProgress();
}

void CProgStatusBar::setProgressName(const QString& name) {
    progress_->setAccessibleName(name);
    progress_->setFormat(name + QStringLiteral(" %p%"));
}

void CProgStatusBar::placeProgress() {
    // The Cancel button takes the right end of the pane, the bar the rest.
    const QRect pane = firstPaneRect();
    const int buttonWidth = std::min(pane.width() / 2, cancel_->sizeHint().width());
    const QRect button(pane.right() - buttonWidth + 1, pane.top(), buttonWidth, pane.height());
    cancel_->setGeometry(button);
    progress_->setGeometry(pane.adjusted(0, 0, -(buttonWidth + 4), 0));
}

QRect CProgStatusBar::firstPaneRect() const {
    // The single pane spans the bar, leaving the size grip free.
    const int grip = isSizeGripEnabled() ? height() : 0;
    return QRect(2, 2, std::max(0, width() - grip - 4), std::max(0, height() - 4));
}

void CProgStatusBar::SetProgress(int position) {
    const bool visible = position != 0;
    if (progress_->isVisible() != visible) {
        clearMessage();
        placeProgress();
        progress_->setVisible(visible);
        cancel_->setVisible(visible);
    }
    progress_->setValue(position);
}

void CProgStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    placeProgress();
}

}  // namespace radioprog
