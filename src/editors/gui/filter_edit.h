// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Single-line edit fields that refuse, as they are typed, the characters their field cannot
// hold: a refused character is dropped with a warning beep, a paste that would leave a text
// the field cannot hold is refused as a whole. The editing keys (undo, redo, select all,
// copy, cut, paste) work as in any field. Texts set by the program are not filtered.
#include <QLineEdit>

namespace radioprog {

class CFilterEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // The whole text is selected whenever the field gets the focus (by Tab or by a click).
    void setSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }

protected:
    // Whether the typed character c (a control character for Ctrl+letter) goes in.
    virtual bool acceptsCharacter(char32_t c) const;
    // The character that goes in for an accepted c: the form the field's value is stored in.
    virtual char32_t storedForm(char32_t c) const { return c; }
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool selectAllOnFocus_ = false;
};

// Channel names: seven digits or letters, shown in capitals as they are typed or pasted,
// since the radio holds names in capitals.
class CChannelNameEdit : public CFilterEdit {
    Q_OBJECT
public:
    explicit CChannelNameEdit(QWidget* parent = nullptr);

protected:
    bool acceptsCharacter(char32_t c) const override;
    char32_t storedForm(char32_t c) const override;
};

// Frequencies and channel numbers: digits and the point (and copy, cut and paste); nothing
// while the mouse button is held on the channel grid.
class CNumericEdit : public CFilterEdit {
    Q_OBJECT
public:
    explicit CNumericEdit(QWidget* parent = nullptr);

protected:
    bool acceptsCharacter(char32_t c) const override;
};

}  // namespace radioprog
