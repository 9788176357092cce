#include "editors/gui/filter_edit.h"

#include <QKeyEvent>

#include "editors/edit_filters.h"
#include "editors/gui/grid_button.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/typed_character.h"

namespace radioprog {

namespace {

// Keys the dialog or the view acts on (and Delete, which types nothing) are not characters
// of the field.
bool IsCommandKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return true;
    default: return false;
    }
}

}  // namespace

bool CFilterEdit::acceptsCharacter(char32_t) const { return true; }

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
    const char32_t c = TypedCharacter(*event);
    if (c == 0 || IsCommandKey(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!acceptsCharacter(c)) {
        KeyBeep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool CChannelNameEdit::acceptsCharacter(char32_t c) const {
    return NameEditAccepts(c, static_cast<std::size_t>(text().size()), hasSelectedText());
}

bool CNumericEdit::acceptsCharacter(char32_t c) const { return NumericEditAccepts(c, GridButtonDown()); }

}  // namespace radioprog
