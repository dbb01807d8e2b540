// The equality test interning relies on: a difference at every position of the 8-byte
// words and of the tail after them, and texts of which one begins the other.
#include <gtest/gtest.h>

#include <string>

#include "platform/same_bytes.h"

namespace gravmark {
namespace {

TEST(SameBytes, AnyDifferingByteOrLengthMakesTextsDiffer) {
    for (size_t length = 0; length <= 20; ++length) {
        const std::string text(length, 'a');
        EXPECT_TRUE(platform::sameBytes(text, std::string(length, 'a'))) << length;
        EXPECT_FALSE(platform::sameBytes(text, text + 'a')) << length;
        for (size_t at = 0; at < length; ++at) {
            std::string other = text;
            other[at] = '\xE1';
            ASSERT_FALSE(platform::sameBytes(text, other)) << length << " " << at;
        }
    }
}

}  // namespace
}  // namespace gravmark
