#include "table/event_table.h"

namespace gravmark {

std::vector<FieldDef> eventTableFields() {
    return {
        {EventField::kCommand, FieldType::String, 20},
        {EventField::kVictimTeam, FieldType::String, 20},
        {EventField::kVictimName, FieldType::String, kEventNameWidth},
        {EventField::kAttackerTeam, FieldType::String, 20},
        {EventField::kAttackerName, FieldType::String, kEventNameWidth},
        {EventField::kWeapon, FieldType::String, 30},
        {EventField::kDamage, FieldType::String, 10},
        {EventField::kDamageType, FieldType::String, 30},
        {EventField::kHitLocation, FieldType::String, 30},
        {EventField::kMapType, FieldType::String, 20},
        {EventField::kMap, FieldType::String, 40},
        {EventField::kGame, FieldType::Integer, 0},
        {EventField::kMessage, FieldType::String, 80},
    };
}

}  // namespace gravmark
