// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report after a paste or a CSV import: a summary line (how many channels an import
// wrote) over the list of what was skipped, one entry a line, and one button.
#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace radioprog {

class CChannelEditReportDlg : public QDialog {
    Q_OBJECT
public:
    CChannelEditReportDlg(const QString& title, const QString& summary, const QStringList& entries,
                          const QString& okCaption, QWidget* parent = nullptr);

    QString summary() const;
    QStringList entries() const { return entries_; }
    QPushButton* okButton() const { return ok_; }

private:
    QLabel* summary_;
    QPlainTextEdit* list_;
    QPushButton* ok_;
    QStringList entries_;
};

}  // namespace radioprog
