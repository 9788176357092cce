// SPDX-License-Identifier: GPL-3.0-or-later
// Interface texts decided in the core: menu captions (with the built-in English a start
// without a language file shows), window titles made from captions, toolbar tips, file and
// permission messages, and the locale of Qt's own texts per language column.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "model/dat_file.h"
#include "shell/command_table.h"
#include "shell/file_messages.h"
#include "shell/interface_locale.h"
#include "shell/menu_captions.h"
#include "shell/transfer_messages.h"

namespace radioprog {
namespace {

TEST(MenuCaptions, WithoutALanguageFileEveryEntryHasAnEnglishCaptionWithAnAccelerator) {
    const LanguageTable none;  // rows 0..193 empty, as before any file was read
    for (const MenuEntry& entry : MenuLayout()) {
        if (entry.kind == EntryKind::Separator) continue;
        const std::string caption = CaptionText(entry, none);
        EXPECT_NE(caption.find('&'), std::string::npos) << "row " << entry.row << ": " << caption;
    }
    LanguageTable loaded;
    loaded.rows[lang_row::kFileMenu] = "文件(&F)";
    EXPECT_EQ(CaptionText(MenuBarEntry(Menu::File), loaded), "文件(&F)");
    EXPECT_EQ(CaptionText(MenuBarEntry(Menu::File), none), "&File");
}

TEST(MenuCaptions, TitlesDropTheAcceleratorKeyNameAndDots) {
    struct Case {
        const char* caption;
        const char* title;
    };
    for (const Case& c :
         {Case{"关于 radioprog(&A)...", "关于 radioprog"}, Case{"&About radioprog...", "About radioprog"},
          Case{"语言(&L)", "语言"}, Case{"&Language", "Language"}, Case{"新建(&N)\tCtrl+N", "新建"},
          Case{"Step (kHz)", "Step (kHz)"}, Case{"A && B(&", "A & B(&"}, Case{"", ""}})
        EXPECT_EQ(TitleCaption(c.caption), c.title) << c.caption;
}

TEST(ToolTips, FollowTheCaptionsAndFallBackToEnglish) {
    LanguageTable language;
    EXPECT_EQ(ToolTipText(Command::FileNew, language), "New");
    EXPECT_EQ(ToolTipText(Command::PortSelect, language), "Port");
    language.rows[lang_row::kNew] = "新建(&N)\tCtrl+N";
    language.rows[lang_row::kPort] = "端口选择(&O)";
    EXPECT_EQ(ToolTipText(Command::FileNew, language), "新建");
    EXPECT_EQ(ToolTipText(Command::PortSelect, language), "端口选择");
    EXPECT_EQ(ToolTipText(Command::About, language), "About radioprog");
    EXPECT_EQ(ToolTipText(Command::FunctionsEditor, language), "");
}

TEST(FileMessages, NameTheFileAndTheSystemsReason) {
    const LanguageTable language;  // built-in English
    EXPECT_EQ(DatOpenFailure("/x/short.dat", FileResult{false, "too short", 0}, language),
              "The file is not a radio image\n/x/short.dat");
    EXPECT_EQ(DatOpenFailure("/x/gone.dat", FileResult{false, "gone", ENOENT}, language),
              "Cannot read the file\n/x/gone.dat\n" + std::string(std::strerror(ENOENT)));
    EXPECT_EQ(SaveFailure("/ro/a.dat", FileResult{false, "no", EACCES}, language),
              "Cannot write the file\n/ro/a.dat\n" + std::string(std::strerror(EACCES)));
    EXPECT_EQ(ReplaceQuestion("/x/a.dat", language), "The file already exists. Replace it?\n/x/a.dat");
    EXPECT_EQ(NoLanguageFileNotice(language).rfind("No language file (lang.csv) was found. Looked in:\n", 0), 0u);
}

TEST(FileMessages, AFileRefusedBeforeReadingSaysWhyInTheUsersLanguage) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("refused-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string fifo = (dir / "pipe.dat").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    RadioImage image;
    LanguageTable chinese;
    chinese.rows[lang_row::kNotRegularFile] = "这不是普通文件，未读取：";
    EXPECT_EQ(DatOpenFailure(fifo, OpenDatFile(fifo, image), chinese), "这不是普通文件，未读取：\n" + fifo);
    EXPECT_EQ(DatOpenFailure(dir.string(), OpenDatFile(dir.string(), image), LanguageTable{}),
              "This is not a regular file and is not read:\n" + dir.string());
    EXPECT_EQ(ReadFailureText("/x/big.csv", ReadFailure::TooLarge, 0, LanguageTable{}),
              "This file is larger than 16 MB and is not read:\n/x/big.csv");
    EXPECT_EQ(ReadFailureText("/x/a.csv", ReadFailure::NoMemory, 0, LanguageTable{}),
              "There is not enough memory to read this file:\n/x/a.csv");
    std::filesystem::remove_all(dir);
}

TEST(PermissionAdvice, NamesThePortAndDeviceInTheUsersLanguage) {
    TransferOutcome outcome;
    outcome.result = TransferResult::NoRadio;
    EXPECT_EQ(PermissionAdvice(outcome, LanguageTable{}), "");
    PortProblem refused;
    refused.port = 3;
    refused.device = "/dev/ttyUSB0";
    refused.permissionDenied = true;
    outcome.permissionProblem = refused;
    LanguageTable language;
    language.rows[static_cast<std::size_t>(lang_row::kPermissionDenied)] = "无法打开：没有权限。";
    const std::string advice = PermissionAdvice(outcome, language);
    EXPECT_EQ(advice.rfind("COM3 (/dev/ttyUSB0) 无法打开：没有权限。\n", 0), 0u) << advice;
    EXPECT_NE(advice.find("sudo usermod -aG dialout $USER"), std::string::npos);
    PortProblem held;
    held.port = 2;
    held.device = "/dev/ttyUSB1";
    outcome.busyProblem = held;
    language.rows[static_cast<std::size_t>(lang_row::kPortBusy)] = "正忙：另一个程序正在使用。";
    const std::string both = PermissionAdvice(outcome, language);
    EXPECT_EQ(both.rfind("COM2 (/dev/ttyUSB1) 正忙：另一个程序正在使用。\n", 0), 0u) << both;
    EXPECT_NE(both.find("\nCOM3 (/dev/ttyUSB0) 无法打开：没有权限。\n"), std::string::npos) << both;
    outcome.result = TransferResult::ReadFailed;
    EXPECT_EQ(PermissionAdvice(outcome, language), "");
}

// A radio of another model is one statement under its own headline: no cable advice, and its
// port is not listed again as a port without an answer.
TEST(NoRadioDetail, ARadioOfAnotherModelIsOneStatementUnderItsOwnHeadline) {
    TransferOutcome outcome;
    outcome.result = TransferResult::NoRadio;
    outcome.portsTried = {{1, "/dev/ttyS0", "", false, false}, {2, "/dev/ttyUSB1", "", false, false}};
    LanguageTable language;
    language.rows[static_cast<std::size_t>(lang_row::kOtherModelAnswered)] = "有对讲机应答，但不是本软件支持的型号：";
    language.rows[static_cast<std::size_t>(lang_row::kAnsweredNotAsThisRadio)] = "有设备应答，但应答方式不是本对讲机的";
    language.rows[static_cast<std::size_t>(lang_row::kOtherModelFound)] = "应答的是其他型号的对讲机";
    EXPECT_EQ(TransferResultMessage(outcome, language), language.row(lang_row::kNoRadioFound));
    EXPECT_NE(TransferResultDetail(outcome, language).find(language.row(lang_row::kNoAnswer)), std::string::npos);

    const struct {
        const char* model;
        std::string detail;
    } cases[] = {
        {"R3M72", "COM2 (/dev/ttyUSB1): 有对讲机应答，但不是本软件支持的型号： R3M72"},
        {"", "COM2 (/dev/ttyUSB1): 有设备应答，但应答方式不是本对讲机的"},  // a name that cannot be shown
    };
    for (const auto& c : cases) {
        outcome.otherModel = OtherModel{2, "/dev/ttyUSB1", c.model};
        EXPECT_EQ(TransferResultMessage(outcome, language), "应答的是其他型号的对讲机") << c.model;
        EXPECT_EQ(TransferResultDetail(outcome, language), c.detail) << c.model;
    }
    outcome.cancelled = true;
    outcome.result = TransferResult::ReadFailed;
    EXPECT_EQ(TransferResultMessage(outcome, language),
              language.row(lang_row::kRead) + language.row(lang_row::kTransferCancelled));
}

// The radio may store a unit it never acknowledged: once one went out, a failed write may
// have left a mix.
TEST(WriteFailedDetail, AMixOnceAUnitWentOutNothingWrittenBefore) {
    LanguageTable language;
    language.rows[static_cast<std::size_t>(lang_row::kMixedMemory)] = "mix";
    language.rows[static_cast<std::size_t>(lang_row::kWriteAgain)] = "again";
    language.rows[static_cast<std::size_t>(lang_row::kNothingWritten)] = "nothing";
    TransferOutcome outcome;
    outcome.result = TransferResult::WriteFailed;
    EXPECT_EQ(TransferResultDetail(outcome, language), "nothing");
    outcome.unitsSent = 1;  // sent, never acknowledged
    EXPECT_EQ(TransferResultDetail(outcome, language), "mix\nagain");
    outcome.cancelled = true;
    EXPECT_EQ(TransferResultDetail(outcome, language), "mix\nagain");
}

TEST(InterfaceLocale, ChineseColumnsGetQtsChineseTexts) {
    EXPECT_EQ(InterfaceLocale(0), "zh_CN");
    EXPECT_EQ(InterfaceLocale(1), "zh_TW");
    EXPECT_EQ(InterfaceLocale(2), "");
    EXPECT_EQ(InterfaceLocale(-1), "");
    EXPECT_EQ(InterfaceLocale(31), "");
}

TEST(InterfaceLocale, AFirstStartShowsTheLocalesLanguageWhereTheFileHasIt) {
    struct Case {
        LocaleEnvironment environment;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        int columnCount;
        int column;
    };
    const Case cases[] = {
        {{"", "", "", "zh_CN.UTF-8"}, 3, 0},
        {{"", "", "", "zh_SG.UTF-8"}, 3, 0},
        {{"", "", "", "zh_TW.UTF-8"}, 3, 1},
        {{"", "", "", "zh_HK.UTF-8"}, 3, 1},
        {{"", "", "", "zh_TW.Big5"}, 3, 1},
        {{"", "", "", "en_GB.UTF-8"}, 3, 2},
        {{"", "", "", "de_DE.UTF-8"}, 3, 2},
        {{"", "", "", ""}, 3, 2},
        {{"", "", "", "C.UTF-8"}, 3, 2},
        // LC_ALL, then LC_MESSAGES, come before LANG.
        {{"", "zh_TW.UTF-8", "en_US.UTF-8", "zh_CN.UTF-8"}, 3, 1},
        {{"", "", "zh_HK.UTF-8", "en_US.UTF-8"}, 3, 1},
        {{"", "", "en_US.UTF-8", "zh_CN.UTF-8"}, 3, 2},
        // LANGUAGE's first language the file has wins, but not in the C locale.
        {{"de:zh_TW:zh_CN", "", "", "en_US.UTF-8"}, 3, 1},
        {{"zh_CN", "", "", "zh_TW.UTF-8"}, 3, 0},
        {{"en:zh_CN", "", "", "zh_CN.UTF-8"}, 3, 2},
        {{"zh_Hant", "", "", "de_DE.UTF-8"}, 3, 1},
        {{"zh_CN", "C", "", "zh_TW.UTF-8"}, 3, 2},
        {{"zh_CN", "", "", ""}, 3, 2},
        // A language file without the column keeps the default.
        {{"", "", "", "zh_TW.UTF-8"}, 1, 2},
        {{"zh_TW:zh_CN", "", "", "zh_TW.UTF-8"}, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StartLanguageIndex(c.environment, c.columnCount), c.column)
            << "LANGUAGE=" << c.environment.language << " LC_ALL=" << c.environment.lcAll
            << " LC_MESSAGES=" << c.environment.lcMessages << " LANG=" << c.environment.lang << ", " << c.columnCount
            << " columns";
}

}  // namespace
}  // namespace radioprog
