// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's command identifiers. The menu table (shell/command_table.h) gives each
// its menu, caption and keys; the editors' host hands out a command's action by it. Plain
// numbers in the lowest layer, so a widget that only names a command needs nothing of the
// shell.

namespace radioprog {

// Command identifiers. The numbers below 33000 and from 57600 are the program's historic ones.
enum class Command : int {
    ChannelEditor = 32771,
    ReadRadio = 32773,
    WriteRadio = 32774,
    PortSelect = 32775,
    FunctionsEditor = 32776,
    BatchChannels = 32778,
    Language = 32779,
    DtmfEditor = 32798,
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    WindowArrange = 57649,
    WindowCascade = 57650,
    WindowTile = 57651,
    About = 57664,
    Exit = 57665,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    // Channel editing and CSV files.
    EditUndo = 33001,
    EditRedo = 33002,
    EditCut = 33003,
    EditCopy = 33004,
    EditPaste = 33005,
    DeleteChannels = 33006,
    InsertChannel = 33007,
    MoveChannelsUp = 33008,
    MoveChannelsDown = 33009,
    ImportCsv = 33010,
    ExportCsv = 33011,
    // The open file as a document: Save As and the File menu's list of recent files.
    FileSaveAs = 33012,
    RecentFiles = 33013,
    // Sorting the channel table.
    SortByFrequency = 33014,
    SortByName = 33015,
    GroupByBand = 33016,
    // Several radios at once, verified transfers, comparison of images.
    WriteSeveral = 33101,
    CompareWith = 33102,
    VerifyTransfers = 33103,
    // Stops the running transfer (Program menu, Esc, the status bar's Cancel button).
    CancelTransfer = 33201,
};

}  // namespace radioprog
