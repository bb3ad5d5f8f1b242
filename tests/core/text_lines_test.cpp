// Decoding of text files, line breaks and the delimited-field rule.
#include "core/text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qlnx {
namespace {

using namespace std::string_literals;

TEST(DecodeText, TableOfEncodings) {
    const struct {
        std::string bytes;
        TextEncoding encoding;
        std::string text;
        // clang-format off
    } cases[] = {
        {"", TextEncoding::Utf8, ""},
        {"0,0\n1,10", TextEncoding::Utf8, "0,0\n1,10"},
        {"caf\xC3\xA9 \xE4\xB8\xAD", TextEncoding::Utf8, "caf\xC3\xA9 \xE4\xB8\xAD"},
        // Not valid UTF-8: every byte is a Latin-1 character.
        {"\xB5m,1\xE9", TextEncoding::Latin1, "\xC2\xB5m,1\xC3\xA9"},
        {"0123456789abcdef\x80", TextEncoding::Latin1, "0123456789abcdef\xC2\x80"},
        {"\xC0\xAF", TextEncoding::Latin1, "\xC3\x80\xC2\xAF"},        // overlong form
        {"\xED\xA0\x80", TextEncoding::Latin1, "\xC3\xAD\xC2\xA0\xC2\x80"},  // surrogate
        {"\xE4\xB8", TextEncoding::Latin1, "\xC3\xA4\xC2\xB8"},        // truncated
        // Byte-order marks.
        {"\xEF\xBB\xBF" "1,2", TextEncoding::Utf8Bom, "1,2"},
        {"\xEF\xBB\xBF", TextEncoding::Utf8Bom, ""},
        {"\xEF\xBB\xBF" "a\xFF" "b", TextEncoding::Utf8Bom, "a\xEF\xBF\xBD" "b"},
        {"\xFF\xFE" "1\0,\0" "2\0\r\0\n\0"s, TextEncoding::Utf16LE, "1,2\r\n"},
        {"\xFE\xFF" "\0" "1\0,\0" "2"s, TextEncoding::Utf16BE, "1,2"},
        {"\xFF\xFE"s, TextEncoding::Utf16LE, ""},
        {"\xFF\xFE\xB5\0"s, TextEncoding::Utf16LE, "\xC2\xB5"},
        // A surrogate pair, a lone surrogate and a trailing odd byte.
        {"\xFF\xFE\x3D\xD8\x00\xDE"s, TextEncoding::Utf16LE, "\xF0\x9F\x98\x80"},
        {"\xFF\xFE\x3D\xD8" "1\0"s, TextEncoding::Utf16LE, "\xEF\xBF\xBD" "1"},
        {"\xFF\xFE" "1\0" "2"s, TextEncoding::Utf16LE, "1\xEF\xBF\xBD"},
        // UTF-16 without a mark: zero bytes in alternate positions.
        {"1\0,\0" "2\0"s, TextEncoding::Utf16LENoMark, "1,2"},
        {"\0" "1\0,\0" "2"s, TextEncoding::Utf16BENoMark, "1,2"},
        {"1\0\xB5\0\x2D\x4E"s, TextEncoding::Utf16LENoMark, "1\xC2\xB5\xE4\xB8\xAD"},
        // A few zero bytes in a text that is not UTF-16.
        {"1,2\0\0\0,3"s, TextEncoding::Utf8, "1,2\0\0\0,3"s},
        // Three-byte characters overtake the input: converted into a new buffer.
        {"\xFF\xFE\x2D\x4E\x2D\x4E\x2D\x4E"s, TextEncoding::Utf16LE,
         "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD"},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string text = c.bytes;
        EXPECT_EQ(DecodeText(text), c.encoding) << testing::PrintToString(c.bytes);
        EXPECT_EQ(text, c.text) << testing::PrintToString(c.bytes);
        // Where the text can be read in place, it is the decoded text.
        TextEncoding inPlace = TextEncoding::Latin1;
        if (const auto start = TextInPlace(c.bytes, inPlace)) {
            EXPECT_EQ(c.bytes.substr(*start), c.text) << testing::PrintToString(c.bytes);
            EXPECT_EQ(inPlace, c.encoding) << testing::PrintToString(c.bytes);
        } else {
            EXPECT_NE(c.bytes, c.text) << testing::PrintToString(c.bytes);
        }
    }
}

TEST(SplitLines, BreaksAtCrLfLfAndCr) {
    using Lines = std::vector<std::string_view>;
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"\n", {""}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\n\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"1,2\r\n\r\n3,4", {"1,2", "", "3,4"}},
    };
    for (const auto& c : cases) {
        const auto label = testing::PrintToString(c.text);
        EXPECT_EQ(SplitLines(c.text), c.lines) << label;
        EXPECT_EQ(CountLines(c.text), c.lines.size()) << label;

        // Walking back from the last line meets the same lines in reverse.
        LineCursor cursor(c.text);
        while (cursor.Valid() && cursor.Index() + 1 < static_cast<int64_t>(c.lines.size())) {
            cursor.Next();
        }
        Lines backwards;
        for (; cursor.Valid(); cursor.Previous()) backwards.push_back(cursor.Line());
        std::reverse(backwards.begin(), backwards.end());
        EXPECT_EQ(backwards, c.lines) << label;
    }
}

// Long texts of random breaks, compared with a plain byte-by-byte split: the counting and the
// line search work on many bytes at a time, and blocks must not lose a CR LF across them.
TEST(SplitLines, AgreesWithAPlainSplitOnLongTexts) {
    uint64_t seed = 7;
    const char alphabet[] = {'a', '1', ',', ' ', '\r', '\n', '\r', '\n'};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const size_t n = (seed >> 33) % 700;
        for (size_t i = 0; i < n; ++i) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            // Long stretches without breaks as well as dense ones.
            const uint64_t pick = (seed >> 33) % (round % 2 ? 8 : 40);
            text += alphabet[pick < 8 ? pick : pick % 4];
        }
        std::vector<std::string_view> expected;
        size_t begin = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' || text[i] == '\n') {
                expected.emplace_back(text.data() + begin, i - begin);
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
                begin = i + 1;
            }
        }
        if (begin < text.size()) expected.emplace_back(text.data() + begin, text.size() - begin);
        ASSERT_EQ(SplitLines(text), expected) << testing::PrintToString(text);
        ASSERT_EQ(CountLines(text), expected.size()) << testing::PrintToString(text);
    }
}

TEST(LineCursor, StopsAtBothEnds) {
    LineCursor cursor("a\nb\n");
    EXPECT_TRUE(cursor.Valid());
    EXPECT_FALSE(cursor.Previous());
    EXPECT_FALSE(cursor.Valid());

    LineCursor forward("a\nb\n");
    EXPECT_TRUE(forward.Next());
    EXPECT_EQ(forward.Index(), 1);
    EXPECT_EQ(forward.Line(), "b");
    EXPECT_FALSE(forward.Next());
    EXPECT_FALSE(forward.Valid());

    EXPECT_FALSE(LineCursor("").Valid());
}

TEST(SplitFields, DelimitedTextRule) {
    using Fields = std::vector<std::string>;
    const struct {
        std::string row;
        Fields fields;
        // clang-format off
    } cases[] = {
        {"0,0", {"0", "0"}},
        {"1.5, 20, 7", {"1.5", "20", "7"}},
        {"1.5\t20", {"1.5", "20"}},
        {"  1.5    20  ", {"1.5", "20"}},
        {"1 , 2", {"1", "2"}},
        {"1 2,3", {"1", "2", "3"}},
        {"1;2", {"1;2"}},
        {"1,,2", {"1", "", "2"}},
        {"1, ,2", {"1", "", "2"}},
        {"1,2,,,3", {"1", "2", "", "", "3"}},
        {",5", {"", "5"}},
        // A comma that ends the row adds an empty field; the row is trimmed first.
        {"1,", {"1", ""}},
        {"1,  \t", {"1", ""}},
        {"1,,", {"1", "", ""}},
        {"", {}},
        {" \t ", {}},
        {"\"1,5\",2", {"1,5", "2"}},
        {"\" 1 \",2", {" 1 ", "2"}},
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"\"\"", {""}},
        {"\"\",2", {"", "2"}},
        {"\"1\"2,3", {"1", "2", "3"}},
        {"1\"2,3", {"1\"2", "3"}},
        // An unclosed quote takes the rest of the row, nothing dropped.
        {"1,\"25", {"1", "25"}},
        {"1,\"2\"\"5", {"1", "2\"5"}},
        {"1,\"", {"1", ""}},
        {"1\0" "2"s, {"1", "2"}},
        {"\xC2\xB5m,3", {"\xC2\xB5m", "3"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(SplitFields(c.row), c.fields) << testing::PrintToString(c.row);
    }
}

TEST(SplitFields, SemicolonsAndBlanksOnly) {
    using Fields = std::vector<std::string>;
    const struct {
        std::string row;
        FieldSeparator separator;
        Fields fields;
    } cases[] = {
        {"0,1;2,5", FieldSeparator::Semicolon, {"0,1", "2,5"}},
        {" 1 2 ; 3 ", FieldSeparator::Semicolon, {"1 2", "3"}},
        {"1;;2", FieldSeparator::Semicolon, {"1", "", "2"}},
        {"1;", FieldSeparator::Semicolon, {"1", ""}},
        {"\"a;b\";c", FieldSeparator::Semicolon, {"a;b", "c"}},
        {"0,1\t2,5  3", FieldSeparator::Blank, {"0,1", "2,5", "3"}},
        {"1,,2 ;", FieldSeparator::Blank, {"1,,2", ";"}},
        {"\"1 5\" 2", FieldSeparator::Blank, {"1 5", "2"}},
        {" \t ", FieldSeparator::Blank, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitFields(c.row, c.separator), c.fields) << testing::PrintToString(c.row);
    }
}

}  // namespace
}  // namespace qlnx
