// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/key_beep.h"

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace radioprog {

namespace {
std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}

QString& RefusedSpeech() {
    static QString words = QStringLiteral("Not accepted");
    return words;
}

// How long the focused field's description says the words before it is restored.
constexpr int kRefusalSpeechMs = 1500;

// The field's description changes to the words and back: a screen reader presents a
// change of the focused object's description, so a refusal is heard, not only beeped.
void Say(QWidget* field, const QString& words) {
    if (field == nullptr || words.isEmpty()) return;
    const QString own = field->property("ownDescription").isValid() ? field->property("ownDescription").toString()
                                                                    : field->accessibleDescription();
    field->setProperty("ownDescription", own);
    field->setAccessibleDescription(words);  // tells the change, also to the same words
    QTimer::singleShot(kRefusalSpeechMs, field, [guarded = QPointer<QWidget>(field)] {
        if (!guarded || !guarded->property("ownDescription").isValid()) return;
        guarded->setAccessibleDescription(guarded->property("ownDescription").toString());
        guarded->setProperty("ownDescription", QVariant());
    });
}
}  // namespace

void KeyBeep(QWidget* field) { KeyBeep(field, RefusedSpeech()); }

void KeyBeep(QWidget* field, const QString& reason) {
    if (Handler())
        Handler()();
    else
        QApplication::beep();
    Say(field != nullptr ? field : QApplication::focusWidget(), reason.isEmpty() ? RefusedSpeech() : reason);
}

void Announce(QWidget* field, const QString& words) {
    Say(field != nullptr ? field : QApplication::focusWidget(), words);
}

void SetKeyRefusedSpeech(const QString& words) { RefusedSpeech() = words; }

void SetKeyBeepHandler(std::function<void()> handler) { Handler() = std::move(handler); }

}  // namespace radioprog
