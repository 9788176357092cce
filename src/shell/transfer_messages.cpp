#include "shell/transfer_messages.h"

namespace radioprog {

std::string TransferResultMessage(int resultCode, const LanguageTable& language) {
    switch (resultCode) {
        case 0: return language.row(33);
        case 1: return language.row(122) + language.row(31);
        case 2: return language.row(123) + language.row(31);
        case 3: return language.row(122) + language.row(32);
        case 4: return language.row(123) + language.row(32);
        default: return {};
    }
}

std::string PermissionAdvice(const TransferOutcome& outcome, const LanguageTable& language) {
    if (outcome.result != TransferResult::NoRadio) return {};
    auto port = [](const PortProblem& problem) {
        return "COM" + std::to_string(problem.port) + " (" + problem.device + ") ";
    };
    std::string advice;
    if (outcome.busyProblem)
        advice = port(*outcome.busyProblem) + language.row(lang_row::kPortBusy) + "\n" + language.row(lang_row::kCloseOtherProgram);
    if (outcome.permissionProblem) {
        if (!advice.empty()) advice += "\n";
        advice += port(*outcome.permissionProblem) + language.row(lang_row::kPermissionDenied) + "\n" +
                  language.row(lang_row::kPermissionGroup) + "\n" + language.row(lang_row::kPermissionLogIn) +
                  "\nsudo usermod -aG dialout $USER";
    }
    return advice;
}

}  // namespace radioprog
