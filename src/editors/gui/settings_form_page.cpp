// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/settings_form_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <tuple>
#include <vector>

#include "ui/interface_fonts.h"
#include "ui/text.h"

namespace radioprog {

namespace {

// A drop-down list's rectangle gives its height when dropped; closed it is as high as an edit.
constexpr int kClosedListHeight = 12;

Qt::Alignment AlignmentOf(Align align) {
    switch (align) {
    case Align::Center: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    case Align::Left: break;
    }
    return Qt::AlignLeft;
}

// A closed list turns with the mouse wheel only when it has the focus; otherwise the wheel
// scrolls the form instead of changing a setting that happens to pass under the pointer.
class FormList : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }
};

QString Caption(const FormControl& control, const LanguageTable& language) {
    return control.captionRow == kNoRow ? QString() : Q(language.row(control.captionRow));
}

QWidget* CreateWidget(const FormControl& control, const LanguageTable& language, QWidget* page) {
    const QString caption = Caption(control, language);
    switch (control.kind) {
    case ControlKind::GroupBox: return new QGroupBox(caption, page);
    case ControlKind::Label: {
        auto* label = new QLabel(caption, page);
        label->setTextFormat(Qt::PlainText);  // a language text is never markup
        label->setAlignment(AlignmentOf(control.align) | Qt::AlignTop);
        return label;
    }
    case ControlKind::List: {
        auto* list = new FormList(page);
        std::vector<std::string> entries = ResolveChoices(control.choices, language);
        if (control.sorted) std::sort(entries.begin(), entries.end());
        QStringList items;
        items.reserve(static_cast<qsizetype>(entries.size()));
        for (const std::string& entry : entries) items << Q(entry);
        list->addItems(items);
        list->setCurrentIndex(-1);
        list->setFocusPolicy(Qt::StrongFocus);
        return list;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(page);
        edit->setAlignment(AlignmentOf(control.align) | Qt::AlignVCenter);
        edit->setReadOnly(control.readOnly);
        if (control.maxChars > 0) edit->setMaxLength(control.maxChars);
        return edit;
    }
    case ControlKind::Check: return new QCheckBox(caption, page);
    case ControlKind::RadioButton: return new QRadioButton(caption, page);
    case ControlKind::Button: return new QPushButton(caption, page);
    }
    return nullptr;
}

}  // namespace

QFont FormFont(const char* family, int points) {
    QString chosen = QString::fromLatin1(family);
    if (!QFontDatabase::hasFamily(chosen)) {
        chosen = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        for (const char* candidate : {"DejaVu Sans", "Liberation Sans", "Noto Sans"})
            if (QFontDatabase::hasFamily(QString::fromLatin1(candidate))) {
                chosen = QString::fromLatin1(candidate);
                break;
            }
    }
    QFont font;
    font.setFamilies(InterfaceFamilies(chosen));
    font.setPointSize(points);
    return font;
}

FormPage::FormPage(QWidget* owner, const QFont& font, int width, int height)
    : scroll_(new QScrollArea(owner)), page_(new QWidget), units_(font) {
    page_->setFont(font);
    page_->setFixedSize(units_.size(width, height));
    scroll_->setFrameShape(QFrame::NoFrame);
    // The keyboard focus goes to the form's first control, not to the scroll area around it;
    // the area follows the focus as Tab moves through the form.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(false);
    scroll_->setWidget(page_);
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
}

QSize FormPage::wholeSize() const {
    // Room for the vertical scroll bar too: a work area too low for the form scrolls it down,
    // and the bar must not take the width the form needs.
    const int frame = 2 * scroll_->frameWidth();
    return page_->size() + QSize(frame + scroll_->verticalScrollBar()->sizeHint().width(), frame);
}

QWidget* FormPage::add(const FormControl& control, const LanguageTable& language) {
    if (control.hidden) return nullptr;
    QWidget* widget = CreateWidget(control, language, page_);
    if (widget == nullptr) return nullptr;
    const DialogRect& r = control.rect;
    const int height = control.kind == ControlKind::List ? kClosedListHeight : r.height;
    // Edges are converted, not sizes, so controls that meet in dialog units meet on screen.
    widget->setGeometry(
        QRect(QPoint(units_.x(r.x), units_.y(r.y)), QPoint(units_.x(r.x + r.width) - 1, units_.y(r.y + height) - 1)));
    widget->setEnabled(!control.disabled);
    if (const std::string name = ControlName(control, language); !name.empty()) widget->setAccessibleName(Q(name));
    if (const std::string description = ControlDescription(control, language); !description.empty())
        widget->setAccessibleDescription(Q(description));
    // Frames stay behind the controls they surround.
    if (control.kind == ControlKind::GroupBox) {
        widget->lower();
        frames_ << widget;
    } else if (control.kind != ControlKind::Label) {
        tabStops_ << widget;
    }
    if (control.kind == ControlKind::Edit && control.readOnly) widget->setFocusPolicy(Qt::ClickFocus);
    if (control.id != 0) widgets_.insert(control.id, widget);
    linkCaption(control, widget);
    return widget;
}

void FormPage::linkCaption(const FormControl& control, QWidget* widget) {
    // On this platform a list's accessible name is the entry it shows; a screen reader names
    // the list by the label it is labelled by, which is the caption whose buddy it is.
    if (control.kind == ControlKind::Label && control.captionRow != kNoRow) {
        auto* label = static_cast<QLabel*>(widget);
        if (QWidget* list = unlabelledLists_.take({control.captionRow, control.side}))
            label->setBuddy(list);
        else
            captions_.insert({control.captionRow, control.side}, label);
    } else if (control.kind == ControlKind::List && control.nameRow != kNoRow) {
        if (QLabel* label = captions_.take({control.nameRow, control.side}))
            label->setBuddy(widget);
        else
            unlabelledLists_.insert({control.nameRow, control.side}, widget);
    }
}

int FormPage::neededWidth(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text().isEmpty() ? 0
                                       : label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin();
    if (auto* list = qobject_cast<const QComboBox*>(widget)) {
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
        if (widest == 0) return 0;
        // The list's frame and arrow around its text field.
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.rect = QRect(0, 0, 1000, list->height());
        const QRect field =
            list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        return widest + 1000 - field.width();
    }
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget) ||
        qobject_cast<const QPushButton*>(widget)) {
        auto* button = static_cast<const QAbstractButton*>(widget);
        return button->text().isEmpty() ? 0 : button->sizeHint().width();
    }
    return 0;
}

void FormPage::fitTexts() {
    for (QWidget* widget : page_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (frames_.contains(widget)) continue;
        const int needed = neededWidth(widget);
        QRect place = widget->geometry();
        if (needed <= place.width()) continue;
        // The right edge it may reach: the page's, its frame's inside, the next control's.
        int limit = page_->width() - 1;
        for (QWidget* frame : frames_)
            if (frame->geometry().contains(place.topLeft()))
                limit = std::min(limit, frame->geometry().right() - units_.x(3));
        for (QWidget* other : page_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == widget || frames_.contains(other)) continue;
            const QRect o = other->geometry();
            if (o.left() > place.left() && o.top() <= place.bottom() && o.bottom() >= place.top())
                limit = std::min(limit, o.left() - 1);
        }
        place.setRight(std::max(place.right(), std::min(limit, place.left() + needed - 1)));
        widget->setGeometry(place);
    }
}

void FormPage::orderTabs() {
    struct Stop {
        QWidget* widget;
        int rowTop = 0;  // controls whose tops lie within a few units of a row's first share it
        QPoint anchor;   // top left of the smallest frame around it; its row's start outside frames
    };
    std::vector<Stop> stops;
    for (QWidget* widget : tabStops_) stops.push_back({widget, 0, QPoint()});
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.widget->y() < b.widget->y(); });
    const int tolerance = units_.y(3);
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const int y = stops[i].widget->y();
        stops[i].rowTop = i > 0 && y - stops[i - 1].rowTop <= tolerance ? stops[i - 1].rowTop : y;
    }
    for (Stop& stop : stops) {
        const QRect place = stop.widget->geometry();
        QWidget* frame = nullptr;
        for (QWidget* candidate : frames_)
            if (candidate->geometry().contains(place.topLeft()) &&
                (frame == nullptr || frame->geometry().contains(candidate->geometry())))
                frame = candidate;
        stop.anchor = frame != nullptr ? frame->geometry().topLeft() : QPoint(0, stop.rowTop);
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return std::tuple(a.anchor.y(), a.anchor.x(), a.rowTop, a.widget->x()) <
               std::tuple(b.anchor.y(), b.anchor.x(), b.rowTop, b.widget->x());
    });
    for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
}

}  // namespace radioprog
