// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/proof_commands.h"

#include <QAction>

#include "fleet/radio_outcome.h"
#include "link/comm_task.h"
#include "shell/gui/compare_dialog.h"
#include "shell/gui/fleet_write_dialog.h"
#include "shell/gui/main_frame.h"
#include "ui/text.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace {

bool VerifyChosen(const CMainFrame& frame) {
    QAction* verify = frame.action(Command::VerifyTransfers);
    return verify && verify->isChecked();
}

void OpenSeveralRadios(CMainFrame& frame) {
    if (auto* open = frame.findChild<FleetWriteDialog*>()) {
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    if (frame.transferRunning() || frame.job().IsBusy()) return;
    // Cables come and go: the COM numbers are those of the devices present now.
    frame.job().setPorts(PortMap::fromEnvironment());
    auto document = [&frame]() -> std::optional<RadioImage> {
        if (frame.transferRunning() || frame.job().IsBusy()) return std::nullopt;
        frame.flushEditors();
        if (!frame.confirmRecordAddresses()) return std::nullopt;
        return frame.image();
    };
    auto* dialog = new FleetWriteDialog(frame.language(), frame.job().ports(),
                                        SurveyPortChoices(frame.job().ports(), frame.language()), document,
                                        VerifyChosen(frame), &frame);
    dialog->followCables([&frame] {
        PortMap ports = PortMap::fromEnvironment();
        return std::make_pair(ports, SurveyPortChoices(ports, frame.language()));
    });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void CompareWith(CMainFrame& frame) {
    if (frame.transferRunning() || frame.job().IsBusy() || SeveralRadiosRunning(frame)) return;
    frame.flushEditors();
    CompareDialog dialog(frame.language(), QString(), &frame);
    dialog.offerSources([&frame] { return frame.image(); }, frame.job().ports());
    RunModal(dialog);
}

}  // namespace

void RunProofCommand(CMainFrame& frame, Command command) {
    if (command == Command::WriteSeveral) OpenSeveralRadios(frame);
    if (command == Command::CompareWith) CompareWith(frame);
}

bool SeveralRadiosRunning(const CMainFrame& frame) {
    auto* dialog = frame.findChild<FleetWriteDialog*>();
    return dialog && dialog->running();
}

bool ShowVerifyDifferences(CMainFrame& frame, const RadioImage& sent, const TransferOutcome& outcome) {
    std::vector<ImageDifference> differences = VerifyDifferences(sent, outcome, frame.language());
    if (differences.empty()) return false;
    CompareDialog dialog(frame.language(), Q(frame.language().row(lang_row::kVerifyDiffers)), &frame);
    QStringList lines;
    for (const ImageDifference& difference : differences) lines << Q(DifferenceText(difference, frame.language()));
    dialog.showLines(lines);
    RunModal(dialog);
    return true;
}

}  // namespace radioprog
