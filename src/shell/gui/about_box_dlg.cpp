// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/about_box_dlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "ui/dialog_units.h"

namespace radioprog {

CAboutBoxDlg::CAboutBoxDlg(const QString& title, const QString& line1, const QString& line2, const QString& okCaption,
                           const QString& line3, const QString& line4, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    DialogUnits units(font());
    setFixedSize(units.size(239, 97));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icon->setGeometry(units.x(7), units.y(7), 32, 32);
    const QString texts[4] = {line1, line2, line3, line4};
    const QRect places[4] = {units.rect(13, 34, 160, 10), units.rect(13, 46, 160, 10), units.rect(13, 59, 165, 11),
                             units.rect(13, 72, 165, 11)};
    for (int i = 0; i < 4; ++i) {
        lines_[i] = new QLabel(texts[i], this);
        lines_[i]->setGeometry(places[i]);
    }
    auto* ok = new QPushButton(okCaption, this);
    ok->setGeometry(units.rect(184, 63, 44, 17));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString CAboutBoxDlg::lineText(int line) const { return lines_[line]->text(); }

}  // namespace radioprog
