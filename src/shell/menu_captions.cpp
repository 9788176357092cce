#include "shell/menu_captions.h"

#include "shell/commands.h"

namespace radioprog {

const std::vector<MenuCaption>& MenuCaptions() {
    using namespace command;
    static const std::vector<MenuCaption> captions = {
        {0, 0, 91, ""},
        {-1, kFileNew, 92, ""},
        {-1, kFileClose, 93, ""},
        {-1, kFileSave, 94, ""},
        {-1, kFileSaveAs, lang_row::kSaveAs, ""},
        {-1, kRecentFiles, lang_row::kRecentFiles, ""},
        {-1, kFileOpen, 95, ""},
        {-1, kFilePrint, 96, ""},
        {-1, kImportCsv, lang_row::kImportCsv, ""},
        {-1, kExportCsv, lang_row::kExportCsv, ""},
        {-1, kCompareWith, lang_row::kCompareWith, ""},
        {-1, kExit, 97, ""},
        {1, 0, 98, ""},
        {-1, kReadRadio, 99, ""},
        {-1, kWriteRadio, 100, ""},
        {-1, kWriteSeveral, lang_row::kWriteSeveral, ""},
        {-1, kVerifyTransfers, lang_row::kVerifyTransfers, ""},
        {2, 0, 101, ""},
        {-1, kChannelEditor, 1, ""},
        {-1, kFunctionsEditor, 27, ""},
        {-1, kBatchChannels, 142, ""},
        {-1, kDtmfEditor, -1, "DTMF"},
        {-1, kEditUndo, lang_row::kUndo, ""},
        {-1, kEditRedo, lang_row::kRedo, ""},
        {-1, kEditCut, lang_row::kCut, ""},
        {-1, kEditCopy, lang_row::kCopy, ""},
        {-1, kEditPaste, lang_row::kPaste, ""},
        {-1, kDeleteChannels, lang_row::kDeleteChannels, ""},
        {-1, kInsertChannel, lang_row::kInsertChannel, ""},
        {-1, kMoveChannelsUp, lang_row::kMoveUp, ""},
        {-1, kMoveChannelsDown, lang_row::kMoveDown, ""},
        {3, kPortSelect, 102, ""},
        {4, 0, 103, ""},
        {-1, kViewToolbar, 104, ""},
        {-1, kViewStatusBar, 105, ""},
        {5, 0, 106, ""},
        {-1, kWindowCascade, 107, ""},
        {-1, kWindowTile, 108, ""},
        {-1, kWindowArrange, 109, ""},
        {6, kLanguage, 112, ""},
        {7, 0, 110, ""},
        {-1, kAbout, 111, ""},
    };
    return captions;
}

std::string MenuCaptionText(const MenuCaption& entry, const LanguageTable& language) {
    return entry.row < 0 ? std::string(entry.fixedCaption) : language.row(entry.row);
}

std::string PlainCaption(const std::string& caption) {
    std::string plain;
    std::string visible = caption.substr(0, caption.find('\t'));
    for (std::size_t i = 0; i < visible.size(); ++i) {
        if (visible[i] == '&' && i + 1 < visible.size()) ++i;  // "&&" shows one "&"
        plain += visible[i];
    }
    while (!plain.empty() && (plain.back() == '.' || plain.back() == ' ')) plain.pop_back();
    return plain;
}

std::string PlainMenuText(const std::string& text) { return PlainCaption(text.substr(0, text.find('('))); }

std::string ToolTipText(int commandId, const LanguageTable& language) {
    using namespace command;
    struct Tip {
        int command;
        int row;
    };
    static constexpr Tip kTips[] = {{kFileNew, 92},   {kFileOpen, 95},   {kFileSave, 94},  {kFilePrint, 96},
                                    {kReadRadio, 99}, {kWriteRadio, 100}, {kPortSelect, 102}};
    for (const Tip& tip : kTips) {
        if (tip.command != commandId) continue;
        return PlainMenuText(language.row(tip.row));
    }
    return {};
}

}  // namespace radioprog
