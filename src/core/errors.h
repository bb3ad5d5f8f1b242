// Expected failures of the core: each carries the exact text the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace qlnx {

// Base of every expected failure; what() is the user-visible message.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a valid integer or floating point value.
class ConversionError : public Error {
public:
    using Error::Error;
};

// A file that cannot be opened, read or written.
class FileError : public Error {
public:
    using Error::Error;
};

// The text of the error box: the message with a full stop appended when its last
// character's code is above that of the full stop.
std::string ErrorBoxText(const std::string& message);

}  // namespace qlnx
