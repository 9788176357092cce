// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_texts.h"

#include "model/extra_rows.h"

namespace radioprog {

const std::vector<WebText>& WebTexts() {
    static const std::vector<WebText> texts = {
        {"title", lang_row::kTitle},
        {"file", lang_row::kFileMenu},
        {"edit", lang_row::kEditMenu},
        {"new", lang_row::kNew},
        {"open", lang_row::kOpen},
        {"save", lang_row::kSave},
        {"saveAs", lang_row::kSaveAs},
        {"print", lang_row::kPrint},
        {"close", lang_row::kClose},
        {"channels", lang_row::kChannelsMenu},
        {"functions", lang_row::kFunctionsMenu},
        {"dtmf", lang_row::kDtmfMenu},
        {"batch", lang_row::kBatchMenu},
        {"language", lang_row::kLanguage},
        {"toolbar", lang_row::kToolbar},
        {"undo", lang_row::kUndo},
        {"redo", lang_row::kRedo},
        {"cut", lang_row::kCut},
        {"copy", lang_row::kCopy},
        {"paste", lang_row::kPaste},
        {"deleteChannels", lang_row::kDeleteChannels},
        {"insertChannel", lang_row::kInsertChannel},
        {"moveUp", lang_row::kMoveUp},
        {"moveDown", lang_row::kMoveDown},
        {"importCsv", lang_row::kImportCsv},
        {"exportCsv", lang_row::kExportCsv},
        {"compareWith", lang_row::kCompareWith},
        {"differences", lang_row::kDifferencesTitle},
        {"noDifferences", lang_row::kNoDifferences},
        {"skipped", lang_row::kSkippedTitle},
        {"channelsImported", lang_row::kChannelsImported},
        {"importPlacement", lang_row::kImportPlacement},
        {"byLocation", lang_row::kByLocation},
        {"fromChannel", lang_row::kFromChannel},
        {"confirmDropLast", lang_row::kConfirmDropLast},
        {"restoreQuestion", lang_row::kRestoreQuestion},
        {"restore", lang_row::kRestoreButton},
        {"discard", lang_row::kDiscardButton},
        {"ok", lang_row::kOk},
        {"cancel", lang_row::kCancel},
        {"rxStart", lang_row::kRxStart},
        {"txStart", lang_row::kTxStart},
        {"stepKhz", lang_row::kStepKhz},
        {"allChannels", lang_row::kAllChannels},
        {"firstChannel", lang_row::kFirstChannel},
        {"lastChannel", lang_row::kLastChannel},
        {"stepUp", lang_row::kStepUp},
        {"stepDown", lang_row::kStepDown},
        {"rxTone", lang_row::kRxTone},
        {"txTone", lang_row::kTxTone},
        {"power", lang_row::kTxPower},
        {"bandwidth", lang_row::kBandwidth},
        {"busyLockout", lang_row::kBusyLockout},
        {"pttId", lang_row::kPttId},
        {"scanAdd", lang_row::kScanAdd},
        {"printHeading", lang_row::kPrintHeading},
        {"optionalFunctions", lang_row::kOptionalFunctions},
        {"channelNumber", lang_row::kChannelNumber},
        {"warning", lang_row::kWarning},
    };
    return texts;
}

}  // namespace radioprog
