#include "shell/gui/prog_status_bar.h"

#include <QProgressBar>
#include <QResizeEvent>

namespace radioprog {

CProgStatusBar::CProgStatusBar(QWidget* parent) : QStatusBar(parent), progress_(new QProgressBar(this)) {
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->hide();
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
        progress_->setGeometry(firstPaneRect());
        progress_->setVisible(visible);
    }
    progress_->setValue(position);
}

void CProgStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    progress_->setGeometry(firstPaneRect());
}

}  // namespace radioprog
