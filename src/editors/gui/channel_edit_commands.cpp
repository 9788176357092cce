#include "editors/gui/channel_edit_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <cstring>
#include <string>

#include "editors/channel_clipboard.h"
#include "editors/channel_csv.h"
#include "editors/channel_rows.h"
#include "editors/edit_history.h"
#include "editors/gui/channel_edit_report.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/ms_flex_grid.h"
#include "model/file_read.h"
#include "shell/commands.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/text.h"
#include "shell/gui/ui_hooks.h"

namespace radioprog {

namespace {

constexpr int kOkRow = 116;
constexpr int kCancelRow = 117;

struct CommandKeys {
    int command;
    QList<QKeySequence> keys;
};

// The keys of the commands that act on the channel table (the CSV commands have none).
const std::vector<CommandKeys>& TableCommandKeys() {
    using namespace command;
    static const std::vector<CommandKeys> keys = {
        {kEditUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {kEditRedo, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {kEditCut, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {kEditCopy, {QKeySequence(Qt::CTRL | Qt::Key_C)}},
        {kEditPaste, {QKeySequence(Qt::CTRL | Qt::Key_V)}},
        {kDeleteChannels, {QKeySequence(Qt::Key_Delete)}},
        {kInsertChannel, {QKeySequence(Qt::Key_Insert)}},
        {kMoveChannelsUp, {QKeySequence(Qt::CTRL | Qt::Key_Up)}},
        {kMoveChannelsDown, {QKeySequence(Qt::CTRL | Qt::Key_Down)}},
    };
    return keys;
}

CChnMsgView* ChannelView(const CMainFrame& frame) {
    return qobject_cast<CChnMsgView*>(frame.editorView(EditorKind::Channels));
}

// The channel table, opened or brought to the front, with the cell being edited committed,
// so every command starts from what the grid shows.
CChnMsgView* OpenChannelView(CMainFrame& frame) {
    if (!frame.OpenChannelEditor()) return nullptr;
    CChnMsgView* view = ChannelView(frame);
    if (view) view->StoreToImage();
    return view;
}

// The channels a command acts on: the selected rows, else the current cell's channel.
std::vector<int> TargetChannels(const CChnMsgView& view) {
    std::vector<int> channels;
    for (int row : view.grid()->SelectedRows()) channels.push_back(row - 1);
    if (channels.empty()) channels.push_back(view.grid()->Row() - 1);
    return channels;
}

// Reloads the grid and shows the result of a command: the current cell moves to channel
// `current` (none when negative), the channels are selected.
void ShowChannels(CChnMsgView& view, const std::vector<int>& channels, int current) {
    view.LoadFromImage();
    if (current >= 0) view.grid()->SetRow(current + 1);
    std::vector<int> rows;
    for (int n : channels) rows.push_back(n + 1);
    view.grid()->SelectRows(rows);
}

std::vector<int> ChangedChannels(const RadioImage& before, const RadioImage& after) {
    std::vector<int> changed;
    for (int n = 0; n < kChannelCount; ++n)
        if (std::memcmp(before.channel(n), after.channel(n), 16) != 0 ||
            std::memcmp(before.channelName(n), after.channelName(n), 16) != 0)
            changed.push_back(n);
    return changed;
}

int ShowReport(CMainFrame& frame, const std::string& title, const std::string& summary, const QStringList& entries) {
    CChannelEditReportDlg dialog(Q(title), Q(summary), entries, Q(frame.language().row(kOkRow)), &frame);
    return RunModal(dialog);
}

bool ConfirmDropLastChannel(CMainFrame& frame) {
    const LanguageTable& language = frame.language();
    QMessageBox box(QMessageBox::Question, Q(language.row(0)), Q(language.row(lang_row::kConfirmDropLast)),
                    QMessageBox::Ok | QMessageBox::Cancel, &frame);
    for (auto [button, row] : {std::pair{QMessageBox::Ok, kOkRow}, {QMessageBox::Cancel, kCancelRow}})
        if (!language.row(row).empty()) box.button(button)->setText(Q(language.row(row)));
    box.setDefaultButton(QMessageBox::Cancel);
    return RunModal(box) == QMessageBox::Ok;
}

void UndoOrRedo(CMainFrame& frame, bool redo) {
    CChnMsgView* view = OpenChannelView(frame);
    const RadioImage before = frame.image();
    EditHistory& history = frame.editHistory();
    if (!(redo ? history.redo(frame.image()) : history.undo(frame.image()))) return;
    if (!view) return;
    // The channels the step changed are selected, so the user sees what came back.
    const std::vector<int> changed = ChangedChannels(before, frame.image());
    ShowChannels(*view, changed, changed.empty() ? -1 : changed.front());
}

void Copy(CMainFrame& frame) {
    CChnMsgView* view = OpenChannelView(frame);
    if (!view) return;
    QGuiApplication::clipboard()->setText(Q(CopyChannels(frame.image(), frame.language(), TargetChannels(*view))));
}

void Cut(CMainFrame& frame) {
    CChnMsgView* view = OpenChannelView(frame);
    if (!view) return;
    const std::vector<int> channels = TargetChannels(*view);
    std::string text;
    view->EditChannels([&](RadioImage& image) { text = CutChannels(image, frame.language(), channels); });
    QGuiApplication::clipboard()->setText(Q(text));
    ShowChannels(*view, channels, -1);
}

void Paste(CMainFrame& frame) {
    CChnMsgView* view = OpenChannelView(frame);
    if (!view) return;
    const LanguageTable& language = frame.language();
    const QString clipboard = QGuiApplication::clipboard()->text();
    // Each UTF-16 unit is at least one byte: a longer text is refused before converting it.
    if (static_cast<std::size_t>(clipboard.size()) > kMaxInputBytes) {
        Warn(&frame, Q(language.row(lang_row::kPasteTooLarge)));
        return;
    }
    const std::string text = S(clipboard);
    if (text.empty()) return;
    PasteTarget target;
    target.firstChannel = TargetChannels(*view).front();
    target.column = view->grid()->Col();
    target.headers = ChannelHeaders(LoadEveryLanguage(language));
    const int first = target.firstChannel;
    PasteReport report;
    view->EditChannels([&](RadioImage& image) { report = PasteChannels(image, language, target, text); });
    if (report.tooLarge) {
        Warn(&frame, Q(language.row(lang_row::kPasteTooLarge)));
        return;
    }
    std::vector<int> pasted;
    for (int n = report.firstChannel; n <= report.lastChannel; ++n) pasted.push_back(n);
    ShowChannels(*view, pasted, first);

    QStringList entries;
    for (const PasteProblem& problem : report.problems) entries << Q(PasteProblemText(problem, language));
    if (report.linesPastEnd > 0)
        entries << Q(language.row(lang_row::kPastePastEnd) + ": " + std::to_string(report.linesPastEnd));
    if (!entries.isEmpty()) ShowReport(frame, language.row(lang_row::kSkippedTitle), {}, entries);
}

void Delete(CMainFrame& frame) {
    CChnMsgView* view = OpenChannelView(frame);
    if (!view) return;
    const std::vector<int> channels = TargetChannels(*view);
    view->EditChannels([&](RadioImage& image) { DeleteChannels(image, channels); });
    ShowChannels(*view, channels, -1);
}

void Insert(CMainFrame& frame) {
    CChnMsgView* view = OpenChannelView(frame);
    if (!view) return;
    const int at = TargetChannels(*view).front();
    if (InsertDropsChannelInUse(frame.image()) && !ConfirmDropLastChannel(frame)) return;
    view->EditChannels([&](RadioImage& image) { InsertEmptyChannel(image, at); });
    ShowChannels(*view, {at}, at);
}

void Move(CMainFrame& frame, MoveDirection direction) {
    CChnMsgView* view = OpenChannelView(frame);
    if (!view) return;
    const std::vector<int> channels = TargetChannels(*view);
    std::vector<int> moved;
    view->EditChannels([&](RadioImage& image) { moved = MoveChannels(image, channels, direction); });
    if (moved.empty()) return;
    // The current cell travels with the channels when it is one of them.
    int current = view->grid()->Row() - 1;
    if (std::find(channels.begin(), channels.end(), current) != channels.end())
        current += direction == MoveDirection::Up ? -1 : 1;
    ShowChannels(*view, moved, current);
}

void ImportCsv(CMainFrame& frame) {
    const LanguageTable& language = frame.language();
    const QString path = ChooseCsvFile(&frame, false, frame.language());
    if (path.isEmpty()) return;
    std::string text, error;
    if (!ReadTextFile(S(path), text, error)) {
        Warn(&frame, Q(language.row(lang_row::kCannotRead) + "\n" + error));
        return;
    }
    CChnMsgView* view = OpenChannelView(frame);
    // Rows go where their Location says or, as the user chooses, in file order from the
    // current channel; a file without Location always goes from the current channel.
    CsvImportOptions options;
    const int current = view ? TargetChannels(*view).front() : 0;
    if (!CsvHasColumn(text, "Location")) {
        options.firstChannel = current;
    } else {
        QMessageBox box(QMessageBox::Question, Q(language.row(0)), Q(language.row(lang_row::kImportPlacement)),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &frame);
        box.button(QMessageBox::Yes)->setText(Q(language.row(lang_row::kByLocation)));
        box.button(QMessageBox::No)->setText(
            Q(language.row(lang_row::kFromChannel) + " " + std::to_string(current)));
        if (!language.row(kCancelRow).empty()) box.button(QMessageBox::Cancel)->setText(Q(language.row(kCancelRow)));
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = RunModal(box);
        if (answer == QMessageBox::Cancel || answer == QDialog::Rejected) return;
        if (answer == QMessageBox::No) options.firstChannel = current;
    }
    CsvImportReport report;
    frame.editHistory().apply(frame.image(), [&] { report = ImportChannelsCsv(frame.image(), text, options); });
    if (view) ShowChannels(*view, report.channels, report.channels.empty() ? -1 : report.channels.front());

    QStringList entries;
    for (const CsvProblem& problem : report.problems) entries << Q(CsvProblemText(problem, language));
    const std::string summary = language.row(lang_row::kChannelsImported) + " " + std::to_string(report.channels.size());
    const bool skipped = std::any_of(report.problems.begin(), report.problems.end(),
                                     [](const CsvProblem& problem) { return !problem.stored; });
    ShowReport(frame, skipped ? language.row(lang_row::kSkippedTitle) : language.row(0), summary, entries);
}

void ExportCsv(CMainFrame& frame) {
    const QString path = ChooseCsvFile(&frame, true, frame.language());
    if (path.isEmpty()) return;
    frame.FlushEditors();
    const FileResult written = WriteFileAtomically(S(path), ExportChannelsCsv(frame.image()));
    if (!written.ok) Warn(&frame, Q(frame.language().row(lang_row::kCannotWrite) + "\n" + written.error));
}

// Copy and export only read the image; everything else changes it.
bool ChangesImage(int commandId) { return commandId != command::kEditCopy && commandId != command::kExportCsv; }

}  // namespace

const std::vector<int>& ChannelEditCommands() {
    using namespace command;
    static const std::vector<int> commands = {kEditUndo,       kEditRedo,      kEditCut,        kEditCopy,
                                              kEditPaste,      kDeleteChannels, kInsertChannel, kMoveChannelsUp,
                                              kMoveChannelsDown, kImportCsv,    kExportCsv};
    return commands;
}

void SetUpChannelEditing(CMainFrame& frame) {
    for (const CommandKeys& entry : TableCommandKeys()) {
        QAction* action = frame.action(entry.command);
        action->setShortcuts(entry.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    QObject::connect(&frame, &CMainFrame::imageReplaced, &frame, [&frame] {
        frame.editHistory().clear();
        UpdateChannelEditStates(frame);
    });
    UpdateChannelEditStates(frame);
}

void AttachChannelEditing(CMainFrame& frame, EditorView& view) {
    auto* channels = qobject_cast<CChnMsgView*>(&view);
    if (!channels) return;
    QObject::connect(channels, &CChnMsgView::channelsEdited, &frame, [&frame](const RadioImage& before) {
        frame.editHistory().record(CaptureChannelArea(before), frame.image());
        UpdateChannelEditStates(frame);
    });
    // The shortcuts act while the focus is inside the table (see SetUpChannelEditing).
    for (const CommandKeys& entry : TableCommandKeys()) channels->addAction(frame.action(entry.command));
}

void RunChannelEditCommand(CMainFrame& frame, int commandId) {
    using namespace command;
    if (frame.transferRunning() && ChangesImage(commandId)) return;
    switch (commandId) {
    case kEditUndo: UndoOrRedo(frame, false); break;
    case kEditRedo: UndoOrRedo(frame, true); break;
    case kEditCut: Cut(frame); break;
    case kEditCopy: Copy(frame); break;
    case kEditPaste: Paste(frame); break;
    case kDeleteChannels: Delete(frame); break;
    case kInsertChannel: Insert(frame); break;
    case kMoveChannelsUp: Move(frame, MoveDirection::Up); break;
    case kMoveChannelsDown: Move(frame, MoveDirection::Down); break;
    case kImportCsv: ImportCsv(frame); break;
    case kExportCsv: ExportCsv(frame); break;
    default: break;
    }
    UpdateChannelEditStates(frame);
}

void UpdateChannelEditStates(CMainFrame& frame) {
    using namespace command;
    const bool idle = !frame.transferRunning();
    const EditHistory& history = frame.editHistory();
    for (int commandId : ChannelEditCommands()) {
        bool enabled = idle || !ChangesImage(commandId);
        if (commandId == kEditUndo) enabled = enabled && history.canUndo();
        if (commandId == kEditRedo) enabled = enabled && history.canRedo();
        if (QAction* action = frame.action(commandId)) action->setEnabled(enabled);
    }
}

}  // namespace radioprog
