#include <gtest/gtest.h>
#include <load/options.h>

#include <string>
#include <vector>

namespace bench {
namespace {

TEST(ParseOptions, ReadsFilesThreadsRunsAndPlugin) {
    const Options options = ParseOptions({"--threads", "2,1,2,4", "c_defaultsingle.skpm", "--runs",
                                          "5", "c.glb", "--plugin", "lib/x.so"});
    EXPECT_EQ(options.model, "c_defaultsingle.skpm");
    EXPECT_EQ(options.gltf, "c.glb");
    EXPECT_EQ(options.threads, (std::vector<int>{1, 2, 4}));  // sorted, without repeats
    EXPECT_EQ(options.runs, 5);
    EXPECT_EQ(options.plugin, "lib/x.so");

    const Options defaults = ParseOptions({"a_defaultsingle.skpm", "a.glb"});
    EXPECT_EQ(defaults.threads, (std::vector<int>{1, 2}));
    EXPECT_TRUE(defaults.plugin.empty());
}

TEST(ParseOptions, RefusesWhatCannotBeMeasured) {
    const std::vector<std::vector<std::string>> bad{
        {"a_defaultsingle.skpm"},                    // no glTF
        {"a_defaultsingle.skpm", "a.glb", "b.glb"},  // one file too many
        {"city.skpm", "city.glb"},                   // double-sided: the counts cannot agree
        {"a_defaultsingle.skpm", "a.glb", "--runs", "0"},
        {"a_defaultsingle.skpm", "a.glb", "--runs"},
        {"a_defaultsingle.skpm", "a.glb", "--threads", "1,,2"},
        {"a_defaultsingle.skpm", "a.glb", "--threads", "2x"},
        {"a_defaultsingle.skpm", "a.glb", "--quick"},
    };
    for (const auto& args : bad) {
        std::string line;
        for (const auto& arg : args) line += arg + ' ';
        EXPECT_THROW(ParseOptions(args), UsageError) << line;
    }
}

}  // namespace
}  // namespace bench
