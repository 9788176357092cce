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

bool CFilterEdit::fitsAfterTyping(const QString& typed) const {
    QString text = this->text();
    if (hasSelectedText())
        text.replace(selectionStart(), selectedText().size(), typed);
    else
        text.insert(cursorPosition(), typed);
    const QMargins margins = textMargins();
    // QLineEdit keeps two pixels free on each side of its text.
    const int room = contentsRect().width() - margins.left() - margins.right() - 4;
    return fontMetrics().horizontalAdvance(text) <= room;
}

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
    const char32_t c = TypedCharacter(*event);
    if (c == 0 || IsCommandKey(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    bool printable = c >= 32;
    if (!acceptsCharacter(c) || (printable && limitedToWidth_ && !fitsAfterTyping(event->text()))) {
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
