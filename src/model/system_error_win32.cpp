// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/system_error_win32.h"

#include <windows.h>

namespace radioprog {

std::string SystemErrorText(unsigned long code) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length > 0 && text ? std::string(text, length) : "error " + std::to_string(code);
    if (text) ::LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

}  // namespace radioprog
