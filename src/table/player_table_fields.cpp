#include "table/player_table_fields.h"

namespace gravmark {

std::vector<FieldDef> playerTableFields() {
    return {
        {PlayerField::kKills, FieldType::Integer, 0},
        {PlayerField::kDeaths, FieldType::Integer, 0},
        {PlayerField::kName, FieldType::String, kPlayerNameWidth},
        {PlayerField::kHeadshotsGiven, FieldType::Integer, 0},
        {PlayerField::kHeadshotsTaken, FieldType::Integer, 0},
        {PlayerField::kGamesPlayed, FieldType::Integer, 0},
        {PlayerField::kRatio, FieldType::Float, 0},
        {PlayerField::kRow, FieldType::String, kPlayerRowWidth},
        {PlayerField::kGrenadeKills, FieldType::Integer, 0},
        {PlayerField::kTntKills, FieldType::Integer, 0},
        {PlayerField::kSuicides, FieldType::Integer, 0},
    };
}

}  // namespace gravmark
