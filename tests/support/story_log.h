#pragma once
// The log the scheduled-fetch stories serve: a generated log of about 1.2 MB (LF line
// ends, as a Linux game server writes them), the same in every clone. The stories cut
// it at fixed byte offsets, mid-line, as a server mid-write.
#include <string>

#include "loggen/log_generator.h"

namespace gravmark::test {

inline const std::string& storyLog() {
    static const std::string log = loggen::generateLog({.lines = 12'000, .seed = 11, .players = 40});
    return log;
}

}  // namespace gravmark::test
