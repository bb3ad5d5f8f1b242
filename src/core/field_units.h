// The units of structural testing that the general unit system lacks or reads otherwise,
// with their definitions in units it knows.
#pragma once

#include <optional>
#include <string_view>

namespace qlnx {

// The definition of a field unit ("lb" as a load cell writes it: "lbf"); nullopt when the
// text is not one of them.
std::optional<std::string_view> FieldUnitDefinition(std::string_view unit);

}  // namespace qlnx
