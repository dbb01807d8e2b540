// The two passes fed in pieces, as LOAD reads a big log in blocks: a line or a CR LF
// pair cut by a block boundary must come out as if the bytes came at once.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ingest/load_count_pass.h"
#include "ingest/load_line_pass.h"

namespace gravmark {
namespace {

using namespace std::string_literals;

const std::vector<std::string> kTexts = {
    "one\r\ntwo\nthree",
    "a\r\n\r\nb\r\n",
    "x\ry\n\rz\r",
    "ab\x1a"
    "cd\r\nef\n\x1a"
    "gh\n",
    "n\0ul\n\0\n"s,
    "",
};

std::vector<std::string> linePass(const std::string& text, size_t pieces) {
    std::string buffer = text + '?';  // one byte beyond the text, as LOAD allocates
    TextBoxLines::Rows lines;
    Progress progress;
    LoadLinePass pass(buffer.data(), lines, progress);
    bool reading = true;
    for (size_t k = 1; k <= pieces && reading; ++k) {
        const size_t available = text.size() * k / pieces;
        reading = pass.advance(available, k == pieces);
    }
    return {lines.begin(), lines.end()};
}

TEST(LoadPasses, LinePassGivesTheSameLinesWhateverTheBlocks) {
    for (const std::string& text : kTexts) {
        const std::vector<std::string> whole = linePass(text, 1);
        for (size_t pieces = 2; pieces <= text.size(); ++pieces)
            EXPECT_EQ(linePass(text, pieces), whole) << text;
    }
    EXPECT_EQ(linePass("x\ry\n\rz\r", 1), (std::vector<std::string>{"xy;", "z;"}));
    EXPECT_EQ(linePass("ab\x1a"
                       "cd\r\nef\n\x1a"
                       "gh\n",
                       1),
              (std::vector<std::string>{"ab;", "ef;"}));
}

TEST(LoadPasses, CountPassGivesTheSameCountWhateverTheBlocks) {
    const std::vector<int64_t> expected = {3, 3, 4, 3, 1, 0};
    for (size_t i = 0; i < kTexts.size(); ++i) {
        const std::string& text = kTexts[i];
        for (size_t cut = 0; cut <= text.size(); ++cut) {
            LoadCountPass pass;
            if (pass.feed(std::string_view(text).substr(0, cut)))
                pass.feed(std::string_view(text).substr(cut));
            EXPECT_EQ(pass.lines(), expected[i]) << i << " cut at " << cut;
        }
    }
}

}  // namespace
}  // namespace gravmark
