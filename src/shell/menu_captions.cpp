#include "shell/menu_captions.h"

#include <algorithm>
#include <iterator>

#include "shell/commands.h"

namespace radioprog {

const std::vector<MenuCaption>& MenuCaptions() {
    using namespace command;
    static const std::vector<MenuCaption> captions = {
        {0, 0, 91, "&File"},
        {-1, kFileNew, 92, "&New\tCtrl+N"},
        {-1, kFileClose, 93, "&Close"},
        {-1, kFileSave, 94, "&Save\tCtrl+S"},
        {-1, kFileSaveAs, lang_row::kSaveAs, ""},
        {-1, kRecentFiles, lang_row::kRecentFiles, ""},
        {-1, kFileOpen, 95, "&Open...\tCtrl+O"},
        {-1, kFilePrint, 96, "&Print...\tCtrl+P"},
        {-1, kFilePrintPreview, lang_row::kPrintPreview, ""},
        {-1, kImportCsv, lang_row::kImportCsv, ""},
        {-1, kExportCsv, lang_row::kExportCsv, ""},
        {-1, kCompareWith, lang_row::kCompareWith, ""},
        {-1, kExit, 97, "E&xit"},
        {1, 0, 98, "&Program"},
        {-1, kReadRadio, 99, "&Read from Radio"},
        {-1, kWriteRadio, 100, "&Write to Radio"},
        {-1, kWriteSeveral, lang_row::kWriteSeveral, ""},
        {-1, kVerifyTransfers, lang_row::kVerifyTransfers, ""},
        {-1, kCancelTransfer, lang_row::kCancelTransfer, ""},
        {2, 0, 101, "&Edit"},
        {-1, kChannelEditor, lang_row::kChannelsMenu, ""},
        {-1, kFunctionsEditor, lang_row::kFunctionsMenu, ""},
        {-1, kBatchChannels, lang_row::kBatchMenu, ""},
        {-1, kDtmfEditor, lang_row::kDtmfMenu, ""},
        {-1, kEditUndo, lang_row::kUndo, ""},
        {-1, kEditRedo, lang_row::kRedo, ""},
        {-1, kEditCut, lang_row::kCut, ""},
        {-1, kEditCopy, lang_row::kCopy, ""},
        {-1, kEditPaste, lang_row::kPaste, ""},
        {-1, kDeleteChannels, lang_row::kDeleteChannels, ""},
        {-1, kInsertChannel, lang_row::kInsertChannel, ""},
        {-1, kMoveChannelsUp, lang_row::kMoveUp, ""},
        {-1, kMoveChannelsDown, lang_row::kMoveDown, ""},
        {3, kPortSelect, 102, "P&ort"},
        {4, 0, 103, "&View"},
        {-1, kViewToolbar, 104, "&Toolbar"},
        {-1, kViewStatusBar, 105, "&Status Bar"},
        {5, 0, 106, "&Window"},
        {-1, kWindowCascade, 107, "&Cascade"},
        {-1, kWindowTile, 108, "&Tile"},
        {-1, kWindowArrange, 109, "&Arrange Icons"},
        {6, kLanguage, 112, "&Language"},
        {7, 0, 110, "&Help"},
        {-1, kAbout, 111, "&About radioprog..."},
    };
    return captions;
}

std::string MenuCaptionText(const MenuCaption& entry, const LanguageTable& language) {
    if (entry.row < 0) return entry.fixedCaption;
    const std::string& text = language.row(entry.row);
    return text.empty() ? std::string(entry.fixedCaption) : text;
}

std::string TitleCaption(const std::string& caption) {
    // "关于 radioprog(&A)..." becomes "关于 radioprog": a "(&A)" goes whole, not just its "&".
    std::string text = caption.substr(0, caption.find('\t'));
    for (std::size_t at = text.find("(&"); at != std::string::npos; at = text.find("(&", at)) {
        if (at + 3 < text.size() && text[at + 3] == ')')
            text.erase(at, 4);
        else
            at += 2;
    }
    return PlainCaption(text);
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
    // The commands whose toolbar button shows a tip; About's shows none.
    static constexpr int kTipped[] = {kFileNew, kFileOpen, kFileSave, kFilePrint, kReadRadio, kWriteRadio, kPortSelect};
    if (std::find(std::begin(kTipped), std::end(kTipped), commandId) == std::end(kTipped)) return {};
    for (const MenuCaption& entry : MenuCaptions()) {
        if (entry.command != commandId) continue;
        return PlainMenuText(MenuCaptionText(entry, language));
    }
    return {};
}

}  // namespace radioprog
