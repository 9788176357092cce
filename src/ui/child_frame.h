// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window that hosts one editor inside the main window's work area.
#include <QMdiSubWindow>

#include "ui/editor_view.h"

namespace radioprog {

// The open document and the texts (editors/gui/workspace.h), owned by the main window.
struct Workspace;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(EditorKind kind, Workspace* workspace, QWidget* parent = nullptr);

    EditorKind kind() const { return kind_; }
    Workspace* workspace() const { return workspace_; }
    EditorView* view() const;

private:
    EditorKind kind_;
    Workspace* workspace_;
};

}  // namespace radioprog
