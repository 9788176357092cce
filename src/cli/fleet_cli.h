// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// radioprog-cli write's options for proving a write and for several radios at once.
#include <string>
#include <vector>

#include "cli/transfer_cli.h"
#include "model/radio_image.h"

namespace radioprog::cli {

struct WriteExtras {
    bool verify = false;     // --verify
    bool all = false;        // --all
    std::vector<int> ports;  // --port 1,2,3 (a list: several radios, no scan)
    bool several() const { return all || !ports.empty(); }
};

// Reads --verify, --all and a --port list (a value with a comma); ParseTransferArgs reads the
// rest. Prints the usage error and returns kExitUsage when wrong.
int TakeWriteExtras(const cmdline::Arguments& args, WriteExtras& extras);

// Writes image to every port of extras in parallel, one line per radio as it ends and a
// summary; returns the highest single-radio exit code (0 when all succeeded).
int WriteSeveral(const TransferArgs& args, const WriteExtras& extras, const RadioImage& image);

}  // namespace radioprog::cli
