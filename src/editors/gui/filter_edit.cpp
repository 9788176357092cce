// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/filter_edit.h"

#include <QKeyEvent>
#include <QTimer>
#include <QValidator>

#include <string_view>

#include "editors/gui/grid_button.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/typed_character.h"
#include "model/ascii_text.h"
#include "radio/edit_filters.h"

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

// The editing keys of every field; their effect on the text is checked as a whole (a paste
// by the field's validator).
bool IsEditingKey(const QKeyEvent& event) {
    for (QKeySequence::StandardKey key : {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll,
                                          QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste})
        if (event.matches(key)) return true;
    return false;
}

// Accepts a text (typed, pasted or dropped) only when the rule holds for all of it; a
// stored form, when given, replaces the text first (a pasted name shows in capitals).
class WholeTextValidator : public QValidator {
public:
    using Rule = bool (*)(std::string_view);
    using StoredForm = std::string (*)(std::string_view);
    WholeTextValidator(Rule rule, StoredForm storedForm, QObject* parent)
        : QValidator(parent), rule_(rule), storedForm_(storedForm) {}
    State validate(QString& input, int&) const override {
        const std::string text = input.toStdString();
        if (!rule_(text)) return Invalid;
        if (storedForm_) input = QString::fromStdString(storedForm_(text));
        return Acceptable;
    }

private:
    Rule rule_;
    StoredForm storedForm_;
};

}  // namespace

bool CFilterEdit::acceptsCharacter(char32_t) const { return true; }

void CFilterEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the click that gave the focus, which would place the caret.
    if (selectAllOnFocus_) QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void CFilterEdit::keyPressEvent(QKeyEvent* event) {
    const char32_t c = TypedCharacter(*event);
    if (c == 0 || IsCommandKey(event->key()) || IsEditingKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!acceptsCharacter(c)) {
        KeyBeep(this);
        event->accept();
        return;
    }
    if (const char32_t stored = storedForm(c); stored != c) {
        // The key types the stored form, as one undoable insertion like any other key.
        QKeyEvent typed(event->type(), event->key(), event->modifiers(), QString::fromUcs4(&stored, 1),
                        event->isAutoRepeat(), static_cast<quint16>(event->count()));
        QLineEdit::keyPressEvent(&typed);
        event->setAccepted(typed.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

CChannelNameEdit::CChannelNameEdit(QWidget* parent) : CFilterEdit(parent) {
    setValidator(new WholeTextValidator(&NameTextAccepts, &ToUpperAscii, this));
}

CNumericEdit::CNumericEdit(QWidget* parent) : CFilterEdit(parent) {
    setValidator(new WholeTextValidator(&NumericTextAccepts, nullptr, this));
}

bool CChannelNameEdit::acceptsCharacter(char32_t c) const {
    return NameEditAccepts(c, static_cast<std::size_t>(text().size()), hasSelectedText());
}

char32_t CChannelNameEdit::storedForm(char32_t c) const {
    return c < 0x80 ? static_cast<char32_t>(ToUpperAscii(static_cast<char>(c))) : c;
}

bool CNumericEdit::acceptsCharacter(char32_t c) const {
    if (!NumericEditAccepts(c, GridButtonDown())) return false;
    if (c < U' ') return true;
    // The text the character would leave: a second point is refused with the beep.
    QString result = text();
    int at = cursorPosition();
    if (hasSelectedText()) {
        at = selectionStart();
        result.remove(at, static_cast<int>(selectedText().size()));
    }
    result.insert(at, QChar(static_cast<char16_t>(c)));
    return NumericTextAccepts(result.toStdString());
}

}  // namespace radioprog
