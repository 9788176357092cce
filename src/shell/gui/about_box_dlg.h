// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box.
#include <QDialog>

class QLabel;

namespace radioprog {

// The About box: the program's icon and four lines of text (version, title, copyright, licence).
class CAboutBoxDlg : public QDialog {
    Q_OBJECT
public:
    CAboutBoxDlg(const QString& title, const QString& line1, const QString& line2, const QString& okCaption,
                 const QString& line3, const QString& line4, QWidget* parent = nullptr);
    QString lineText(int line) const;

private:
    QLabel* lines_[4];
};

}  // namespace radioprog
