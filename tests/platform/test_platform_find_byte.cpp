// The byte search line cutting relies on: every position of a 16-byte block and of the tail
// after the last block, the first of several hits, bytes above 127, no hit, and hits just
// outside the range (Windows' search reads whole aligned blocks) from every alignment.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/find_byte.h"

namespace gravmark {
namespace {

TEST(FindByte, FindsTheFirstHitAnywhereAndNothingOutsideTheRange) {
    for (size_t length = 0; length <= 40; ++length) {
        for (size_t at = 0; at < length; ++at) {
            std::string text(length, 'a');
            text[at] = '\xE9';
            if (at + 1 < length) text[length - 1] = '\xE9';
            const char* found = platform::findByte(text.data(), text.data() + length, '\xE9');
            ASSERT_EQ(found, text.data() + at) << length << " " << at;
        }
        const std::string plain(length, 'a');
        EXPECT_EQ(platform::findByte(plain.data(), plain.data() + length, '\n'), nullptr);
    }
    const std::string padded(80, '\n');
    for (size_t start = 1; start <= 16; ++start) {
        for (size_t length = 0; length <= 40; ++length) {
            std::string text = padded;
            std::fill_n(text.begin() + start, length, 'a');
            const char* begin = text.data() + start;
            ASSERT_EQ(platform::findByte(begin, begin + length, '\n'), nullptr) << start << " " << length;
        }
    }
    const std::string text = "abc;def";
    EXPECT_EQ(platform::findByte(text.data(), text.data() + 3, ';'), nullptr);
    EXPECT_EQ(platform::findByte(text.data() + 4, text.data() + 4, 'd'), nullptr);
}

}  // namespace
}  // namespace gravmark
