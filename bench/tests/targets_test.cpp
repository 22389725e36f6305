#include <gtest/gtest.h>
#include <load/targets.h>
#include <load/triangle_check.h>

namespace bench {
namespace {

TEST(CompareTriangles, NamesEveryMaterialThatDiffers) {
    const TriangleCounts ours{{"Default material", 10}, {"M0", 4}, {"M1", 0}};
    EXPECT_TRUE(CompareTriangles(ours, {{"Default material", 10}, {"M0", 4}}, "Assimp").empty());
    const auto lines =
        CompareTriangles(ours, {{"Default material", 10}, {"M0", 5}, {"M9", 1}}, "Assimp");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "material 'M0': plug-in 4 triangles, Assimp 5");
    EXPECT_EQ(lines[1], "material 'M9': plug-in 0 triangles, Assimp 1");
}

Record PluginRun(double scan, double walk, double merge, double total, double peak) {
    Record r;
    r.Set("read document s", 1);
    r.Set("scan s", scan);
    r.Set("walk s", walk);
    r.Set("surfaces s", 0);
    r.Set("merge s", merge);
    r.Set("total s", total);
    r.Set("peak bytes", peak);
    r.Set("output bytes", 1000);
    return r;
}

Record One(const std::string& name, double value) {
    Record r;
    r.Set(name, value);
    return r;
}

// Ratios from the best of the runs, each compared in its own direction.
TEST(EvaluateTargets, RatiosOfTheBestRuns) {
    Results results;
    results.plugin = {{1, {PluginRun(1, 4, 4, 12, 2000), PluginRun(1, 5, 5, 14, 2100)}},
                      {2, {PluginRun(1, 2, 2, 6, 2500), PluginRun(1, 3, 2, 8, 2400)}}};
    results.pluginProcess = {{1, {One("process s", 20)}},
                             {2, {One("process s", 9), One("process s", 7)}}};
    results.floor = {{1, {One("floor s", 6), One("floor s", 7)}}, {2, {One("floor s", 3.125)}}};
    Record model = One("rss growth bytes", 1000);
    results.model = {model};
    results.assimpTogether = {One("together s", 30), One("together s", 20)};
    results.assimpProcess = {One("process s", 25), One("process s", 21)};

    const auto targets = EvaluateTargets(results);
    ASSERT_EQ(targets.size(), 6u);
    EXPECT_DOUBLE_EQ(targets[0].ratio, 21.0 / 7);  // (a) whole processes with 2 threads
    EXPECT_TRUE(targets[0].Met());
    EXPECT_DOUBLE_EQ(targets[1].ratio, 20.0 / 6);  // (a) Assimp / total with 2 threads
    EXPECT_TRUE(targets[1].Met());
    EXPECT_DOUBLE_EQ(targets[2].ratio, 9.0 / 6);  // (b) 1 thread: scan..merge / floor
    EXPECT_TRUE(targets[2].Met());
    EXPECT_DOUBLE_EQ(targets[3].ratio, 5.0 / 3.125);  // (b) 2 threads, at the limit
    EXPECT_TRUE(targets[3].Met());
    EXPECT_DOUBLE_EQ(targets[4].ratio, 8.0 / 4);  // (c) walk+merge 1 / 2 threads
    EXPECT_TRUE(targets[4].Met());
    EXPECT_DOUBLE_EQ(targets[5].ratio, 2500.0 / 2000);  // (d) largest peak / (output + model)
    EXPECT_FALSE(targets[5].Met());

    results.assimpProcess = {One("process s", 20)};
    results.assimpTogether = {One("together s", 17)};
    results.floor[1].runs = {One("floor s", 3)};
    results.model = {One("rss growth bytes", 1200)};
    const auto missed = EvaluateTargets(results);
    EXPECT_FALSE(missed[0].Met());  // 20 / 7 < 3
    EXPECT_FALSE(missed[1].Met());  // 17 / 6 < 3
    EXPECT_FALSE(missed[3].Met());  // 5 / 3 > 1.6
    EXPECT_TRUE(missed[5].Met());   // 2500 / 2200 < 1.15
    EXPECT_NE(TargetsText(missed).find("MISSED"), std::string::npos);
}

TEST(EvaluateTargets, LeavesOutWhatWasNotMeasured) {
    Results results;
    results.plugin = {{2, {PluginRun(1, 2, 2, 6, 2500)}}};
    results.floor = {{1, {One("floor s", 1)}}};  // no floor with 2 threads
    const auto targets = EvaluateTargets(results);
    EXPECT_TRUE(targets.empty());  // no Assimp, no floor to match, one thread count, no model
    EXPECT_TRUE(EvaluateTargets(Results{}).empty());
}

}  // namespace
}  // namespace bench
