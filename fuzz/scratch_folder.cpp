#include "scratch_folder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace skpfuzz {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        (tmp != nullptr && *tmp != '\0' ? fs::path(tmp) : fs::path("/tmp")) / "skpfuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;  // a destructor cannot report; the folder is private to us anyway
    fs::remove_all(path_, ignored);
}

fs::path ScratchFolder::Write(std::string_view name, std::string_view bytes) const {
    const fs::path file = path_ / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
}

void ScratchFolder::Empty() const {
    for (const fs::directory_entry& entry : fs::directory_iterator(path_)) {
        fs::remove_all(entry.path());
    }
}

}  // namespace skpfuzz
