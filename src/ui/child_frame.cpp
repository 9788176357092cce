// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/child_frame.h"

#include <QScrollArea>

namespace radioprog {

CChildFrame::CChildFrame(EditorKind kind, Workspace* workspace, QWidget* parent)
    : QMdiSubWindow(parent), kind_(kind), workspace_(workspace) {
    setAttribute(Qt::WA_DeleteOnClose);
}

EditorView* CChildFrame::view() const {
    QWidget* content = widget();
    if (auto* scroll = qobject_cast<QScrollArea*>(content)) content = scroll->widget();
    return qobject_cast<EditorView*>(content);
}

}  // namespace radioprog
