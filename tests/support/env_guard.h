// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets (or, with nullptr, removes) an environment variable for a test's lifetime.
#include <cstdlib>
#include <optional>
#include <string>

namespace radioprog::test {

class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvGuard() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace radioprog::test
