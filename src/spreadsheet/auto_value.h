// Automation values: the tagged values that cross the late-bound automation interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "spreadsheet/dispatch.h"

namespace qlnx {

// Kinds of automation values, numbered as the OLE VARIANT type codes.
enum class VarType : uint16_t {
    Empty = 0,     // no value (the result of a property put or a procedure)
    Null = 1,      // an explicit "nothing", e.g. the application handle before any export
    I2 = 2,        // 16-bit signed integer
    I4 = 3,        // 32-bit signed integer
    R4 = 4,        // 32-bit float
    R8 = 5,        // 64-bit float
    Bstr = 8,      // text, UTF-16
    Dispatch = 9,  // object handle (holds one reference)
    Bool = 11,     // boolean: true is all bits set (-1), false is 0
    UI4 = 19,      // 32-bit unsigned integer
};

// Automation boolean values.
inline constexpr int16_t kVariantTrue = -1;
inline constexpr int16_t kVariantFalse = 0;

class AutoValue {
public:
    AutoValue() = default;  // Empty

    static AutoValue Null();
    static AutoValue I2(int16_t v);
    static AutoValue I4(int32_t v);
    static AutoValue R4(float v);
    static AutoValue R8(double v);
    static AutoValue Bstr(std::u16string text);
    // Widens UTF-8 text to UTF-16 (bytes that are not valid UTF-8 become U+FFFD).
    static AutoValue Text(std::string_view utf8);
    static AutoValue Object(DispatchPtr object);  // a null object gives Null
    static AutoValue Bool(bool v);
    static AutoValue UI4(uint32_t v);

    VarType Kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == VarType::Empty; }
    bool IsNull() const { return kind_ == VarType::Null; }

    // Raw payloads; each is meaningful only for its own kind.
    int16_t AsI2() const { return num_.i2; }
    int32_t AsI4() const { return num_.i4; }
    float AsR4() const { return num_.r4; }
    double AsR8() const { return num_.r8; }
    int16_t AsBool() const { return num_.boolean; }  // -1 or 0
    uint32_t AsUI4() const { return num_.ui4; }
    const std::u16string& AsBstr() const { return text_; }
    const DispatchPtr& AsDispatch() const { return object_; }

private:
    VarType kind_ = VarType::Empty;
    union {
        int16_t i2;
        int32_t i4;
        float r4;
        double r8;
        int16_t boolean;
        uint32_t ui4;
    } num_{};
    std::u16string text_;
    DispatchPtr object_;
};

// Name of a kind as written in call logs and messages ("I2", "BSTR", ...).
const char* VarTypeName(VarType kind);

// UTF-8 <-> UTF-16 for texts sent to and read from the automation interface.
std::u16string WidenUtf8(std::string_view utf8);
std::string NarrowToUtf8(std::u16string_view text);

// Conversions of a value the interface returned, as the automation value conversion does
// them; each throws AutomationError "Type mismatch" when the kind does not convert.
// To a 32-bit integer: floats round to nearest, ties to even; out of range fails.
int32_t ValueToInt32(const AutoValue& v);
// To a boolean: any non-zero number is true.
bool ValueToBool(const AutoValue& v);
// To a double (numbers and booleans; booleans give -1 and 0).
double ValueToDouble(const AutoValue& v);
// The object handle of a Dispatch value; fails for any other kind, Null included.
DispatchPtr ValueToObject(const AutoValue& v);

}  // namespace qlnx
