// Text files as the program reads them: decoding to UTF-8, lines and delimited fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"

namespace qlnx {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Latin1, Utf16LENoMark, Utf16BENoMark };

// Turns the bytes of a text file into UTF-8 text in place (one buffer, no second copy of the
// file where it can be avoided). A byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE and
// is dropped; without one, text whose first kilobyte has zero bytes in alternate positions
// (and almost none in the others) is UTF-16 of that byte order, valid UTF-8 stays as it is
// and anything else is read byte for byte as Latin-1. Malformed sequences of a mark's or
// UTF-16 encoding become U+FFFD. Returns what was found.
TextEncoding DecodeText(std::string& bytes);

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

// Number of lines of a text: breaks are CR LF, a lone LF and a lone CR; a break at the very
// end adds no empty last line, every other empty line counts.
size_t CountLines(std::string_view text);

// Walks the lines of a text forward or backward without copying them. Line views point
// into the text, without their line break.
class LineCursor {
public:
    // Stands on line 0, or on no line when the text is empty.
    explicit LineCursor(std::string_view text);

    bool Valid() const { return valid_; }
    int64_t Index() const { return index_; }
    std::string_view Line() const { return text_.substr(begin_, end_ - begin_); }

    // Moves to the next line; false (and no longer valid) when there is none.
    bool Next();
    // Moves to the previous line; false (and no longer valid) before line 0.
    bool Previous();

private:
    size_t FindLineEnd(size_t from) const;

    std::string_view text_;
    size_t begin_ = 0;
    size_t end_ = 0;
    int64_t index_ = 0;
    bool valid_ = false;
};

// All lines of a text (views into it).
std::vector<std::string_view> SplitLines(std::string_view text);

// What separates the fields of a row.
enum class FieldSeparator {
    CommaOrBlank,  // a comma, a run of blanks or tabs, or both (the usual rule)
    Semicolon,     // a semicolon; blanks belong to the field
    Blank,         // a run of blanks or tabs; commas belong to the field (decimal commas)
};

// Reads the fields of one row, one at a time. The usual rule accepts comma-, blank- and
// tab-separated columns alike: the row is trimmed of codes <= 32 at both ends; a field that
// begins with a double quote runs to the closing quote ("" inside stands for one quote; an
// unclosed quote takes the rest of the row); any other field runs up to a comma or a code
// <= 32; blanks after a field are skipped, then one comma with the blanks after it; a comma
// that ends the row adds one empty field. Semicolons separate nothing. With Semicolon the
// semicolon takes the comma's part and a field runs up to it, blanks included; with Blank
// only runs of codes <= 32 separate fields.
class FieldReader {
public:
    explicit FieldReader(std::string_view row,
                         FieldSeparator separator = FieldSeparator::CommaOrBlank);

    // Reads the next field into field; false when the row has no more. The view points into
    // the row, or into the reader for a quoted field with doubled quotes, and stays valid
    // until the next call.
    bool Next(std::string_view& field);

private:
    std::string_view row_;
    FieldSeparator separator_;
    size_t pos_ = 0;
    bool trailingEmpty_ = false;
    std::string unescaped_;
};

// All fields of a row, by the rule of FieldReader.
std::vector<std::string> SplitFields(std::string_view row,
                                     FieldSeparator separator = FieldSeparator::CommaOrBlank);

}  // namespace qlnx
