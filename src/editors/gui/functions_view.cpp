// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/functions_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "editors/gui/key_beep.h"
#include "editors/gui/settings_form_page.h"
#include "radio/settings_vfo.h"
#include "ui/child_frame.h"
#include "ui/editor_host.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace sc = settings_control;

namespace {

// The work-mode pair: the first button (frequency, index 0) is bound, the second (channel,
// index 1) belongs to its group.
constexpr int kWorkModeButtons[2] = {sc::kWorkMode, sc::kWorkModeChannel};

}  // namespace

CChoiceFunView::CChoiceFunView(EditorHost* host, CChildFrame* frame)
    : host_(host), frame_(frame), workspace_(*frame->workspace()) {
    page_ = std::make_unique<FormPage>(this, FormFont(kSettingsFormFont, kSettingsFormFontPoints), kSettingsFormWidth,
                                       kSettingsFormHeight);
    buildForm();
    showForm();
    // The form follows the document: a new image, or settings another editor stored while
    // this one holds no edits of the user.
    connect(&workspace_.document, &Document::imageReplaced, this, &CChoiceFunView::LoadFromImage);
    connect(&workspace_.document, &Document::settingsChanged, this, [this] {
        if (!hasUnstoredEdits()) LoadFromImage();
    });
}

CChoiceFunView::~CChoiceFunView() = default;

void CChoiceFunView::buildForm() {
    for (const FormControl& control : SettingsFormControls()) page_->add(control, workspace_.language);
    page_->orderTabs();
    page_->fitTexts();
    for (int side : {kVfoSideA, kVfoSideB}) {
        connect(page_->widget<QComboBox>(sc::kBand[side]), &QComboBox::currentIndexChanged, this, [this, side] {
            if (!showing_) onBandChanged(side);
        });
        connect(page_->widget<QLineEdit>(sc::kFrequency[side]), &QLineEdit::textEdited, this,
                [this, side] { onFrequencyEdited(side); });
    }
    connect(page_->widget<QPushButton>(sc::kOk), &QPushButton::clicked, this, &CChoiceFunView::onOk);
    connect(page_->widget<QPushButton>(sc::kCancel), &QPushButton::clicked, this, &CChoiceFunView::onCancel);
}

QWidget* CChoiceFunView::control(int id) const { return page_->widget(id); }

void CChoiceFunView::LoadFromImage() {
    radioprog::LoadFromImage(form_, workspace_.document.image(), workspace_.language);
    loaded_ = form_;
    showForm();
}

QSize CChoiceFunView::wholeSize() const { return page_->wholeSize(); }

bool CChoiceFunView::hasUnstoredEdits() {
    SettingsForm current = form_;
    ReadSettingsForm(current, *this);
    return current != loaded_;
}

void CChoiceFunView::StoreToImage() {
    readForm();
    const SettingsForm typed = form_;
    workspace_.document.editSettings(
        [this](RadioImage& image) { StoreSettingsChanges(loaded_, form_, image, workspace_.language); });
    // A frequency the store moved onto the step is said, as a typed cell's limit is.
    for (const std::string& notice : MovedFrequencyNotices(typed, form_, workspace_.language)) Warn(this, Q(notice));
    loaded_ = form_;
    showForm();
}

void CChoiceFunView::onOk() {
    StoreToImage();
    if (frame_) frame_->close();
}

void CChoiceFunView::onCancel() {
    if (frame_) frame_->close();
}

void CChoiceFunView::readForm() {
    if (ReadSettingsForm(form_, *this) == ReadResult::StoppedAtChannelCount) tellRefusedCount();
}

void CChoiceFunView::showForm() {
    showing_ = true;
    ShowSettingsForm(form_, *this);
    showing_ = false;
}

void CChoiceFunView::tellRefusedCount() {
    Warn(this, Q(ChannelCountRefusal(workspace_.language)));
    auto* count = page_->widget<QLineEdit>(sc::kChannelCount);
    count->setFocus();
    count->selectAll();
}

void CChoiceFunView::onBandChanged(int side) {
    readForm();
    ApplyBandChange(form_, side);
    showForm();
}

void CChoiceFunView::onFrequencyEdited(int side) {
    auto* edit = page_->widget<QLineEdit>(sc::kFrequency[side]);
    const qsizetype typedLength = edit->text().size();
    const int cursor = edit->cursorPosition();
    ReadResult read = ReadResult::Complete;
    const bool accepted = FilterFrequencyEdit(form_, side, *this, &read);
    showForm();
    if (!accepted) {
        // The previous text returns with the caret where the refused input began.
        const auto restored = cursor - static_cast<int>(typedLength - edit->text().size());
        edit->setCursorPosition(std::max(0, restored));
        KeyBeep(edit);
    }
    if (read == ReadResult::StoppedAtChannelCount) tellRefusedCount();
}

int CChoiceFunView::selection(int id) const {
    auto* list = page_->widget<QComboBox>(id);
    return list != nullptr ? list->currentIndex() : -1;
}

int CChoiceFunView::check(int id) const {
    auto* box = page_->widget<QCheckBox>(id);
    return box != nullptr && box->isChecked() ? 1 : 0;
}

std::string CChoiceFunView::text(int id) const {
    auto* edit = page_->widget<QLineEdit>(id);
    return edit != nullptr ? S(edit->text()) : std::string();
}

int CChoiceFunView::radioIndex(int) const {
    for (int index = 0; index < 2; ++index)
        if (page_->widget<QRadioButton>(kWorkModeButtons[index])->isChecked()) return index;
    return -1;
}

void CChoiceFunView::showSelection(int id, int index) {
    auto* list = page_->widget<QComboBox>(id);
    if (list == nullptr) return;
    if (index < 0 || index >= list->count()) index = -1;
    if (list->currentIndex() != index) list->setCurrentIndex(index);
}

void CChoiceFunView::showCheck(int id, int state) {
    auto* box = page_->widget<QCheckBox>(id);
    if (box != nullptr && box->isChecked() != (state != 0)) box->setChecked(state != 0);
}

void CChoiceFunView::showText(int id, const std::string& text) {
    auto* edit = page_->widget<QLineEdit>(id);
    if (edit != nullptr && edit->text() != Q(text)) edit->setText(Q(text));
}

void CChoiceFunView::showRadioIndex(int, int index) {
    if (radioIndex(kWorkModeButtons[0]) == index) return;
    for (int button = 0; button < 2; ++button) {
        auto* radio = page_->widget<QRadioButton>(kWorkModeButtons[button]);
        // Neither button checked is a state of the form, which an exclusive pair cannot reach.
        radio->setAutoExclusive(false);
        radio->setChecked(button == index);
        radio->setAutoExclusive(true);
    }
}

}  // namespace radioprog
