// The SHA-256 of a record's bytes, to know whether a project's record changed since it was
// saved.
#pragma once

#include <string>

namespace qlnx {

// The SHA-256 of the file's bytes as 64 lower-case hex digits. Throws FileError with the
// message of a file that cannot be opened or read.
std::string FileSha256(const std::string& path);

}  // namespace qlnx
