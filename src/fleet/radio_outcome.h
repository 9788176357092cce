// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a write to one radio ended, in the terms the user sees: a status numbered as
// radioprog-cli's exit codes, and one line of text saying what happened.
#include <string>
#include <vector>

#include "compare/image_diff.h"
#include "link/transfer_reports.h"
#include "model/language_table.h"

namespace radioprog {

// Numbered as radioprog-cli's exit codes; a higher number is the worse news.
enum class RadioStatus : int {
    Done = 0,
    NoRadio = 3,
    ReadFailed = 4,
    WriteFailed = 5,
    BandRefused = 6,
    VerifyDiffers = 7,
};

struct RadioOutcome {
    int port = 0;  // 1..20 (COMn)
    TransferOutcome outcome;
    std::string bandRefusal;                   // not empty: refused by the band check
    bool cancelled = false;                    // stopped by the user (outcome.unitsWritten says how far)
    bool verified = false;                     // the write was read back
    std::vector<ImageDifference> differences;  // verified write: what the radio did not store
};

// The differences between the image sent and what a verified write read back (none when
// the outcome carries no read-back).
std::vector<ImageDifference> VerifyDifferences(const RadioImage& sent, const TransferOutcome& outcome,
                                               const LanguageTable& language);

RadioStatus StatusOf(const RadioOutcome& radio);

// The summary under several radios: "Radios written: 2/3", and ", Cancelled: 1" when the
// user stopped some.
std::string FleetSummaryText(int written, int chosen, int cancelled, const LanguageTable& language);

// "Write failed at CH 40", "Written and verified", "No radio found", ...; for differences
// the first line only says so (list them with DifferenceText).
std::string OutcomeText(const RadioOutcome& radio, const LanguageTable& language);

}  // namespace radioprog
