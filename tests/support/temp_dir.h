// A fresh folder under the system's temporary folder, removed with its contents at the end.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "test_platform.h"

class TempDir {
public:
    TempDir()
        : path_(testsupport::MakeUniqueFolder(std::filesystem::temp_directory_path(),
                                              "host_tests.")) {}
    ~TempDir() {
        std::error_code ignored;  // best effort: a leftover folder must not fail the test run
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` (UTF-8) in the folder, as UTF-8.
    std::string File(const std::string& name) const {
        return testsupport::Utf8(path_ / testsupport::PathOf(name));
    }

private:
    std::filesystem::path path_;
};
