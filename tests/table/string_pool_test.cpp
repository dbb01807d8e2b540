// Interning texts in the string pool.
#include "table/string_pool.h"

#include <gtest/gtest.h>

#include <string>

namespace gravmark {
namespace {

// A log line cut short hands the table empty fields that point nowhere; they must intern
// as the one empty text, without reading through the missing bytes.
TEST(StringPool, EmptyTextsWithOrWithoutBytesAreTheSameText) {
    StringPool pool;
    const uint32_t nowhere = pool.intern(std::string_view());
    const std::string line = "abc";
    EXPECT_EQ(pool.intern(std::string_view(line.data() + 1, 0)), nowhere);
    EXPECT_EQ(pool.intern(""), nowhere);
    EXPECT_TRUE(pool.text(nowhere).empty());

    // Texts of every tail length stay apart from the empty one and from each other.
    std::vector<uint32_t> ids;
    for (size_t size = 1; size <= 17; ++size) ids.push_back(pool.intern(std::string(size, 'x')));
    for (size_t size = 1; size <= 17; ++size) {
        EXPECT_EQ(pool.intern(std::string(size, 'x')), ids[size - 1]);
        EXPECT_NE(ids[size - 1], nowhere);
        EXPECT_EQ(pool.text(ids[size - 1]), std::string(size, 'x'));
    }
}

}  // namespace
}  // namespace gravmark
