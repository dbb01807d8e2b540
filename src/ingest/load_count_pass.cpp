#include "ingest/load_count_pass.h"

#include "platform/find_byte.h"

namespace gravmark {

namespace {

// Counts in runs of 255 bytes with an 8-bit tally, which the compiler turns into wide
// byte compares: several times faster than std::count on a 100 MB log.
int64_t countLineFeeds(std::string_view text) {
    int64_t total = 0;
    for (size_t start = 0; start < text.size(); start += 255) {
        const std::string_view run = text.substr(start, 255);
        uint8_t tally = 0;
        for (const char c : run) tally += c == '\n';
        total += tally;
    }
    return total;
}

}  // namespace

bool LoadCountPass::feed(std::string_view block) {
    const char* nul = platform::findByte(block.data(), block.data() + block.size(), '\0');
    const bool more = nul == nullptr;
    if (!more) block = block.substr(0, static_cast<size_t>(nul - block.data()));
    if (block.empty()) return more;

    // Every LF and every CR is a break, except that a CR LF pair is one.
    breaks_ += countLineFeeds(block);
    if (last_ == '\r' && block.front() == '\n') --breaks_;
    for (const char *p = block.data(), *end = p + block.size();
         (p = platform::findByte(p, end, '\r')) != nullptr;) {
        ++p;
        if (p == end || *p != '\n') ++breaks_;
    }
    last_ = block.back();
    return more;
}

}  // namespace gravmark
