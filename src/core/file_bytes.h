// Reading whole files into memory, as bytes or as decoded text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

class FileMap;

// The text of a file as the import reads it: a regular file whose bytes are UTF-8 already is
// read where it lies (mapped read-only, nothing copied); any other file (a pipe, a device,
// another encoding) is read and decoded into memory as ReadTextFile does. Either way the
// text is the same.
class FileText {
public:
    FileText();
    FileText(FileText&&) noexcept;
    FileText& operator=(FileText&&) noexcept;
    ~FileText();

    std::string_view Text() const;
    // The file's size or modification time changed between its opening and now, or part of
    // it was gone when it was read: the text may end in a torn row. Asked once the text has
    // been read through.
    bool Changed() const;

private:
    friend FileText OpenTextFile(const std::string&, const ProgressCallback&, TextEncoding*,
                                 uint64_t);
    std::unique_ptr<FileMap> map_;
    size_t start_ = 0;  // past a byte-order mark
    std::string read_;  // the text when the file is not mapped
    bool readChanged_ = false;
};

// Opens a text file for reading as FileText, with the errors, memory limit and progress of
// ReadFileBytes (a mapped file reports its pages as they are brought in, in pieces of a few
// megabytes; when progress asks to stop, the text is what was loaded so far, to be dropped).
// encoding, when given, receives what DecodeText found.
FileText OpenTextFile(const std::string& path, const ProgressCallback& progress = {},
                      TextEncoding* encoding = nullptr, uint64_t memoryLimit = 0);

}  // namespace qlnx
