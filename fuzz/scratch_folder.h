// A private folder under $TMPDIR (or /tmp) for one fuzzing process: each input is written there,
// and whatever a run leaves in it (the input, exported textures) is removed before the next.
#pragma once

#include <filesystem>
#include <string_view>

namespace skpfuzz {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes `bytes` as the file `name` in the folder and answers its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
    // Removes everything inside the folder, keeping the folder.
    void Empty() const;

private:
    std::filesystem::path path_;
};

}  // namespace skpfuzz
