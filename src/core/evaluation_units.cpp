#include "core/evaluation_units.h"

#include <utility>

namespace qlnx {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The columns whose dimension their name does not tell by its ending.
constexpr std::pair<std::string_view, ColumnDimension> kNamedColumns[] = {
    {"Amplitude", ColumnDimension::Displacement},   {"ResidualPos", ColumnDimension::Displacement},
    {"ResidualNeg", ColumnDimension::Displacement}, {"ImpairmentPos", ColumnDimension::Force},
    {"ImpairmentNeg", ColumnDimension::Force},
};

}  // namespace

ColumnDimension DimensionOfColumn(std::string_view header) {
    for (const auto& [name, dimension] : kNamedColumns) {
        if (header == name) return dimension;
    }
    // A side's column of the comparison table ("PeakForcePos"): the quantity's dimension.
    if (EndsWith(header, "Pos") || EndsWith(header, "Neg"))
        return DimensionOfColumn(header.substr(0, header.size() - 3));
    // A point column's two halves.
    if (EndsWith(header, " d")) return ColumnDimension::Displacement;
    if (EndsWith(header, " F")) return ColumnDimension::Force;
    if (EndsWith(header, "Energy")) return ColumnDimension::Energy;
    if (EndsWith(header, "Stiffness") || StartsWith(header, "RingStiffness"))
        return ColumnDimension::Stiffness;
    if (EndsWith(header, "Disp")) return ColumnDimension::Displacement;
    if (EndsWith(header, "Force")) return ColumnDimension::Force;
    return ColumnDimension::None;
}

std::string UnitOfDimension(ColumnDimension dimension, std::string_view displacementUnit,
                            std::string_view forceUnit) {
    const std::string d(displacementUnit);
    const std::string f(forceUnit);
    switch (dimension) {
        case ColumnDimension::None: return {};
        case ColumnDimension::Displacement: return d;
        case ColumnDimension::Force: return f;
        case ColumnDimension::Energy: return d.empty() || f.empty() ? "" : f + "\u00b7" + d;
        case ColumnDimension::Stiffness: return d.empty() || f.empty() ? "" : f + "/" + d;
    }
    return {};
}

std::string HeaderWithUnit(std::string_view header, std::string_view displacementUnit,
                           std::string_view forceUnit) {
    const std::string unit =
        UnitOfDimension(DimensionOfColumn(header), displacementUnit, forceUnit);
    std::string text(header);
    if (!unit.empty()) text += " (" + unit + ")";
    return text;
}

}  // namespace qlnx
