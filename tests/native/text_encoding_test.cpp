// Text conversions: UTF-8 inside, UTF-16 for Windows and registry data, Windows-1252 for old files,
// and the case-insensitive comparison the registry and the file system sort by.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text_encoding.h"

namespace trenmoor::platform {
namespace {

TEST(TextEncoding, Utf8AndUtf16RoundTrip) {
    const char* samples[] = {"", "plain ASCII", "Grüße", "Ключ", "日本語", "emoji 😀 pair", "mixed é€𝄞"};
    for (const char* s : samples) EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s) << s;
    EXPECT_EQ(Utf8ToUtf16("é"), u"é");
    EXPECT_EQ(Utf8ToUtf16("😀"), std::u16string(u"\xD83D\xDE00"));
    EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncoding, InvalidInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\xFFFD"
              "b");
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\xFFFD");                             // truncated sequence
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\xFFFD");                         // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80").front(), u'\xFFFD');             // an encoded surrogate
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
    EXPECT_EQ(Utf16ToUtf8(u"\xDC00x"), "\xEF\xBF\xBDx");
}

TEST(TextEncoding, RecognisesValidUtf8) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("ascii"));
    EXPECT_TRUE(IsValidUtf8("Grüße 日本 😀"));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));  // U+FFFD itself
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));
    EXPECT_FALSE(IsValidUtf8("\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));
    EXPECT_FALSE(IsValidUtf8("\xF5\x80\x80\x80"));
}

TEST(TextEncoding, Windows1252MapsTheWholeHighHalf) {
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9"), "café");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x85\x99\x9F"), "€…™Ÿ");
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");  // unassigned kept
    EXPECT_EQ(Cp1252ToUtf8("\xA0\xFF"), "\u00A0ÿ");
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncoding, DecodeTextHonoursByteOrderMarksThenUtf8ThenWindows1252) {
    struct Case {
        const char* title;
        std::string bytes;
        std::string text;
    };
    const Case table[] = {
        {"UTF-16LE",
         std::string("\xFF\xFE"
                     "A\0\xE9\0\x42\x04",
                     8),
         "Aéт"},
        {"UTF-16BE", std::string("\xFE\xFF\0A\0\xE9", 6), "Aé"},
        {"UTF-16LE odd byte ignored",
         std::string("\xFF\xFE"
                     "A\0B",
                     5),
         "A"},
        {"UTF-8 with mark",
         "\xEF\xBB\xBF"
         "Grüße",
         "Grüße"},
        {"UTF-8", "Grüße", "Grüße"},
        {"Windows-1252",
         "Gr\xFC\xDF"
         "e \x80",
         "Grüße €"},
        {"empty", "", ""},
    };
    for (const auto& c : table) EXPECT_EQ(DecodeText(c.bytes), c.text) << c.title;
}

TEST(TextEncoding, RegistryStringBytes) {
    const std::vector<uint8_t> abc{'a', 0, 'b', 0, 'c', 0, 0, 0};
    EXPECT_EQ(Utf8ToRegBytes("abc"), abc);
    EXPECT_EQ(Utf8ToRegBytes(""), (std::vector<uint8_t>{0, 0}));
    EXPECT_EQ(RegBytesToUtf8(abc), "abc");
    EXPECT_EQ(RegBytesToUtf8({'a', 0, 'b', 0}), "ab");             // no terminator
    EXPECT_EQ(RegBytesToUtf8({'a', 0, 0, 0, 'b', 0, 0, 0}), "a");  // stops at the first NUL
    EXPECT_EQ(RegBytesToUtf8({'a', 0, 'b'}), "a");                 // an odd byte is dropped
    EXPECT_EQ(RegBytesToUtf8({}), "");
    EXPECT_EQ(RegBytesToUtf8(Utf8ToRegBytes("Grüße 日本 😀")), "Grüße 日本 😀");

    const auto multi = MultiStringToRegBytes({"one", "Zwei"});
    EXPECT_EQ(multi.size(), (4 + 5 + 1) * 2u);
    EXPECT_EQ(RegBytesToMultiString(multi), (std::vector<std::string>{"one", "Zwei"}));
    EXPECT_EQ(MultiStringToRegBytes({}), (std::vector<uint8_t>{0, 0}));
    EXPECT_TRUE(RegBytesToMultiString({0, 0}).empty());
    EXPECT_EQ(RegBytesToMultiString({'a', 0, 0, 0, 'b', 0}),
              (std::vector<std::string>{"a", "b"}));  // no closing NUL
}

TEST(TextEncoding, UpperCaseFoldsAsWindowsDoes) {
    EXPECT_EQ(UpperUtf8("abc_xyz"), "ABC_XYZ");
    EXPECT_EQ(UpperUtf8("grüße àÿ"), "GRÜßE ÀŸ");
    EXPECT_EQ(UpperUtf8("ключ ёж"), "КЛЮЧ ЁЖ");
    EXPECT_EQ(UpperUtf8("αβγ ς"), "ΑΒΓ ς");
    EXPECT_EQ(UpperUtf8("łńž"), "ŁŃŽ");
    EXPECT_EQ(UpperChar16(u'÷'), u'÷');
    EXPECT_EQ(UpperChar16(u'ı'), u'ı');
    EXPECT_EQ(UpperChar16(u'ｚ'), u'Ｚ');
}

TEST(TextEncoding, CompareNoCaseOrdersByUpperCasedUnits) {
    EXPECT_EQ(CompareNoCase("abc", "ABC"), 0);
    EXPECT_TRUE(EqualsNoCase("Grüße", "GRÜßE"));
    EXPECT_TRUE(EqualsNoCase("Ключ", "кЛЮЧ"));
    EXPECT_FALSE(EqualsNoCase("Grüße", "Grusse"));
    EXPECT_LT(CompareNoCase("a", "B"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_LT(CompareNoCase("ab", "abc"), 0);
    EXPECT_GT(CompareNoCase("abc", "AB"), 0);
    EXPECT_LT(CompareNoCase("Z", "_"), 0);  // "_" is above every upper-case letter
    EXPECT_LT(CompareNoCase("z", "~"), 0);
    EXPECT_LT(CompareNoCase("zz", "é"), 0);
    EXPECT_LT(CompareNoCase("é", "Ω"), 0);
    EXPECT_GT(CompareNoCase("\uFFFD", "😀"), 0);  // by UTF-16 units: surrogates sort below U+FFFD
    std::vector<std::string> names{"b", "_x", "A", "c", "Ä", "a1", "B2"};
    std::sort(names.begin(), names.end(),
              [](const auto& x, const auto& y) { return CompareNoCase(x, y) < 0; });
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a1", "b", "B2", "c", "_x", "Ä"}));
}

}  // namespace
}  // namespace trenmoor::platform
