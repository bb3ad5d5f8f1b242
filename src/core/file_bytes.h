// Reading whole files into memory, as bytes or as decoded text.
#pragma once

#include <cstdint>
#include <string>

#include "core/progress.h"
#include "core/text_decoding.h"

namespace qlnx {

// What ReadFileBytes noticed besides the bytes.
struct FileReadReport {
    // The file's size or modification time changed between the opening and the end of the
    // reading (the program that writes it is still at work): the bytes may end in a torn row.
    bool Changed = false;
};

// Reads a whole file into memory. Throws FileError "Cannot open file "<path>". <reason>"
// with the system's reason. More bytes than memoryLimit (0: half the memory available) are
// refused the same way ("File too large"): a regular file before anything is allocated for
// it, a pipe or device (/dev/zero) as soon as it has sent that much. progress, when given,
// gets the fraction of a regular file's bytes read so far, once per few megabytes; when it
// asks to stop, the reading ends there and the bytes read so far are returned. report, when
// given, learns whether the file changed while it was read.
std::string ReadFileBytes(const std::string& path, const ProgressCallback& progress = {},
                          FileReadReport* report = nullptr, uint64_t memoryLimit = 0);

// ReadFileBytes followed by DecodeText; encoding, when given, receives what DecodeText found.
std::string ReadTextFile(const std::string& path, const ProgressCallback& progress = {},
                         FileReadReport* report = nullptr, TextEncoding* encoding = nullptr);

}  // namespace qlnx
