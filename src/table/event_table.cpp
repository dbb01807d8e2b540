#include "table/event_table.h"

namespace gravmark {

std::vector<FieldDef> eventTableFields() {
    return {
        {"command", FieldType::String, 20},
        {"v_team", FieldType::String, 20},
        {"v_name", FieldType::String, kEventNameWidth},
        {"a_team", FieldType::String, 20},
        {"a_name", FieldType::String, kEventNameWidth},
        {"a_weapon", FieldType::String, 30},
        {"damage", FieldType::String, 10},
        {"damage_type", FieldType::String, 30},
        {"damage_location", FieldType::String, 30},
        {"maptype", FieldType::String, 20},
        {"map", FieldType::String, 40},
        {"game", FieldType::Integer, 0},
        {"message", FieldType::String, 80},
    };
}

}  // namespace gravmark
