// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's one interface to the core: a document (the open image, its history and its
// language table) and the functions the page calls to show and edit it. Everything here only
// converts between JavaScript values and the core's types; the rules are the core's.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "compare/image_diff.h"
#include "editors/batch_channels.h"
#include "editors/channel_clipboard.h"
#include "editors/channel_commit.h"
#include "editors/channel_csv.h"
#include "editors/channel_editors.h"
#include "editors/channel_navigation.h"
#include "editors/channel_rows.h"
#include "editors/channel_session.h"
#include "editors/dtmf_layout.h"
#include "editors/image_document.h"
#include "fleet/radio_outcome.h"
#include "model/dat_file.h"
#include "model/extra_rows.h"
#include "model/language_table.h"
#include "print/print_data.h"
#include "print/print_layout.h"
#include "print/settings_page.h"
#include "radio/channel_cells.h"
#include "radio/control_ids.h"
#include "radio/dtmf_form.h"
#include "radio/settings_form.h"
#include "radio/settings_layout.h"
#include "shell/command_table.h"
#include "shell/document_texts.h"
#include "shell/file_messages.h"
#include "shell/menu_captions.h"
#include "shell/transfer_messages.h"
#include "web/page_transfer.h"
#include "web/web_texts.h"

using emscripten::val;

namespace radioprog {
namespace {

val StringArray(const std::vector<std::string>& texts) {
    val array = val::array();
    for (const std::string& text : texts) array.call<void>("push", text);
    return array;
}

val IntArray(const std::vector<int>& numbers) {
    val array = val::array();
    for (int n : numbers) array.call<void>("push", n);
    return array;
}

std::vector<std::uint8_t> BytesOf(const val& bytes) {
    return emscripten::convertJSArrayToNumberVector<std::uint8_t>(bytes);
}

val ByteArray(std::span<const std::uint8_t> bytes) {
    val array = val::global("Uint8Array").new_(bytes.size());
    array.call<void>("set", val(emscripten::typed_memory_view(bytes.size(), bytes.data())));
    return array;
}

// The page's clock is performance.now(), in milliseconds.
LineTime PageTime(double ms) {
    return std::chrono::duration_cast<LineTime>(std::chrono::duration<double, std::milli>(ms));
}
double PageMs(LineTime time) {
    if (time == kNoDeadline) return std::numeric_limits<double>::infinity();
    return std::chrono::duration<double, std::milli>(time).count();
}

const char* RequestName(LineRequest::Kind kind) {
    switch (kind) {
    case LineRequest::Kind::Open: return "open";
    case LineRequest::Kind::Close: return "close";
    case LineRequest::Kind::Purge: return "purge";
    case LineRequest::Kind::Send: return "send";
    case LineRequest::Kind::Wait: return "wait";
    case LineRequest::Kind::BandCheck: return "bandCheck";
    case LineRequest::Kind::Finished: return "finished";
    }
    return "finished";
}

const char* KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::GroupBox: return "group";
    case ControlKind::Label: return "label";
    case ControlKind::List: return "list";
    case ControlKind::Edit: return "edit";
    case ControlKind::Check: return "check";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::Button: return "button";
    }
    return "label";
}

val ControlObject(const FormControl& control, const LanguageTable& language) {
    val object = val::object();
    object.set("id", control.id);
    object.set("kind", KindName(control.kind));
    object.set("x", control.rect.x);
    object.set("y", control.rect.y);
    object.set("width", control.rect.width);
    object.set("height", control.rect.height);
    object.set("caption",
               control.captionRow == kNoRow ? std::string() : PlainMenuText(language.row(control.captionRow)));
    object.set("hidden", control.hidden);
    object.set("side", control.side);
    object.set("maxChars", control.maxChars);
    object.set("readOnly", control.readOnly);
    object.set("disabled", control.disabled);
    if (control.kind == ControlKind::List)
        object.set("entries", StringArray(ResolveChoices(control.choices, language)));
    return object;
}

// The page's controls as the form's data exchange sees them: the values arrive as one object
// {id: value} and the values to show leave the same way.
class PageSettingsControls : public SettingsControls {
public:
    explicit PageSettingsControls(const val& values) {
        const val keys = val::global("Object").call<val>("keys", values);
        const int count = keys["length"].as<int>();
        for (int i = 0; i < count; ++i) {
            const std::string key = keys[i].as<std::string>();
            const val value = values[key];
            const int id = std::stoi(key);
            if (value.isString())
                texts_[id] = value.as<std::string>();
            else
                numbers_[id] = value.as<int>();
        }
    }
    PageSettingsControls() = default;

    int selection(int id) const override { return number(id); }
    int check(int id) const override { return number(id) > 0 ? 1 : 0; }
    std::string text(int id) const override {
        auto found = texts_.find(id);
        return found == texts_.end() ? std::string() : found->second;
    }
    int radioIndex(int firstId) const override { return number(firstId); }
    void showSelection(int id, int index) override { numbers_[id] = index; }
    void showCheck(int id, int state) override { numbers_[id] = state; }
    void showText(int id, const std::string& text) override { texts_[id] = text; }
    void showRadioIndex(int firstId, int index) override { numbers_[firstId] = index; }

    val values() const {
        val object = val::object();
        for (const auto& [id, value] : numbers_) object.set(std::to_string(id), value);
        for (const auto& [id, text] : texts_) object.set(std::to_string(id), text);
        return object;
    }

private:
    int number(int id) const {
        auto found = numbers_.find(id);
        return found == numbers_.end() ? -1 : found->second;
    }
    std::map<int, int> numbers_;
    std::map<int, std::string> texts_;
};

}  // namespace

// One open document with the language it is shown in.
class WebDocument {
public:
    WebDocument() { document_.startNew(); }

    // Language file text and the column to use; returns the language names it holds.
    val loadLanguage(const std::string& csvText, int index) {
        LanguageTable table;
        table.index = index;
        std::istringstream in(csvText);
        if (!LoadLanguageStream(in, table)) return val::array();
        language_ = table;
        languageFile_ = csvText;
        session_.languageChanged();
        std::vector<std::string> names;
        for (int i = 0; i < language_.nameCount(); ++i) names.push_back(language_.names[static_cast<std::size_t>(i)]);
        return StringArray(names);
    }
    int defaultLanguage() const { return DefaultLanguageIndex(); }
    std::string text(int row) const { return language_.row(row); }
    // A menu command's caption without its accelerator marks.
    std::string commandCaption(int command) const {
        const MenuEntry* entry = FindCommand(static_cast<Command>(command));
        return entry ? PlainMenuText(CaptionText(*entry, language_)) : std::string();
    }
    val pageTexts() const {
        val object = val::object();
        for (const WebText& text : WebTexts()) object.set(text.key, PlainMenuText(language_.row(text.row)));
        return object;
    }

    // The names of the page's commands that a running transfer disables (the command table's).
    val transferBlockedCommands() const {
        std::vector<std::string> names;
        for (const PageCommand& command : PageCommands())
            if (const MenuEntry* entry = FindCommand(command.command); entry && entry->blockedByTransfer)
                names.push_back(command.name);
        return StringArray(names);
    }

    // The document.
    void startNew() { document_.startNew(); }
    // Opens the bytes of a .dat file; empty on success, else the message to show.
    std::string openDat(const val& bytes, const std::string& name, bool modified) {
        const std::vector<std::uint8_t> content = BytesOf(bytes);
        RadioImage image = document_.image();
        const FileResult result = DecodeDatFile(content, name, image);
        if (!result.ok) return DatOpenFailure(name, result, language_);
        document_.replace(image, modified ? std::string() : name, modified);
        if (modified) recoveredName_ = name;
        return {};
    }
    val datBytes() const { return ByteArray(DatFileBytes(document_.image())); }
    std::string saveName(const std::string& chosen) const { return DatSaveName(chosen); }
    void markSaved(const std::string& name) { document_.markSaved(name); }
    bool modified() const { return document_.modified(); }
    std::string path() const { return document_.path(); }
    std::string title() const {
        std::string title = DocumentWindowTitle(document_.path(), language_);
        const std::size_t mark = title.find("[*]");
        if (mark != std::string::npos) title.replace(mark, 3, document_.modified() ? "*" : "");
        return title;
    }
    std::string saveChangesQuestion() const { return SaveChangesQuestion(document_.path(), language_); }

    // The channel table.
    val headers() const {
        std::vector<std::string> texts;
        for (int row : ChannelHeaderRows()) texts.push_back(language_.row(row));
        return StringArray(texts);
    }
    val row(int n) const {
        const ChannelRow cells = ChannelToRow(document_.image(), language_, n);
        return StringArray(std::vector<std::string>(cells.begin(), cells.end()));
    }
    // The entries of a column's list editor.
    val editorChoices(int column) const { return StringArray(session_.choices(column)); }

    // The channel table's editing session: the page forwards every key, click and loss of
    // focus of the grid and its cell editor, and draws the answers. Cells are grid cells
    // (channel n is row n + 1); editText is what an open edit field holds.
    val sessionMoveTo(int row, int column, const std::string& editText) {
        return AnswerObject(session_.moveTo({row, column}, editText));
    }
    val sessionOpenByClick(int row, int column) { return AnswerObject(session_.openByClick({row, column})); }
    val sessionType(int character) { return AnswerObject(session_.typeCharacter(static_cast<char32_t>(character))); }
    val sessionEditCharacter(int character, int textLength, bool hasSelection) {
        return AnswerObject(session_.editCharacter(static_cast<char32_t>(character),
                                                   static_cast<std::size_t>(textLength), hasSelection));
    }
    bool sessionEditTextAccepts(const std::string& text) const { return session_.editTextAccepts(text); }
    val sessionChoose(int index) { return AnswerObject(session_.chooseEntry(index)); }
    // name: Enter, Tab, Backtab, Escape, Up, Down, F2, Delete or Backspace.
    val sessionKey(const std::string& name, const std::string& editText) {
        static const std::map<std::string, SessionKey> kKeys = {
            {"Enter", SessionKey::Enter},   {"Tab", SessionKey::Tab},       {"Backtab", SessionKey::Backtab},
            {"Escape", SessionKey::Escape}, {"Up", SessionKey::Up},         {"Down", SessionKey::Down},
            {"F2", SessionKey::F2},         {"Delete", SessionKey::Delete}, {"Backspace", SessionKey::Backspace},
        };
        const auto found = kKeys.find(name);
        if (found == kKeys.end()) return AnswerObject({});
        return AnswerObject(session_.key(found->second, editText));
    }
    val sessionCommit(const std::string& editText) { return AnswerObject(session_.commit(editText)); }
    val sessionCancel() { return AnswerObject(session_.cancel()); }
    bool sessionEditing() const { return session_.editor().has_value(); }

    // The image the bytes of a .dat file give with one cell set as a paste of text sets it
    // (empty text: the cell cleared as Del clears it): what the page's tests expect a typed
    // cell to store.
    val datWithCell(const val& bytes, int n, int column, const std::string& text) const {
        RadioImage image;
        image.ApplyDefaults();
        if (!DecodeDatFile(BytesOf(bytes), "", image).ok) return val::null();
        if (text.empty()) {
            ChannelRow cells = ChannelToRow(image, language_, n);
            ClearCell(image, language_, n, column, cells);
        } else {
            PasteTarget target;
            target.firstChannel = n;
            target.column = column;
            PasteChannels(image, language_, target, text);
        }
        return ByteArray(DatFileBytes(image));
    }
    // The table's commands on whole channels, through the editing session: each answers as
    // the session's other calls do, with `selected` the channels to show selected.
    val deleteChannels(const val& channels) {
        return AnswerObject(session_.deleteChannels(emscripten::vecFromJSArray<int>(channels)));
    }
    bool insertDropsChannel() const { return InsertDropsChannelInUse(document_.image()); }
    val insertChannel(int n) { return AnswerObject(session_.insertChannel(n)); }
    // `selected`: the moved set's new numbers (empty: nothing moved).
    val sessionCommitToChannels(const val& channels, const std::string& editText) {
        return AnswerObject(session_.commitToChannels(emscripten::vecFromJSArray<int>(channels), editText));
    }
    // key: 0 receive frequency, 1 name, 2 band (ChannelSortKey's order).
    val sortChannels(const val& channels, int key) {
        if (key < 0 || key > 2) return val::null();
        return AnswerObject(
            session_.sortChannels(emscripten::vecFromJSArray<int>(channels), static_cast<ChannelSortKey>(key)));
    }
    val moveChannels(const val& channels, bool up) {
        return AnswerObject(session_.moveChannels(emscripten::vecFromJSArray<int>(channels), up));
    }
    val undo() { return IntArray(document_.undo()); }
    val redo() { return IntArray(document_.redo()); }
    bool canUndo() const { return document_.history().canUndo(); }
    bool canRedo() const { return document_.history().canRedo(); }

    // Clipboard as tab-separated text.
    std::string copyChannels(const val& channels) const {
        return CopyChannels(document_.image(), language_, emscripten::vecFromJSArray<int>(channels));
    }
    // The answer with `text`, the channels as the clipboard takes them.
    val cutChannels(const val& channels) {
        std::string text;
        val answer = AnswerObject(session_.cutChannels(emscripten::vecFromJSArray<int>(channels), text));
        answer.set("text", text);
        return answer;
    }
    // Pastes at a channel and column; the answer with `lines`, the report (empty: all stored).
    val paste(int firstChannel, int column, const std::string& text) {
        PasteTarget target;
        target.firstChannel = firstChannel;
        target.column = column;
        target.headers = ChannelHeaders(everyLanguage());
        PasteReport report;
        val answer = AnswerObject(session_.paste(target, text, report));
        std::vector<std::string> lines;
        for (const PasteProblem& problem : report.problems) lines.push_back(PasteProblemText(problem, language_));
        answer.set("lines", StringArray(lines));
        return answer;
    }

    // CSV files.
    std::string exportCsv() const { return ExportChannelsCsv(document_.image()); }
    bool csvHasLocation(const std::string& text) const { return CsvHasColumn(text, "Location"); }
    // Imports CSV text; firstChannel < 0 places rows by their Location. Returns
    // {stored, lines}: the number of channels written and the report's lines.
    val importCsv(const std::string& text, int firstChannel) {
        CsvImportOptions options;
        if (firstChannel >= 0) options.firstChannel = firstChannel;
        CsvImportReport report;
        document_.editChannels([&](RadioImage& image) { report = ImportChannelsCsv(image, text, options); });
        std::vector<std::string> lines;
        if (!report.headerOk) lines.push_back(CsvReasonText(CsvReason::NoFrequencyColumn, language_));
        for (const CsvProblem& problem : report.problems) lines.push_back(CsvProblemText(problem, language_));
        val result = val::object();
        result.set("stored", static_cast<int>(report.channels.size()));
        result.set("lines", StringArray(lines));
        return result;
    }

    // Comparison with the bytes of another .dat file: the differences in words, or a message.
    val compareWith(const val& bytes, const std::string& name) const {
        RadioImage other;
        other.ApplyDefaults();
        const FileResult result = DecodeDatFile(BytesOf(bytes), name, other);
        val answer = val::object();
        if (!result.ok) {
            answer.set("error", DatOpenFailure(name, result, language_));
            return answer;
        }
        std::vector<std::string> lines;
        for (const ImageDifference& difference : CompareImages(document_.image(), other, language_))
            lines.push_back(DifferenceText(difference, language_));
        answer.set("lines", StringArray(lines));
        return answer;
    }

    // Batch fill: the dialog's lists and first values, and applying a filled-in dialog.
    val batchDialog() const {
        const BatchSettings settings = InitialBatchSettings(language_);
        const BatchChoices choices = MakeBatchChoices(language_);
        val object = val::object();
        object.set("rxStart", settings.rxStart);
        object.set("txStart", settings.txStart);
        object.set("rxTone", settings.rxTone);
        object.set("txTone", settings.txTone);
        object.set("power", settings.power);
        object.set("bandwidth", settings.bandwidth);
        object.set("busyLockout", settings.busyLockout);
        object.set("pttId", settings.pttId);
        object.set("step", settings.step);
        object.set("tones", StringArray(choices.tones));
        object.set("powers", StringArray(choices.power));
        object.set("bandwidths", StringArray(choices.bandwidth));
        object.set("busyLockouts", StringArray(choices.busyLockout));
        object.set("pttIds", StringArray(choices.pttId));
        object.set("steps", StringArray(choices.steps));
        return object;
    }
    // first and last are table numbers (0..127); -1 for all channels. Returns the changed channels.
    val applyBatch(const val& values, int first, int last, bool subtract, bool bit14) {
        BatchSettings settings = InitialBatchSettings(language_);
        settings.rxStart = values["rxStart"].as<std::string>();
        settings.txStart = values["txStart"].as<std::string>();
        settings.rxTone = values["rxTone"].as<std::string>();
        settings.txTone = values["txTone"].as<std::string>();
        settings.power = values["power"].as<std::string>();
        settings.bandwidth = values["bandwidth"].as<std::string>();
        settings.busyLockout = values["busyLockout"].as<std::string>();
        settings.pttId = values["pttId"].as<std::string>();
        settings.step = values["step"].as<std::string>();
        settings.bit14 = bit14;
        settings.direction = subtract ? BatchDirection::Subtract : BatchDirection::Add;
        if (first >= 0) {
            // Numbered as the table numbers them, 0..127.
            settings.scope = BatchScope::Range;
            settings.firstChannel = static_cast<unsigned>(first);
            settings.lastChannel = static_cast<unsigned>(std::max(last, 0));
        }
        // {changed: the channels filled, error: why nothing was filled, or null}
        val answer = val::object();
        answer.set("error", val::null());
        if (!BatchRangeAccepted(settings)) {
            answer.set("error", BatchRangeRefusal(language_));
        } else if (const std::optional<unsigned> out = BatchLeavesRange(settings)) {
            answer.set("error", BatchLeavesRangeRefusal(*out, language_));
        }
        answer.set(
            "changed",
            IntArray(document_.editChannels([&](RadioImage& image) { ApplyBatch(image, language_, settings); })));
        return answer;
    }

    // The optional-functions form: its controls, the values the image gives them, and storing.
    val settingsControls() const {
        val array = val::array();
        for (const FormControl& control : SettingsFormControls()) {
            val object = ControlObject(control, language_);
            // What a change of the control asks of the form: a new band, a typed frequency.
            for (int side = 0; side < 2; ++side) {
                if (control.id == settings_control::kBand[side]) object.set("onChange", "band");
                if (control.id == settings_control::kFrequency[side]) object.set("onChange", "frequency");
            }
            array.call<void>("push", object);
        }
        return array;
    }
    val settingsSize() const {
        val size = val::object();
        size.set("width", kSettingsFormWidth);
        size.set("height", kSettingsFormHeight);
        return size;
    }
    val loadSettings() {
        LoadFromImage(settings_, document_.image(), language_);
        settingsLoaded_ = settings_;
        PageSettingsControls shown;
        ShowSettingsForm(settings_, shown);
        return shown.values();
    }
    // Stores the page's values; returns {values} as the form now shows them, or {error}.
    val storeSettings(const val& values) {
        PageSettingsControls controls(values);
        val answer = val::object();
        if (ReadSettingsForm(settings_, controls) == ReadResult::StoppedAtChannelCount) {
            answer.set("error", ChannelCountRefusal(language_));
            return answer;
        }
        const SettingsForm typed = settings_;
        // Only what the user changed is stored, as on the desktop.
        document_.editSettings(
            [&](RadioImage& image) { StoreSettingsChanges(settingsLoaded_, settings_, image, language_); });
        settingsLoaded_ = settings_;
        answer.set("notices", StringArray(MovedFrequencyNotices(typed, settings_, language_)));
        PageSettingsControls shown;
        ShowSettingsForm(settings_, shown);
        answer.set("values", shown.values());
        return answer;
    }
    val bandChanged(const val& values, int side) {
        PageSettingsControls controls(values);
        ReadSettingsForm(settings_, controls);
        ApplyBandChange(settings_, side);
        PageSettingsControls shown;
        ShowSettingsForm(settings_, shown);
        return shown.values();
    }
    // A typed frequency: the values to show (the previous text back when refused).
    val frequencyTyped(const val& values, int side) {
        PageSettingsControls controls(values);
        FilterFrequencyEdit(settings_, side, controls);
        PageSettingsControls shown;
        ShowSettingsForm(settings_, shown);
        return shown.values();
    }

    // The DTMF form.
    val dtmfControls() const {
        val array = val::array();
        for (const FormControl& control : DtmfLayout()) array.call<void>("push", ControlObject(control, language_));
        // The code table's read-only numbers become the names of their codes.
        for (int k = 0; k < kDtmfGroupCount; ++k) {
            val code = ControlObject(DtmfCodeTable()[static_cast<std::size_t>(k)].code, language_);
            code.set("caption", language_.row(lang_row::kDtmfGroup) + " " + std::to_string(k + 1));
            array.call<void>("push", code);
        }
        return array;
    }
    val dtmfSize() const {
        val size = val::object();
        size.set("width", kDtmfFormWidth);
        size.set("height", kDtmfFormHeight);
        return size;
    }
    val loadDtmf() {
        OpenDtmfForm(dtmfLoaded_);
        LoadFromImage(dtmfLoaded_, document_.image());
        return DtmfValues(dtmfLoaded_);
    }
    // A typed code as the field shows it (capitals), or null when the field refuses it.
    val dtmfTyped(const std::string& text) const {
        return DtmfInputAccepted(text) ? val(DtmfShownCode(text)) : val::null();
    }
    val storeDtmf(const val& values) {
        DtmfForm form = dtmfLoaded_;
        form.localId = values[std::to_string(dtmf_control::kLocalId)].as<std::string>();
        for (int k = 0; k < kDtmfGroupCount; ++k)
            form.codes[static_cast<std::size_t>(k)] =
                values[std::to_string(DtmfCodeTable()[static_cast<std::size_t>(k)].code.id)].as<std::string>();
        form.duration = values[std::to_string(dtmf_control::kDuration)].as<int>();
        form.pause = values[std::to_string(dtmf_control::kPause)].as<int>();
        form.pttPress = values[std::to_string(dtmf_control::kPttPress)].as<int>();
        form.pttRelease = values[std::to_string(dtmf_control::kPttRelease)].as<int>();
        // Only what the user changed is stored, as on the desktop.
        document_.editSettings([&](RadioImage& image) { StoreDtmfChanges(dtmfLoaded_, form, image); });
        return loadDtmf();
    }

    // Transfers over the serial port the user picked. The page answers each request of the
    // engine (transferRequest) with what its port did, and shows the progress and the end.
    bool transferRunning() const { return transfer_.running(); }
    // Before a write: the question about records whose address bytes are not the radio's
    // layout, line by line (empty: nothing to ask).
    val addressQuestion() const {
        const std::vector<ImageDifference> wrong = AddressMismatches(document_.image(), language_);
        if (wrong.empty()) return val::array();
        std::vector<std::string> lines{language_.row(lang_row::kMisaddressed)};
        for (const ImageDifference& difference : wrong) lines.push_back(DifferenceText(difference, language_));
        lines.push_back(language_.row(lang_row::kMisaddressedRisk));
        if (!addressesKeepable()) lines.push_back(language_.row(lang_row::kUnsafeAddresses));
        return StringArray(lines);
    }
    // Whether the records may be written as they are: not when one would land over the band
    // limits or outside the radio's memory.
    bool addressesKeepable() const { return UnsafeRecords(document_.image()).empty(); }
    void repairAddresses() { document_.editSettings(RepairRecordAddresses); }
    void startTransfer(bool write, bool verify, double nowMs) {
        if (transfer_.running()) return;
        transfer_.start(write ? TransferMode::Write : TransferMode::Read, verify, document_.image(), language_,
                        PageTime(nowMs));
    }
    // {kind, bytes (send), until (wait, in the page's milliseconds)}
    val transferRequest() const {
        const LineRequest& request = transfer_.request();
        val object = val::object();
        object.set("kind", RequestName(request.kind));
        if (request.kind == LineRequest::Kind::Send) object.set("bytes", ByteArray(request.bytes));
        if (request.kind == LineRequest::Kind::Wait) object.set("until", PageMs(request.until));
        return object;
    }
    // device: how the page names the port; reason empty when it opened.
    void transferOpened(double nowMs, const std::string& device, const std::string& reason, bool busy) {
        std::optional<PortOpenFailure> failure;
        if (!reason.empty()) failure = PortOpenFailure{busy, reason};
        transfer_.opened(PageTime(nowMs), device, failure);
    }
    void transferSent(double nowMs, int count) { transfer_.sent(PageTime(nowMs), static_cast<std::size_t>(count)); }
    void transferReceived(double nowMs, const val& bytes) {
        const std::vector<std::uint8_t> received = BytesOf(bytes);
        transfer_.received(PageTime(nowMs), received);
    }
    void transferDone(double nowMs) { transfer_.done(PageTime(nowMs)); }
    void cancelTransfer() { transfer_.cancel(); }
    int transferProgress() const { return transfer_.progressValue(); }
    // After the request "finished": the read's image becomes the document (a failed or
    // cancelled read changes nothing), and the texts to show:
    // {read, done, refusal: {message, detail} | null, message, detail, differences: [lines], advice}
    val finishTransfer() {
        if (!transfer_.running()) return val::null();
        const bool read = transfer_.mode() == TransferMode::Read;
        const TransferOutcome outcome = transfer_.finish();
        val answer = val::object();
        answer.set("read", read);
        answer.set("done", outcome.result == TransferResult::ReadDone || outcome.result == TransferResult::WriteDone);
        if (outcome.result == TransferResult::ReadDone && transfer_.readImage())
            document_.replace(*transfer_.readImage(), std::string(), true);  // no file holds it yet
        if (transfer_.bandLimitImage()) document_.takeBandLimits(*transfer_.bandLimitImage());
        val refusal = val::null();
        if (transfer_.bandCheck() && !transfer_.bandCheck()->accepted) {
            refusal = val::object();
            refusal.set("message", transfer_.bandCheck()->message);
            refusal.set("detail", BandRefusalDetail(*transfer_.bandCheck(), language_));
        }
        answer.set("refusal", refusal);
        std::string detail = TransferResultDetail(outcome, language_);
        // Where a transfer failed ("Write failed at CH 40").
        if (outcome.failedAddress && !outcome.cancelled)
            detail = OutcomeText(RadioOutcome{0, outcome, {}, false, false, {}}, language_) + "\n" + detail;
        answer.set("message", TransferResultMessage(outcome, language_));
        answer.set("detail", detail);
        std::vector<std::string> differences;
        for (const ImageDifference& difference : VerifyDifferences(transfer_.sentImage(), outcome, language_))
            differences.push_back(DifferenceText(difference, language_));
        answer.set("differences", StringArray(differences));
        answer.set("differencesTitle", language_.row(lang_row::kVerifyDiffers));
        answer.set("advice", PermissionAdvice(outcome, language_));
        return answer;
    }

    // The printout's channel rows.
    val printRows() const {
        const PrintData data = PrintDataFromImage(document_.image(), language_);
        val rows = val::array();
        for (const ChannelRow& cells : data.channels)
            rows.call<void>("push", StringArray(std::vector<std::string>(cells.begin(), cells.end())));
        return rows;
    }
    // The right part of a printed page's header ("Page 1 of 3").
    std::string pageNumberText(int page) const { return PageNumberText(page, language_); }
    // The settings page as the desktop prints it: its blocks (general, frequency modes A and B)
    // in order, each [{title, lines: [{label, value}]}] with the printed texts.
    val settingsPage() const {
        const PrintData data = PrintDataFromImage(document_.image(), language_);
        const std::vector<SettingsPageLine> lines = SettingsPageLines(data);
        val blocks = val::array();
        for (SettingsBlock block : {SettingsBlock::General, SettingsBlock::SideA, SettingsBlock::SideB}) {
            val blockLines = val::array();
            for (const SettingsPageLine& line : lines) {
                if (line.block != block) continue;
                val object = val::object();
                object.set("label", line.label);
                object.set("value", line.value);
                blockLines.call<void>("push", object);
            }
            val object = val::object();
            object.set("title", SettingsBlockTitle(block, language_));
            object.set("lines", blockLines);
            blocks.call<void>("push", object);
        }
        return blocks;
    }

private:
    val DtmfValues(const DtmfForm& form) const {
        val object = val::object();
        object.set(std::to_string(dtmf_control::kLocalId), form.localId);
        for (int k = 0; k < kDtmfTableRows; ++k) {
            const DtmfTableRow& row = DtmfCodeTable()[static_cast<std::size_t>(k)];
            object.set(std::to_string(row.number.id), form.groupNumbers[static_cast<std::size_t>(k)]);
            if (k < kDtmfGroupCount) object.set(std::to_string(row.code.id), form.codes[static_cast<std::size_t>(k)]);
        }
        object.set(std::to_string(dtmf_control::kDuration), form.duration);
        object.set(std::to_string(dtmf_control::kPause), form.pause);
        object.set(std::to_string(dtmf_control::kPttPress), form.pttPress);
        object.set(std::to_string(dtmf_control::kPttRelease), form.pttRelease);
        object.set(std::to_string(dtmf_control::kGroupCall), form.groupCall);
        return object;
    }

    // The table in use and one for every other column of the language file.
    std::vector<LanguageTable> everyLanguage() const {
        std::vector<LanguageTable> tables{language_};
        for (int i = 0; i < language_.nameCount(); ++i) {
            if (i == language_.index) continue;
            LanguageTable table;
            table.index = i;
            std::istringstream in(languageFile_);
            if (LoadLanguageStream(in, table)) tables.push_back(table);
        }
        return tables;
    }

    // An answer of the session with the state the page draws: the current cell and the open
    // editor (null when none).
    val AnswerObject(const SessionAnswer& answer) const {
        const auto cellObject = [](GridCell cell) {
            val object = val::object();
            object.set("row", cell.row);
            object.set("column", cell.column);
            return object;
        };
        val object = val::object();
        object.set("handled", answer.handled);
        object.set("cell", cellObject(answer.cell));
        object.set("changed", IntArray(answer.changed));
        object.set("selected", IntArray(answer.selected));
        object.set("moved", answer.moved);
        object.set("opened", answer.opened);
        object.set("closed", answer.closed);
        object.set("editorChanged", answer.editorChanged);
        object.set("refused", answer.refused);
        object.set("notice", answer.notice ? val(*answer.notice) : val::null());
        object.set("announcement", answer.announcement);
        object.set("current", cellObject(session_.current()));
        val editor = val::null();
        if (const auto& open = session_.editor()) {
            editor = cellObject(open->cell);
            editor.set("kind", IsListEditor(open->editor) ? "list" : "edit");
            editor.set("text", open->text);
            editor.set("choice", open->choice);
            editor.set("selectAll", open->selectAll);
            editor.set("name", open->name);
        }
        object.set("editor", editor);
        return object;
    }

    ImageDocument document_;
    LanguageTable language_;
    std::string languageFile_;
    std::string recoveredName_;
    SettingsForm settings_;
    SettingsForm settingsLoaded_;  // the form as the image gave it, for storing only the changes
    DtmfForm dtmfLoaded_;
    PageTransfer transfer_;
    ChannelTableSession session_{document_, language_};
};

}  // namespace radioprog

EMSCRIPTEN_BINDINGS(radiocore) {
    using radioprog::WebDocument;
    emscripten::class_<WebDocument>("WebDocument")
        .constructor<>()
        .function("loadLanguage", &WebDocument::loadLanguage)
        .function("defaultLanguage", &WebDocument::defaultLanguage)
        .function("text", &WebDocument::text)
        .function("commandCaption", &WebDocument::commandCaption)
        .function("pageTexts", &WebDocument::pageTexts)
        .function("transferBlockedCommands", &WebDocument::transferBlockedCommands)
        .function("startNew", &WebDocument::startNew)
        .function("openDat", &WebDocument::openDat)
        .function("datBytes", &WebDocument::datBytes)
        .function("saveName", &WebDocument::saveName)
        .function("markSaved", &WebDocument::markSaved)
        .function("modified", &WebDocument::modified)
        .function("path", &WebDocument::path)
        .function("title", &WebDocument::title)
        .function("saveChangesQuestion", &WebDocument::saveChangesQuestion)
        .function("headers", &WebDocument::headers)
        .function("row", &WebDocument::row)
        .function("editorChoices", &WebDocument::editorChoices)
        .function("sessionMoveTo", &WebDocument::sessionMoveTo)
        .function("sessionOpenByClick", &WebDocument::sessionOpenByClick)
        .function("sessionType", &WebDocument::sessionType)
        .function("sessionEditCharacter", &WebDocument::sessionEditCharacter)
        .function("sessionEditTextAccepts", &WebDocument::sessionEditTextAccepts)
        .function("sessionChoose", &WebDocument::sessionChoose)
        .function("sessionKey", &WebDocument::sessionKey)
        .function("sessionCommit", &WebDocument::sessionCommit)
        .function("sessionCancel", &WebDocument::sessionCancel)
        .function("sessionEditing", &WebDocument::sessionEditing)
        .function("datWithCell", &WebDocument::datWithCell)
        .function("deleteChannels", &WebDocument::deleteChannels)
        .function("insertDropsChannel", &WebDocument::insertDropsChannel)
        .function("insertChannel", &WebDocument::insertChannel)
        .function("moveChannels", &WebDocument::moveChannels)
        .function("sortChannels", &WebDocument::sortChannels)
        .function("sessionCommitToChannels", &WebDocument::sessionCommitToChannels)
        .function("undo", &WebDocument::undo)
        .function("redo", &WebDocument::redo)
        .function("canUndo", &WebDocument::canUndo)
        .function("canRedo", &WebDocument::canRedo)
        .function("copyChannels", &WebDocument::copyChannels)
        .function("cutChannels", &WebDocument::cutChannels)
        .function("paste", &WebDocument::paste)
        .function("exportCsv", &WebDocument::exportCsv)
        .function("csvHasLocation", &WebDocument::csvHasLocation)
        .function("importCsv", &WebDocument::importCsv)
        .function("compareWith", &WebDocument::compareWith)
        .function("batchDialog", &WebDocument::batchDialog)
        .function("applyBatch", &WebDocument::applyBatch)
        .function("settingsControls", &WebDocument::settingsControls)
        .function("settingsSize", &WebDocument::settingsSize)
        .function("loadSettings", &WebDocument::loadSettings)
        .function("storeSettings", &WebDocument::storeSettings)
        .function("bandChanged", &WebDocument::bandChanged)
        .function("frequencyTyped", &WebDocument::frequencyTyped)
        .function("dtmfControls", &WebDocument::dtmfControls)
        .function("dtmfSize", &WebDocument::dtmfSize)
        .function("loadDtmf", &WebDocument::loadDtmf)
        .function("dtmfTyped", &WebDocument::dtmfTyped)
        .function("storeDtmf", &WebDocument::storeDtmf)
        .function("printRows", &WebDocument::printRows)
        .function("pageNumberText", &WebDocument::pageNumberText)
        .function("settingsPage", &WebDocument::settingsPage)
        .function("transferRunning", &WebDocument::transferRunning)
        .function("addressQuestion", &WebDocument::addressQuestion)
        .function("addressesKeepable", &WebDocument::addressesKeepable)
        .function("repairAddresses", &WebDocument::repairAddresses)
        .function("startTransfer", &WebDocument::startTransfer)
        .function("transferRequest", &WebDocument::transferRequest)
        .function("transferOpened", &WebDocument::transferOpened)
        .function("transferSent", &WebDocument::transferSent)
        .function("transferReceived", &WebDocument::transferReceived)
        .function("transferDone", &WebDocument::transferDone)
        .function("cancelTransfer", &WebDocument::cancelTransfer)
        .function("transferProgress", &WebDocument::transferProgress)
        .function("finishTransfer", &WebDocument::finishTransfer);
}
