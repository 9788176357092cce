// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_table.h"

#include <stdexcept>

#include "shell/menu_captions.h"

namespace radioprog {

namespace {

using C = Command;
using K = EntryKind;
using M = Menu;
using Key = StandardKey;
using Icon = CommandIcon;

MenuEntry Title(Menu menu, int row, const char* fixed) { return {K::MenuTitle, menu, C{}, row, fixed}; }
MenuEntry Separator(Menu menu) { return {K::Separator, menu, C{}, -1, ""}; }
MenuEntry Item(Menu menu, Command command, int row, const char* fixed = "") {
    return {K::Item, menu, command, row, fixed};
}

MenuEntry WithKey(MenuEntry entry, StandardKey key) {
    entry.standardKey = key;
    return entry;
}
MenuEntry WithKeys(MenuEntry entry, const char* keys, KeyScope scope) {
    entry.keys = keys;
    entry.scope = scope;
    return entry;
}
// A toolbar button's picture, and whether the button shows a tip.
MenuEntry OnToolbar(MenuEntry entry, CommandIcon icon, bool tip = true) {
    entry.icon = icon;
    entry.tip = tip;
    return entry;
}
MenuEntry Checkable(MenuEntry entry) {
    entry.checkable = true;
    return entry;
}
// What may not run during a transfer: whatever replaces or edits the image (a read would
// replace it at the end; a write sends what it had at the start), another transfer, and a
// change of language (the editors would reopen in it while the transfer's texts stay in the
// language it started in).
MenuEntry BlockedByTransfer(MenuEntry entry) {
    entry.blockedByTransfer = true;
    return entry;
}
// Table editing: the keys work while the focus is inside the channel table.
MenuEntry TableItem(Command command, int row, const char* keys) {
    return WithKeys(Item(M::Edit, command, row), keys, KeyScope::ChannelTable);
}
// Table editing that changes the channels.
MenuEntry TableEdit(Command command, int row, const char* keys) {
    return BlockedByTransfer(TableItem(command, row, keys));
}

std::vector<MenuEntry> BuildLayout() {
    namespace r = lang_row;
    MenuEntry cancel = WithKeys(Item(M::Program, C::CancelTransfer, r::kCancelTransfer), "Esc", KeyScope::Window);
    cancel.startsEnabled = false;  // Esc only while a transfer runs, so editors keep it otherwise
    MenuEntry recent = BlockedByTransfer(Item(M::File, C::RecentFiles, r::kRecentFiles));
    recent.kind = K::Submenu;
    // The port is the image's: a port chosen during a transfer would change it.
    MenuEntry port = BlockedByTransfer(OnToolbar(Item(M::Port, C::PortSelect, r::kPort, "P&ort"), Icon::Port));
    port.kind = K::BarCommand;
    MenuEntry language = BlockedByTransfer(Item(M::Language, C::Language, r::kLanguage, "&Language"));
    language.kind = K::BarCommand;
    return {
        Title(M::File, r::kFileMenu, "&File"),
        BlockedByTransfer(OnToolbar(WithKey(Item(M::File, C::FileNew, r::kNew, "&New\tCtrl+N"), Key::New), Icon::New)),
        Item(M::File, C::FileClose, r::kClose, "&Close"),
        Separator(M::File),
        OnToolbar(WithKey(Item(M::File, C::FileSave, r::kSave, "&Save\tCtrl+S"), Key::Save), Icon::Save),
        WithKeys(Item(M::File, C::FileSaveAs, r::kSaveAs), "Ctrl+Shift+S", KeyScope::Application),
        BlockedByTransfer(
            OnToolbar(WithKey(Item(M::File, C::FileOpen, r::kOpen, "&Open...\tCtrl+O"), Key::Open), Icon::Open)),
        BlockedByTransfer(Item(M::File, C::ImportCsv, r::kImportCsv)),
        Item(M::File, C::ExportCsv, r::kExportCsv),
        // Compare With can read a radio.
        BlockedByTransfer(Item(M::File, C::CompareWith, r::kCompareWith)),
        OnToolbar(WithKey(Item(M::File, C::FilePrint, r::kPrint, "&Print...\tCtrl+P"), Key::Print), Icon::Print),
        Item(M::File, C::FilePrintPreview, r::kPrintPreview),
        Separator(M::File),
        recent,
        Separator(M::File),
        WithKey(Item(M::File, C::Exit, r::kExit, "E&xit"), Key::Quit),

        Title(M::Program, r::kProgramMenu, "&Program"),
        BlockedByTransfer(OnToolbar(Item(M::Program, C::ReadRadio, r::kReadRadio, "&Read from Radio"), Icon::Read)),
        BlockedByTransfer(OnToolbar(Item(M::Program, C::WriteRadio, r::kWriteRadio, "&Write to Radio"), Icon::Write)),
        BlockedByTransfer(Item(M::Program, C::WriteSeveral, r::kWriteSeveral)),
        Separator(M::Program),
        Checkable(Item(M::Program, C::VerifyTransfers, r::kVerifyTransfers)),
        Separator(M::Program),
        cancel,

        Title(M::Edit, r::kEditMenu, "&Edit"),
        Item(M::Edit, C::ChannelEditor, r::kChannelsMenu),
        Item(M::Edit, C::FunctionsEditor, r::kFunctionsMenu),
        BlockedByTransfer(Item(M::Edit, C::BatchChannels, r::kBatchMenu)),
        Item(M::Edit, C::DtmfEditor, r::kDtmfMenu),
        Separator(M::Edit),
        TableEdit(C::EditUndo, r::kUndo, "Ctrl+Z"),
        TableEdit(C::EditRedo, r::kRedo, "Ctrl+Y; Ctrl+Shift+Z"),
        Separator(M::Edit),
        TableEdit(C::EditCut, r::kCut, "Ctrl+X"),
        TableItem(C::EditCopy, r::kCopy, "Ctrl+C"),
        TableEdit(C::EditPaste, r::kPaste, "Ctrl+V"),
        Separator(M::Edit),
        TableEdit(C::DeleteChannels, r::kDeleteChannels, "Del"),
        TableEdit(C::InsertChannel, r::kInsertChannel, "Ins"),
        TableEdit(C::MoveChannelsUp, r::kMoveUp, "Ctrl+Up"),
        TableEdit(C::MoveChannelsDown, r::kMoveDown, "Ctrl+Down"),
        TableEdit(C::SortByFrequency, r::kSortByFrequency, ""),
        TableEdit(C::SortByName, r::kSortByName, ""),
        TableEdit(C::GroupByBand, r::kGroupByBand, ""),

        port,

        Title(M::View, r::kViewMenu, "&View"),
        Checkable(Item(M::View, C::ViewToolbar, r::kToolbar, "&Toolbar")),
        Checkable(Item(M::View, C::ViewStatusBar, r::kStatusBar, "&Status Bar")),

        Title(M::Window, r::kWindowMenu, "&Window"),
        Item(M::Window, C::WindowCascade, r::kCascade, "&Cascade"),
        Item(M::Window, C::WindowTile, r::kTile, "&Tile"),
        Item(M::Window, C::WindowArrange, r::kArrangeIcons, "&Arrange Icons"),

        language,

        Title(M::Help, r::kHelpMenu, "&Help"),
        OnToolbar(Item(M::Help, C::About, r::kAbout, "&About radioprog..."), Icon::About),
    };
}

}  // namespace

const std::vector<MenuEntry>& MenuLayout() {
    static const std::vector<MenuEntry> layout = BuildLayout();
    return layout;
}

const std::vector<std::optional<Command>>& ToolbarLayout() {
    static const std::vector<std::optional<Command>> toolbar = {
        C::FileNew,   std::nullopt, C::FileOpen,   std::nullopt,  C::FileSave,  C::FilePrint,
        std::nullopt, C::ReadRadio, C::PortSelect, C::WriteRadio, std::nullopt, C::About};
    return toolbar;
}

std::vector<Command> TransferBlockedCommands() {
    std::vector<Command> commands;
    for (const MenuEntry& entry : MenuLayout())
        if (entry.blockedByTransfer) commands.push_back(entry.command);
    return commands;
}

const MenuEntry* FindCommand(Command command) {
    for (const MenuEntry& entry : MenuLayout())
        if (entry.kind != K::MenuTitle && entry.kind != K::Separator && entry.command == command) return &entry;
    return nullptr;
}

const MenuEntry& MenuBarEntry(Menu menu) {
    for (const MenuEntry& entry : MenuLayout())
        if ((entry.kind == K::MenuTitle || entry.kind == K::BarCommand) && entry.menu == menu) return entry;
    throw std::logic_error("menu without a menu-bar entry");
}

std::vector<std::optional<Command>> MenuCommands(Menu menu) {
    std::vector<std::optional<Command>> commands;
    for (const MenuEntry& entry : MenuLayout()) {
        if (entry.menu != menu) continue;
        if (entry.kind == K::Separator) commands.push_back(std::nullopt);
        if (entry.kind == K::Item || entry.kind == K::Submenu) commands.push_back(entry.command);
    }
    return commands;
}

std::string CaptionText(const MenuEntry& entry, const LanguageTable& language) {
    if (entry.row < 0) return entry.fixedCaption;
    const std::string& text = language.row(entry.row);
    return text.empty() ? std::string(entry.fixedCaption) : text;
}

std::string ToolTipText(Command command, const LanguageTable& language) {
    const MenuEntry* entry = FindCommand(command);
    return entry && entry->tip ? PlainMenuText(CaptionText(*entry, language)) : std::string();
}

}  // namespace radioprog
