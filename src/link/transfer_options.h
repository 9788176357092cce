// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a transfer job runs beyond the ordinary sequence: on one given port without a scan
// (several radios at once, one job per port), and whether it proves what it moved.
#include <optional>

namespace radioprog {

struct TransferOptions {
    // Only this port (1..20), entered with the configured port's mode-entry retries; no scan.
    std::optional<int> onlyPort;
    // Read: every block is read twice; a block whose readings differ is read a third time
    // and the reading that two of the three agree on is kept, else the read fails.
    // Write: after the last unit every written block is read back (TransferOutcome::readBack).
    bool verify = false;

    bool operator==(const TransferOptions&) const = default;
};

}  // namespace radioprog
