// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/channel_edit_report.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog_units.h"

namespace radioprog {

CChannelEditReportDlg::CChannelEditReportDlg(const QString& title, const QString& summary, const QStringList& entries,
                                             const QString& okCaption, QWidget* parent)
    : QDialog(parent),
      summary_(new QLabel(summary, this)),
      list_(new QPlainTextEdit(this)),
      ok_(new QPushButton(okCaption.isEmpty() ? QStringLiteral("OK") : okCaption, this)),
      entries_(entries) {
    setWindowTitle(title);
    const DialogUnits units(font());
    summary_->setVisible(!summary.isEmpty());
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long list scrolls; its lines can be selected and copied.
    list_->setReadOnly(true);
    // Long reasons (a band-gap warning) wrap instead of hiding behind a scroll bar.
    list_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    list_->setPlainText(entries.join(QLatin1Char('\n')));
    list_->setVisible(!entries.isEmpty());
    list_->setMinimumSize(units.x(320), units.y(entries.size() > 3 ? 120 : 50));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    layout->addLayout(buttons);
}

QString CChannelEditReportDlg::summary() const { return summary_->text(); }

}  // namespace radioprog
