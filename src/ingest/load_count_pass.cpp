#include "ingest/load_count_pass.h"

#include <algorithm>
#include <cstring>

namespace gravmark {

bool LoadCountPass::feed(std::string_view block) {
    const void* nul = std::memchr(block.data(), '\0', block.size());
    const bool more = nul == nullptr;
    if (!more) block = block.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - block.data()));
    if (block.empty()) return more;

    // Every LF and every CR is a break, except that a CR LF pair is one.
    breaks_ += std::count(block.begin(), block.end(), '\n');
    if (last_ == '\r' && block.front() == '\n') --breaks_;
    for (const char *p = block.data(), *end = p + block.size();
         (p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)))) != nullptr;) {
        ++p;
        if (p == end || *p != '\n') ++breaks_;
    }
    last_ = block.back();
    return more;
}

}  // namespace gravmark
