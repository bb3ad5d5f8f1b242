// The loading protocols of the cyclic test standards, one row each: the amplitude of each
// level relative to the protocol's reference displacement and the cycles at that amplitude.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qlnx {

enum class LoadingProtocol { Iso16670, En12512, Curee, Fema461, Aisc341, JgjT101 };

// One level of a protocol: its amplitude as a multiple of the reference displacement, and
// how many cycles are run at it.
struct PlannedLevel {
    double Relative = 0;
    int Cycles = 0;
};

// Level j (0-based) of the protocol's unending sequence.
using PlannedLevelAt = PlannedLevel (*)(size_t j);

struct LoadingProtocolRow {
    LoadingProtocol Protocol;
    std::string_view Name;       // as reports and the batch JSON write it
    std::string_view Source;     // the clause of the standard the sequence is read from
    std::string_view Reference;  // what the reference displacement is
    PlannedLevelAt Level;
};

// Every protocol, in the order reports list them.
std::span<const LoadingProtocolRow> LoadingProtocols();
const LoadingProtocolRow& ProtocolRow(LoadingProtocol protocol);
std::optional<LoadingProtocol> ProtocolOfName(std::string_view name);

// The protocol's levels in order, absolute amplitudes (Relative × reference), up to the last
// one whose amplitude is at most largestAmplitude; at most maxLevels of them.
std::vector<PlannedLevel> PlanLevels(const LoadingProtocolRow& row, double reference,
                                     double largestAmplitude, size_t maxLevels = 100000);

}  // namespace qlnx
