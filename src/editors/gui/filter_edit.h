#pragma once
// Single-line edit fields that refuse, as they are typed, the characters their field cannot
// hold: a refused character is dropped with a warning beep. Texts set by the program are
// not filtered.
#include <QLineEdit>

namespace radioprog {

class CFilterEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    // Whether the typed character c (a control character for Ctrl+letter) goes in.
    virtual bool acceptsCharacter(char32_t c) const;
    void keyPressEvent(QKeyEvent* event) override;
};

// Channel names: seven digits or letters.
class CChannelNameEdit : public CFilterEdit {
    Q_OBJECT
public:
    using CFilterEdit::CFilterEdit;

protected:
    bool acceptsCharacter(char32_t c) const override;
};

// Frequencies and channel numbers: digits and the point (and copy, cut and paste); nothing
// while the mouse button is held on the channel grid.
class CNumericEdit : public CFilterEdit {
    Q_OBJECT
public:
    using CFilterEdit::CFilterEdit;

protected:
    bool acceptsCharacter(char32_t c) const override;
};

}  // namespace radioprog
