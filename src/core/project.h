// A project: the specimens of a test campaign, each with its record and everything the
// window needs to show it again exactly (import options, noise band, skeleton as edited,
// evaluation options). Plain values; the file's reader and writer are project_file.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/channel_import.h"
#include "core/evaluation_options.h"
#include "core/import_format.h"
#include "core/skeleton.h"
#include "core/skeleton_methods.h"

namespace qlnx {

// The import as the window's boxes and the import options dialog set it. The boxes stay
// texts, as typed, so that they are checked and converted exactly as the window does.
struct SpecimenImport {
    std::string FirstLineText = "1";
    std::string StepText = "1";
    DecimalMode Decimal = DecimalMode::Auto;
    int32_t DisplacementColumn = 1;
    int32_t ForceColumn = 2;
    // The last line read (0: to the end of the record): a range chosen in the loading history.
    int32_t LastLine = 0;
    // How the record's channels become the curve (expressions, channel units, zeroing and
    // calibration, output units, drift height), as the Import Options dialog set it; unset,
    // the displacement and force are the two columns above.
    std::optional<ChannelSettings> Channels{};
    // The record's header the mapping was made for: its channels' names and units as the
    // name and unit rows write them (the key under which the window remembers a mapping).
    std::string ChannelHeader{};
};

// One skeleton branch as a list of nodes in series order.
struct SkeletonBranchNodes {
    std::vector<double> X;
    std::vector<double> Y;
};

// One "Thin" of the skeleton: the two range boxes and the tolerance box, as typed.
struct ThinningStep {
    std::string Low;
    std::string High;
    std::string Tolerance;
};

struct SpecimenSkeleton {
    // The method last extracted with (its radio button) and the outward check box.
    std::optional<SkeletonMethod> Method;
    bool KeepDispIncreasing = false;
    // The nodes as the user left them (extracted, thinned, dragged, added, deleted). When
    // Stored is false the specimen has no skeleton and both branches are empty.
    bool Stored = false;
    SkeletonBranchNodes Positive;
    SkeletonBranchNodes Negative;
    // The thinnings applied since the last extraction, in order; the nodes already hold
    // their result, so they are kept for the report only.
    std::vector<ThinningStep> Thinning;
};

struct Specimen {
    std::string Name;
    std::string Group;
    std::string Notes;
    // The record: its path (absolute in memory; relative to the project's folder in the
    // file) and the SHA-256 of its bytes when it was added, as 64 lower-case hex digits.
    std::string RecordPath;
    std::string RecordSha256;
    SpecimenImport Import;
    std::string NoiseBandText = "0";  // the "Noise Band" box
    LoopDirection Direction = LoopDirection::Positive;
    SpecimenSkeleton Skeleton;
    EvaluationOptions Evaluation;  // its NoiseBand is the band the loops were split with
    std::optional<EvaluationPreset> Preset;
    // The specimen's height, for drift (displacement / height); none when not given.
    std::optional<double> Height;
};

struct Project {
    std::vector<Specimen> Specimens;
};

}  // namespace qlnx
