#include "ingest/parse_line_kind.h"

#include <array>
#include <utility>

namespace gravmark {

namespace {

// A token's first occurrence begins at position 1..9 exactly when the token occurs in
// the line's first 8 + token length characters; anything found later is a first
// occurrence at position 10 or beyond and does not count.
bool startsNearFront(std::string_view line, std::string_view token) {
    return line.substr(0, 8 + token.size()).find(token) != std::string_view::npos;
}

constexpr std::array<std::pair<std::string_view, LineKind>, 6> kTests = {{
    {" K", LineKind::Kill},
    {" J", LineKind::Join},
    {" say", LineKind::Say},
    {" sayteam", LineKind::SayTeam},
    {" D", LineKind::D},
    {" InitGame:", LineKind::GameStart},
}};

}  // namespace

LineKind classifyLine(std::string_view line) {
    LineKind kind = LineKind::None;
    for (const auto& [token, code] : kTests) {
        if (startsNearFront(line, token)) kind = code;
    }
    return kind;
}

}  // namespace gravmark
