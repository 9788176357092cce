// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/channel_edit_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "editors/channel_clipboard.h"
#include "editors/channel_commit.h"
#include "editors/channel_csv.h"
#include "editors/channel_rows.h"
#include "editors/edit_history.h"
#include "editors/gui/channel_edit_report.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/document.h"
#include "editors/gui/ms_flex_grid.h"
#include "model/file_read.h"
#include "radio/channel_cells.h"
#include "shell/file_messages.h"
#include "ui/editor_host.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace {

CChnMsgView* ChannelView(const EditorHost& host) {
    return qobject_cast<CChnMsgView*>(host.editorView(EditorKind::Channels));
}

// The channel table, opened or brought to the front, with the cell being edited committed,
// so every command starts from what the grid shows.
CChnMsgView* OpenChannelView(EditorHost& host) {
    if (!host.openEditor(EditorKind::Channels)) return nullptr;
    CChnMsgView* view = ChannelView(host);
    if (view) view->StoreToImage();
    return view;
}

// The channels a command acts on: the selected rows, else the current cell's channel.
std::vector<int> TargetChannels(const CChnMsgView& view) {
    std::vector<int> channels;
    for (int row : view.grid()->selectedRows()) channels.push_back(row - 1);
    if (channels.empty()) channels.push_back(view.grid()->Row() - 1);
    return channels;
}

// Reloads the grid and shows the result of a command: the current cell moves to channel
// `current` (none when negative), the channels are selected.
template <typename Channels>
void ShowChannels(CChnMsgView& view, const Channels& channels, int current) {
    if (current >= 0) view.grid()->SetRow(current + 1);
    std::vector<int> rows;
    for (int n : channels) rows.push_back(n + 1);
    view.grid()->selectRows(rows);
}

int ShowReport(EditorHost& host, const std::string& title, const std::string& summary, const QStringList& entries) {
    CChannelEditReportDlg dialog(Q(title), Q(summary), entries, Q(host.language().row(lang_row::kOk)),
                                 host.hostWindow());
    return RunModal(dialog);
}

bool ConfirmDropLastChannel(EditorHost& host) {
    const LanguageTable& language = host.language();
    QMessageBox box(QMessageBox::Question, Q(language.row(lang_row::kTitle)),
                    Q(language.row(lang_row::kConfirmDropLast)), QMessageBox::Ok | QMessageBox::Cancel,
                    host.hostWindow());
    for (auto [button, row] : {std::pair{QMessageBox::Ok, lang_row::kOk}, {QMessageBox::Cancel, lang_row::kCancel}})
        if (!language.row(row).empty()) box.button(button)->setText(Q(language.row(row)));
    box.setDefaultButton(QMessageBox::Cancel);
    return RunModal(box) == QMessageBox::Ok;
}

void UndoOrRedo(EditorHost& host, bool redo) {
    CChnMsgView* view = OpenChannelView(host);
    const QList<int> changed = redo ? host.document().redo() : host.document().undo();
    if (changed.isEmpty() || !view) return;
    // The channels the step changed are selected, so the user sees what came back.
    ShowChannels(*view, changed, changed.front());
}

void Copy(EditorHost& host) {
    CChnMsgView* view = OpenChannelView(host);
    if (!view) return;
    QGuiApplication::clipboard()->setText(
        Q(CopyChannels(host.document().image(), host.language(), TargetChannels(*view))));
}

void Cut(EditorHost& host) {
    CChnMsgView* view = OpenChannelView(host);
    if (!view) return;
    const std::vector<int> channels = TargetChannels(*view);
    std::string text;
    view->runCommand([&](ChannelTableSession& session) { return session.cutChannels(channels, text); });
    QGuiApplication::clipboard()->setText(Q(text));
}

void Paste(EditorHost& host) {
    CChnMsgView* view = OpenChannelView(host);
    if (!view) return;
    const LanguageTable& language = host.language();
    const QString clipboard = QGuiApplication::clipboard()->text();
    // Each UTF-16 unit is at least one byte: a longer text is refused before converting it.
    if (static_cast<std::size_t>(clipboard.size()) > kMaxInputBytes) {
        Warn(host.hostWindow(), Q(language.row(lang_row::kPasteTooLarge)));
        return;
    }
    const std::string text = S(clipboard);
    if (text.empty()) return;
    PasteTarget target;
    target.firstChannel = TargetChannels(*view).front();
    target.column = view->grid()->Col();
    std::vector<LanguageTable> languages = LoadEveryLanguage(language);
    target.headers = ChannelHeaders(languages);
    // The first table is the current language.
    target.otherLanguages.assign(std::make_move_iterator(languages.begin() + 1),
                                 std::make_move_iterator(languages.end()));
    PasteReport report;
    view->runCommand([&](ChannelTableSession& session) { return session.paste(target, text, report); });
    if (report.tooLarge || report.tooManyLines) {
        Warn(host.hostWindow(), Q(language.row(report.tooLarge ? lang_row::kPasteTooLarge : lang_row::kTooManyLines)));
        return;
    }

    QStringList entries;
    for (const PasteProblem& problem : report.problems) entries << Q(PasteProblemText(problem, language));
    if (report.linesPastEnd > 0)
        entries << Q(language.row(lang_row::kPastePastEnd) + ": " + std::to_string(report.linesPastEnd));
    if (!entries.isEmpty()) ShowReport(host, language.row(lang_row::kSkippedTitle), {}, entries);
}

// Del on one cell (no rows picked) empties that cell where the channel can hold it empty.
void ClearCurrentCell(CChnMsgView& view) {
    view.runCommand([](ChannelTableSession& session) { return session.key(SessionKey::Delete); });
}

void Delete(EditorHost& host) {
    CChnMsgView* view = OpenChannelView(host);
    if (!view) return;
    if (view->grid()->selectedRows().empty()) {
        ClearCurrentCell(*view);
        return;
    }
    const std::vector<int> channels = TargetChannels(*view);
    view->runCommand([&](ChannelTableSession& session) { return session.deleteChannels(channels); });
}

void Insert(EditorHost& host) {
    CChnMsgView* view = OpenChannelView(host);
    if (!view) return;
    const int at = TargetChannels(*view).front();
    if (InsertDropsChannelInUse(host.document().image()) && !ConfirmDropLastChannel(host)) return;
    view->runCommand([&](ChannelTableSession& session) { return session.insertChannel(at); });
}

void Move(EditorHost& host, MoveDirection direction) {
    CChnMsgView* view = OpenChannelView(host);
    if (!view) return;
    const std::vector<int> channels = TargetChannels(*view);
    view->runCommand(
        [&](ChannelTableSession& session) { return session.moveChannels(channels, direction == MoveDirection::Up); });
}

void Sort(EditorHost& host, ChannelSortKey key) {
    CChnMsgView* view = OpenChannelView(host);
    if (!view) return;
    const std::vector<int> channels = TargetChannels(*view);
    view->runCommand([&](ChannelTableSession& session) { return session.sortChannels(channels, key); });
}

void ImportCsv(EditorHost& host) {
    const QString path = ChooseCsvFile(host.hostWindow(), false, host.language());
    if (!path.isEmpty()) ImportCsvFile(host, path);
}

void ExportCsv(EditorHost& host) {
    const QString path = ChooseCsvFile(host.hostWindow(), true, host.language());
    if (path.isEmpty()) return;
    host.flushEditors();
    const FileResult written = WriteFileAtomically(S(path), ExportChannelsCsv(host.document().image()));
    if (!written.ok) Warn(host.hostWindow(), Q(host.language().row(lang_row::kCannotWrite) + "\n" + written.error));
}

// Copy and export only read the image; everything else changes it.
bool ChangesImage(Command command) { return command != Command::EditCopy && command != Command::ExportCsv; }

}  // namespace

void ImportCsvFile(EditorHost& host, const QString& path) {
    const LanguageTable& language = host.language();
    FileContent content = ReadWholeFile(S(path));
    if (!content.ok) {
        Warn(host.hostWindow(), Q(ReadFailureText(S(path), content.failure, content.systemError, language)));
        return;
    }
    const std::string text = std::move(content.bytes);
    CChnMsgView* view = OpenChannelView(host);
    // Rows go where their Location says or, as the user chooses, in file order from the
    // current channel; a file without Location always goes from the current channel.
    CsvImportOptions options;
    const int current = view ? TargetChannels(*view).front() : 0;
    if (!CsvHasColumn(text, "Location")) {
        options.firstChannel = current;
    } else {
        QMessageBox box(QMessageBox::Question, Q(language.row(lang_row::kTitle)),
                        Q(language.row(lang_row::kImportPlacement)),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, host.hostWindow());
        box.button(QMessageBox::Yes)->setText(Q(language.row(lang_row::kByLocation)));
        box.button(QMessageBox::No)->setText(Q(language.row(lang_row::kFromChannel) + " " + std::to_string(current)));
        if (!language.row(lang_row::kCancel).empty())
            box.button(QMessageBox::Cancel)->setText(Q(language.row(lang_row::kCancel)));
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = RunModal(box);
        if (answer == QMessageBox::Cancel || answer == QDialog::Rejected) return;
        if (answer == QMessageBox::No) options.firstChannel = current;
    }
    CsvImportReport report;
    host.document().editChannels([&](RadioImage& image) { report = ImportChannelsCsv(image, text, options); });
    if (view) ShowChannels(*view, report.channels, report.channels.empty() ? -1 : report.channels.front());

    QStringList entries;
    for (const CsvProblem& problem : report.problems) entries << Q(CsvProblemText(problem, language));
    const std::string summary =
        language.row(lang_row::kChannelsImported) + " " + std::to_string(report.channels.size());
    const bool skipped = std::any_of(report.problems.begin(), report.problems.end(),
                                     [](const CsvProblem& problem) { return !problem.stored; });
    ShowReport(host, skipped ? language.row(lang_row::kSkippedTitle) : language.row(lang_row::kTitle), summary,
               entries);
}

const std::vector<Command>& ChannelEditCommands() {
    static const std::vector<Command> commands = {
        Command::EditUndo,         Command::EditRedo,        Command::EditCut,       Command::EditCopy,
        Command::EditPaste,        Command::DeleteChannels,  Command::InsertChannel, Command::MoveChannelsUp,
        Command::MoveChannelsDown, Command::SortByFrequency, Command::SortByName,    Command::GroupByBand,
        Command::ImportCsv,        Command::ExportCsv};
    return commands;
}

void SetUpChannelEditing(EditorHost& host) {
    QObject::connect(&host.document(), &Document::historyChanged, &host.document(),
                     [&host] { UpdateChannelEditStates(host); });
    UpdateChannelEditStates(host);
}

void AttachChannelEditing(EditorHost& host, EditorView& view) {
    auto* channels = qobject_cast<CChnMsgView*>(&view);
    if (!channels) return;
    // The shortcuts act while the focus is inside the table.
    for (const MenuEntry& entry : MenuLayout())
        if (entry.kind == EntryKind::Item && entry.scope == KeyScope::ChannelTable)
            channels->addAction(host.action(entry.command));
}

void RunChannelEditCommand(EditorHost& host, Command command) {
    if (host.transferRunning() && ChangesImage(command)) return;
    switch (command) {
    case Command::EditUndo: UndoOrRedo(host, false); break;
    case Command::EditRedo: UndoOrRedo(host, true); break;
    case Command::EditCut: Cut(host); break;
    case Command::EditCopy: Copy(host); break;
    case Command::EditPaste: Paste(host); break;
    case Command::DeleteChannels: Delete(host); break;
    case Command::InsertChannel: Insert(host); break;
    case Command::MoveChannelsUp: Move(host, MoveDirection::Up); break;
    case Command::MoveChannelsDown: Move(host, MoveDirection::Down); break;
    case Command::SortByFrequency: Sort(host, ChannelSortKey::RxFrequency); break;
    case Command::SortByName: Sort(host, ChannelSortKey::Name); break;
    case Command::GroupByBand: Sort(host, ChannelSortKey::Band); break;
    case Command::ImportCsv: ImportCsv(host); break;
    case Command::ExportCsv: ExportCsv(host); break;
    default: break;
    }
    UpdateChannelEditStates(host);
}

void UpdateChannelEditStates(EditorHost& host) {
    const bool idle = !host.transferRunning();
    const EditHistory& history = host.document().history();
    for (Command command : ChannelEditCommands()) {
        bool enabled = idle || !ChangesImage(command);
        if (command == Command::EditUndo) enabled = enabled && history.canUndo();
        if (command == Command::EditRedo) enabled = enabled && history.canRedo();
        if (QAction* action = host.action(command)) action->setEnabled(enabled);
    }
}

}  // namespace radioprog
