// Number texts: the general 15-digit format and the integer and floating point conversions
// of edit-box text, with one decimal separator for the whole program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qlnx {

// The decimal separator of the user's locale; set once at start-up (tests pin '.').
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Removes characters with code <= 32 (blank and control characters) from both ends.
std::string_view TrimControl(std::string_view text);

// General format with 15 significant digits: "0", "INF", "-INF", "NAN", fixed point for
// decimal exponents -3..15 (as 0.d1d2.. x 10^E), scientific "d.dddE-5" otherwise.
// Rounds the exact binary value; an exact tie goes away from zero; -0 gives "0".
std::string FormatGeneral15(double value);

// value rounded to digits (1..15) significant digits, then written as FormatGeneral15 writes
// it: a number for reading ("0.0201" for 0.0201411268115044), never for a file.
std::string FormatSignificant(double value, int digits);

// FormatSignificant's number always in fixed notation, however small or large: "0.00001234"
// for 1.234E-5, "123400000000000000" for 1.234E17. NAN, INF and -INF as the general format.
std::string FormatSignificantFixed(double value, int digits);

// Appends FormatGeneral15(value) to out (no allocation beyond out's growth).
void AppendGeneral15(std::string& out, double value, char separator);

// Integer conversion of edit-box text: the text trimmed of codes <= 32, then an optional
// sign and decimal digits (or a hexadecimal number after "$" or "0x"), within 32 bits.
// Throws ConversionError "''<trimmed text>'' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Floating point conversion: optional sign, digits with at most one decimal separator,
// optional exponent (E or e, optional sign, digits). No blanks are skipped.
// Returns nullopt for text outside that grammar or beyond the double range.
std::optional<double> ParseFloat(std::string_view text, char separator);

// The message of a text that does not convert: "'<text>' is not a valid floating point
// value", with the whole text (a NUL byte in it included, where what() would stop).
std::string FloatConversionMessage(std::string_view text);

// ParseFloat with the program's separator; throws ConversionError
// "'<text>' is not a valid floating point value" with the text as given.
double StrToFloat(std::string_view text);

}  // namespace qlnx
