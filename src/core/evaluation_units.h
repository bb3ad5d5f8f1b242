// The units of the evaluation's columns, from the record's displacement and force units: a
// displacement, a force, an energy (force times displacement) or a stiffness (force per
// displacement); ratios, counts and flags have none.
#pragma once

#include <string>
#include <string_view>

namespace qlnx {

enum class ColumnDimension { None, Displacement, Force, Energy, Stiffness };

// The dimension of a column of the loop, level or skeleton table by its header ("Energy",
// "PosPeakDisp", a point's "<name> d" and "<name> F").
ColumnDimension DimensionOfColumn(std::string_view header);

// The unit of a dimension: "mm", "kN", "kN·mm", "kN/mm"; empty when a unit it needs is not
// known or the dimension is None.
std::string UnitOfDimension(ColumnDimension dimension, std::string_view displacementUnit,
                            std::string_view forceUnit);

// "Energy (kN·mm)": the header with its unit, or as it is when it has none.
std::string HeaderWithUnit(std::string_view header, std::string_view displacementUnit,
                           std::string_view forceUnit);

}  // namespace qlnx
