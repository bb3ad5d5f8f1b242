#include "cli/json_output.h"

#include "cli/calibration_output.h"
#include "cli/channel_json.h"
#include "cli/evaluation_output.h"
#include "cli/protocol_output.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace qlnx {

namespace {

// Large vectors are written in pieces of about this size.
constexpr size_t kFlushSize = size_t{1} << 20;

void Flush(std::ostream& out, std::string& buffer) {
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    buffer.clear();
}

void AppendNumber(std::string& out, int32_t value) {
    char buf[16];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    out.append(buf, end);
}

void AppendNumber(std::string& out, double value) { AppendJsonNumber(out, value); }

template <typename T>
void AppendArray(std::ostream& stream, std::string& out, std::string_view key,
                 const std::vector<T>& values) {
    out += ",\n  ";
    AppendJsonString(out, key);
    out += ": [";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i != 0) out += ", ";
        AppendNumber(out, values[i]);
        if (out.size() >= kFlushSize) Flush(stream, out);
    }
    out += ']';
}

// The points of a series as [[x, y], ...].
void AppendPoints(std::ostream& stream, std::string& out, const char* key,
                  const ChartSeries& series) {
    out += ",\n  ";
    AppendJsonString(out, key);
    out += ": [";
    for (int i = 0; i < series.Count(); ++i) {
        if (i != 0) out += ", ";
        out += '[';
        AppendJsonNumber(out, series.GetxValue(i));
        out += ", ";
        AppendJsonNumber(out, series.GetyValue(i));
        out += ']';
        if (out.size() >= kFlushSize) Flush(stream, out);
    }
    out += ']';
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    static const char kHex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += kHex[(c >> 4) & 0xF];
                    out += kHex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    out.append(buf, end);
}

void WriteAnalysisJson(std::ostream& stream, const AnalysisState& state,
                       const std::optional<std::string>& message, const RecordFindings& findings,
                       const TestEvaluation* evaluation, const ImportNotes& notes,
                       const ProtocolRecognition* protocol,
                       const std::vector<CalibrationResult>* calibration) {
    std::string out = "{\n  \"message\": ";
    if (message) {
        AppendJsonString(out, *message);
    } else {
        out += "null";
    }
    if (notes.Line) out += ",\n  \"line\": " + std::to_string(*notes.Line);
    if (notes.SuggestedFirstLine) {
        out += ",\n  \"SuggestedFirstLine\": " + std::to_string(*notes.SuggestedFirstLine);
    }
    AppendArray(stream, out, "RawDisp", state.RawDisp);
    AppendArray(stream, out, "RawForce", state.RawForce);
    AppendArray(stream, out, "LoopDisp", state.LoopDisp);
    AppendArray(stream, out, "LoopForce", state.LoopForce);
    AppendArray(stream, out, "LoopStart", state.LoopStart);
    out += ",\n  \"LoopCount\": ";
    AppendNumber(out, static_cast<int32_t>(state.LoopCount));
    AppendArray(stream, out, "MaxDispIndex1", state.MaxDispIndex1);
    AppendArray(stream, out, "MaxDispIndex2", state.MaxDispIndex2);
    for (const LoopColumn& column : kLoopExtremeColumns) {
        AppendArray(stream, out, column.JsonName, column.Values(state));
    }
    AppendPoints(stream, out, "PositiveSkeleton",
                 state.Chart.GetSeries(ChartModel::PositiveSkeletonSeries));
    AppendPoints(stream, out, "NegativeSkeleton",
                 state.Chart.GetSeries(ChartModel::NegativeSkeletonSeries));
    out += ",\n  \"LoadsFirst\": ";
    if (findings.LoadsFirst) {
        AppendJsonString(out,
                         *findings.LoadsFirst == LoopDirection::Negative ? "negative" : "positive");
    } else {
        out += "null";
    }
    out += ",\n  \"SuggestedNoiseBand\": ";
    if (findings.SuggestedNoiseBand) {
        AppendJsonNumber(out, *findings.SuggestedNoiseBand);
    } else {
        out += "null";
    }
    out += ",\n  \"SuggestedZeroStart\": ";
    out += findings.SuggestedZeroStart ? "true" : "false";
    if (state.Channels.Active) AppendChannelJson(stream, out, state.Channels);
    if (evaluation != nullptr) {
        out += ",\n  \"Evaluation\": ";
        AppendEvaluationJson(stream, out, *evaluation);
    }
    if (protocol != nullptr) {
        out += ",\n  \"Protocol\": ";
        AppendProtocolJson(out, *protocol);
    }
    if (calibration != nullptr) {
        out += ",\n  \"Calibration\": ";
        AppendCalibrationJson(stream, out, *calibration);
    }
    out += "\n}\n";
    Flush(stream, out);
}

}  // namespace qlnx
