// Units of the record's channels: what a unit text measures and the conversion between two
// units, through the UDUNITS-2 unit system (loaded once) and the field's own units.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qlnx {

// What a unit measures, as far as the import cares.
enum class UnitKind { None, Length, Force, Time, Other };

// A unit text as the file or the user wrote it, read: its kind and the text the unit system
// reads for it (the field's units replaced by their definition).
struct UnitReading {
    UnitKind Kind = UnitKind::None;
    std::string Definition;
};

// Reads a unit text ("mm", "[kN]", "inches", "lb", "kip"); the brackets or parentheses
// around it are dropped. nullopt when the unit system does not know it; Kind None for an
// empty text.
std::optional<UnitReading> ReadUnit(std::string_view text);

// The unit text without the brackets or parentheses around it, trimmed.
std::string_view BareUnit(std::string_view text);

// Converts values in place from one unit to another of the same kind. Returns false (and
// leaves the values) when either is unknown or they measure different things. Converters are
// kept for the next call with the same pair.
bool ConvertValues(std::string_view from, std::string_view to, std::span<double> values);

// The factor that takes a value in from to one in to; nullopt as ConvertValues refuses.
std::optional<double> ConversionFactor(std::string_view from, std::string_view to);

// The name of a kind for messages: "a length", "a force", "a time", "a quantity".
std::string_view KindName(UnitKind kind);

// The output units the user may choose, in their order.
std::span<const std::string_view> LengthUnits();
std::span<const std::string_view> ForceUnits();

}  // namespace qlnx
