// Decoding the bytes of a text file to UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qlnx {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Latin1, Utf16LENoMark, Utf16BENoMark };

// Turns the bytes of a text file into UTF-8 text in place (one buffer, no second copy of the
// file where it can be avoided). A byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE and
// is dropped; without one, text whose first kilobyte has zero bytes in alternate positions
// (and almost none in the others) is UTF-16 of that byte order, valid UTF-8 stays as it is
// and anything else is read byte for byte as Latin-1. Malformed sequences of a mark's or
// UTF-16 encoding become U+FFFD. Returns what was found.
TextEncoding DecodeText(std::string& bytes);

// Where the text starts in bytes when DecodeText would leave them as they are or only drop a
// UTF-8 byte-order mark from valid UTF-8 (0 or 3; encoding receives what DecodeText would
// find): the text can then be read where the bytes lie. nullopt when DecodeText would
// convert them.
std::optional<size_t> TextInPlace(std::string_view bytes, TextEncoding& encoding);

}  // namespace qlnx
