#include "core/skeleton_methods.h"

#include <array>
#include <string>

namespace qlnx {

namespace {

// clang-format off
constexpr SkeletonMethodRow kRows[] = {
    {SkeletonMethod::MaxForcePoint, "max-force", "rb1", "每一圈力最大点     ",
     "Maximum force: takes from each half-cycle of every loop its point of largest force "
     "(least force on the negative side).",
     false, true, false, &MaxForcePointLoop, 1},
    {SkeletonMethod::MaxDispPoint, "max-disp", "rb2", "每一圈位移最大点       ",
     "Maximum displacement: takes from each half-cycle of every loop its point of largest "
     "displacement, with the force there.",
     false, true, true, &MaxDispPointLoop, 1},
    {SkeletonMethod::MaxForceAndDispPoints, "max-force-disp", "rb3",
     "每一圈力最大点+位移最大点       ",
     "Maximum force and maximum displacement: takes both points of each half-cycle, in the "
     "order they occur.",
     false, true, true, &MaxForceAndDispPointsLoop, 2},
    {SkeletonMethod::EnvelopeToMaxForce, "envelope-force", "rb4",
     "每一圈包络点(力最大点为分界)  ",
     "Envelope to the maximum force: takes every loading point of each half-cycle that goes "
     "beyond the skeleton so far, up to the half-cycle's peak force.",
     true, true, false, &EnvelopeToMaxForceLoop, 0},
    {SkeletonMethod::EnvelopeToMaxDisp, "envelope-disp", "rb5",
     "每一圈包络点(位移最大点为分界)  ",
     "Envelope to the maximum displacement: takes every loading point of each half-cycle that "
     "goes beyond the skeleton so far, up to its largest displacement.",
     true, true, true, &EnvelopeToMaxDispLoop, 0},
    {SkeletonMethod::SBDecomposition, "sb", "rb6", "SB分解法(特别适合带强化的滞回曲线)",
     "SB decomposition: joins the parts of each loading path that exceed the force reached so "
     "far, shifted to continue the skeleton; suited to hardening loops.",
     false, false, false, &SBDecompositionLoop, 0},
    {SkeletonMethod::FirstCycleEnvelope, "first-cycle", "rb7", "每级首圈峰值点(包络)      ",
     "First-cycle envelope: takes the peak displacement points of the first cycle of each "
     "loading level (or of the cycle chosen for the stabilised envelope), as the cyclic test "
     "standards build the envelope.",
     false, true, false, &FirstCycleEnvelopeLoop, 1},
};
// clang-format on

// The rows stand in the order of their numbers, so a row's place is its number less one.
constexpr bool NumberedInOrder() {
    for (size_t i = 0; i < std::size(kRows); ++i) {
        if (static_cast<size_t>(kRows[i].Method) != i + 1) return false;
    }
    return true;
}
static_assert(NumberedInOrder(), "skeleton method rows must follow the enumerators' order");

}  // namespace

std::span<const SkeletonMethodRow> SkeletonMethods() { return kRows; }

const SkeletonMethodRow* FindSkeletonMethod(SkeletonMethod method) {
    const auto number = static_cast<size_t>(method);
    if (number < 1 || number > std::size(kRows)) return nullptr;
    return &kRows[number - 1];
}

std::optional<SkeletonMethod> SkeletonMethodOfName(std::string_view text) {
    for (const SkeletonMethodRow& row : kRows) {
        if (text == row.BatchName || text == std::to_string(static_cast<int>(row.Method))) {
            return row.Method;
        }
    }
    return std::nullopt;
}

}  // namespace qlnx
