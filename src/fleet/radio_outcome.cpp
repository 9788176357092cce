// SPDX-License-Identifier: GPL-3.0-or-later
#include "fleet/radio_outcome.h"

#include "compare/block_text.h"

namespace radioprog {

std::vector<ImageDifference> VerifyDifferences(const RadioImage& sent, const TransferOutcome& outcome,
                                               const LanguageTable& language) {
    if (!outcome.readBack) return {};
    return CompareImages(sent, *outcome.readBack, language);
}

RadioStatus StatusOf(const RadioOutcome& radio) {
    if (!radio.bandRefusal.empty()) return RadioStatus::BandRefused;
    switch (radio.outcome.result) {
    case TransferResult::NoRadio: return RadioStatus::NoRadio;
    case TransferResult::ReadFailed: return RadioStatus::ReadFailed;
    case TransferResult::WriteFailed: return RadioStatus::WriteFailed;
    case TransferResult::ReadDone:
    case TransferResult::WriteDone: return radio.differences.empty() ? RadioStatus::Done : RadioStatus::VerifyDiffers;
    }
    return RadioStatus::WriteFailed;
}

std::string FleetSummaryText(int written, int chosen, int cancelled, const LanguageTable& language) {
    std::string text =
        language.row(lang_row::kRadiosWritten) + " " + std::to_string(written) + "/" + std::to_string(chosen);
    if (cancelled > 0) text += ", " + language.row(lang_row::kCancelled) + ": " + std::to_string(cancelled);
    return text;
}

std::string OutcomeText(const RadioOutcome& radio, const LanguageTable& language) {
    if (radio.cancelled || radio.outcome.cancelled) {
        // Stopped after a unit went out: the radio may hold part of the new memory.
        if (radio.outcome.radioMayHoldMix())
            return language.row(lang_row::kCancelled) + ": " + language.row(lang_row::kMixedMemory) + " " +
                   language.row(lang_row::kWriteAgain);
        return language.row(lang_row::kCancelled);
    }
    const TransferOutcome& outcome = radio.outcome;
    auto at = [&](int row) {
        std::string text = language.row(row);
        if (outcome.failedAddress) text += " " + BlockText(*outcome.failedAddress, outcome.failedSize, language);
        return text;
    };
    switch (StatusOf(radio)) {
    case RadioStatus::Done:
        if (radio.verified) return language.row(lang_row::kWrittenVerified);
        return language.row(outcome.result == TransferResult::ReadDone ? lang_row::kRead : lang_row::kWrite) +
               language.row(lang_row::kCompleted);
    case RadioStatus::NoRadio:
        if (outcome.otherModel) return OtherModelText(*outcome.otherModel, language);
        return language.row(lang_row::kNoRadioFound);
    case RadioStatus::ReadFailed:
        if (outcome.unproven) return at(lang_row::kReadingsDisagree);
        if (outcome.failedAddress) return at(lang_row::kReadFailedAt);
        return language.row(lang_row::kRead) + language.row(lang_row::kFailed);
    case RadioStatus::WriteFailed:
        if (outcome.failedAddress) return at(lang_row::kWriteFailedAt);
        return language.row(lang_row::kWrite) + language.row(lang_row::kFailed);
    case RadioStatus::BandRefused: return language.row(lang_row::kBandRefusedShort) + ": " + radio.bandRefusal;
    case RadioStatus::VerifyDiffers: return language.row(lang_row::kVerifyDiffers);
    }
    return {};
}

}  // namespace radioprog
