// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The optional-functions form: the radio's general settings and the frequency-mode entries
// A and B. The controls show one SettingsForm; the image changes only in StoreToImage.
#include <QPointer>

#include <memory>
#include <string>

#include "editors/gui/workspace.h"
#include "radio/settings_form.h"
#include "ui/editor_view.h"

namespace radioprog {

class CChildFrame;
class EditorHost;
class FormPage;

class CChoiceFunView : public EditorView, private SettingsControls {
    Q_OBJECT
public:
    // The view of the optional-functions editor's frame; it edits the frame's workspace.
    CChoiceFunView(EditorHost* host, CChildFrame* frame);
    ~CChoiceFunView() override;

    void LoadFromImage() override;
    void StoreToImage() override;
    bool hasUnstoredEdits() override;
    QSize wholeSize() const override;

    // OK: store, have the channel table reload, close. CANCEL: close without storing.
    void onOk();
    void onCancel();

    const SettingsForm& form() const { return form_; }
    // The widget of a visible control, nullptr for a hidden one.
    QWidget* control(int id) const;
    FormPage& page() const { return *page_; }

private:
    void buildForm();
    // Reads the controls into the form; tells the user when the channel count stops it.
    void readForm();
    void showForm();
    void tellRefusedCount();
    void onBandChanged(int side);
    void onFrequencyEdited(int side);

    // SettingsControls
    int selection(int id) const override;
    int check(int id) const override;
    std::string text(int id) const override;
    int radioIndex(int firstId) const override;
    void showSelection(int id, int index) override;
    void showCheck(int id, int state) override;
    void showText(int id, const std::string& text) override;
    void showRadioIndex(int firstId, int index) override;

    EditorHost* host_;
    QPointer<CChildFrame> frame_;
    Workspace& workspace_;
    SettingsForm form_;
    SettingsForm loaded_;  // the form as last loaded or stored
    std::unique_ptr<FormPage> page_;
    bool showing_ = false;  // the program sets the controls: their change signals are not the user's
};

}  // namespace radioprog
