#pragma once
// Language rows after row 193: the Edit-menu and File-menu captions of channel editing
// (undo, clipboard, rows, CSV), and the texts of the import and paste reports and of the
// backup after a read, and of the open file as a document. A language file that does not supply them gets built-in English.
namespace radioprog::lang_row {

inline constexpr int kFirstExtra = 194;

// Edit menu (captions with "&" and a tab before the key name).
inline constexpr int kUndo = 194;
inline constexpr int kRedo = 195;
inline constexpr int kCut = 196;
inline constexpr int kCopy = 197;
inline constexpr int kPaste = 198;
inline constexpr int kDeleteChannels = 199;
inline constexpr int kInsertChannel = 200;
inline constexpr int kMoveUp = 201;
inline constexpr int kMoveDown = 202;
// File menu.
inline constexpr int kImportCsv = 203;
inline constexpr int kExportCsv = 204;

// Title of the dialog that lists what an import or a paste skipped.
inline constexpr int kSkippedTitle = 205;
// "Row": the word in front of a CSV line number in the import report.
inline constexpr int kReportRow = 206;
// Followed by the number of channels an import wrote.
inline constexpr int kChannelsImported = 207;
// Followed by the path of the backup written after a read.
inline constexpr int kBackupSaved = 208;
// Followed by the reason the backup could not be written.
inline constexpr int kBackupFailed = 209;
// Question before an insert drops channel 127 while it is in use.
inline constexpr int kConfirmDropLast = 210;
// Paste report: the text had more lines than channels are left.
inline constexpr int kPastePastEnd = 211;

// Import report reasons.
inline constexpr int kNoFrequencyColumn = 212;
inline constexpr int kBadLocation = 213;
inline constexpr int kDuplicateLocation = 214;
inline constexpr int kNoFrequency = 215;
inline constexpr int kNotAFrequency = 216;
inline constexpr int kOutOfBand = 217;
inline constexpr int kOffRaster = 218;
inline constexpr int kUnsupportedValue = 219;
inline constexpr int kUnstorableTone = 220;
// CSV file errors, followed by the system's reason.
inline constexpr int kCannotRead = 221;
inline constexpr int kCannotWrite = 222;

// The open file as a document: title, Save As, the unsaved-changes question and its
// buttons, the recent files, the recovery of unsaved changes after a crash.
inline constexpr int kUntitled = 223;
inline constexpr int kSaveAs = 224;
// "%1" is replaced by the file name.
inline constexpr int kSaveChangesQuestion = 225;
inline constexpr int kSaveButton = 226;
inline constexpr int kDiscardButton = 227;
inline constexpr int kRecentFiles = 228;
inline constexpr int kRestoreQuestion = 229;
inline constexpr int kRestoreButton = 230;

inline constexpr int kEnd = 231;  // one past the last extra row

}  // namespace radioprog::lang_row
