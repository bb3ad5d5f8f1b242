#include "core/field_units.h"

namespace qlnx {

namespace {

struct FieldUnit {
    std::string_view Text;
    std::string_view Definition;
};

// A load cell's "lb" is a pound-force, not the pound of mass; a "tf" is the metric
// tonne-force of the laboratories that load in tonnes.
constexpr FieldUnit kFieldUnits[] = {
    {"lb", "lbf"},      {"lbs", "lbf"},       {"Lb", "lbf"},       {"LB", "lbf"},
    {"pound", "lbf"},   {"pounds", "lbf"},    {"klb", "kip"},      {"klbs", "kip"},
    {"KIP", "kip"},     {"Kip", "kip"},       {"KIPS", "kip"},     {"Kips", "kip"},
    {"tf", "1000 kgf"}, {"tonf", "1000 kgf"}, {"t-f", "1000 kgf"}, {"KN", "kN"},
    {"Kn", "kN"},       {"MM", "mm"},         {"IN", "in"},        {"inch.", "in"},
    {"in.", "in"},      {"sec", "s"},         {"secs", "s"},       {"kgF", "kgf"},
    {"daN", "10 N"},
};

}  // namespace

std::optional<std::string_view> FieldUnitDefinition(std::string_view unit) {
    for (const FieldUnit& row : kFieldUnits) {
        if (row.Text == unit) return row.Definition;
    }
    return std::nullopt;
}

}  // namespace qlnx
