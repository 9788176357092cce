// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeping windows in view: an editor window opens inside the work area (moved, and shrunk
// when the area is smaller, its form then scrolling inside it), a minimised or hidden editor
// chosen from a menu comes back, and the main window has a sensible size when un-maximised.
#include <QRect>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace radioprog {

// The rectangle of a window wanting `wanted` inside `area`: no larger than the area, and
// moved by the least amount that brings it inside.
QRect FitInside(const QRect& wanted, const QRect& area);

// Moves (and if need be shrinks) the window so its frame lies inside the area's viewport.
void PlaceInsideWorkArea(QMdiArea& area, QMdiSubWindow& window);

// Keeps every shown, not minimised window inside the viewport whenever the viewport is resized.
void KeepWindowsInsideWorkArea(QMdiArea& area);

// Shows a minimised or hidden window again, in view, and makes it the active one.
void RestoreAndActivate(QMdiArea& area, QMdiSubWindow& window);

// The main window's size when it is not maximised: most of the available screen, centred.
QRect NormalMainWindowGeometry(const QRect& available);

// When the window leaves the maximised state with a frame that does not fit its screen's
// available area (it was given the whole area before it was maximised), it takes the
// normal geometry above.
void KeepNormalSizeInsideScreen(QWidget& window);

}  // namespace radioprog
