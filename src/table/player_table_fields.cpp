#include "table/player_table_fields.h"

namespace gravmark {

std::vector<FieldDef> playerTableFields() {
    return {
        {"kills", FieldType::Integer, 0},     {"killed", FieldType::Integer, 0},
        {"name", FieldType::String, kPlayerNameWidth},    {"headshot", FieldType::Integer, 0},
        {"headshotr", FieldType::Integer, 0}, {"played", FieldType::Integer, 0},
        {"target", FieldType::Float, 0},      {"html", FieldType::String, kPlayerRowWidth},
        {"bomb", FieldType::Integer, 0},      {"tnt", FieldType::Integer, 0},
        {"suicide", FieldType::Integer, 0},
    };
}

}  // namespace gravmark
