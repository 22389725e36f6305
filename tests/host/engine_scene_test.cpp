// The scene container's bookkeeping: ids are list indices, what is added is kept as it was, and
// the load result is known once the last finish call came.

#include <Importing/SceneContainer.h>
#include <gtest/gtest.h>

namespace {

TEST(SceneContainer, IdsAreListIndicesAndTheResultWaitsForTheLastFinishCall) {
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

    // Which calls were recorded, in order and with their arguments, the scene JSON shows.
    EXPECT_EQ(scene.GetLoadResult(), -1);
    scene.FinishLoad(false, true);
    scene.FinishStep1();
    EXPECT_EQ(scene.GetLoadResult(), -1);
    scene.FinishStep2();
    EXPECT_EQ(scene.GetLoadResult(), 0);
}

}  // namespace
