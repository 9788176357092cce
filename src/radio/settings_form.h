// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The optional-functions form without widgets: one value per bound control (selection
// index, check state, text, work-mode radio index, channel count), the image rules that
// load and store it, and the data exchange a widget runs against its controls.
//
// A widget keeps one SettingsForm and its visible controls in step:
//   open:        build the controls from SettingsFormControls() (texts of lists from
//                SettingsListEntries), LoadFromImage, ShowSettingsForm
//   reload:      LoadFromImage, ShowSettingsForm
//   store / OK:  ReadSettingsForm, StoreToImage, ShowSettingsForm
//   band change: ReadSettingsForm, ApplyBandChange, ShowSettingsForm
//   typing a frequency: FilterFrequencyEdit, ShowSettingsForm (beep when refused)
// Hidden controls are never shown; their values live only in the form.
#include <map>
#include <string>
#include <vector>

#include "model/language_table.h"
#include "model/radio_image.h"
#include "radio/control_ids.h"
#include "radio/settings_layout.h"

namespace radioprog {

inline constexpr int kChannelCountMin = 1;
inline constexpr int kChannelCountMax = 128;

// Every control of the form: each settings-table row's caption and control, then the rest.
const std::vector<FormControl>& SettingsFormControls();
const FormControl* FindSettingsControl(int id);

// What a control is bound to in the form.
enum class Binding { None, Selection, Check, Text, RadioIndex, ChannelCount };
Binding BindingOf(const FormControl& control);

class SettingsForm {
public:
    // A new form: every selection -1, every check 0, every text empty, no work-mode button
    // checked, and the channel count 128 (the form sets it when it opens).
    SettingsForm();

    // Lists: the selected index, -1 = none. Checks: 0 or 1. The work mode (kWorkMode): the
    // checked button, 0 = frequency, 1 = channel, -1 = none. Unknown ids read as -1.
    int value(int id) const;
    void setValue(int id, int value);
    int selection(int id) const { return value(id); }
    int check(int id) const { return value(id); }
    void setSelection(int id, int index) { setValue(id, index); }
    void setCheck(int id, int state) { setValue(id, state); }
    int workMode() const { return value(settings_control::kWorkMode); }

    // Edits; unknown ids read as empty.
    const std::string& text(int id) const;
    void setText(int id, std::string text);

    int channelCount = kChannelCountMax;

    bool operator==(const SettingsForm&) const = default;

private:
    std::map<int, int> values_;
    std::map<int, std::string> texts_;
};

// True when at least one channel has a valid receive frequency.
bool ChannelsPresent(const RadioImage& image);

// Image into the form.
void LoadFromImage(SettingsForm& form, const RadioImage& image, const LanguageTable& language);
// Form into the image. Also updates the form: the stored frequency texts become their
// snapped form, and with no channel present both display modes become 3 (nothing shown).
void StoreToImage(SettingsForm& form, RadioImage& image, const LanguageTable& language);

// The entries of list `id` as texts (empty for a control that is not a list).
std::vector<std::string> SettingsListEntries(int id, const LanguageTable& language);
// The text control `id` shows: a list's selected entry (empty when nothing is selected), an
// edit's text. The printout's "text of N"; its "field of N" is form.text(N), "index of N"
// form.selection(N), "check N" form.check(N).
std::string SettingsTextOf(const SettingsForm& form, int id, const LanguageTable& language);

// The first entry that begins with text (letters compared without regard to case),
// searching from the second entry on and wrapping around to the first; -1 when none does.
int SelectByPrefix(const std::vector<std::string>& entries, const std::string& text);

// The widget's side of the data exchange: its visible bound controls.
class SettingsControls {
public:
    virtual ~SettingsControls() = default;
    virtual int selection(int id) const = 0;            // -1 when nothing is selected
    virtual int check(int id) const = 0;                // 0 or 1
    virtual std::string text(int id) const = 0;         // edits, the channel count included
    virtual int radioIndex(int firstId) const = 0;      // checked button of the pair, -1 none
    virtual void showSelection(int id, int index) = 0;  // an index without entry: nothing
    virtual void showCheck(int id, int state) = 0;
    virtual void showText(int id, const std::string& text) = 0;
    virtual void showRadioIndex(int firstId, int index) = 0;
};

// The order in which the form's values are read: every bound control, then the channel
// count, then the values a refused count leaves unread.
const std::vector<int>& SettingsExchangeOrder();

enum class ReadResult { Complete, StoppedAtChannelCount };
// Reads the visible controls into the form in exchange order. A channel count that is not
// an integer from 1 to 128 stops the reading there (the widget tells the user); the values
// after it keep their contents. Hidden controls keep their values.
ReadResult ReadSettingsForm(SettingsForm& form, const SettingsControls& controls);
// Shows every visible bound value in its control.
void ShowSettingsForm(const SettingsForm& form, SettingsControls& controls);

// After a band selection change and ReadSettingsForm: the group's range and frequency texts
// for the new band.
void ApplyBandChange(SettingsForm& form, int side);

// On a text change of a frequency edit: reads the form and puts the previous text back when
// the new one is refused (FreqEditAccepts). Returns false when refused. `read` receives how
// the reading went, so the widget can tell the user about a refused channel count.
bool FilterFrequencyEdit(SettingsForm& form, int side, const SettingsControls& controls, ReadResult* read = nullptr);

// OK of the form, for every front end: stores into the image only what changed from `loaded`
// (the form as the image gave it) to `edited`, so a byte the form cannot show keeps its value;
// `edited` then shows what was stored (a frequency on its step).
void StoreSettingsChanges(const SettingsForm& loaded, SettingsForm& edited, RadioImage& image,
                          const LanguageTable& language);

// What the user is told after a store changed a frequency-mode frequency they did not type
// that way: `typed` is the form before StoreToImage, `stored` after it (a frequency off the
// chosen step is stored on the step). One line per frequency mode; empty when nothing moved.
std::vector<std::string> MovedFrequencyNotices(const SettingsForm& typed, const SettingsForm& stored,
                                               const LanguageTable& language);

// The message shown when the reading stopped at the channel count (not an integer, or one
// outside 1..128).
std::string ChannelCountRefusal(const LanguageTable& language);

}  // namespace radioprog
