// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch channel dialog: fills all channels, or a range of them, with consecutive
// frequencies and the same tones and options. OK applies and leaves the dialog open, so
// several batches can be applied in one opening; Cancel closes it.
#include <QDialog>

#include <functional>

#include "editors/batch_channels.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace radioprog {

class CNumericEdit;
class UpDownControl;

class CBatchChannelDlg : public QDialog {
    Q_OBJECT
public:
    // apply runs once per OK with the dialog's values; it fills the channels and refreshes
    // their display.
    using Apply = std::function<void(const BatchSettings&)>;
    CBatchChannelDlg(const LanguageTable& language, Apply apply, QWidget* parent = nullptr);

    // OK: reads the controls and applies them; the dialog stays open.
    void ApplyBatch();
    const BatchSettings& settings() const { return settings_; }

    // The controls, for tests.
    CNumericEdit* rxStartEdit() const { return rxStart_; }
    CNumericEdit* txStartEdit() const { return txStart_; }
    CNumericEdit* firstChannelEdit() const { return first_; }
    CNumericEdit* lastChannelEdit() const { return last_; }
    UpDownControl* firstChannelArrows() const { return firstArrows_; }
    UpDownControl* lastChannelArrows() const { return lastArrows_; }
    QRadioButton* allChannelsButton() const { return all_; }
    QRadioButton* rangeButton() const { return range_; }
    QRadioButton* subtractButton() const { return subtract_; }
    QComboBox* stepList() const { return step_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls(const LanguageTable& language);
    // The values from the controls; false (after telling the user) when a channel number
    // is not a number.
    bool readControls();
    void showValues();
    void onScopeChosen();
    void onArrow(unsigned BatchSettings::*value, int change);

    Apply apply_;
    BatchSettings settings_;
    CNumericEdit* rxStart_ = nullptr;
    CNumericEdit* txStart_ = nullptr;
    CNumericEdit* first_ = nullptr;
    CNumericEdit* last_ = nullptr;
    UpDownControl* firstArrows_ = nullptr;
    UpDownControl* lastArrows_ = nullptr;
    QRadioButton* all_ = nullptr;
    QRadioButton* range_ = nullptr;
    QRadioButton* add_ = nullptr;
    QRadioButton* subtract_ = nullptr;
    QCheckBox* bit14_ = nullptr;
    QComboBox* rxTone_ = nullptr;
    QComboBox* txTone_ = nullptr;
    QComboBox* power_ = nullptr;
    QComboBox* bandwidth_ = nullptr;
    QComboBox* busyLockout_ = nullptr;
    QComboBox* pttId_ = nullptr;
    QComboBox* step_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QString unsignedIntegerText_;  // the refusal of a channel number that is not a number
    QString rangeRefusalText_;     // the refusal of a range outside the table's channels
    std::string leavesRangeText_;  // the refusal of steps that leave the radio's frequencies
};

}  // namespace radioprog
