// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/batch_channel_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <initializer_list>
#include <map>
#include <utility>

#include "editors/gui/filter_edit.h"
#include "editors/gui/up_down_control.h"
#include "model/extra_rows.h"
#include "ui/dialog_units.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace {

// The dialog's size and the height of a closed drop-down list, in dialog units.
constexpr int kDialogWidth = 310;
constexpr int kDialogHeight = 184;
constexpr int kListHeight = 13;

void FillList(QComboBox* list, const std::vector<std::string>& entries) {
    QStringList texts;
    for (const std::string& entry : entries) texts << Q(entry);
    list->addItems(texts);
}

void SelectText(QComboBox* list, const std::string& text) { list->setCurrentIndex(list->findText(Q(text))); }

}  // namespace

CBatchChannelDlg::CBatchChannelDlg(const LanguageTable& language, Apply apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)), settings_(InitialBatchSettings(language)) {
    unsignedIntegerText_ = Q(language.row(lang_row::kUnsignedInteger));
    rangeRefusalText_ = Q(BatchRangeRefusal(language));
    leavesRangeText_ = language.row(lang_row::kBatchLeavesRange);
    createControls(language);
    showValues();
    onScopeChosen();
}

void CBatchChannelDlg::createControls(const LanguageTable& language) {
    const DialogUnits units(font());
    setWindowTitle(Q(language.row(lang_row::kBatchChannels)));
    setFixedSize(units.size(kDialogWidth, kDialogHeight));
    auto place = [&units](QWidget* widget, int x, int y, int width, int height) {
        widget->setGeometry(units.rect(x, y, width, height));
    };

    // Frames first, so that they lie below the controls.
    for (QRect frame : {QRect(7, 1, 294, 102), QRect(6, 107, 294, 34), QRect(6, 141, 143, 34)})
        place(new QGroupBox(this), frame.x(), frame.y(), frame.width(), frame.height());

    struct LabelSpec {
        int row, x, y, width, height;
    };
    std::map<int, QLabel*> captions;
    for (const LabelSpec& label :
         {LabelSpec{lang_row::kRxStart, 10, 11, 87, 10}, LabelSpec{lang_row::kTxStart, 10, 26, 87, 10},
          LabelSpec{lang_row::kRxTone, 10, 41, 87, 10}, LabelSpec{lang_row::kBandwidth, 10, 56, 87, 10},
          LabelSpec{lang_row::kBusyLockout, 10, 70, 87, 10}, LabelSpec{lang_row::kIdDelay, 10, 85, 87, 10},
          LabelSpec{lang_row::kStepKhz, 154, 12, 87, 10}, LabelSpec{lang_row::kTxTone, 154, 41, 87, 10},
          LabelSpec{lang_row::kTxPower, 154, 56, 87, 10}, LabelSpec{lang_row::kFirstChannel, 76, 128, 38, 8},
          LabelSpec{lang_row::kLastChannel, 149, 128, 38, 8}}) {
        auto* caption = new QLabel(Q(language.row(label.row)), this);
        place(caption, label.x, label.y, label.width, label.height);
        captions[label.row] = caption;
    }

    const BatchChoices choices = MakeBatchChoices(language);
    auto edit = [&](int x, int y, int width) {
        auto* field = new CNumericEdit(this);
        field->setSelectAllOnFocus(true);
        place(field, x, y, width, 12);
        return field;
    };
    auto list = [&](const std::vector<std::string>& entries, int x, int y) {
        auto* box = new QComboBox(this);
        FillList(box, entries);
        place(box, x, y, 54, kListHeight);
        return box;
    };
    auto radio = [&](int row, int x, int y) {
        auto* button = new QRadioButton(Q(language.row(row)), this);
        place(button, x, y, 56, 10);
        return button;
    };

    // Created in reading order, which is the order Tab and Enter move the focus in.
    rxStart_ = edit(100, 10, 52);
    step_ = list(choices.steps, 244, 11);
    step_->setEditable(true);
    step_->setInsertPolicy(QComboBox::NoInsert);
    step_->lineEdit()->setMaxLength(static_cast<int>(kBatchTextLimit));
    txStart_ = edit(100, 25, 52);
    for (CNumericEdit* field : {rxStart_, txStart_}) field->setMaxLength(static_cast<int>(kBatchTextLimit));
    rxTone_ = list(choices.tones, 100, 40);
    txTone_ = list(choices.tones, 244, 40);
    bandwidth_ = list(choices.bandwidth, 100, 55);
    power_ = list(choices.power, 244, 55);
    busyLockout_ = list(choices.busyLockout, 100, 69);
    bit14_ = new QCheckBox(Q(language.row(lang_row::kScanAdd)), this);
    place(bit14_, 217, 71, 59, 10);
    pttId_ = list(choices.pttId, 100, 84);

    all_ = radio(lang_row::kAllChannels, 8, 115);
    range_ = radio(lang_row::kChannelChoice, 8, 127);
    first_ = edit(117, 126, 24);
    firstArrows_ = new UpDownControl(this);
    place(firstArrows_, 139, 125, 7, 13);
    last_ = edit(190, 126, 24);
    lastArrows_ = new UpDownControl(this);
    place(lastArrows_, 212, 125, 7, 13);
    add_ = radio(lang_row::kStepUp, 10, 148);
    subtract_ = radio(lang_row::kStepDown, 10, 161);

    // Each field and list is the buddy of its caption, which names it for a screen reader.
    for (const auto& [row, field] :
         std::initializer_list<std::pair<int, QWidget*>>{{lang_row::kRxStart, rxStart_},
                                                         {lang_row::kTxStart, txStart_},
                                                         {lang_row::kRxTone, rxTone_},
                                                         {lang_row::kBandwidth, bandwidth_},
                                                         {lang_row::kBusyLockout, busyLockout_},
                                                         {lang_row::kIdDelay, pttId_},
                                                         {lang_row::kStepKhz, step_},
                                                         {lang_row::kTxTone, txTone_},
                                                         {lang_row::kTxPower, power_},
                                                         {lang_row::kFirstChannel, first_},
                                                         {lang_row::kLastChannel, last_}})
        captions.at(row)->setBuddy(field);

    ok_ = new QPushButton(Q(language.row(lang_row::kOk)), this);
    place(ok_, 155, 153, 50, 14);
    ok_->setDefault(true);
    cancel_ = new QPushButton(Q(language.row(lang_row::kCancel)), this);
    place(cancel_, 247, 153, 50, 14);

    // The two radio pairs share the dialog as parent: each pair is its own group.
    auto* scope = new QButtonGroup(this);
    scope->addButton(all_);
    scope->addButton(range_);
    auto* direction = new QButtonGroup(this);
    direction->addButton(add_);
    direction->addButton(subtract_);

    connect(all_, &QRadioButton::clicked, this, &CBatchChannelDlg::onScopeChosen);
    connect(range_, &QRadioButton::clicked, this, &CBatchChannelDlg::onScopeChosen);
    connect(firstArrows_, &UpDownControl::positionChanged, this,
            [this](int change) { onArrow(&BatchSettings::firstChannel, change); });
    connect(lastArrows_, &UpDownControl::positionChanged, this,
            [this](int change) { onArrow(&BatchSettings::lastChannel, change); });
    connect(ok_, &QPushButton::clicked, this, &CBatchChannelDlg::ApplyBatch);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    // Enter on a push button presses it; on any other control it moves to the next one.
    for (QWidget* child : findChildren<QWidget*>())
        if (child->window() == this && child->focusPolicy() != Qt::NoFocus && !qobject_cast<QPushButton*>(child))
            child->installEventFilter(this);
}

bool CBatchChannelDlg::readControls() {
    settings_.scope = range_->isChecked() ? BatchScope::Range : BatchScope::AllChannels;
    settings_.direction = subtract_->isChecked() ? BatchDirection::Subtract : BatchDirection::Add;
    settings_.bit14 = bit14_->isChecked();
    settings_.rxStart = S(rxStart_->text());
    settings_.txStart = S(txStart_->text());
    settings_.rxTone = S(rxTone_->currentText());
    settings_.txTone = S(txTone_->currentText());
    settings_.power = S(power_->currentText());
    settings_.bandwidth = S(bandwidth_->currentText());
    settings_.busyLockout = S(busyLockout_->currentText());
    settings_.pttId = S(pttId_->currentText());
    settings_.step = S(step_->currentText());
    for (auto [field, value] :
         {std::pair{first_, &BatchSettings::firstChannel}, std::pair{last_, &BatchSettings::lastChannel}}) {
        std::optional<unsigned> number = ParseChannelNumberField(S(field->text()));
        if (!number) {
            Warn(this, unsignedIntegerText_);
            field->setFocus();
            field->selectAll();
            return false;
        }
        settings_.*value = *number;
    }
    return true;
}

void CBatchChannelDlg::showValues() {
    rxStart_->setText(Q(settings_.rxStart));
    txStart_->setText(Q(settings_.txStart));
    first_->setText(QString::number(settings_.firstChannel));
    last_->setText(QString::number(settings_.lastChannel));
    (settings_.scope == BatchScope::Range ? range_ : all_)->setChecked(true);
    (settings_.direction == BatchDirection::Subtract ? subtract_ : add_)->setChecked(true);
    bit14_->setChecked(settings_.bit14);
    SelectText(rxTone_, settings_.rxTone);
    SelectText(txTone_, settings_.txTone);
    SelectText(power_, settings_.power);
    SelectText(bandwidth_, settings_.bandwidth);
    SelectText(busyLockout_, settings_.busyLockout);
    SelectText(pttId_, settings_.pttId);
    step_->setCurrentText(Q(settings_.step));
}

void CBatchChannelDlg::onScopeChosen() {
    readControls();
    const bool range = range_->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{first_, last_, firstArrows_, lastArrows_})
        control->setEnabled(range);
}

void CBatchChannelDlg::onArrow(unsigned BatchSettings::*value, int change) {
    if (!readControls()) return;
    settings_.*value = ChannelNumberAfterArrow(settings_.*value, change);
    showValues();
}

void CBatchChannelDlg::ApplyBatch() {
    if (!readControls()) return;
    if (!BatchRangeAccepted(settings_)) {
        // Nothing is clamped: the user corrects the numbers.
        Warn(this, rangeRefusalText_);
        CNumericEdit* field = settings_.firstChannel > settings_.lastChannel ||
                                      settings_.lastChannel < static_cast<unsigned>(kChannelCount)
                                  ? first_
                                  : last_;
        field->setFocus();
        field->selectAll();
        return;
    }
    if (const std::optional<unsigned> channel = BatchLeavesRange(settings_)) {
        // Nothing is stored as a limit: the user chooses another start, step or range.
        Warn(this, Q(FillArguments(leavesRangeText_, {std::to_string(*channel)})));
        return;
    }
    if (apply_) apply_(settings_);
}

bool CBatchChannelDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace radioprog
