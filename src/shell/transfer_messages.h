// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the user reads after a transfer.
#include <string>

#include "link/transfer_reports.h"
#include "model/language_table.h"

namespace radioprog {

// The result dialog's message: row 33 (no radio), 122/123 (read/write) + 31 (failed) or
// 32 (completed); an unknown code gives an empty message.
std::string TransferResultMessage(int resultCode, const LanguageTable& language);

// The same for a whole outcome: a cancelled transfer is "Read" / "Write" + " cancelled"; no radio
// because the one that answered is another model has its own headline.
std::string TransferResultMessage(const TransferOutcome& outcome, const LanguageTable& language);

// A radio of another model answered: "COM1 (/dev/ttyUSB0): A radio answered but it is another
// model: R3M72". The headline of such a result says so, and this is its detail.
std::string OtherModelStatement(const OtherModel& other, const LanguageTable& language);

// The smaller lines under the result: for no radio, what to check and the ports tried (with
// why a port did not open); for a failed or cancelled read, that nothing changed; for a failed
// or cancelled write, whether the radio may now hold a mix of old and new memory. Empty for
// a completed transfer.
std::string TransferResultDetail(const TransferOutcome& outcome, const LanguageTable& language);

// Extra explanation for the user when no radio was found and a port was busy (held by
// another program) or refused access.
std::string PermissionAdvice(const TransferOutcome& outcome, const LanguageTable& language);

}  // namespace radioprog
