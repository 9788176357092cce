// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_trace.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace radioprog {

namespace {

std::string Hex(const std::uint8_t* data, std::size_t size) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 3);
    for (std::size_t i = 0; i < size; ++i) {
        text += ' ';
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0xF];
    }
    return text;
}

}  // namespace

std::shared_ptr<TransferTrace> TransferTrace::Open(const std::string& path, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file) {
        if (error) *error = "cannot open the trace file " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::shared_ptr<TransferTrace>(new TransferTrace(file));
}

std::shared_ptr<TransferTrace> TransferTrace::FromEnvironment() {
    const char* path = std::getenv("RADIOPROG_TRACE");
    return path && *path ? Open(path) : nullptr;
}

TransferTrace::TransferTrace(std::FILE* file) : file_(file) {}

TransferTrace::~TransferTrace() { std::fclose(file_); }

void TransferTrace::Line(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    std::fprintf(file_, "%10.3f  %s\n", ms, text.c_str());
    std::fflush(file_);
}

void TransferTrace::Note(const std::string& text) { Line(text); }

void TransferTrace::Sent(const std::uint8_t* data, std::size_t size) { Line(">" + Hex(data, size)); }

void TransferTrace::Received(const std::uint8_t* data, std::size_t size, std::size_t wanted) {
    if (size == 0) {
        Line("<  (nothing within the timeout; " + std::to_string(wanted) + (wanted == 1 ? " byte" : " bytes") +
             " wanted)");
        return;
    }
    std::string line = "<" + Hex(data, size);
    if (size < wanted) line += "  (timeout: " + std::to_string(size) + " of " + std::to_string(wanted) + " bytes)";
    Line(line);
}

}  // namespace radioprog
