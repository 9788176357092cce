// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/transfer_messages.h"

#include <cerrno>

#include "link/port_map.h"
#include "link/port_trouble.h"
#include "model/extra_rows.h"

namespace radioprog {

std::string TransferResultMessage(int resultCode, const LanguageTable& language) {
    switch (resultCode) {
    case 0: return language.row(lang_row::kNoRadioFound);
    case 1: return language.row(lang_row::kRead) + language.row(lang_row::kFailed);
    case 2: return language.row(lang_row::kWrite) + language.row(lang_row::kFailed);
    case 3: return language.row(lang_row::kRead) + language.row(lang_row::kCompleted);
    case 4: return language.row(lang_row::kWrite) + language.row(lang_row::kCompleted);
    default: return {};
    }
}

std::string TransferResultMessage(const TransferOutcome& outcome, const LanguageTable& language) {
    const int code = static_cast<int>(outcome.result);
    if (!outcome.cancelled && outcome.result == TransferResult::NoRadio && outcome.otherModel)
        return language.row(lang_row::kOtherModelFound);
    if (!outcome.cancelled) return TransferResultMessage(code, language);
    return language.row(outcome.result == TransferResult::ReadFailed ? lang_row::kRead : lang_row::kWrite) +
           language.row(lang_row::kTransferCancelled);
}

namespace {

std::string NoRadioDetail(const TransferOutcome& outcome, const LanguageTable& language) {
    using namespace lang_row;
    // A radio that answered as another model is the whole answer: the cable, the power and the
    // port are right, and the scan stopped there.
    if (outcome.otherModel) return OtherModelStatement(*outcome.otherModel, language);
    std::string detail = language.row(kPleaseCheck);
    for (int row : {kCheckCable, kCheckPower, kCheckPort}) detail += "\n\u2022 " + language.row(row);
    if (outcome.portsTried.empty()) return detail + "\n" + language.row(kNoPortFound);
    detail += "\n" + language.row(kPortsTried);
    for (const PortProblem& port : outcome.portsTried)
        detail += "\n\u2022 " + PortMap::name(port.port) + " (" + port.device +
                  "): " + (port.reason.empty() ? language.row(kNoAnswer) : port.reason);
    return detail;
}

}  // namespace

std::string OtherModelStatement(const OtherModel& other, const LanguageTable& language) {
    return PortMap::name(other.port) + " (" + other.device + "): " + OtherModelText(other, language);
}

std::string TransferResultDetail(const TransferOutcome& outcome, const LanguageTable& language) {
    using namespace lang_row;
    switch (outcome.result) {
    case TransferResult::NoRadio: return NoRadioDetail(outcome, language);
    case TransferResult::ReadFailed: return language.row(kNothingChanged);
    case TransferResult::WriteFailed:
        return outcome.radioMayHoldMix() ? language.row(kMixedMemory) + "\n" + language.row(kWriteAgain)
                                         : language.row(kNothingWritten);
    case TransferResult::ReadDone:
    case TransferResult::WriteDone: return {};
    }
    return {};
}

std::string PermissionAdvice(const TransferOutcome& outcome, const LanguageTable& language) {
    if (outcome.result != TransferResult::NoRadio) return {};
    auto port = [](const PortProblem& problem) {
        return "COM" + std::to_string(problem.port) + " (" + problem.device + ") ";
    };
    // What the system tells about the device: the program holding it, the access missing.
    auto precise = [&](const PortProblem& problem, int error) {
        const PortTrouble trouble = DiagnosePort(ReadPortInfo(problem.device), error, {}, UserFacts::current());
        std::string lines;
        if (trouble.kind == PortTroubleKind::Other) return lines;
        for (const std::string& line : ExplainPortTrouble(trouble, language)) lines += "\n" + line;
        return lines;
    };
    std::string advice;
    if (outcome.busyProblem) {
        std::string lines = precise(*outcome.busyProblem, EBUSY);
        advice = port(*outcome.busyProblem) + language.row(lang_row::kPortBusy) +
                 (lines.empty() ? "\n" + language.row(lang_row::kCloseOtherProgram) : lines);
    }
    if (outcome.permissionProblem) {
        if (!advice.empty()) advice += "\n";
        std::string lines = precise(*outcome.permissionProblem, EACCES);
        advice += port(*outcome.permissionProblem) + language.row(lang_row::kPermissionDenied) +
                  (lines.empty() ? "\n" + language.row(lang_row::kPermissionGroup) + "\n" +
                                       language.row(lang_row::kPermissionLogIn) + "\nsudo usermod -aG dialout $USER"
                                 : lines);
    }
    return advice;
}

}  // namespace radioprog
