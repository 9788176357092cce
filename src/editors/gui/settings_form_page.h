// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A form laid out in dialog units: a page of fixed size inside a scroll area (so the form
// scrolls when its window is smaller), holding one widget per visible control of a form
// table. Hidden controls get no widget; their values live in the form state only.
#include <QFont>
#include <QHash>
#include <QList>

#include <utility>

#include "model/language_table.h"
#include "radio/settings_layout.h"
#include "ui/dialog_units.h"

class QLabel;
class QScrollArea;
class QWidget;

namespace radioprog {

// The form's font, or the nearest installed sans font at the same size when it is missing.
QFont FormFont(const char* family, int points);

class FormPage {
public:
    // Fills `owner` with a frameless scroll area around a page of width x height dialog units.
    FormPage(QWidget* owner, const QFont& font, int width, int height);

    const DialogUnits& units() const { return units_; }
    QWidget* page() const { return page_; }
    QScrollArea* scrollArea() const { return scroll_; }
    // The page with the scroll area's frame: the room that shows the form without scrolling.
    QSize wholeSize() const;

    // Creates the widget of a visible control (nullptr for a hidden one): its caption from its
    // language row, a list's entries resolved from its choices, edits limited and aligned.
    QWidget* add(const FormControl& control, const LanguageTable& language);
    // Sets the Tab order by place: frame by frame (top to bottom, then left to right), and
    // inside a frame row by row, left to right; controls outside frames by their rows. (Without
    // it Tab follows the order of creation.) Read-only edits are never Tab stops.
    void orderTabs();
    // Widens captions, check boxes, buttons and lists whose text does not fit them, into the
    // free room on their right (never over another control, out of their frame or off the
    // page). Call once every control is added.
    void fitTexts();
    // The width a control needs to show all its text (for a list: its longest entry); 0 for
    // controls without text.
    static int neededWidth(const QWidget* widget);
    // The widget of control `id`, or nullptr.
    QWidget* widget(int id) const { return widgets_.value(id); }
    template <typename T>
    T* widget(int id) const {
        return static_cast<T*>(widgets_.value(id));
    }

private:
    // Makes a list the buddy of the caption that names it (same name row, same side).
    void linkCaption(const FormControl& control, QWidget* widget);

    QScrollArea* scroll_;
    QWidget* page_;
    DialogUnits units_;
    QHash<int, QWidget*> widgets_;
    QList<QWidget*> frames_;
    QList<QWidget*> tabStops_;
    // Captions and lists not linked yet, by (language row, side).
    QHash<std::pair<int, int>, QLabel*> captions_;
    QHash<std::pair<int, int>, QWidget*> unlabelledLists_;
};

}  // namespace radioprog
