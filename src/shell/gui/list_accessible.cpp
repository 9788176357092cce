// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/list_accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace radioprog {

namespace {

class ListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox), shown_(list->currentText()) {
        changed_ = QObject::connect(list, &QComboBox::currentTextChanged, list,
                                    [this](const QString& text) { entryChanged(text); });
    }
    ~ListAccessible() override { QObject::disconnect(changed_); }
    ListAccessible(const ListAccessible&) = delete;
    ListAccessible& operator=(const ListAccessible&) = delete;

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The entries: the popup's list, as Qt presents it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Value) return list()->currentText();
        QString text = QAccessibleWidget::text(which);
        // A list with no caption keeps its entry as its name, as Qt names it.
        if (which == QAccessible::Name && text.isEmpty()) return list()->currentText();
        return text;
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << QAccessibleActionInterface::showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == QAccessibleActionInterface::showMenuAction() ||
            action == QAccessibleActionInterface::pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

    // The text: the entry shown, selected as a whole, like a field whose value is chosen.
    QString text(int start, int end) const override { return list()->currentText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(list()->currentText().size()); }
    int selectionCount() const override { return characterCount() > 0 ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = 0;
        *end = index == 0 ? characterCount() : 0;
    }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(object()); }

    void entryChanged(const QString& text) {
        if (text == shown_) return;
        QAccessibleTextUpdateEvent event(list(), 0, shown_, text);
        shown_ = text;
        QAccessible::updateAccessibility(&event);
    }

    QString shown_;
    QMetaObject::Connection changed_;
};

QAccessibleInterface* ListFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QComboBox")) return nullptr;
    auto* list = qobject_cast<QComboBox*>(object);
    if (list == nullptr || list->isEditable()) return nullptr;
    return new ListAccessible(list);
}

}  // namespace

void InstallListAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(ListFactory);
}

}  // namespace radioprog
