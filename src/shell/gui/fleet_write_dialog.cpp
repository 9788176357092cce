// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/fleet_write_dialog.h"

#include <map>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "fleet/fleet_write.h"
#include "shell/gui/cable_watcher.h"
#include "shell/menu_captions.h"
#include "ui/text.h"

namespace radioprog {

namespace {
enum Column { kPortColumn = 0, kProgressColumn = 1, kResultColumn = 2 };
}  // namespace

// The radios' reports, queued to the dialog's thread.
class FleetForwarder : public FleetReports {
public:
    explicit FleetForwarder(FleetWriteDialog* dialog) : dialog_(dialog) {}
    void progress(int port, int value) override {
        QMetaObject::invokeMethod(
            dialog_, [d = dialog_, port, value] { d->onProgress(port, value); }, Qt::QueuedConnection);
    }
    void finished(const RadioOutcome& radio) override {
        QMetaObject::invokeMethod(
            dialog_, [d = dialog_, radio] { d->onFinished(radio); }, Qt::QueuedConnection);
    }

private:
    FleetWriteDialog* dialog_;
};

FleetWriteDialog::FleetWriteDialog(const LanguageTable& language, const PortMap& ports, const PortChoices& choices,
                                   std::function<std::optional<RadioImage>()> document, bool verify, QWidget* parent)
    : QDialog(parent),
      language_(language),
      ports_(ports),
      document_(std::move(document)),
      forwarder_(std::make_unique<FleetForwarder>(this)) {
    setWindowTitle(Q(PlainMenuText(language.row(lang_row::kWriteSeveral))));
    auto* layout = new QVBoxLayout(this);

    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({Q(PlainMenuText(language.row(lang_row::kPort))),
                                       Q(language.row(lang_row::kProgressColumn)),
                                       Q(language.row(lang_row::kResultColumn))});
    table_->setAccessibleName(Q(language.row(lang_row::kPortList)));
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(kPortColumn, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(kResultColumn, QHeaderView::Stretch);
    table_->setColumnWidth(kProgressColumn, 140);
    table_->setMinimumSize(760, 240);
    layout->addWidget(table_);

    verify_ = new QCheckBox(Q(PlainMenuText(language.row(lang_row::kVerifyTransfers))), this);
    verify_->setChecked(verify);
    layout->addWidget(verify_);
    summary_ = new QLabel(this);
    layout->addWidget(summary_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    start_ = new QPushButton(Q(language.row(lang_row::kStart)), this);
    cancel_ = new QPushButton(Q(language.row(lang_row::kCancel)), this);
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(start_, &QPushButton::clicked, this, &FleetWriteDialog::start);
    connect(cancel_, &QPushButton::clicked, this, &FleetWriteDialog::reject);
    connect(table_, &QTableWidget::itemChanged, this, [this] { updateButtons(); });
    showPorts(ports, choices);
}

void FleetWriteDialog::showPorts(const PortMap& ports, const PortChoices& choices) {
    if (running()) {
        refreshWhenEnded_ = true;
        return;
    }
    // What a port still there had: its check, its progress and its result.
    struct Kept {
        Qt::CheckState check;
        int progress;
        QString result;
        QString resultTip;
    };
    std::map<int, Kept> kept;
    for (int row = 0; row < table_->rowCount(); ++row)
        kept[portOfRow(row)] = {table_->item(row, kPortColumn)->checkState(), bar(row)->value(),
                                table_->item(row, kResultColumn)->text(), table_->item(row, kResultColumn)->toolTip()};
    ports_ = ports;
    rowPorts_.clear();
    for (int port = kFirstPort; port <= kLastPort; ++port)
        if (choices.mask & (1u << port)) rowPorts_.push_back(port);
    const QSignalBlocker blocker(table_);
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(rowPorts_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const int port = portOfRow(row);
        const auto index = static_cast<std::size_t>(port - 1);
        const std::string label = index < choices.labels.size() ? choices.labels[index] : std::string();
        QString text = Q(PortMap::name(port)) + QStringLiteral("  ") + Q(ports_.device(port));
        if (!label.empty()) text += QStringLiteral("  ") + Q(label);
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const auto before = kept.find(port);
        item->setCheckState(before != kept.end() ? before->second.check : Qt::Unchecked);
        table_->setItem(row, kPortColumn, item);
        auto* progress = new QProgressBar(table_);
        progress->setRange(0, 100);
        progress->setValue(before != kept.end() ? before->second.progress : 0);
        table_->setCellWidget(row, kProgressColumn, progress);
        auto* result = new QTableWidgetItem;
        result->setFlags(Qt::ItemIsEnabled);
        if (before != kept.end()) {
            result->setText(before->second.result);
            result->setToolTip(before->second.resultTip);
        }
        table_->setItem(row, kResultColumn, result);
    }
    updateButtons();
}

void FleetWriteDialog::followCables(std::function<std::pair<PortMap, PortChoices>()> survey,
                                    const QString& watchedDir) {
    survey_ = std::move(survey);
    auto* watcher = new CableWatcher(watchedDir, this);
    connect(watcher, &CableWatcher::cablesChanged, this, &FleetWriteDialog::refreshPorts);
}

void FleetWriteDialog::refreshPorts() {
    if (!survey_) return;
    if (running()) {
        refreshWhenEnded_ = true;
        return;
    }
    refreshWhenEnded_ = false;
    const auto [ports, choices] = survey_();
    showPorts(ports, choices);
}

FleetWriteDialog::~FleetWriteDialog() {
    if (fleet_) {
        fleet_->cancel();
        fleet_->wait();
    }
}

bool FleetWriteDialog::running() const { return pending_ > 0; }

void FleetWriteDialog::setChecked(int port, bool checked) {
    int row = rowOf(port);
    if (row >= 0) table_->item(row, kPortColumn)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int FleetWriteDialog::rowOf(int port) const {
    for (std::size_t row = 0; row < rowPorts_.size(); ++row)
        if (rowPorts_[row] == port) return static_cast<int>(row);
    return -1;
}

QProgressBar* FleetWriteDialog::bar(int row) const {
    return static_cast<QProgressBar*>(table_->cellWidget(row, kProgressColumn));
}

void FleetWriteDialog::updateButtons() {
    bool any = false;
    for (int row = 0; row < table_->rowCount(); ++row)
        any = any || table_->item(row, kPortColumn)->checkState() == Qt::Checked;
    start_->setEnabled(any && !running());
    verify_->setEnabled(!running());
    for (int row = 0; row < table_->rowCount(); ++row) {
        QTableWidgetItem* item = table_->item(row, kPortColumn);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | (running() ? Qt::ItemFlags() : Qt::ItemIsUserCheckable);
        if (item->flags() != flags) item->setFlags(flags);
    }
}

void FleetWriteDialog::start() {
    if (running()) return;
    std::optional<RadioImage> image = document_ ? document_() : std::nullopt;
    if (!image) return;
    std::vector<int> chosen;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (table_->item(row, kPortColumn)->checkState() != Qt::Checked) continue;
        chosen.push_back(portOfRow(row));
        bar(row)->setValue(0);
        table_->item(row, kResultColumn)->setText(QString());
        table_->item(row, kResultColumn)->setToolTip(QString());
    }
    if (chosen.empty()) return;
    if (fleet_) fleet_->wait();
    fleet_ = std::make_unique<FleetWrite>(ports_, chosen, *image, language_, verify_->isChecked());
    if (timeouts_) fleet_->setLineTimeouts(*timeouts_);
    pending_ = static_cast<int>(chosen.size());
    chosen_ = pending_;
    written_ = 0;
    cancelledRadios_ = 0;
    summary_->clear();
    updateButtons();
    fleet_->start(forwarder_.get());
}

void FleetWriteDialog::onProgress(int port, int value) {
    int row = rowOf(port);
    if (row >= 0 && value > 0) bar(row)->setValue(std::min(value, 100));
}

void FleetWriteDialog::onFinished(const RadioOutcome& radio) {
    int row = rowOf(radio.port);
    if (row >= 0) {
        QStringList lines;
        for (const ImageDifference& difference : radio.differences) lines << Q(DifferenceText(difference, language_));
        QString text = Q(OutcomeText(radio, language_));
        if (!lines.isEmpty()) text += QStringLiteral(" ") + lines.join(QStringLiteral("; "));
        table_->item(row, kResultColumn)->setText(text);
        table_->item(row, kResultColumn)->setToolTip(lines.isEmpty() ? text : lines.join(QLatin1Char('\n')));
        if (StatusOf(radio) == RadioStatus::Done) bar(row)->setValue(100);
    }
    if (StatusOf(radio) == RadioStatus::Done) ++written_;
    if (radio.cancelled) ++cancelledRadios_;
    summary_->setText(Q(FleetSummaryText(written_, chosen_, cancelledRadios_, language_)));
    if (--pending_ > 0) return;
    updateButtons();
    emit allEnded();
    if (refreshWhenEnded_) refreshPorts();
}

void FleetWriteDialog::reject() {
    // While radios run, Cancel (Esc, the window's close button) stops every one of them; the
    // dialog stays until each has ended and shows how.
    if (running()) {
        if (fleet_) fleet_->cancel();
        return;
    }
    QDialog::reject();
}

}  // namespace radioprog
