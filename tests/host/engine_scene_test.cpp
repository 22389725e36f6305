// The host engine's descriptor and channel base, and the scene container's bookkeeping.

#include <Engine/ChannelType.h>
#include <Engine/Zel_Channel.h>
#include <Importing/SceneContainer.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ChannelType, ConstructorFillsEveryByteWithThePattern) {
    const ChannelType type;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&type);
    for (size_t i = 0; i < sizeof(ChannelType); ++i) ASSERT_EQ(bytes[i], 0xA5 ^ (i & 0xFF)) << i;
    EXPECT_EQ(ChannelType::PatternByte(0x10), 0xB5);
}

TEST(ChannelType, MembersSitAtTheHostsOffsets) {
    ChannelType type;
    auto* bytes = reinterpret_cast<uint8_t*>(&type);
    type.interfaceVersion = 0x01020304;
    type.instanceCount = 0x1122334455667788;
    type.channelId =
        GUID{0xE8A59704, 0x9DA7, 0x4DAA, {0xB4, 0x43, 0xF4, 0x5E, 0x66, 0x1F, 0x0E, 0x11}};
    EXPECT_EQ(bytes[120], 0x04);  // little-endian int32 at 120
    EXPECT_EQ(bytes[124], 0x88);  // int64 at 124, not padded to 128
    EXPECT_EQ(bytes[131], 0x11);
    EXPECT_EQ(bytes[132], ChannelType::PatternByte(132));
    EXPECT_EQ(bytes[80], 0x04);  // GUID Data1, little-endian
    EXPECT_EQ(bytes[84], 0xA7);  // Data2
    EXPECT_EQ(bytes[88], 0xB4);  // Data4[0]
    EXPECT_EQ(bytes[96], ChannelType::PatternByte(96));
}

TEST(ZelChannel, CopyKeepsTheChannelsState) {
    Zel_Channel channel;
    channel.SetTimeStamp(123456789012345);
    channel.SetChannelGroup(7);
    channel.SetChannelInterfaceType(3);
    channel.SetContextRenderCountName("render pass");
    const Zel_Channel copy(channel);
    channel.SetContextRenderCountName("changed");
    EXPECT_EQ(copy.GetTimeStamp(), 123456789012345);
    EXPECT_EQ(copy.GetChannelGroup(), 7);
    EXPECT_EQ(copy.GetInterfaceType(), 3);
    EXPECT_STREQ(copy.GetContextRenderCountName(), "render pass");
}

TEST(SceneContainer, IdsAreListIndices) {
    Importing::SceneContainer scene;
    EXPECT_EQ(scene.CreateNewGeometryInLibrary(), 0);
    EXPECT_EQ(scene.CreateNewGeometryInLibrary(), 1);
    EXPECT_EQ(scene.geometryLibrary.size(), 2u);
    Importing::Material wood;
    wood.SetName(u"wood");
    EXPECT_EQ(scene.AddMaterialToLibrary(wood, 0), 0);
    wood.SetName(u"changed after adding");
    EXPECT_EQ(scene.AddMaterialToLibrary(Importing::Material(), 4), 1);
    EXPECT_EQ(scene.sceneMaterials[0].GetName(), u"wood");  // the library keeps a copy
    EXPECT_EQ(scene.materialFlags[1], 4);
    EXPECT_EQ(scene.AddTextureToLibrary(u"/tmp/a.png", 0), 0);
    EXPECT_EQ(scene.AddTextureToLibrary(u"/tmp/b.png", 0), 1);
    EXPECT_EQ(scene.textureLibrary[1], u"/tmp/b.png");
}

TEST(SceneContainer, RecordsFinishCallsAndAnswersLoadResult) {
    Importing::SceneContainer scene;
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

TEST(SceneContainer, KeepsEverySourceDescription) {
    Importing::SceneContainer scene;
    scene.SetSourceDescription(u"SketchUp");
    scene.SetSourceDescription(u"SketchUp 21.0.339");
    EXPECT_EQ(scene.sourceDescriptions,
              (std::vector<std::u16string>{u"SketchUp", u"SketchUp 21.0.339"}));
}

TEST(SceneValues, DefaultsAreTheEnginesDefaults) {
    const Importing::Material material;
    EXPECT_TRUE(material.GetName().empty());
    EXPECT_EQ(material.GetDiffuse(), D3DXCOLOR(0, 0, 0, 1));
    EXPECT_EQ(material.GetEmissive(), D3DXCOLOR(0, 0, 0, 1));
    EXPECT_EQ(material.GetOpacity(), 1);
    EXPECT_EQ(material.GetSpecularPower(), 0);
    EXPECT_EQ(material.GetSurfaceType(), Importing::SURFACE_ORDINARY);
    const Importing::Node node;
    EXPECT_EQ(std::memcmp(node.GetLocalTransform().Matrix(), Importing::Transform::Indentity,
                          sizeof(float[4][4])),
              0);
}

}  // namespace
