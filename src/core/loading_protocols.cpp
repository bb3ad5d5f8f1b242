#include "core/loading_protocols.h"

#include <array>
#include <cmath>

namespace qlnx {

namespace {

// One cycle each at 1.25, 2.5, 5, 7.5 and 10 % of the ultimate displacement; then three
// cycles each at 20, 40, 60 ... %.
PlannedLevel IsoLevel(size_t j) {
    constexpr std::array<double, 5> kSmall{0.0125, 0.025, 0.05, 0.075, 0.10};
    if (j < kSmall.size()) return {kSmall[j], 1};
    return {0.2 * static_cast<double>(j - kSmall.size() + 1), 3};
}

// One cycle each at 0.25 and 0.5 of the yield slip; three each at 0.75, 1, then 2, 4, 6 ...
PlannedLevel EnLevel(size_t j) {
    constexpr std::array<PlannedLevel, 4> kFirst{{{0.25, 1}, {0.5, 1}, {0.75, 3}, {1.0, 3}}};
    if (j < kFirst.size()) return kFirst[j];
    return {2.0 * static_cast<double>(j - kFirst.size() + 1), 3};
}

// Six initiation cycles at 0.05 of the reference; then each primary cycle followed by its
// trailing cycles at 0.75 of the primary amplitude (six after the first two primaries, three
// after the next two, two after each later one).
PlannedLevel CureeLevel(size_t j) {
    if (j == 0) return {0.05, 6};
    constexpr std::array<double, 7> kPrimary{0.075, 0.1, 0.2, 0.3, 0.4, 0.7, 1.0};
    const size_t k = (j - 1) / 2;
    const double primary = k < kPrimary.size()
                               ? kPrimary[k]
                               : 1.0 + 0.5 * static_cast<double>(k - kPrimary.size() + 1);
    if ((j - 1) % 2 == 0) return {primary, 1};
    return {0.75 * primary, k < 2 ? 6 : (k < 4 ? 3 : 2)};
}

// Two cycles at each amplitude, each 1.4 times the one before; the first is the reference.
PlannedLevel FemaLevel(size_t j) { return {std::pow(1.4, static_cast<double>(j)), 2}; }

// Story drift angles (rad) of the beam-to-column qualification sequence; the reference is the
// height the drift is taken over.
PlannedLevel AiscLevel(size_t j) {
    constexpr std::array<PlannedLevel, 8> kFirst{{{0.00375, 6},
                                                  {0.005, 6},
                                                  {0.0075, 6},
                                                  {0.01, 4},
                                                  {0.015, 2},
                                                  {0.02, 2},
                                                  {0.03, 2},
                                                  {0.04, 2}}};
    if (j < kFirst.size()) return kFirst[j];
    return {0.04 + 0.01 * static_cast<double>(j - kFirst.size() + 1), 2};
}

// Load-controlled single cycles at 0.25, 0.5 and 0.75 of the yield displacement, then three
// cycles at each multiple of it.
PlannedLevel JgjLevel(size_t j) {
    if (j < 3) return {0.25 * static_cast<double>(j + 1), 1};
    return {static_cast<double>(j - 2), 3};
}

constexpr LoadingProtocolRow kRows[] = {
    {LoadingProtocol::Iso16670, "ISO 16670", "ISO 16670:2003, cyclic loading schedule",
     "ultimate displacement of the monotonic test", &IsoLevel},
    {LoadingProtocol::En12512, "EN 12512", "EN 12512:2001, full cyclic loading procedure",
     "yield slip", &EnLevel},
    {LoadingProtocol::Curee, "CUREE", "ASTM E2126, test method C (CUREE basic loading protocol)",
     "0.6 of the monotonic capacity displacement", &CureeLevel},
    {LoadingProtocol::Fema461, "FEMA 461", "FEMA 461, quasi-static cyclic loading history",
     "the first (smallest) amplitude", &FemaLevel},
    {LoadingProtocol::Aisc341, "AISC 341",
     "AISC 341, beam-to-column qualification loading sequence",
     "the height the story drift angle is taken over", &AiscLevel},
    {LoadingProtocol::JgjT101, "JGJ/T 101", "JGJ/T 101, displacement-controlled loading",
     "yield displacement", &JgjLevel},
};

}  // namespace

std::span<const LoadingProtocolRow> LoadingProtocols() { return kRows; }

const LoadingProtocolRow& ProtocolRow(LoadingProtocol protocol) {
    return kRows[static_cast<size_t>(protocol)];
}

std::optional<LoadingProtocol> ProtocolOfName(std::string_view name) {
    for (const LoadingProtocolRow& row : kRows) {
        if (row.Name == name) return row.Protocol;
    }
    return std::nullopt;
}

std::vector<PlannedLevel> PlanLevels(const LoadingProtocolRow& row, double reference,
                                     double largestAmplitude, size_t maxLevels) {
    std::vector<PlannedLevel> levels;
    if (!(reference > 0)) return levels;
    for (size_t j = 0; j < maxLevels; ++j) {
        PlannedLevel level = row.Level(j);
        level.Relative *= reference;
        if (level.Relative > largestAmplitude) break;
        levels.push_back(level);
    }
    return levels;
}

}  // namespace qlnx
