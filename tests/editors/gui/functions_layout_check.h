// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout check both settings forms share: in a language of the shipped language file,
// no caption is cut and no two controls overlap (frames only surround theirs).
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <fstream>

#include "model/language_table.h"

namespace radioprog::test {

// The program's own language file in column `index`.
inline LanguageTable ShippedLanguage(int index) {
    LanguageTable table;
    table.index = index;
    std::ifstream in(RADIOPROG_SOURCE_DIR "/data/lang.csv");
    LoadLanguageStream(in, table);
    return table;
}

// A control as a failure message names it.
inline QString Describe(QWidget* widget) {
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) text = box->title();
    if (auto* list = qobject_cast<QComboBox*>(widget)) text = list->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) text = edit->text();
    const QRect r = widget->geometry();
    return QStringLiteral("%1 \"%2\" at %3,%4 %5x%6 wants %7x%8")
        .arg(QString::fromLatin1(widget->metaObject()->className()), text)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .arg(widget->sizeHint().width())
        .arg(widget->sizeHint().height());
}

// The control Tab moves to from `widget`.
inline QWidget* NextTabStop(QWidget* widget) {
    for (QWidget* next = widget->nextInFocusChain(); next != widget; next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(widget->window()))
            return next;
    return widget;
}

// The width a control needs to show its caption uncut; 0 for a control without caption.
inline int CaptionWidth(QWidget* widget) {
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->fontMetrics().horizontalAdvance(button->text()) +
               2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    if (qobject_cast<QLabel*>(widget) != nullptr || qobject_cast<QAbstractButton*>(widget) != nullptr)
        return widget->sizeHint().width();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->minimumSizeHint().width();
    return 0;
}

// Captions fit their widgets, and the controls of `page` (its direct children) do not
// overlap; frames are left out of the overlap check as they surround their controls.
inline void VerifyFormLayout(QWidget* page, int languageIndex) {
    QStringList faults;
    QList<QWidget*> controls;
    for (QWidget* widget : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (CaptionWidth(widget) > widget->width()) faults << QStringLiteral("cut: ") + Describe(widget);
        const bool captioned = CaptionWidth(widget) > 0 && qobject_cast<QGroupBox*>(widget) == nullptr;
        if (captioned && widget->fontMetrics().height() > widget->height())
            faults << QStringLiteral("too low: ") + Describe(widget);
        if (qobject_cast<QGroupBox*>(widget) == nullptr) controls << widget;
    }
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            if (controls[i]->geometry().intersects(controls[j]->geometry()))
                faults << QStringLiteral("overlap: ") + Describe(controls[i]) + " / " + Describe(controls[j]);
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("language %1:\n").arg(languageIndex) + faults.join('\n')));
}

}  // namespace radioprog::test
