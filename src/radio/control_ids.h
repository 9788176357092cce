// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one list of the forms' control identifiers, by name. The numbers are the forms' historic
// ones: they tie a control to its settings-table row, its printed line and its widget, and
// code names a control only through these constants. Pairs are indexed by side: [0] = A,
// [1] = B. A "Caption" is the label that names the control beside it.
namespace radioprog {

// The optional-functions form.
namespace settings_control {

// Frequency-mode groups A and B.
inline constexpr int kVfoGroup[2] = {1067, 1068};
inline constexpr int kFrequency[2] = {1026, 1027};
inline constexpr int kFrequencyCaption[2] = {1069, 1070};
inline constexpr int kBand[2] = {1053, 1130};
inline constexpr int kBandCaption[2] = {1114, 1131};
inline constexpr int kRange[2] = {1133, 1132};
inline constexpr int kRangeCaption[2] = {1134, 1135};
inline constexpr int kTxTone[2] = {1046, 1051};
inline constexpr int kTxToneCaption[2] = {1073, 1074};
inline constexpr int kRxTone[2] = {1047, 1052};
inline constexpr int kRxToneCaption[2] = {1075, 1076};
inline constexpr int kPower[2] = {1045, 1050};
inline constexpr int kPowerCaption[2] = {1071, 1072};
inline constexpr int kDirection[2] = {1040, 1042};
inline constexpr int kDirectionCaption[2] = {1079, 1080};
inline constexpr int kOffset[2] = {1041, 1043};
inline constexpr int kOffsetCaption[2] = {1083, 1084};
inline constexpr int kBandwidth[2] = {1049, 1054};
inline constexpr int kBandwidthCaption[2] = {1077, 1078};
inline constexpr int kStep[2] = {1008, 1011};
inline constexpr int kStepCaption[2] = {1087, 1088};
inline constexpr int kSignalling[2] = {1039, 1028};
inline constexpr int kSignallingCaption[2] = {1167, 1168};
inline constexpr int kBusyLockout[2] = {1177, 1178};
// The hidden two-bit field of each group and the caption of B's.
inline constexpr int kHiddenField[2] = {1102, 1115};
inline constexpr int kHiddenFieldCaption = 1116;

// Channel display (its group box also frames the function-menu and reset check boxes).
inline constexpr int kChannelModeGroup = 1174;
inline constexpr int kDisplayModeA = 1033;
inline constexpr int kDisplayModeACaption = 1081;
inline constexpr int kDisplayModeB = 1038;
inline constexpr int kDisplayModeBCaption = 1082;

// Work mode: two radio buttons (frequency, channel) and the channel count.
inline constexpr int kWorkModeGroup = 1175;
inline constexpr int kWorkMode = 1010;  // the pair's first button (index 0)
inline constexpr int kWorkModeChannel = 1017;
inline constexpr int kChannelCount = 1136;
inline constexpr int kChannelCountCaption = 1059;

// Lists with their captions.
inline constexpr int kSquelch = 1013;
inline constexpr int kSquelchCaption = 1085;
inline constexpr int kPowerSave = 1094;
inline constexpr int kPowerSaveCaption = 1095;
inline constexpr int kVox = 1023;
inline constexpr int kVoxCaption = 1060;
inline constexpr int kTxEndTone = 1101;
inline constexpr int kTxEndToneCaption = 1104;
inline constexpr int kTxTimeout = 1009;
inline constexpr int kTxTimeoutCaption = 1057;
inline constexpr int kVoicePrompt = 1014;
inline constexpr int kVoicePromptCaption = 1058;
inline constexpr int kFmr = 1109;
inline constexpr int kFmrCaption = 1110;
inline constexpr int kSideTone = 1019;
inline constexpr int kSideToneCaption = 1098;
inline constexpr int kIdDelay = 1037;
inline constexpr int kIdDelayCaption = 1103;
inline constexpr int kPttId = 1176;
inline constexpr int kPttIdCaption = 1097;
inline constexpr int kPreAlert = 1012;
inline constexpr int kPreAlertCaption = 1056;
inline constexpr int kScanMode = 1025;
inline constexpr int kScanModeCaption = 1061;
inline constexpr int kStandbyBacklight = 1030;
inline constexpr int kStandbyBacklightCaption = 1173;
inline constexpr int kRxBacklight = 1031;
inline constexpr int kRxBacklightCaption = 1063;
inline constexpr int kTxBacklight = 1032;
inline constexpr int kTxBacklightCaption = 1064;
inline constexpr int kAlarmMode = 1096;
inline constexpr int kAlarmModeCaption = 1099;
inline constexpr int kDualWatchTx = 1111;
inline constexpr int kDualWatchTxCaption = 1112;
inline constexpr int kTailElimination = 1107;
inline constexpr int kTailEliminationCaption = 1108;
inline constexpr int kRepeaterTailElimination = 1113;
inline constexpr int kRepeaterTailEliminationCaption = 1124;
inline constexpr int kRepeaterTailDetection = 1029;
inline constexpr int kRepeaterTailDetectionCaption = 1123;
inline constexpr int kPowerOnDisplay = 1016;
inline constexpr int kPowerOnDisplayCaption = 1122;
inline constexpr int kEndTone = 1034;
inline constexpr int kEndToneCaption = 1065;
inline constexpr int kBacklightTime = 1048;
inline constexpr int kBacklightTimeCaption = 1062;

// Check boxes.
inline constexpr int kDualWatch = 1126;
inline constexpr int kKeyBeep = 1020;
inline constexpr int kKeyLock = 1021;
inline constexpr int kAutoKeyLock = 1089;
inline constexpr int kFunctionMenu = 1091;
inline constexpr int kFmRadio = 1022;
inline constexpr int kAlarmSound = 1036;  // hidden
inline constexpr int kResetAllowed = 1035;

// Hidden controls that store nothing (their values are printed) and the hidden
// six-character text with its caption.
inline constexpr int kSquelchB = 1018;
inline constexpr int kSquelchBCaption = 1086;
inline constexpr int kPriorityChannel = 1055;
inline constexpr int kPriorityChannelCaption = 1066;
inline constexpr int kBusyLockoutHidden = 1015;
inline constexpr int kHiddenEdit3 = 1024;
inline constexpr int kHiddenEdit6 = 1044;
inline constexpr int kLocalCode = 1092;
inline constexpr int kLocalCodeCaption = 1093;
inline constexpr int kSixCharTextB = 1106;
inline constexpr int kSixCharText = 1100;
inline constexpr int kSixCharTextCaption = 1105;

// Buttons.
inline constexpr int kOk = 1121;
inline constexpr int kCancel = 1120;

// A setting added after the historic ones has no historic number: its row names its control
// (and a list's caption label) by its byte's radio address (0x0E20..0x0E5F), above every
// historic number, so adding it takes no constant here.
constexpr int AddedSetting(int address) { return 10000 + address; }
constexpr int AddedSettingCaption(int address) { return 20000 + address; }

}  // namespace settings_control

// The DTMF form.
namespace dtmf_control {
inline constexpr int kFrame = 1156;
inline constexpr int kGroupHeader = 1157;
inline constexpr int kCodeHeader = 1158;
inline constexpr int kDuration = 1153;
inline constexpr int kDurationCaption = 1159;
inline constexpr int kPause = 1154;
inline constexpr int kPauseCaption = 1161;
inline constexpr int kGroupCall = 1155;
inline constexpr int kGroupCallCaption = 1160;
inline constexpr int kLocalIdGroup = 1162;
inline constexpr int kLocalId = 1164;
inline constexpr int kPttPress = 1146;
inline constexpr int kPttRelease = 1147;
inline constexpr int kCommit = 1151;  // stores, then closes
inline constexpr int kClose = 1152;   // closes without storing
// The code table's sixteen rows: the group-number edit and the code edit.
inline constexpr int kCodeTableRows = 16;
inline constexpr int kCodeTable[kCodeTableRows][2] = {
    {1101, 1165}, {1102, 1105}, {1103, 1106}, {1107, 1108}, {1109, 1110}, {1111, 1112}, {1113, 1114}, {1115, 1116},
    {1117, 1118}, {1119, 1120}, {1121, 1122}, {1123, 1124}, {1125, 1126}, {1127, 1128}, {1129, 1130}, {1131, 1132}};
}  // namespace dtmf_control

}  // namespace radioprog
