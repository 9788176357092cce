// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the editors, the printout and the editing commands need of the window that hosts them.
// The main window implements it; nothing outside the shell needs to know the main window.
#include "model/command_ids.h"
#include "ui/editor_view.h"

class QAction;
class QWidget;

namespace radioprog {

class CChildFrame;
class Document;
struct LanguageTable;

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // The window that dialogs of the commands belong to.
    virtual QWidget* hostWindow() = 0;
    virtual Document& document() = 0;
    virtual const LanguageTable& language() const = 0;

    // Opens an editor (or brings it to the front); nullptr when it cannot be created.
    virtual CChildFrame* openEditor(EditorKind kind) = 0;
    // The view of an open editor, nullptr when it is not open.
    virtual EditorView* editorView(EditorKind kind) const = 0;
    // Every open editor stores into the image (the channel table commits its cell).
    virtual void flushEditors() = 0;
    virtual bool transferRunning() const = 0;
    // The action of a menu command, nullptr for an unknown one.
    virtual QAction* action(Command command) const = 0;
};

}  // namespace radioprog
