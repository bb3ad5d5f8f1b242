#include "core/text_decoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace qlnx {

namespace {

// Length of the valid UTF-8 sequence at p (1..4), or 0 when it is malformed: a stray
// continuation byte, a truncated sequence, an overlong form, a surrogate or a code point
// above U+10FFFF.
size_t Utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char c = p[0];
    if (c < 0x80) return 1;
    const auto left = static_cast<size_t>(end - p);
    const auto cont = [&](size_t i) { return i < left && (p[i] & 0xC0) == 0x80; };
    if (c >= 0xC2 && c <= 0xDF) return cont(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        if (c == 0xE0 && p[1] < 0xA0) return 0;   // overlong
        if (c == 0xED && p[1] >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        if (c == 0xF0 && p[1] < 0x90) return 0;   // overlong
        if (c == 0xF4 && p[1] >= 0x90) return 0;  // above U+10FFFF
        return 4;
    }
    return 0;
}

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p != end) {
        // Runs of ASCII go eight bytes at a time.
        while (end - p >= 32) {
            uint64_t w[4];
            std::memcpy(w, p, 32);
            if ((w[0] | w[1] | w[2] | w[3]) & 0x8080808080808080ull) break;
            p += 32;
        }
        while (end - p >= 8) {
            uint64_t word = 0;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull) break;
            p += 8;
        }
        if (p == end) break;
        const size_t n = Utf8SequenceLength(p, end);
        if (n == 0) return false;
        p += n;
    }
    return true;
}

size_t Utf8Length(uint32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

char* AppendUtf8(char* out, uint32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

constexpr uint32_t kReplacement = 0xFFFD;

// UTF-8 after a mark: valid sequences are kept, each malformed byte becomes U+FFFD.
void RepairUtf8(std::string& text, size_t from) {
    std::string_view rest(text.data() + from, text.size() - from);
    if (IsValidUtf8(rest)) {
        text.erase(0, from);
        return;
    }
    std::string out;
    out.reserve(rest.size() + rest.size() / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(rest.data());
    const auto* end = p + rest.size();
    char buf[4];
    while (p != end) {
        const size_t n = Utf8SequenceLength(p, end);
        if (n == 0) {
            out.append(buf, static_cast<size_t>(AppendUtf8(buf, kReplacement) - buf));
            ++p;
        } else {
            out.append(reinterpret_cast<const char*>(p), n);
            p += n;
        }
    }
    text.swap(out);
}

// Latin-1 to UTF-8 in place: the buffer grows by one byte per byte >= 0x80 and is filled
// from the back, so no second buffer is needed.
void Latin1ToUtf8(std::string& text) {
    size_t high = 0;
    for (const char c : text) high += static_cast<unsigned char>(c) >> 7;
    const size_t n = text.size();
    text.resize(n + high);
    size_t out = n + high;
    for (size_t in = n; in-- > 0;) {
        const auto c = static_cast<unsigned char>(text[in]);
        if (c < 0x80) {
            text[--out] = static_cast<char>(c);
        } else {
            text[--out] = static_cast<char>(0x80 | (c & 0x3F));
            text[--out] = static_cast<char>(0xC0 | (c >> 6));
        }
    }
}

// Reads the code point of the UTF-16 text at byte position in (after the mark); unpaired
// surrogates and a trailing odd byte give U+FFFD. Advances in.
uint32_t ReadUtf16(const std::string& text, size_t& in, bool bigEndian) {
    const size_t n = text.size();
    const auto unit = [&](size_t at) -> uint32_t {
        const auto a = static_cast<unsigned char>(text[at]);
        const auto b = static_cast<unsigned char>(text[at + 1]);
        return bigEndian ? (uint32_t{a} << 8 | b) : (uint32_t{b} << 8 | a);
    };
    if (in + 1 >= n) {
        in = n;
        return kReplacement;
    }
    const uint32_t u = unit(in);
    in += 2;
    if (u >= 0xD800 && u <= 0xDBFF && in + 1 < n) {
        const uint32_t low = unit(in);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            in += 2;
            return 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    if (u >= 0xD800 && u <= 0xDFFF) return kReplacement;
    return u;
}

// UTF-16 from byte start on (after the mark, if any) to UTF-8. The conversion runs in place
// when the output never overtakes the input (always so for text that is mostly ASCII, which
// shrinks to half); otherwise into a new buffer that replaces the old one.
void Utf16ToUtf8(std::string& text, bool bigEndian, size_t start) {
    size_t in = start;
    size_t total = 0;
    bool inPlace = true;
    while (in < text.size()) {
        total += Utf8Length(ReadUtf16(text, in, bigEndian));
        if (total > in) inPlace = false;
    }
    if (inPlace) {
        in = start;
        char* out = text.data();
        while (in < text.size()) out = AppendUtf8(out, ReadUtf16(text, in, bigEndian));
        text.resize(total);
        return;
    }
    std::string result(total, '\0');
    in = start;
    char* out = result.data();
    while (in < text.size()) out = AppendUtf8(out, ReadUtf16(text, in, bigEndian));
    text.swap(result);
}

// UTF-16 without a mark: in the first kilobyte, zero bytes stand in alternate positions (the
// high bytes of ASCII characters) and hardly ever in the others. Text in an 8-bit code page
// or UTF-8 has no zero bytes at all.
std::optional<bool> Utf16ByteOrder(std::string_view bytes) {
    const size_t n = std::min<size_t>(bytes.size(), 1024) & ~size_t{1};
    if (n < 2) return std::nullopt;
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t i = 0; i < n; i += 2) {
        evenZeros += bytes[i] == '\0';
        oddZeros += bytes[i + 1] == '\0';
    }
    const size_t units = n / 2;
    // At least half of the characters are ASCII, and the other position holds almost no zero.
    if (oddZeros * 2 >= units && evenZeros * 8 <= oddZeros) return false;  // little-endian
    if (evenZeros * 2 >= units && oddZeros * 8 <= evenZeros) return true;  // big-endian
    return std::nullopt;
}

}  // namespace

TextEncoding DecodeText(std::string& bytes) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const size_t n = bytes.size();
    if (n >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        RepairUtf8(bytes, 3);
        return TextEncoding::Utf8Bom;
    }
    if (n >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
        Utf16ToUtf8(bytes, false, 2);
        return TextEncoding::Utf16LE;
    }
    if (n >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
        Utf16ToUtf8(bytes, true, 2);
        return TextEncoding::Utf16BE;
    }
    if (const auto bigEndian = Utf16ByteOrder(bytes)) {
        Utf16ToUtf8(bytes, *bigEndian, 0);
        return *bigEndian ? TextEncoding::Utf16BENoMark : TextEncoding::Utf16LENoMark;
    }
    if (IsValidUtf8(bytes)) return TextEncoding::Utf8;
    Latin1ToUtf8(bytes);
    return TextEncoding::Latin1;
}

std::optional<size_t> TextInPlace(std::string_view bytes, TextEncoding& encoding) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const size_t n = bytes.size();
    // The same order of tests as DecodeText.
    if (n >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        if (!IsValidUtf8(bytes.substr(3))) return std::nullopt;
        encoding = TextEncoding::Utf8Bom;
        return 3;
    }
    if (n >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
        return std::nullopt;
    }
    if (Utf16ByteOrder(bytes) || !IsValidUtf8(bytes)) return std::nullopt;
    encoding = TextEncoding::Utf8;
    return 0;
}

}  // namespace qlnx
