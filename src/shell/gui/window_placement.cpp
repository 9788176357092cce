// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/window_placement.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace radioprog {

QRect FitInside(const QRect& wanted, const QRect& area) {
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(area.size()));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() - placed.height() + 1));
    return placed;
}

void PlaceInsideWorkArea(QMdiArea& area, QMdiSubWindow& window) {
    if (window.isMinimized() || window.isMaximized()) return;
    const QRect inside = area.viewport()->rect();
    if (inside.isEmpty()) return;
    const QRect placed = FitInside(window.geometry(), inside);
    if (placed != window.geometry()) window.setGeometry(placed);
}

namespace {

class WorkAreaGuard : public QObject {
public:
    WorkAreaGuard(QMdiArea& area, QWidget* viewport) : QObject(&area), viewport_(viewport) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != viewport_ || event->type() != QEvent::Resize) return false;
        // While the area is being destroyed it is no longer a QMdiArea: nothing to keep then.
        auto* area = qobject_cast<QMdiArea*>(parent());
        if (area == nullptr) return false;
        for (QMdiSubWindow* window : area->subWindowList())
            if (window->isVisible()) PlaceInsideWorkArea(*area, *window);
        return false;
    }

private:
    QObject* viewport_;
};

}  // namespace

void KeepWindowsInsideWorkArea(QMdiArea& area) {
    area.viewport()->installEventFilter(new WorkAreaGuard(area, area.viewport()));
}

void RestoreAndActivate(QMdiArea& area, QMdiSubWindow& window) {
    if (window.isMinimized() || window.isHidden()) window.showNormal();
    PlaceInsideWorkArea(area, window);
    area.setActiveSubWindow(&window);
}

QRect NormalMainWindowGeometry(const QRect& available) {
    const QSize size(available.width() * 4 / 5, available.height() * 4 / 5);
    QRect normal(QPoint(), size);
    normal.moveCenter(available.center());
    return normal;
}

namespace {

class NormalSizeGuard : public QObject {
public:
    explicit NormalSizeGuard(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || event->type() != QEvent::WindowStateChange) return false;
        if (window_.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return false;
        // The window manager sets the restored frame after the state change.
        QTimer::singleShot(0, this, [this] {
            QScreen* screen = window_.screen();
            if (!screen || window_.windowState() != Qt::WindowNoState) return;
            const QRect available = screen->availableGeometry();
            if (!available.contains(window_.frameGeometry())) window_.setGeometry(NormalMainWindowGeometry(available));
        });
        return false;
    }

private:
    QWidget& window_;
};

}  // namespace

void KeepNormalSizeInsideScreen(QWidget& window) { window.installEventFilter(new NormalSizeGuard(window)); }

}  // namespace radioprog
