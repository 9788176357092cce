#pragma once
// Language rows after row 193: the Edit-menu and File-menu captions of channel editing
// (undo, clipboard, rows, CSV), the texts of the import and paste reports and of the
// backup after a read, and the texts of cancelled and failed transfers. A language file that does not supply them gets built-in English.
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
// Import and paste: a frequency between the radio's usual bands (followed by kBandGapRefusal).
inline constexpr int kBandGap = 245;
inline constexpr int kBandGapRefusal = 246;
// Import in file order: the row would go beyond the last channel.
inline constexpr int kPastLastChannel = 247;
// Paste: a cell of a channel without a receive frequency.
inline constexpr int kEmptyChannelCell = 248;
// In front of a report line about a row that was stored.
inline constexpr int kWarning = 249;
// Import CSV: question how to place the rows.
inline constexpr int kImportPlacement = 250;
// Its answers: by Location, or from the current channel (followed by its number).
inline constexpr int kByLocation = 251;
inline constexpr int kFromChannel = 252;



// Interface texts: menu captions with accelerators, questions, file errors, notices and
// validation messages that were fixed English, file-dialog filters. Numbered from one base
// so the block moves as one.
inline constexpr int kFirstInterfaceRow = 253;
// File menu: print preview.
inline constexpr int kPrintPreview = kFirstInterfaceRow + 0;
// Question before Save replaces the file named below it.
inline constexpr int kReplaceFile = kFirstInterfaceRow + 1;
// Open: a file too short to hold a radio image (its name follows).
inline constexpr int kNotRadioImage = kFirstInterfaceRow + 2;
// Closing the program while a transfer runs.
inline constexpr int kTransferRunning = kFirstInterfaceRow + 3;
// After a port name and device: the port was refused for lack of permission.
inline constexpr int kPermissionDenied = kFirstInterfaceRow + 4;
// The advice that follows, first line.
inline constexpr int kPermissionGroup = kFirstInterfaceRow + 5;
// The advice, second line; the command follows.
inline constexpr int kPermissionLogIn = kFirstInterfaceRow + 6;
// Batch dialog: a channel number field holds no number.
inline constexpr int kUnsignedInteger = kFirstInterfaceRow + 7;
// Optional functions: %1 and %2 are the smallest and largest channel count.
inline constexpr int kIntegerBetween = kFirstInterfaceRow + 8;
// File dialog filters: the text before the pattern is translated.
inline constexpr int kDatFiles = kFirstInterfaceRow + 9;
inline constexpr int kCsvFiles = kFirstInterfaceRow + 10;
inline constexpr int kAllFiles = kFirstInterfaceRow + 11;
// Start-up without a language file; the folders follow.
inline constexpr int kNoLanguageFile = kFirstInterfaceRow + 12;
// Edit menu: the editors (their window titles are rows 1, 27, 142 and 171).
inline constexpr int kChannelsMenu = kFirstInterfaceRow + 13;
inline constexpr int kFunctionsMenu = kFirstInterfaceRow + 14;
inline constexpr int kBatchMenu = kFirstInterfaceRow + 15;
inline constexpr int kDtmfMenu = kFirstInterfaceRow + 16;
// A background picture that cannot be decoded (its file name follows).
inline constexpr int kPictureError = kFirstInterfaceRow + 17;
// After a port name and device: another program holds the port; what to do follows.
inline constexpr int kPortBusy = kFirstInterfaceRow + 18;
inline constexpr int kCloseOtherProgram = kFirstInterfaceRow + 19;

// Paste refused: the clipboard text is far larger than any channel list.
inline constexpr int kPasteTooLarge = kFirstInterfaceRow + 20;

// The open file as a document: title, Save As, the unsaved-changes question and its
// buttons, the recent files, the recovery of unsaved changes after a crash.
inline constexpr int kUntitled = kFirstInterfaceRow + 21;
inline constexpr int kSaveAs = kFirstInterfaceRow + 22;
// "%1" is replaced by the file name.
inline constexpr int kSaveChangesQuestion = kFirstInterfaceRow + 23;
inline constexpr int kSaveButton = kFirstInterfaceRow + 24;
inline constexpr int kDiscardButton = kFirstInterfaceRow + 25;
inline constexpr int kRecentFiles = kFirstInterfaceRow + 26;
inline constexpr int kRestoreQuestion = kFirstInterfaceRow + 27;
inline constexpr int kRestoreButton = kFirstInterfaceRow + 28;

// Transfers: cancel, results and what to check when no radio answered.
// Program menu: stops the running transfer.
inline constexpr int kCancelTransfer = 282;
// After row 122 or 123 when the user stopped the transfer.
inline constexpr int kTransferCancelled = 283;
// Result detail of a failed or cancelled read.
inline constexpr int kNothingChanged = 284;
// Result detail of a failed or cancelled write that wrote some units ...
inline constexpr int kMixedMemory = 285;
// ... followed by this.
inline constexpr int kWriteAgain = 286;
// Result detail of a write that stopped before its first unit.
inline constexpr int kNothingWritten = 287;
// Question when the window is closed during a transfer.
inline constexpr int kQuitDuringTransfer = 288;
// No radio found: what to check, one item a line.
inline constexpr int kPleaseCheck = 289;
inline constexpr int kCheckCable = 290;
inline constexpr int kCheckPower = 291;
inline constexpr int kCheckPort = 292;
// Followed by the ports the search tried.
inline constexpr int kPortsTried = 293;
// A port that opened but where no radio answered.
inline constexpr int kNoAnswer = 294;
// No port could be tried at all.
inline constexpr int kNoPortFound = 295;
// Band refusal detail: the channel's number in the channel table.
inline constexpr int kTableNumber = 296;
// A file that is not read, followed by its name: a pipe, device or folder ...
inline constexpr int kNotRegularFile = 297;
// ... a file over the 16 MB any of the program's files could need ...
inline constexpr int kFileTooLarge = 298;
// ... or one the memory ran out for.
inline constexpr int kNoMemoryToRead = 299;

inline constexpr int kEnd = 300;  // one past the last extra row

}  // namespace radioprog::lang_row
