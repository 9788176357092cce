// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waits for a condition that another thread or process brings about, instead of sleeping a
// fixed time: the check is repeated until it holds or a generous deadline passes, so a test is
// as fast as the machine and still passes on a loaded one. (Widget tests use QTRY_VERIFY.)
#include <chrono>
#include <thread>

namespace radioprog::test {

// True as soon as condition() holds; false when it still does not after timeout.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace radioprog::test
