// The plug-in as the host sees it: loaded at run time, found by plain C names, driven by slot.
#include <Engine/ChannelType.h>
#include <Importing/SceneContainer.h>
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host_channel.h"
#include "plugin_library.h"

using HostReaderView = skpimport::HostChannel;  // the host tool's own declaration of the slots

namespace {

class PluginLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        library_ = skpimport::PluginLibrary::Open(SKP_PLUGIN_PATH, error);
        ASSERT_NE(library_, nullptr) << error;
    }
    template <typename Function>
    Function* Find(const char* name) {
        std::string ignored;
        return reinterpret_cast<Function*>(library_->Symbol(name, ignored));
    }
    std::unique_ptr<skpimport::PluginLibrary> library_;
};

TEST_F(PluginLibrary, ExportsPlainCEntryPointsAndHidesItsHelpers) {
    EXPECT_NE(Find<void*()>("GetType"), nullptr);
    EXPECT_NE(Find<void*()>("InitDLL"), nullptr);
    EXPECT_EQ(Find<void()>("_ZN9Importing13GetTempFolderEv"), nullptr);
    EXPECT_EQ(Find<void()>("_ZN9Importing15GetFileBaseNameERKNSt7__cxx1112basic_stringIDsSt11char_"
                           "traitsIDsESaIDsEEE"),
              nullptr);
}

TEST_F(PluginLibrary, DescriptorHasItsLayoutAndLeavesHostBytesAlone) {
    auto* getType = Find<ChannelType*()>("GetType");
    ASSERT_NE(getType, nullptr);
    ChannelType* first = getType();
    const std::vector<uint8_t> once(reinterpret_cast<uint8_t*>(first),
                                    reinterpret_cast<uint8_t*>(first) + sizeof(ChannelType));
    ChannelType* second = getType();
    ASSERT_EQ(first, second);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(second);
    EXPECT_EQ(0, std::memcmp(once.data(), bytes, once.size()));

    EXPECT_STREQ(reinterpret_cast<const char*>(bytes), "SkpReader");
    for (int i = 10; i < 16; ++i) EXPECT_EQ(bytes[i], 0) << i;  // the 6 bytes after the NUL
    const char16_t* wide = reinterpret_cast<const char16_t*>(bytes + 16);
    EXPECT_EQ(std::u16string(wide), u"SketchUp");
    for (int i = 16 + 18; i < 80; ++i) EXPECT_EQ(bytes[i], 0) << i;  // the 46 bytes after it
    const uint8_t id[16] = {0x04, 0x97, 0xA5, 0xE8, 0xA7, 0x9D, 0xAA, 0x4D,
                            0xB4, 0x43, 0xF4, 0x5E, 0x66, 0x1F, 0x0E, 0x11};
    EXPECT_EQ(0, std::memcmp(bytes + 80, id, 16));
    EXPECT_EQ(0, std::memcmp(bytes + 96, id, 16));
    const uint8_t integers[12] = {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(bytes + 120, integers, 12));
    for (size_t i = 112; i < 120; ++i) EXPECT_EQ(bytes[i], ChannelType::PatternByte(i)) << i;
    for (size_t i = 132; i < sizeof(ChannelType); ++i) {
        EXPECT_EQ(bytes[i], ChannelType::PatternByte(i)) << i;
    }
}

// The host calls through its own declaration of the slots, not through the plug-in's class.
SKPIMPORT_CALLS_BY_SLOT void DriveReaderAsTheHostDoes(HostReaderView* reader) {
    EXPECT_EQ(reader->GetRaport(), u"");
    EXPECT_EQ(reader->Init(), 0);

    Importing::SceneContainer scene;
    EXPECT_EQ(reader->LoadFromFile(scene, u"/no/such/folder/model.skpm", u"", false), -1);
    EXPECT_EQ(reader->GetRaport(), u"Error: Can't open SKP file.\n");
    ASSERT_EQ(scene.sourceDescriptions.size(), 1u);
    EXPECT_EQ(scene.sourceDescriptions[0], u"SketchUp");
    EXPECT_TRUE(scene.nodes.empty());
    EXPECT_TRUE(scene.finishCalls.empty());

    EXPECT_EQ(reader->Release(), 0);
    delete reader;
}

TEST_F(PluginLibrary, HostDrivesTheReaderThroughItsSlots) {
    auto* initDll = Find<void*()>("InitDLL");
    ASSERT_NE(initDll, nullptr);
    auto* reader = static_cast<HostReaderView*>(initDll());
    ASSERT_NE(reader, nullptr);
    DriveReaderAsTheHostDoes(reader);
}

#if defined(_WIN32)
// The names in a loaded DLL's export table.
std::vector<std::string> ExportedNames(const char16_t* module) {
    const auto* base = reinterpret_cast<const uint8_t*>(
        ::GetModuleHandleW(reinterpret_cast<const wchar_t*>(module)));
    if (base == nullptr) return {};
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (directory.Size == 0) return {};
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* names = reinterpret_cast<const uint32_t*>(base + exports->AddressOfNames);
    std::vector<std::string> result;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        result.emplace_back(reinterpret_cast<const char*>(base + names[i]));
    return result;
}

// Only what is marked for export leaves a DLL, not everything as MinGW would export by default.
TEST_F(PluginLibrary, DllsExportOnlyWhatIsMarked) {
    const std::vector<std::string> plugin = ExportedNames(u"SkpReader.dll");
    ASSERT_FALSE(plugin.empty());
    for (const std::string& name : plugin) {
        const bool entry =
            name == "GetType" || name == "InitDLL" || name == "SkpReaderGetLoadPhases";
        EXPECT_TRUE(entry || name.find("9Importing9SkpReader") != std::string::npos) << name;
    }
    const std::vector<std::string> sketchUp = ExportedNames(u"SketchUpAPI.dll");
    ASSERT_FALSE(sketchUp.empty());
    for (const std::string& name : sketchUp)
        EXPECT_TRUE(name.rfind("SU", 0) == 0 || name.rfind("SKPM", 0) == 0) << name;
}
#endif

}  // namespace
