// Classes of characters shared by the readers of text.
#pragma once

namespace qlnx {

// A blank or a control character (code <= 32): what trims rows and separates blank-separated
// fields.
inline bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace qlnx
