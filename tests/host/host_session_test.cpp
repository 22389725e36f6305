// The tool drives a reader of an unrelated type by slot, and reads the plug-in's phase timings.

#include <gtest/gtest.h>

#include <cstring>

#include "host_load.h"
#include "load_phases.h"
#include "plugin_like_reader.h"

namespace {

TEST(SkpimportSession, DrivesAReaderDeclaredLikeThePluginsBySlot) {
    plugin_like::Calls calls;
    {
        skpimport::ReaderPtr reader = skpimport::AdoptReader(plugin_like::CreateReader(calls));
        ASSERT_TRUE(reader);
        EXPECT_EQ(skpimport::InitReader(*reader), "");
        Importing::SceneContainer scene;
        const auto outcome = skpimport::RunLoad(*reader, scene, u"/m/house.skp", u"cfg", true, 1);
        EXPECT_EQ(outcome.result, 7);
        EXPECT_EQ(outcome.report, "report from the plug-in");
        EXPECT_EQ(scene.sourceDescriptions, std::vector<std::u16string>{u"plugin-like"});
    }
    // Init, Load, Raport, Release, Destroy: each slot reached the operation of that name.
    EXPECT_EQ(calls.sequence, "ILRED");
    EXPECT_EQ(calls.path, u"/m/house.skp");
    EXPECT_EQ(calls.config, u"cfg");
    EXPECT_TRUE(calls.flag);
}

// Stands in for the plug-in's export: three phases, the last named "total".
size_t ThreePhases(const void* reader, skpimport::PhaseTiming* phases, size_t capacity) {
    static const skpimport::PhaseTiming kPhases[] = {
        {"read document", 1.5}, {"scan", 0.25}, {"total", 2.0}};
    EXPECT_NE(reader, nullptr);
    for (size_t i = 0; i < 3 && i < capacity; ++i) phases[i] = kPhases[i];
    return 3;
}

// Reports more phases than the tool's first guess of room.
size_t ManyPhases(const void*, skpimport::PhaseTiming* phases, size_t capacity) {
    for (size_t i = 0; i < 40 && i < capacity; ++i) phases[i] = {"walk part", double(i)};
    return 40;
}

TEST(SkpimportTimings, ListsThePluginsPhasesOnePerLine) {
    int reader = 0;
    const auto phases = skpimport::ReadLoadPhases(ThreePhases, &reader);
    ASSERT_EQ(phases.size(), 3u);
    EXPECT_EQ(skpimport::TimingsText(phases, 99),
              "read document 1.500 ms\nscan 0.250 ms\ntotal 2.000 ms\n");
}

TEST(SkpimportTimings, AsksAgainWhenThereAreMorePhasesThanRoom) {
    int reader = 0;
    const auto phases = skpimport::ReadLoadPhases(ManyPhases, &reader);
    ASSERT_EQ(phases.size(), 40u);
    EXPECT_EQ(phases[39].milliseconds, 39);
}

TEST(SkpimportTimings, WithoutThePluginsExportTheHostTotalIsPrinted) {
    int reader = 0;
    const auto phases = skpimport::ReadLoadPhases(nullptr, &reader);
    EXPECT_TRUE(phases.empty());
    EXPECT_EQ(skpimport::TimingsText(phases, 12.5), "total 12.500 ms\n");
}

}  // namespace
