#include <gtest/gtest.h>
#include <load/record.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace bench {
namespace {

TEST(Record, SerializedRecordComesBackExactly) {
    Record record;
    record.Set("walk s", 0.1);  // not exact in binary: every bit must survive
    record.Set("odd\tname\nwith \\ escapes", 1e-300);
    record.Set("big", 3.0e9 * 32);
    record.Set("walk s", 2.0 / 3.0);  // replaces, keeps the first position
    record.trianglesByMaterial["Default material"] = 202200;
    record.trianglesByMaterial["tab\there"] = std::numeric_limits<uint64_t>::max();

    const Record back = Record::Parse(record.Serialize());
    ASSERT_EQ(back.Values().size(), 3u);
    EXPECT_EQ(back.Values()[0].first, "walk s");
    EXPECT_EQ(back.Values()[0].second, 2.0 / 3.0);
    EXPECT_EQ(back.Require("odd\tname\nwith \\ escapes"), 1e-300);
    EXPECT_EQ(back.Require("big"), 3.0e9 * 32);
    EXPECT_EQ(back.trianglesByMaterial, record.trianglesByMaterial);
    EXPECT_FALSE(back.Get("scan s").has_value());
    EXPECT_THROW(back.Require("scan s"), std::runtime_error);
}

TEST(Record, ParseRefusesWhatSerializeDoesNotWrite) {
    for (const char* text : {
             "v\tname\t1",          // no line end
             "v\tname\t1x\n",       // trailing junk
             "x\tname\t1\n",        // unknown kind
             "v name 1\n",          // no tabs
             "m\tname\t-3\n",       // negative count
             "v\tbad\\q\t1\n",      // unknown escape
             "v\tdangling\\\t1\n",  // escape at the end of the name
         }) {
        EXPECT_THROW(Record::Parse(text), std::runtime_error) << text;
    }
    EXPECT_TRUE(Record::Parse("").Values().empty());
}

}  // namespace
}  // namespace bench
