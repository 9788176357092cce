// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main frame needs of every editor: load the image into the controls, store the
// controls (or the cell being edited) into the image, and tell whether the user changed the
// controls since they were loaded or stored.
#include <QWidget>

namespace radioprog {

enum class EditorKind { Channels = 0, Functions = 1, Dtmf = 2 };
inline constexpr int kEditorKindCount = 3;

class EditorView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void LoadFromImage() = 0;
    virtual void StoreToImage() = 0;
    // True when storing would take edits of the user into the image (a form's store also
    // rewrites values it did not change, so an untouched form is not stored to ask this).
    virtual bool hasUnstoredEdits() = 0;
    // The size that shows the whole editor without scrolling sideways (its height may be
    // less than all of it: a table scrolls down).
    virtual QSize wholeSize() const { return sizeHint(); }
};

}  // namespace radioprog
