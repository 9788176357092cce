#pragma once
// Command identifiers of the menus and the toolbar. The numbers are the program's historic
// ones; they name commands in tables (captions, tooltips) and nothing else.
namespace radioprog::command {

inline constexpr int kChannelEditor = 32771;
inline constexpr int kReadRadio = 32773;
inline constexpr int kWriteRadio = 32774;
inline constexpr int kPortSelect = 32775;
inline constexpr int kFunctionsEditor = 32776;
inline constexpr int kBatchChannels = 32778;
inline constexpr int kLanguage = 32779;
inline constexpr int kDtmfEditor = 32798;
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

// Channel editing and CSV files: commands of our own, numbered apart from the historic ones.
inline constexpr int kEditUndo = 33001;
inline constexpr int kEditRedo = 33002;
inline constexpr int kEditCut = 33003;
inline constexpr int kEditCopy = 33004;
inline constexpr int kEditPaste = 33005;
inline constexpr int kDeleteChannels = 33006;
inline constexpr int kInsertChannel = 33007;
inline constexpr int kMoveChannelsUp = 33008;
inline constexpr int kMoveChannelsDown = 33009;
inline constexpr int kImportCsv = 33010;
inline constexpr int kExportCsv = 33011;
// The open file as a document: Save As and the File menu's list of recent files.
inline constexpr int kFileSaveAs = 33012;
inline constexpr int kRecentFiles = 33013;

// Several radios at once, verified transfers, comparison of images.
inline constexpr int kWriteSeveral = 33101;
inline constexpr int kCompareWith = 33102;
inline constexpr int kVerifyTransfers = 33103;

// Stops the running transfer (Program menu, Esc, the status bar's Cancel button).
inline constexpr int kCancelTransfer = 33201;

}  // namespace radioprog::command
