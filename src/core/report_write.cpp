#include "core/report_write.h"

#include "core/safe_write.h"

namespace qlnx {

void WriteReportFile(const std::string& path, std::string_view content,
                     const std::vector<std::string>& sources, bool dashIsStandardOutput) {
    WriteGuard guard;
    guard.DashIsStandardOutput = dashIsStandardOutput;
    // Each source but the last is checked by a write that is then abandoned (its temporary
    // file removed); the last guards the write itself.
    for (size_t i = 0; i + 1 < sources.size(); ++i) {
        guard.RecordPath = sources[i];
        const SafeFileWrite check(path, guard);
    }
    guard.RecordPath = sources.empty() ? std::string() : sources.back();
    WriteFileSafely(path, content, guard);
}

}  // namespace qlnx
