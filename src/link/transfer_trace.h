// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A log of every byte exchanged with the radio, for diagnosing cables and radios: one line per
// write or read, with the time since the trace began, the direction and the bytes in hex.
//
//      0.000  COM1 /dev/ttyUSB0 opened
//    200.412  >  50 71 57 6D 5A 74 35 56 02
//    203.118  <  06
//   1203.551  <  (nothing within the timeout; 1 byte wanted)
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace radioprog {

class TransferTrace {
public:
    // Appends to the regular file at path (created when missing); nullptr (and the reason in
    // error) when it cannot be opened or is not a regular file. A FIFO or a device is refused
    // without waiting for a reader.
    static std::shared_ptr<TransferTrace> open(const std::string& path, std::string* error = nullptr);
    // The trace named by the RADIOPROG_TRACE environment variable, or nullptr.
    static std::shared_ptr<TransferTrace> fromEnvironment();

    ~TransferTrace();
    TransferTrace(const TransferTrace&) = delete;
    TransferTrace& operator=(const TransferTrace&) = delete;

    void note(const std::string& text);
    void sent(const std::uint8_t* data, std::size_t size);
    // A read of wanted bytes that returned size of them.
    void received(const std::uint8_t* data, std::size_t size, std::size_t wanted);

    // Empty while every line was written; else why the first line that failed was lost
    // ("cannot write the trace file PATH: No space left on device"). The transfer goes on.
    std::string writeError() const;

private:
    TransferTrace(std::FILE* file, std::string path);
    void writeLine(const std::string& text);

    mutable std::mutex mutex_;
    std::FILE* file_;
    std::string path_;
    std::string writeError_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace radioprog
