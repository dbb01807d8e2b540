#pragma once
// Columns and export fields that further counts (a rating, say) add for every player of
// the modern page and the export, in the order of SiteSummary::players. The renderers
// show them after their own columns and fields and know nothing of what they mean.
#include <string>
#include <vector>

namespace gravmark {

struct ExtraColumn {
    std::string caption;             // the header on the page and in players.csv
    std::vector<std::string> cells;  // one per player: plain UTF-8 text
    bool numeric = true;             // right-aligned
};

struct ExtraField {
    std::string key;                // the member of each player's object in stats.json
    std::vector<std::string> json;  // one per player: a JSON value as text; empty leaves it out
};

struct PlayerExtras {
    std::vector<ExtraColumn> columns;
    std::vector<ExtraField> fields;
};

}  // namespace gravmark
