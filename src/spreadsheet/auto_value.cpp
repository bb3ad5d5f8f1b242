#include "spreadsheet/auto_value.h"

#include <cmath>
#include <limits>

#include "spreadsheet/automation_error.h"

namespace qlnx {

AutoValue AutoValue::Null() {
    AutoValue v;
    v.kind_ = VarType::Null;
    return v;
}

AutoValue AutoValue::I2(int16_t x) {
    AutoValue v;
    v.kind_ = VarType::I2;
    v.num_.i2 = x;
    return v;
}

AutoValue AutoValue::I4(int32_t x) {
    AutoValue v;
    v.kind_ = VarType::I4;
    v.num_.i4 = x;
    return v;
}

AutoValue AutoValue::R4(float x) {
    AutoValue v;
    v.kind_ = VarType::R4;
    v.num_.r4 = x;
    return v;
}

AutoValue AutoValue::R8(double x) {
    AutoValue v;
    v.kind_ = VarType::R8;
    v.num_.r8 = x;
    return v;
}

AutoValue AutoValue::Bstr(std::u16string text) {
    AutoValue v;
    v.kind_ = VarType::Bstr;
    v.text_ = std::move(text);
    return v;
}

AutoValue AutoValue::Text(std::string_view utf8) { return Bstr(WidenUtf8(utf8)); }

AutoValue AutoValue::Object(DispatchPtr object) {
    if (!object) return Null();
    AutoValue v;
    v.kind_ = VarType::Dispatch;
    v.object_ = std::move(object);
    return v;
}

AutoValue AutoValue::Bool(bool x) {
    AutoValue v;
    v.kind_ = VarType::Bool;
    v.num_.boolean = x ? kVariantTrue : kVariantFalse;
    return v;
}

AutoValue AutoValue::UI4(uint32_t x) {
    AutoValue v;
    v.kind_ = VarType::UI4;
    v.num_.ui4 = x;
    return v;
}

const char* VarTypeName(VarType kind) {
    switch (kind) {
        case VarType::Empty: return "EMPTY";
        case VarType::Null: return "NULL";
        case VarType::I2: return "I2";
        case VarType::I4: return "I4";
        case VarType::R4: return "R4";
        case VarType::R8: return "R8";
        case VarType::Bstr: return "BSTR";
        case VarType::Dispatch: return "DISPATCH";
        case VarType::Bool: return "BOOL";
        case VarType::UI4: return "UI4";
    }
    return "?";
}

std::u16string WidenUtf8(std::string_view s) {
    // Number texts and most titles are ASCII: widen them in one pass.
    bool ascii = true;
    for (char c : s) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::u16string(s.begin(), s.end());
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            out.push_back(static_cast<char16_t>(b0));
            ++i;
            continue;
        }
        // Length and payload bits of a multi-byte sequence; anything malformed (stray
        // continuation byte, overlong form, surrogate, beyond U+10FFFF) becomes U+FFFD.
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if ((b0 & 0xE0) == 0xC0) {
            extra = 1, cp = b0 & 0x1F, minimum = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2, cp = b0 & 0x0F, minimum = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3, cp = b0 & 0x07, minimum = 0x10000;
        } else {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= n || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
        }
        if (!ok || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(u'\uFFFD');
            i = j;  // resume after the bytes read (at the one that broke the sequence)
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i = j;
    }
    return out;
}

std::string NarrowToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // unpaired surrogate
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

namespace {

[[noreturn]] void TypeMismatch() { throw AutomationError("Type mismatch"); }

int32_t RoundToInt32(double x) {
    // Banker's rounding, as the automation conversion of floats to integers does.
    const double r = std::nearbyint(x);  // default rounding mode: to nearest, ties to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw AutomationError("Overflow");
    return static_cast<int32_t>(r);
}

}  // namespace

int32_t ValueToInt32(const AutoValue& v) {
    switch (v.Kind()) {
        case VarType::I2: return v.AsI2();
        case VarType::I4: return v.AsI4();
        case VarType::Bool: return v.AsBool();
        case VarType::UI4:
            if (v.AsUI4() > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
                throw AutomationError("Overflow");
            }
            return static_cast<int32_t>(v.AsUI4());
        case VarType::R4: return RoundToInt32(static_cast<double>(v.AsR4()));
        case VarType::R8: return RoundToInt32(v.AsR8());
        default: TypeMismatch();
    }
}

bool ValueToBool(const AutoValue& v) {
    switch (v.Kind()) {
        case VarType::I2: return v.AsI2() != 0;
        case VarType::I4: return v.AsI4() != 0;
        case VarType::Bool: return v.AsBool() != 0;
        case VarType::UI4: return v.AsUI4() != 0;
        case VarType::R4: return v.AsR4() != 0;
        case VarType::R8: return v.AsR8() != 0;
        default: TypeMismatch();
    }
}

double ValueToDouble(const AutoValue& v) {
    switch (v.Kind()) {
        case VarType::I2: return v.AsI2();
        case VarType::I4: return v.AsI4();
        case VarType::Bool: return v.AsBool();
        case VarType::UI4: return v.AsUI4();
        case VarType::R4: return static_cast<double>(v.AsR4());
        case VarType::R8: return v.AsR8();
        default: TypeMismatch();
    }
}

DispatchPtr ValueToObject(const AutoValue& v) {
    if (v.Kind() != VarType::Dispatch) TypeMismatch();
    return v.AsDispatch();
}

}  // namespace qlnx
