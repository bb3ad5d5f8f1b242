// The project file (.qlnx): JSON with a "Format" number, read and written whole.
#pragma once

#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/project.h"

namespace qlnx {

// The newest format this version reads. Format 2 added a specimen's channel mapping and its
// range of lines; a project is written in format 1 while none of its specimens has either, so
// that it stays what it was, and in format 2 when one has, so that a version that would read
// the two columns or the whole record instead refuses it as newer.
inline constexpr int kProjectFormat = 2;
inline constexpr int kProjectFormatOfWholeColumnRecords = 1;

// A project file that cannot be used: damaged, of a newer format, or unreadable. what() is
// the message the user sees.
class ProjectError : public Error {
public:
    using Error::Error;
};

// The project as the file's text; record paths relative to projectFolder where they lie
// under it or beside it (absolute otherwise). Doubles are written so that they read back to
// the same double.
std::string ProjectJsonText(const Project& project, const std::string& projectFolder);

// Reads the file's text; record paths are resolved against projectFolder. Throws
// ProjectError naming the file (displayName) for text that is not a project of a format this
// version reads.
Project ParseProjectJson(std::string_view text, const std::string& projectFolder,
                         const std::string& displayName);

// Writes the project through the safe-write path: the old file stays whole on any failure.
void SaveProject(const Project& project, const std::string& path);

// Reads a project file. Throws FileError for a file that cannot be read, ProjectError for one
// that is not a usable project.
Project LoadProject(const std::string& path);

// Why a specimen's record cannot be used as the project saved it.
enum class RecordState { Ok, Missing, Changed };

// Compares the record's bytes with the SHA-256 saved (a specimen without one is Ok when the
// file can be read).
RecordState CheckRecord(const Specimen& specimen);

// "The record "<path>" of specimen "<name>" is missing." / "... has changed since the project
// was saved."
std::string RecordStateText(const Specimen& specimen, RecordState state);

}  // namespace qlnx
