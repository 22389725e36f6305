#include "temp_folder.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "file_contents.h"
#include "test_platform.h"

namespace testsupport {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& prefix)
    : path_(MakeUniqueFolder(fs::temp_directory_path(), prefix)) {}

TempFolder::~TempFolder() {
    std::error_code ignored;  // best effort: a leftover folder must not fail the run
    fs::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const {
    return Utf8(path_ / PathOf(name));
}

std::string TempFolder::Write(const std::string& name, std::string_view bytes) const {
    const fs::path file = path_ / PathOf(name);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + Utf8(file));
    return Utf8(file);
}

std::string TempFolder::Read(const std::string& name) const {
    return ReadBytes(path_ / PathOf(name));
}

void TempFolder::Empty() const {
    for (const fs::directory_entry& entry : fs::directory_iterator(path_))
        fs::remove_all(entry.path());
}

SystemTempFolder::SystemTempFolder(const std::string& prefix)
    : TempFolder(prefix), saved_(GetEnv(kTempFolderVariable)) {
    // With a trailing separator, as the system gives its own.
    SetEnv(kTempFolderVariable, Utf8(Path() / ""));
}

SystemTempFolder::~SystemTempFolder() {
    SetEnv(kTempFolderVariable, saved_);
}

}  // namespace testsupport
