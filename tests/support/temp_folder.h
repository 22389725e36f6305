// Folders of one test (or one fuzzing process) under the system's temporary folder, removed with
// everything in them at the end.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace testsupport {

class TempFolder {
public:
    // The folder's name starts with `prefix`, so that a leftover one tells whose it was.
    explicit TempFolder(const std::string& prefix = "skp_test_");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` (UTF-8, may hold subfolders) in the folder, as UTF-8.
    std::string File(const std::string& name) const;
    // Writes `bytes` as the file `name`, making its subfolders; answers File(name). Throws when
    // the file cannot be written, so that no test goes on with half an input.
    std::string Write(const std::string& name, std::string_view bytes) const;
    // The bytes of the file `name`; throws when it cannot be read.
    std::string Read(const std::string& name) const;
    // Removes everything inside the folder, keeping the folder.
    void Empty() const;

private:
    std::filesystem::path path_;
};

// A TempFolder that is also the system's temporary folder while it lives (TMPDIR, TMP on
// Windows), so that what the code under test writes there (exported textures) lands in it and
// goes with it. The variable's former value is restored at the end.
class SystemTempFolder : public TempFolder {
public:
    explicit SystemTempFolder(const std::string& prefix = "skp_test_");
    ~SystemTempFolder();

private:
    std::optional<std::string> saved_;
};

}  // namespace testsupport
