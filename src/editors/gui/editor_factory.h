// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Creating the view of each editor, and the facts of its window: title row and size.
#include "ui/editor_view.h"

namespace radioprog {

class EditorHost;
class CChildFrame;

struct EditorSpec {
    int titleRow;  // language row of the editor window's title
    int widthNum;  // window size as a fraction of the main window: numerator / 50
    int heightNum;
};

const EditorSpec& EditorSpecFor(EditorKind kind);

// The view of an editor for its frame; nullptr for an editor that cannot be created.
EditorView* CreateEditorView(EditorKind kind, EditorHost* host, CChildFrame* frame);

}  // namespace radioprog
