// Counting the lines of a text.
#pragma once

#include <cstddef>
#include <string_view>

namespace qlnx {

// Number of lines of a text: breaks are CR LF, a lone LF and a lone CR; a break at the very
// end adds no empty last line, every other empty line counts.
size_t CountLines(std::string_view text);

}  // namespace qlnx
