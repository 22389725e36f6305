// The host engine's descriptor pattern and the scene container's bookkeeping.

#include <Engine/ChannelType.h>
#include <Importing/SceneContainer.h>
#include <gtest/gtest.h>

namespace {

TEST(ChannelType, ConstructorFillsEveryByteWithThePattern) {
    const ChannelType type;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&type);
    for (size_t i = 0; i < sizeof(ChannelType); ++i) ASSERT_EQ(bytes[i], 0xA5 ^ (i & 0xFF)) << i;
    EXPECT_EQ(ChannelType::PatternByte(0x10), 0xB5);
}

TEST(SceneContainer, IdsAreListIndicesAndFinishCallsAreRecorded) {
    Importing::SceneContainer scene;
    EXPECT_EQ(scene.CreateNewGeometryInLibrary(), 0);
    EXPECT_EQ(scene.CreateNewGeometryInLibrary(), 1);
    EXPECT_EQ(scene.geometryLibrary.size(), 2u);
    Importing::Material wood;
    wood.SetName(u"wood");
    EXPECT_EQ(scene.AddMaterialToLibrary(wood, 0), 0);
    wood.SetName(u"changed after adding");
    EXPECT_EQ(scene.AddMaterialToLibrary(Importing::Material(), 4), 1);
    EXPECT_EQ(scene.sceneMaterials[0].GetName(), u"wood");
    EXPECT_EQ(scene.materialFlags[1], 4);
    EXPECT_EQ(scene.AddTextureToLibrary(u"/tmp/a.png", 0), 0);
    EXPECT_EQ(scene.AddTextureToLibrary(u"/tmp/b.png", 0), 1);
    EXPECT_EQ(scene.textureLibrary[1], u"/tmp/b.png");

    // The load result is known once the last finish call came.
    EXPECT_EQ(scene.GetLoadResult(), -1);
    scene.FinishLoad(false, true);
    scene.FinishStep1();
    EXPECT_EQ(scene.GetLoadResult(), -1);
    scene.FinishStep2();
    EXPECT_EQ(scene.GetLoadResult(), 0);
    ASSERT_EQ(scene.finishCalls.size(), 3u);
    EXPECT_EQ(scene.finishCalls[0].name, "FinishLoad");
    EXPECT_EQ(scene.finishCalls[0].arguments, (std::vector<bool>{false, true}));
    EXPECT_EQ(scene.finishCalls[1].name, "FinishStep1");
    EXPECT_TRUE(scene.finishCalls[1].arguments.empty());
    EXPECT_EQ(scene.finishCalls[2].name, "FinishStep2");
}

}  // namespace
