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

std::string PermissionAdvice(const TransferOutcome& outcome) {
    if (outcome.result != TransferResult::NoRadio) return {};
    std::string advice;
    if (outcome.busyProblem) {
        const PortProblem& problem = *outcome.busyProblem;
        advice = "COM" + std::to_string(problem.port) + " (" + problem.device +
                 ") is busy: another program is using it. Close that program, then try again.";
    }
    if (outcome.permissionProblem) {
        const PortProblem& problem = *outcome.permissionProblem;
        if (!advice.empty()) advice += " ";
        advice += "COM" + std::to_string(problem.port) + " (" + problem.device +
                  ") could not be opened: permission denied. Add your user to the group that owns the device "
                  "(usually \"dialout\": sudo usermod -aG dialout $USER), then log out and in again.";
    }
    return advice;
}

}  // namespace radioprog
