// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one list of language-table rows the program uses, by name. Rows 0 … 193 are the
// language file's base rows (several serve more than one purpose; the comment says which);
// the rows after 193 were added later: a language file that does not supply them gets their
// built-in English. Code names a row only through these names.
namespace radioprog::lang_row {

// The program's title, also the title of every message box.
inline constexpr int kTitle = 0;
// The channel table's name; also the word in front of a channel number in messages.
inline constexpr int kChannel = 1;
// Channel flag choices: transmit power (bit 13 set / clear), bit 14 (clear / set), bandwidth
// (bit 12 clear / set). Low, No, Narrow and ToneOff are the texts that store 0.
inline constexpr int kHigh = 2;
inline constexpr int kLow = 3;
inline constexpr int kNo = 4;
inline constexpr int kYes = 5;
// First entry ("off") of ten settings lists; opposite kOn in the two-entry ones.
inline constexpr int kOff = 6;
inline constexpr int kNarrow = 10;
inline constexpr int kWide = 11;
// Tone off; also busy lockout off and the printed header of the signalling column.
inline constexpr int kToneOff = 12;
// Busy lockout on; also the second scan mode.
inline constexpr int kCarrier = 13;
// The three values of channel flag bits 5-6 (also PTT-ID entries 1-3).
inline constexpr int kPttPress = 14;
inline constexpr int kPttRelease = 15;
inline constexpr int kPttBoth = 16;
// Channel table headers (also batch-dialog labels and printed headers).
inline constexpr int kChannelNumber = 17;
inline constexpr int kRxFrequency = 18;
inline constexpr int kTxFrequency = 19;
inline constexpr int kRxTone = 20;
inline constexpr int kTxTone = 21;  // its printed width also sets the printed table's width
inline constexpr int kTxPower = 22;
inline constexpr int kScanAdd = 23;  // flag bit 14
inline constexpr int kBandwidth = 24;
inline constexpr int kBusyLockout = 25;
inline constexpr int kName = 26;
// The optional-functions editor's name.
inline constexpr int kOptionalFunctions = 27;
// Heading of every printed page.
inline constexpr int kPrintHeading = 29;
// File New's question.
inline constexpr int kResetQuestion = 30;
// Transfer results: kRead or kWrite joined with kFailed or kCompleted; kNoRadioFound alone.
inline constexpr int kFailed = 31;
inline constexpr int kCompleted = 32;
inline constexpr int kNoRadioFound = 33;

// Optional functions: captions and list entries.
inline constexpr int kTxTimeout = 43;
inline constexpr int kTimeoutPreAlert = 44;
inline constexpr int kOffLevel = 45;  // "off" in front of a range of levels or named values
inline constexpr int kVoicePrompt = 46;
inline constexpr int kOffChoice = 47;  // first choice of voice prompt, backlights and end tone
inline constexpr int kChinese = 48;
inline constexpr int kEnglish = 49;
inline constexpr int kFullScreen = 51;
inline constexpr int kChannelMode = 54;
inline constexpr int kIdDelay = 55;  // also the batch dialog's PTT-ID selector label
inline constexpr int kBusyLockoutCheck = 56;
inline constexpr int kKeyBeep = 57;
inline constexpr int kKeyLock = 58;
inline constexpr int kVox = 60;
inline constexpr int kScanMode = 61;
inline constexpr int kScanTime = 62;
inline constexpr int kScanSearch = 63;
inline constexpr int kBacklightTime = 64;  // printed in front of the standby backlight
inline constexpr int kEndTone = 65;
inline constexpr int kValueWidth = 68;  // never shown: the printed room for block-1 values
inline constexpr int kPriorityChannel = 71;
inline constexpr int kVfoA = 72;
inline constexpr int kVfoB = 73;  // kVfoA + 1
inline constexpr int kVfoFrequency = 74;
inline constexpr int kVfoTxTone = 75;
inline constexpr int kVfoRxTone = 76;
inline constexpr int kOffsetDirection = 77;
inline constexpr int kOffsetPlus = 78;
inline constexpr int kOffsetMinus = 79;
inline constexpr int kOffset = 80;
inline constexpr int kChannelDisplay = 81;  // side B on screen, both sides in the printout
inline constexpr int kDisplayName = 82;
inline constexpr int kDisplayFrequency = 83;
inline constexpr int kDisplayNumber = 84;
inline constexpr int kWorkMode = 85;
inline constexpr int kSquelch = 86;
inline constexpr int kSquelchB = 87;
inline constexpr int kStepA = 88;
inline constexpr int kStepB = 89;
// Port dialog title.
inline constexpr int kSerialPort = 90;

// Menu captions (with "&" and a tab before a key name) and toolbar tips.
inline constexpr int kFileMenu = 91;
inline constexpr int kNew = 92;
inline constexpr int kClose = 93;
inline constexpr int kSave = 94;
inline constexpr int kOpen = 95;
inline constexpr int kPrint = 96;
inline constexpr int kExit = 97;
inline constexpr int kProgramMenu = 98;
inline constexpr int kReadRadio = 99;
inline constexpr int kWriteRadio = 100;
inline constexpr int kEditMenu = 101;
inline constexpr int kPort = 102;
inline constexpr int kViewMenu = 103;
inline constexpr int kToolbar = 104;
inline constexpr int kStatusBar = 105;
inline constexpr int kWindowMenu = 106;
inline constexpr int kCascade = 107;
inline constexpr int kTile = 108;
inline constexpr int kArrangeIcons = 109;
inline constexpr int kHelpMenu = 110;
inline constexpr int kAbout = 111;     // also the About box's title
inline constexpr int kLanguage = 112;  // also the language dialog's title

// Band refusal: follows a channel number or "A"/"B".
inline constexpr int kOutsideBands = 113;
inline constexpr int kAutoKeyLock = 114;
inline constexpr int kNoChannels = 115;
// Dialog buttons.
inline constexpr int kOk = 116;
inline constexpr int kCancel = 117;
// The About box's three lines.
inline constexpr int kAboutVersion = 118;
inline constexpr int kAboutLine = 119;
inline constexpr int kAboutCopyright = 124;
// Transfer results: the beginnings.
inline constexpr int kRead = 122;
inline constexpr int kWrite = 123;
// Opposite kOff in the two-entry lists.
inline constexpr int kOn = 125;
inline constexpr int kResetAllowed = 126;
inline constexpr int kPttId = 127;
inline constexpr int kLocalCode = 128;
inline constexpr int kSideTone = 129;
inline constexpr int kSideToneKeypad = 130;
inline constexpr int kSideToneId = 131;
inline constexpr int kPowerSave = 134;
inline constexpr int kAlarmMode = 135;
inline constexpr int kTxEndTone = 136;
inline constexpr int kDualWatchTxLabel = 137;  // printed label of the setting kDualWatchTx names
inline constexpr int kTailElimination = 140;
inline constexpr int kSixCharText = 141;
// Batch dialog (its title also the Edit-menu caption of old language files).
inline constexpr int kBatchChannels = 142;
inline constexpr int kRxStart = 143;
inline constexpr int kTxStart = 144;
inline constexpr int kStepKhz = 145;
inline constexpr int kAllChannels = 146;
inline constexpr int kFirstChannel = 147;
inline constexpr int kLastChannel = 148;
inline constexpr int kStepUp = 149;
inline constexpr int kStepDown = 150;
// The batch dialog's range choice and the channel work mode.
inline constexpr int kChannelChoice = 151;
inline constexpr int kFmr = 152;
inline constexpr int kFmrUnit = 154;
inline constexpr int kBand = 155;
inline constexpr int kSignalling = 156;
inline constexpr int kBlue = 157;
inline constexpr int kOrange = 158;
inline constexpr int kPurple = 159;
inline constexpr int kAlarmSendCode = 160;
inline constexpr int kAlarmOnSite = 161;
inline constexpr int kAlarmSendTone = 162;
inline constexpr int kDualWatchTx = 163;
inline constexpr int kSideA = 164;
inline constexpr int kSideB = 165;
inline constexpr int kRepeaterTailElimination = 166;
inline constexpr int kRepeaterTailDetection = 167;
inline constexpr int kEndToneOn = 168;
inline constexpr int kPowerOnDisplay = 169;
inline constexpr int kVfoBand = 170;
// The DTMF editor.
inline constexpr int kDtmfSettings = 171;
inline constexpr int kDtmfCodes = 172;
inline constexpr int kDtmfGroup = 173;
inline constexpr int kDtmfCode = 174;
inline constexpr int kDtmfDuration = 175;
inline constexpr int kDtmfPause = 176;
inline constexpr int kGroupCall = 177;
inline constexpr int kLocalId = 178;
inline constexpr int kSendOnPress = 179;
inline constexpr int kSendOnRelease = 180;
// Optional functions, continued.
inline constexpr int kVoltage = 181;
inline constexpr int kDisplayModeA = 182;
inline constexpr int kVfoSignalling = 183;
inline constexpr int kStandbyBacklight = 184;
inline constexpr int kRxBacklight = 185;
inline constexpr int kTxBacklight = 186;
inline constexpr int kRange = 187;
inline constexpr int kFunctionMenu = 188;
inline constexpr int kFrequencyMode = 189;
inline constexpr int kChannelCount = 190;
inline constexpr int kFmRadio = 191;
inline constexpr int kAlarmSound = 192;
inline constexpr int kDualWatch = 193;

// The rows after the base rows, one name per line of data/lang.csv in the file's order: the
// numbers follow the order and kEnd is one past the last row. The built-in English of
// these rows is generated from the file's English column at build time (see
// tools/lang_rows.py), so adding a text is its line at the end of data/lang.csv and its name
// here, before kEnd.
inline constexpr int kFirstExtra = 194;

enum ExtraRow : int {
    // Edit menu (captions with "&" and a tab before the key name).
    kUndo = kFirstExtra,
    kRedo,
    kCut,
    kCopy,
    kPaste,
    kDeleteChannels,
    kInsertChannel,
    kMoveUp,
    kMoveDown,
    // File menu.
    kImportCsv,
    kExportCsv,

    // Title of the dialog that lists what an import or a paste skipped.
    kSkippedTitle,
    // "Row": the word in front of a CSV line number in the import report.
    kReportRow,
    // Followed by the number of channels an import wrote.
    kChannelsImported,
    // Followed by the path of the backup written after a read.
    kBackupSaved,
    // Followed by the reason the backup could not be written.
    kBackupFailed,
    // Question before an insert drops channel 127 while it is in use.
    kConfirmDropLast,
    // Paste report: the text had more lines than channels are left.
    kPastePastEnd,

    // Import report reasons.
    kNoFrequencyColumn,
    kBadLocation,
    kDuplicateLocation,
    kNoFrequency,
    kNotAFrequency,
    kOutOfBand,
    kOffRaster,
    kUnsupportedValue,
    kUnstorableTone,
    // CSV file errors, followed by the system's reason.
    kCannotRead,
    kCannotWrite,

    // Followed by the path of a language file that was passed over.
    kLanguageFileSkipped,

    // Several radios at once, verified transfers and comparison of images.
    // A byte of the memory that differs, followed by its radio address.
    kDiffByte,
    // An empty cell or field in a difference.
    kDiffEmpty,
    // The radio's band-limit block.
    kBandLimitsBlock,
    // Followed by the channel or block where a write failed.
    kWriteFailedAt,
    // Followed by the channel or block where a read failed.
    kReadFailedAt,
    // A verified read: no two of three readings of the block agreed.
    kReadingsDisagree,
    // Followed by the differences the read-back found.
    kVerifyDiffers,
    // A verified write that found no difference.
    kWrittenVerified,
    // One radio of several refused by its band check.
    kBandRefusedShort,
    // Program menu.
    kWriteSeveral,
    // File menu.
    kCompareWith,
    // Program menu: a setting, checked or not.
    kVerifyTransfers,
    // Button that starts writing several radios.
    kStart,
    // Column header of the several-radios dialog.
    kResultColumn,
    // Followed by 'written/chosen'.
    kRadiosWritten,
    // Comparison of two equal images.
    kNoDifferences,
    // Compare with a file.
    kCompareFile,
    // Compare with the radio's memory.
    kCompareRadio,
    // Title of the comparison window.
    kDifferencesTitle,
    // Column header of the several-radios dialog.
    kProgressColumn,
    // A radio whose write was cancelled before it began.
    kCancelled,
    // Import and paste: a frequency between the radio's usual bands (followed by kBandGapRefusal).
    kBandGap,
    kBandGapRefusal,
    // Import in file order: the row would go beyond the last channel.
    kPastLastChannel,
    // Paste: a cell of a channel without a receive frequency.
    kEmptyChannelCell,
    // In front of a report line about a row that was stored.
    kWarning,
    // Import CSV: question how to place the rows.
    kImportPlacement,
    // Its answers: by Location, or from the current channel (followed by its number).
    kByLocation,
    kFromChannel,

    // Interface texts: menu captions with accelerators, questions, file errors, notices and
    // validation messages that were fixed English, file-dialog filters.
    // File menu: print preview.
    kPrintPreview,
    // Question before Save replaces the file named below it.
    kReplaceFile,
    // Open: a file too short to hold a radio image (its name follows).
    kNotRadioImage,
    // Closing the program while a transfer runs.
    kTransferRunning,
    // After a port name and device: the port was refused for lack of permission.
    kPermissionDenied,
    // The advice that follows, first line.
    kPermissionGroup,
    // The advice, second line; the command follows.
    kPermissionLogIn,
    // Batch dialog: a channel number field holds no number.
    kUnsignedInteger,
    // Optional functions: %1 and %2 are the smallest and largest channel count.
    kIntegerBetween,
    // File dialog filters: the text before the pattern is translated.
    kDatFiles,
    kCsvFiles,
    kAllFiles,
    // Start-up without a language file; the folders follow.
    kNoLanguageFile,
    // Edit menu: the editors (their window titles are rows 1, 27, 142 and 171).
    kChannelsMenu,
    kFunctionsMenu,
    kBatchMenu,
    kDtmfMenu,
    // A background picture that cannot be decoded (its file name follows).
    kPictureError,
    // After a port name and device: another program holds the port; what to do follows.
    kPortBusy,
    kCloseOtherProgram,

    // Paste refused: the clipboard text is far larger than any channel list.
    kPasteTooLarge,

    // The open file as a document: title, Save As, the unsaved-changes question and its
    // buttons, the recent files, the recovery of unsaved changes after a crash.
    kUntitled,
    kSaveAs,
    // "%1" is replaced by the file name.
    kSaveChangesQuestion,
    kSaveButton,
    kDiscardButton,
    kRecentFiles,
    kRestoreQuestion,
    kRestoreButton,

    // Transfers: cancel, results and what to check when no radio answered.
    // Program menu: stops the running transfer.
    kCancelTransfer,
    // After row 122 or 123 when the user stopped the transfer.
    kTransferCancelled,
    // Result detail of a failed or cancelled read.
    kNothingChanged,
    // Result detail of a failed or cancelled write that wrote some units ...
    kMixedMemory,
    // ... followed by this.
    kWriteAgain,
    // Result detail of a write that stopped before its first unit.
    kNothingWritten,
    // Question when the window is closed during a transfer.
    kQuitDuringTransfer,
    // No radio found: what to check, one item a line.
    kPleaseCheck,
    kCheckCable,
    kCheckPower,
    kCheckPort,
    // Followed by the ports the search tried.
    kPortsTried,
    // A port that opened but where no radio answered.
    kNoAnswer,
    // No port could be tried at all.
    kNoPortFound,
    // Band refusal detail: the channel's number in the channel table.
    kTableNumber,
    // A file that is not read, followed by its name: a pipe, device or folder ...
    kNotRegularFile,
    // ... a file over the 16 MB any of the program's files could need ...
    kFileTooLarge,
    // ... or one the memory ran out for.
    kNoMemoryToRead,

    // The About box's licence line.
    kAboutLicence,

    // Band refusal detail after the listed channels: %1 is how many more.
    kMoreRefused,

    // Differences: the address bytes of a record (followed by the two addresses).
    kRecordAddress,

    // Open and write: records whose address bytes are not the radio's layout (they follow, one a line).
    kMisaddressed,

    // Button: gives the records the radio's addresses.
    kRepairAddresses,

    // Button: keeps the address bytes as the file has them.
    kKeepAddresses,

    // CSV import and paste: the text has more lines than any channel list could need; nothing is taken.
    kTooManyLines,

    // After the records listed: what writing them as they are does.
    kMisaddressedRisk,

    // The progress bar while the radio's memory is read, and while it is written.
    kReadingProgress,
    kWritingProgress,
    // The menu bar's name for a screen reader.
    kMenuBar,
    // What a screen reader says for a cell of the channel table that holds nothing.
    kEmptyCellSpeech,

    // Ports: what each is and why it cannot be used.
    // A port's description: before the USB serial number.
    kSerialNumber,
    // The program that holds a port follows, with its process id.
    kHeldBy,
    // A program of another user holds the port; the command that names it follows.
    kHeldByHidden,
    // ModemManager has the port open.
    kModemManagerProbes,
    // Followed by the command that adds the udev rule.
    kModemManagerIgnore,
    // Followed by the command that reloads the udev rules.
    kReloadAndReplug,
    // brltty holds the port or took its cable.
    kBrlttyClaimed,
    // Followed by the commands that free only this cable's id.
    kBrlttyFreeId,
    // Followed by the device's group.
    kNotInGroup,
    // Followed by the command that adds the user to the group.
    kJoinGroupLogIn,
    // Followed by the device's group.
    kGroupNotActive,
    // Followed by the command that gives one shell the group.
    kLogInAgain,
    // No uaccess tag on a USB cable.
    kNoSessionAccess,
    // Followed by the command that adds the udev rule.
    kGiveSessionAccess,
    // Followed by the command that adds the user to the group.
    kOrJoinGroup,
    // A port that opens.
    kPortUsable,
    // A COM number with no device.
    kNoSuchPort,
    // Followed by the cable's vendor:product id.
    kCableWithoutPort,
    // After a scan that found nothing; followed by the port.
    kCablePluggedIn,
    // Accessible name of the port list.
    kPortList,
    // Accessible name of the chosen port's description.
    kPortDetails,
    // No radio found: a radio answered on the port that follows, but it is another model.
    kOtherModelAnswered,
    // What a screen reader says when a field refuses a key (the beep's words).
    kKeyRefused,
    // The batch dialog's refusal of a channel range: %1 and %2 are the first and last channel.
    kBatchRangeRefused,
    // An imported or typed name stored changed (cut to 7 characters, other characters dropped,
    // capitals).
    kNameChanged,
    // A typed frequency outside the radio's range: %1 as typed, %2 as stored.
    kFrequencyLimited,
    // The right part of every printed page's header: %1 is the page, %2 the number of pages.
    kPageNumber,
    // Web page, Read and Write: the browser offers no serial ports; then what to use instead.
    kNoWebSerial,
    kWebSerialHow,
    // A key a channel table cell refuses, with the reason: %1 is the key's character.
    kFrequencyKeyRefused,
    kNameKeyRefused,
    // A key typed into a channel name that already holds 7 characters.
    kNameFull,
    // A frequency-mode frequency stored on the chosen step: %1 as the form showed it, %2 as stored.
    kVfoFrequencyMoved,
    // The batch dialog's steps leave the radio's frequencies from channel %1 on.
    kBatchLeavesRange,
    // Before the language changes while an editor holds edits not stored yet; its button.
    kStoreEditsQuestion,
    kStoreButton,
    // The result's headline when the radio that answered is another model.
    kOtherModelFound,
    // A radio answered the identification with a model name that cannot be shown.
    kAnsweredNotAsThisRadio,
    // A port only its owner may open (no group may use it): what is wrong, then the udev rule
    // that gives it the group that follows, how to apply the rule to a built-in port, and
    // joining that group.
    kOnlyOwnerMayOpen,
    kGroupAccessRule,
    kReloadAndApply,
    kJoinThatGroup,

    // After the records listed, when some would land over the band limits or outside the
    // radio's memory: such records are never written as they are.
    kUnsafeAddresses,
    // A language file in use that is not whole: %1 its path, %2 the line its rows end before
    // (the rows from there on are shown in English); one whose first line names no language.
    kLanguageFileEndsEarly,
    kLanguageFileNoNames,
    // Edit menu: sort the selected channels (or all) among their rows; group them by band
    // keeping their order; what a screen reader hears after (%1: how many channels).
    kSortByFrequency,
    kSortByName,
    kGroupByBand,
    kChannelsSorted,
    // Ctrl+Enter in a cell with channels selected: %1 the column, %2 the value, %3 how many
    // channels took it.
    kColumnSetForChannels,

    // The repeater directory import (CLI report, later its preview): the format names, the
    // file that is none of them, the format line; an entry stored in channel %1 or skipped,
    // why; notes on stored entries; the summary; a distance.
    kDirectoryFormatUk,
    kDirectoryFormatUkModes,
    kDirectoryFormatAustralian,
    kDirectoryFormatJson,
    kDirectoryFormatChannelCsv,
    kDirectoryUnknownFormat,
    kDirectoryFileFormat,
    kDirectoryStoredIn,
    kDirectorySkipped,
    kDirectoryNoFrequency,
    kDirectoryNotFm,
    kDirectoryNotOperational,
    kDirectoryOutOfBand,
    kDirectoryUnreadableTone,
    kDirectoryToneWithheld,
    kDirectoryNoPosition,
    kDirectoryOutsideRadius,
    kDirectoryOverMaximum,
    kDirectoryNoFreeChannel,
    kDirectoryKeptWithoutPosition,
    kDirectoryBeacon,
    kDirectoryColourCode,
    kDirectorySummary,
    kDirectoryKm,

    kEnd  // one past the last row
};

}  // namespace radioprog::lang_row
