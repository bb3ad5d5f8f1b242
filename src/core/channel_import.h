// Importing a multi-channel record: its header read into a channel table, the rows of the
// channels the expressions use, and the displacement and force computed from them in the
// output units.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/analysis_state.h"
#include "core/header_detection.h"
#include "core/import_result.h"
#include "core/progress.h"

namespace qlnx {

struct ImportParameters;

// A channel's calibration: value * Factor + Offset.
struct ChannelScale {
    std::string Channel{};
    double Factor = 1;
    double Offset = 0;
    bool operator==(const ChannelScale&) const = default;
};

// Zeroing: subtract the mean of the first Samples samples of the channel (1: the first).
struct ChannelZero {
    std::string Channel{};
    int Samples = 1;
    bool operator==(const ChannelZero&) const = default;
};

// How the channels become the curve. Every field's default leaves the columns of the
// column boxes as they are.
struct ChannelSettings {
    std::string Displacement{};  // expression; empty: cD of the displacement column box
    std::string Force{};         // expression; empty: cF of the force column box
    std::vector<std::pair<std::string, std::string>> Units{};  // channel, unit it is in
    std::vector<ChannelZero> Zero{};
    std::vector<ChannelScale> Scale{};
    std::string LengthUnit{};  // output units; empty: the channels' own
    std::string ForceUnit{};
    std::optional<double> DriftHeight{};  // the displacement as % of this height
    std::string TimeChannel{};            // empty: found by its name or unit
    bool operator==(const ChannelSettings&) const = default;
};

// Reads the file's header into a channel table (with the unit corrections of settings), or
// the failure: the file cannot be opened, or no line reads as data.
struct LayoutReading {
    std::optional<ChannelLayout> Layout;
    ImportResult Failure;
    // A workbook's sheets or a MATLAB file's variables ("Sheets", "Variables"), and the one
    // read; empty for a text record.
    std::string PartsTitle;
    std::vector<std::string> Parts;
    std::string Chosen;
};
LayoutReading ReadChannelLayout(const std::string& path, const ImportParameters& parameters,
                                const ChannelSettings& settings);

// The channel table and the metadata as --list-channels prints them, then the sheets or
// variables of the file when it has them.
std::string ChannelTableText(const ChannelLayout& layout);
std::string ChannelTableText(const LayoutReading& reading);

// Reads the record into RawDisp and RawForce (which the caller has emptied) and state.Channels.
// Rows with a gap in a channel the expressions use are left out and counted; a field that is
// no number, a missing field, a row of another width, an unknown channel or unit, channels of
// different dimensions added, or a row where an expression gives no finite number stop the
// import with the reason (Refused with the text, or the row failures with their line).
// Why an expression over the channels cannot be evaluated: an unknown name, muparser's
// reason, or channels of two kinds added (a force plus a length); empty when it can.
std::string DimensionProblem(std::string_view what, const std::string& text,
                             const std::vector<Channel>& channels);

ImportResult ReadChannelFile(AnalysisState& state, const std::string& path,
                             const ImportParameters& parameters, const ChannelSettings& settings,
                             const ProgressCallback& progress = {});

// Whether a record without zeroing is turned into the curve block by block as its rows are
// read (the default), or read into whole columns of its channels first and evaluated then.
// Both give the same bits; the choice is there to compare them.
void SetBlockEvaluation(bool on);

// ReadChannelFile over a text held in memory (the file name box is left as it is).
ImportResult ReadChannelText(AnalysisState& state, std::string_view text,
                             const ImportParameters& parameters, const ChannelSettings& settings,
                             const ProgressCallback& progress = {});

}  // namespace qlnx
