// Sets or removes environment variables for one test and restores them afterwards.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "test_platform.h"

class EnvGuard {
public:
    EnvGuard() = default;
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            testsupport::SetEnv(it->first, it->second);
    }

    // Sets `name`, or removes it when `value` is null.
    void Put(const std::string& name, const char* value) {
        saved_.emplace_back(name, testsupport::GetEnv(name));
        testsupport::SetEnv(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    void Set(const std::string& name, const std::string& value) { Put(name, value.c_str()); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
