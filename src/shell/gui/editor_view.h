#pragma once
// What the main frame needs of every editor: load the image into the controls, and store the
// controls (or the cell being edited) into the image.
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
};

}  // namespace radioprog
