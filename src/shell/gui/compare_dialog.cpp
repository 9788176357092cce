// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/compare_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

#include "compare/image_diff.h"
#include "link/comm_task.h"
#include "model/dat_file.h"
#include "shell/file_messages.h"
#include "shell/gui/message_dlg.h"
#include "shell/gui/transfer_bridge.h"
#include "shell/menu_captions.h"
#include "shell/transfer_messages.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

CompareDialog::CompareDialog(const LanguageTable& language, const QString& heading, QWidget* parent)
    : QDialog(parent), language_(language) {
    setWindowTitle(Q(language.row(lang_row::kDifferencesTitle)));
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(heading, this);
    heading_->setWordWrap(true);
    heading_->setVisible(!heading.isEmpty());
    layout->addWidget(heading_);
    list_ = new QListWidget(this);
    list_->setMinimumSize(480, 260);
    layout->addWidget(list_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->hide();
    layout->addWidget(progress_);
    auto* buttons = new QHBoxLayout;
    file_ = new QPushButton(Q(language.row(lang_row::kCompareFile)), this);
    radio_ = new QPushButton(Q(language.row(lang_row::kCompareRadio)), this);
    file_->hide();
    radio_->hide();
    ok_ = new QPushButton(Q(language.row(lang_row::kOk)), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(Q(language.row(lang_row::kCancel)), this);
    cancel_->hide();
    buttons->addWidget(file_);
    buttons->addWidget(radio_);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &CompareDialog::reject);
    connect(file_, &QPushButton::clicked, this, &CompareDialog::compareWithFile);
    connect(radio_, &QPushButton::clicked, this, &CompareDialog::compareWithRadio);
}

CompareDialog::~CompareDialog() {
    if (job_) job_->wait();
}

void CompareDialog::showLines(const QStringList& lines) {
    list_->clear();
    if (lines.isEmpty())
        list_->addItem(Q(language_.row(lang_row::kNoDifferences)));
    else
        list_->addItems(lines);
}

void CompareDialog::showDifferences(const RadioImage& before, const RadioImage& after) {
    QStringList lines;
    for (const ImageDifference& difference : CompareImages(before, after, language_))
        lines << Q(DifferenceText(difference, language_));
    showLines(lines);
}

void CompareDialog::offerSources(std::function<RadioImage()> document, const PortMap& ports) {
    document_ = std::move(document);
    job_ = std::make_unique<CCommTask>(ports);
    bridge_ = std::make_unique<TransferBridge>(
        this, TransferBridge::Handlers{
                  [this](int value) {
                      progress_->setValue(value);
                      if (value != 0) return;
                      setBusy(false);
                      // Told as Read tells it, once the read has ended.
                      if (std::optional<TransferOutcome> failed = std::exchange(failure_, std::nullopt))
                          showFailure(*failed);
                  },
                  [this](const RadioImage& radio) {
                      showDifferences(radio, document_());
                      setHeading(Q(language_.row(lang_row::kCompareRadio) + " " + PortMap::name(radio.port())));
                  },
                  [](const RadioImage&) { return false; },
                  [this](const TransferOutcome& outcome) {
                      if (outcome.result != TransferResult::ReadDone) failure_ = outcome;
                  }});
    file_->show();
    radio_->show();
    setHeading(QString());
}

void CompareDialog::setHeading(const QString& source) {
    // "Compare With" and what the document was compared with.
    QString text = Q(PlainMenuText(language_.row(lang_row::kCompareWith)));
    heading_->setText(source.isEmpty() ? text : text + QStringLiteral(": ") + source);
    heading_->show();
}

bool CompareDialog::reading() const { return job_ && job_->IsBusy(); }

void CompareDialog::setBusy(bool busy) {
    progress_->setVisible(busy);
    cancel_->setVisible(busy);
    file_->setEnabled(!busy);
    radio_->setEnabled(!busy);
    ok_->setEnabled(!busy);
    if (busy) cancel_->setFocus(Qt::OtherFocusReason);
}

void CompareDialog::showFailure(const TransferOutcome& outcome) {
    setHeading(QString());
    CMessageDlg message(Q(language_.row(lang_row::kTitle)), Q(language_.row(lang_row::kOk)),
                        Q(TransferResultMessage(outcome, language_)), this);
    if (std::string detail = TransferResultDetail(outcome, language_); !detail.empty()) message.setDetail(Q(detail));
    RunModal(message);
    if (std::string advice = PermissionAdvice(outcome, language_); !advice.empty()) Warn(this, Q(advice));
}

void CompareDialog::reject() {
    // Esc, the window's close button and Cancel stop a running read (its scratch image is
    // dropped); the dialog stays to tell how the read ended.
    if (reading()) {
        job_->cancel();
        return;
    }
    QDialog::reject();
}

void CompareDialog::compareWithFile() {
    const QString path = ChooseDatFile(this, false, language_);
    if (path.isEmpty()) return;
    RadioImage other;
    other.ApplyDefaults();
    FileResult opened = OpenDatFile(S(path), other);
    if (!opened.ok) {
        Warn(this, Q(DatOpenFailure(S(path), opened, language_)));
        return;
    }
    showDifferences(other, document_());
    setHeading(path);
}

void CompareDialog::compareWithRadio() {
    if (!job_ || job_->IsBusy()) return;
    job_->wait();
    RadioImage scratch = document_();
    job_->Setup(bridge_.get(), scratch);
    job_->SetMode(TransferMode::Read);
    list_->clear();
    setBusy(true);
    if (!job_->start()) setBusy(false);
}

}  // namespace radioprog
