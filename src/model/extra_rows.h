#pragma once
// Language rows after row 193: the Edit-menu and File-menu captions of channel editing
// (undo, clipboard, rows, CSV), and the texts of the import and paste reports and of the
// backup after a read. A language file that does not supply them gets built-in English.
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

// Followed by the path of a language file that was passed over.
inline constexpr int kLanguageFileSkipped = 223;

// Several radios at once, verified transfers and comparison of images.
// A byte of the memory that differs, followed by its radio address.
inline constexpr int kDiffByte = 224;
// An empty cell or field in a difference.
inline constexpr int kDiffEmpty = 225;
// The radio's band-limit block.
inline constexpr int kBandLimitsBlock = 226;
// Followed by the channel or block where a write failed.
inline constexpr int kWriteFailedAt = 227;
// Followed by the channel or block where a read failed.
inline constexpr int kReadFailedAt = 228;
// A verified read: no two of three readings of the block agreed.
inline constexpr int kReadingsDisagree = 229;
// Followed by the differences the read-back found.
inline constexpr int kVerifyDiffers = 230;
// A verified write that found no difference.
inline constexpr int kWrittenVerified = 231;
// One radio of several refused by its band check.
inline constexpr int kBandRefusedShort = 232;
// Program menu.
inline constexpr int kWriteSeveral = 233;
// File menu.
inline constexpr int kCompareWith = 234;
// Program menu: a setting, checked or not.
inline constexpr int kVerifyTransfers = 235;
// Button that starts writing several radios.
inline constexpr int kStart = 236;
// Column header of the several-radios dialog.
inline constexpr int kResultColumn = 237;
// Followed by 'written/chosen'.
inline constexpr int kRadiosWritten = 238;
// Comparison of two equal images.
inline constexpr int kNoDifferences = 239;
// Compare with a file.
inline constexpr int kCompareFile = 240;
// Compare with the radio's memory.
inline constexpr int kCompareRadio = 241;
// Title of the comparison window.
inline constexpr int kDifferencesTitle = 242;
// Column header of the several-radios dialog.
inline constexpr int kProgressColumn = 243;
// A radio whose write was cancelled before it began.
inline constexpr int kCancelled = 244;

// The open file as a document: title, Save As, the unsaved-changes question and its
// buttons, the recent files, the recovery of unsaved changes after a crash.
inline constexpr int kUntitled = 245;
inline constexpr int kSaveAs = 246;
// "%1" is replaced by the file name.
inline constexpr int kSaveChangesQuestion = 247;
inline constexpr int kSaveButton = 248;
inline constexpr int kDiscardButton = 249;
inline constexpr int kRecentFiles = 250;
inline constexpr int kRestoreQuestion = 251;
inline constexpr int kRestoreButton = 252;

inline constexpr int kEnd = 253;  // one past the last extra row

}  // namespace radioprog::lang_row
