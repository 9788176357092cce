// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the flag alone tells: the serial line waits in short slices and looks at it
// after each (wakeFd() stays -1).
#include "link/transfer_cancel.h"

namespace radioprog {

TransferCancel::TransferCancel() = default;

TransferCancel::~TransferCancel() = default;

void TransferCancel::request() { requested_.store(true, std::memory_order_release); }

void TransferCancel::reset() { requested_.store(false, std::memory_order_release); }

}  // namespace radioprog
