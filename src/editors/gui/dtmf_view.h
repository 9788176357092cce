// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DTMF form: fifteen code groups, the local ID, tone duration and pause, the group-call
// list and the two PTT flags. The controls show one DtmfForm; the image changes only in
// StoreToImage.
#include <QPointer>

#include <memory>

#include "editors/gui/workspace.h"
#include "radio/dtmf_form.h"
#include "ui/editor_view.h"

class QLineEdit;

namespace radioprog {

class CChildFrame;
class FormPage;

class CDtmfView2 : public EditorView {
    Q_OBJECT
public:
    // The view of the DTMF editor's frame; it edits the frame's workspace.
    explicit CDtmfView2(CChildFrame* frame);
    ~CDtmfView2() override;

    void LoadFromImage() override;
    void StoreToImage() override;
    bool hasUnstoredEdits() override;
    QSize wholeSize() const override;

    // The commit button stores and closes; the close button only closes.
    void onCommit();
    void onClose();

    const DtmfForm& form() const { return form_; }
    // The code edit of group g (1..15); the local ID edit; any other control by identifier.
    QLineEdit* codeEdit(int group) const;
    QLineEdit* localIdEdit() const;
    QWidget* control(int id) const;
    FormPage& page() const { return *page_; }

private:
    void buildForm();
    // Controls into the form, and the form into the controls (only where they differ).
    void pullForm();
    void pushForm();
    // A typed code (group 1..15, 0 = the local ID) that is not DTMF digits, or too long,
    // gives way to its previous text.
    void onCodeEdited(int group);

    QPointer<CChildFrame> frame_;
    Workspace& workspace_;
    DtmfForm form_;
    DtmfForm loaded_;  // the form as last loaded or stored
    std::unique_ptr<FormPage> page_;
};

}  // namespace radioprog
