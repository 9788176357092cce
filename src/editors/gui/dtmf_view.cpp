// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/dtmf_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "editors/dtmf_layout.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/settings_form_page.h"
#include "ui/child_frame.h"
#include "ui/text.h"

namespace radioprog {

namespace dc = dtmf_control;

namespace {

// Group 1..15 is a code group, 0 the local ID.
std::string& CodeText(DtmfForm& form, int group) {
    return group == 0 ? form.localId : form.codes[static_cast<std::size_t>(group - 1)];
}

void ShowText(QLineEdit* edit, const std::string& text) {
    if (edit != nullptr && edit->text() != Q(text)) edit->setText(Q(text));
}

void ShowIndex(QComboBox* list, int index) {
    if (index < 0 || index >= list->count()) index = -1;
    if (list->currentIndex() != index) list->setCurrentIndex(index);
}

void ShowCheck(QCheckBox* box, int state) {
    if (box->isChecked() != (state != 0)) box->setChecked(state != 0);
}

}  // namespace

CDtmfView2::CDtmfView2(CChildFrame* frame) : frame_(frame), workspace_(*frame->workspace()) {
    page_ =
        std::make_unique<FormPage>(this, FormFont(kDtmfFormFont, kDtmfFormFontPoints), kDtmfFormWidth, kDtmfFormHeight);
    buildForm();
    OpenDtmfForm(form_);
    pushForm();
    // The form follows the document (see CChoiceFunView).
    connect(&workspace_.document, &Document::imageReplaced, this, &CDtmfView2::LoadFromImage);
    connect(&workspace_.document, &Document::settingsChanged, this, [this] {
        if (!hasUnstoredEdits()) LoadFromImage();
    });
}

CDtmfView2::~CDtmfView2() = default;

void CDtmfView2::buildForm() {
    const LanguageTable& language = workspace_.language;
    // Created in the order Tab visits them: the codes first, then the other settings.
    for (const DtmfTableRow& row : DtmfCodeTable()) {
        page_->add(row.number, language);
        page_->add(row.code, language);
    }
    for (const FormControl& control : DtmfLayout()) page_->add(control, language);
    page_->fitTexts();
    for (int group = 0; group <= kDtmfGroupCount; ++group)
        connect(group == 0 ? localIdEdit() : codeEdit(group), &QLineEdit::textEdited, this,
                [this, group] { onCodeEdited(group); });
    connect(page_->widget<QPushButton>(dc::kCommit), &QPushButton::clicked, this, &CDtmfView2::onCommit);
    connect(page_->widget<QPushButton>(dc::kClose), &QPushButton::clicked, this, &CDtmfView2::onClose);
}

QLineEdit* CDtmfView2::codeEdit(int group) const {
    return page_->widget<QLineEdit>(DtmfCodeTable()[static_cast<std::size_t>(group - 1)].code.id);
}

QLineEdit* CDtmfView2::localIdEdit() const { return page_->widget<QLineEdit>(dc::kLocalId); }

QWidget* CDtmfView2::control(int id) const { return page_->widget(id); }

void CDtmfView2::LoadFromImage() {
    radioprog::LoadFromImage(form_, workspace_.document.image());
    loaded_ = form_;
    pushForm();
}

QSize CDtmfView2::wholeSize() const { return page_->wholeSize(); }

bool CDtmfView2::hasUnstoredEdits() {
    const DtmfForm kept = form_;
    pullForm();
    const bool edited = form_ != loaded_;
    form_ = kept;
    return edited;
}

void CDtmfView2::StoreToImage() {
    pullForm();
    workspace_.document.editSettings([this](RadioImage& image) { radioprog::StoreDtmfChanges(loaded_, form_, image); });
    loaded_ = form_;
    pushForm();
}

void CDtmfView2::onCommit() {
    StoreToImage();
    if (frame_) frame_->close();
}

void CDtmfView2::onClose() {
    if (frame_) frame_->close();
}

void CDtmfView2::pullForm() {
    for (int row = 0; row < kDtmfGroupCount; ++row) {
        const std::size_t r = static_cast<std::size_t>(row);
        form_.groupNumbers[r] = S(page_->widget<QLineEdit>(DtmfCodeTable()[r].number.id)->text());
        form_.codes[r] = S(codeEdit(row + 1)->text());
    }
    form_.groupCall = page_->widget<QComboBox>(dc::kGroupCall)->currentIndex();
    form_.duration = page_->widget<QComboBox>(dc::kDuration)->currentIndex();
    form_.pause = page_->widget<QComboBox>(dc::kPause)->currentIndex();
    form_.pttPress = page_->widget<QCheckBox>(dc::kPttPress)->isChecked() ? 1 : 0;
    form_.pttRelease = page_->widget<QCheckBox>(dc::kPttRelease)->isChecked() ? 1 : 0;
    form_.localId = S(localIdEdit()->text());
}

void CDtmfView2::pushForm() {
    for (int row = 0; row < kDtmfGroupCount; ++row) {
        const std::size_t r = static_cast<std::size_t>(row);
        ShowText(page_->widget<QLineEdit>(DtmfCodeTable()[r].number.id), form_.groupNumbers[r]);
        ShowText(codeEdit(row + 1), form_.codes[r]);
    }
    ShowIndex(page_->widget<QComboBox>(dc::kGroupCall), form_.groupCall);
    ShowIndex(page_->widget<QComboBox>(dc::kDuration), form_.duration);
    ShowIndex(page_->widget<QComboBox>(dc::kPause), form_.pause);
    ShowCheck(page_->widget<QCheckBox>(dc::kPttPress), form_.pttPress);
    ShowCheck(page_->widget<QCheckBox>(dc::kPttRelease), form_.pttRelease);
    ShowText(localIdEdit(), form_.localId);
}

void CDtmfView2::onCodeEdited(int group) {
    QLineEdit* edit = group == 0 ? localIdEdit() : codeEdit(group);
    const qsizetype typedLength = edit->text().size();
    const int cursor = edit->cursorPosition();
    const std::string kept = CodeText(form_, group);
    pullForm();
    const bool accepted = DtmfInputAccepted(CodeText(form_, group));
    CodeText(form_, group) = accepted ? DtmfShownCode(CodeText(form_, group)) : kept;
    pushForm();
    if (accepted) edit->setCursorPosition(cursor);  // a letter shown in capitals keeps the caret
    if (!accepted) {
        edit->setCursorPosition(std::max(0, cursor - static_cast<int>(typedLength - edit->text().size())));
        KeyBeep(edit);  // refused as the other forms' fields refuse: heard, and said to a screen reader
    }
}

}  // namespace radioprog
