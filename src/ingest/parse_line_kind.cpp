#include "ingest/parse_line_kind.h"

#include <array>
#include <utility>

namespace gravmark {

namespace {

constexpr std::array<std::pair<std::string_view, LineKind>, 6> kTests = {{
    {" K", LineKind::Kill},
    {" J", LineKind::Join},
    {" say", LineKind::Say},
    {" sayteam", LineKind::SayTeam},
    {" D", LineKind::D},
    {" InitGame:", LineKind::GameStart},
}};

}  // namespace

// A token's first occurrence begins at position 1..9 exactly when the token stands whole
// at one of the line's first nine bytes. Every token begins with a space, so only those
// few places are tried, once for all six tests, the later tests first since they decide.
LineKind classifyLine(std::string_view line) {
    constexpr size_t kLastStart = 8;
    size_t passed = 0;  // the number of the last test that passed so far (from 1); 0 for none
    for (size_t at = 0; at <= kLastStart && at < line.size(); ++at) {
        if (line[at] != ' ') continue;
        const std::string_view rest = line.substr(at);
        for (size_t test = kTests.size(); test > passed; --test) {
            if (rest.starts_with(kTests[test - 1].first)) {
                passed = test;
                break;
            }
        }
    }
    return passed == 0 ? LineKind::None : kTests[passed - 1].second;
}

}  // namespace gravmark
