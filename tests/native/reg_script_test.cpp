#include "registry_cleaner/reg_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_encoding.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RawValue;

RawValue Sz(std::string_view text) {
    return {platform::kRegSz, platform::Utf8ToRegBytes(text)};
}
RawValue Typed(uint32_t type, std::vector<uint8_t> bytes) {
    return {type, std::move(bytes)};
}

std::vector<RegScriptEntry> ParseAll(std::string_view bytes,
                                     std::optional<RegScriptFormat>* format = nullptr) {
    std::vector<RegScriptEntry> entries;
    const auto f = ParseRegScript(bytes, [&](const RegScriptEntry& e) { entries.push_back(e); });
    if (format) *format = f;
    return entries;
}

TEST(RegScript, ValueLinesInRegeditForm) {
    struct Case {
        std::string name;
        RawValue value;
        std::string line;
    };
    const Case cases[] = {
        {"N", Sz("a\\b\"c"), "\"N\"=\"a\\\\b\\\"c\""},
        {"", Sz("x"), "@=\"x\""},
        {"a\\\"b", Sz(""), "\"a\\\\\\\"b\"=\"\""},
        {"D", Typed(platform::kRegDword, {0x00, 0x01, 0x00, 0x00}), "\"D\"=dword:00000100"},
        {"D", Typed(platform::kRegDword, {0xEF, 0xBE, 0xAD, 0xDE}), "\"D\"=dword:deadbeef"},
        {"B", Typed(platform::kRegBinary, {0x00, 0xAB, 0x00}), "\"B\"=hex:00,AB,00"},
        {"B", Typed(platform::kRegBinary, {}), "\"B\"=hex:"},
        {"E", Typed(platform::kRegExpandSz, platform::Utf8ToRegBytes("%x%")),
         "\"E\"=hex(2):25,00,78,00,25,00,00,00"},
        {"M", Typed(platform::kRegMultiSz, platform::MultiStringToRegBytes({"a", "b"})),
         "\"M\"=hex(7):61,00,00,00,62,00,00,00,00,00"},
        {"Q", Typed(platform::kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}), "\"Q\"=hex(b):01,00,00,00,00,00,00,00"},
        {"0", Typed(platform::kRegNone, {}), "\"0\"=hex(0):"},
        {"R", Typed(0x100, {7}), "\"R\"=hex(100):07"},
        {"S", Typed(platform::kRegSz, {'a', 0}), "\"S\"=hex(1):61,00"},  // no terminator: exact bytes
        {"S", Typed(platform::kRegSz, {}), "\"S\"=hex(1):"},
        {"S", Sz("two\r\nlines"),
         "\"S\"=hex(1):74,00,77,00,6F,00,0D,00,0A,00,6C,00,69,00,6E,00,65,00,73,00,00,00"},
        {"S", Typed(platform::kRegSz, {'a', 0, 0, 0, 'b', 0, 0, 0}), "\"S\"=hex(1):61,00,00,00,62,00,00,00"},
        {"D", Typed(platform::kRegDword, {1, 2, 3}), "\"D\"=hex(4):01,02,03"},
        {"Zoë", Sz("naïve"), "\"Zoë\"=\"naïve\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRegValueLine(c.name, c.value, RegScriptFormat::Unicode5), c.line) << c.line;
    }
}

TEST(RegScript, LongHexDataBreaksLikeRegeditAndReadsBack) {
    std::vector<uint8_t> bytes(300);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    const std::string line =
        FormatRegValueLine("Blob", Typed(platform::kRegBinary, bytes), RegScriptFormat::Unicode5);
    size_t start = 0, lines = 0;
    while (start < line.size()) {
        size_t end = line.find("\r\n", start);
        if (end == std::string::npos) end = line.size();
        const std::string_view one = std::string_view(line).substr(start, end - start);
        EXPECT_LE(one.size(), 80u) << one;
        if (end != line.size()) {
            EXPECT_EQ(one.back(), '\\');
        }
        if (start > 0) {
            EXPECT_TRUE(one.starts_with("  ")) << one;
        }
        ++lines;
        start = end + 2;
    }
    EXPECT_GT(lines, 10u);

    RegScriptWriter writer(RegScriptFormat::Unicode5);
    writer.KeyHeader("HKEY_CURRENT_USER\\Software\\T");
    writer.Value("Blob", Typed(platform::kRegBinary, bytes));
    const auto entries = ParseAll(writer.FileBytes());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].value, Typed(platform::kRegBinary, bytes));
}

TEST(RegScript, Unicode5FileIsUtf16WithByteOrderMarkAndReadsBackExactly) {
    const std::vector<std::pair<std::string, RawValue>> values = {
        {"", Sz("default data")},
        {"Zoë ☃", Sz("Grüße, 𝄞 and \"quotes\" \\ backslash")},
        {"Long", Sz(std::string(300, 'x'))},
        {"Expand", Typed(platform::kRegExpandSz, platform::Utf8ToRegBytes("%SystemRoot%\\Zoë"))},
        {"Multi", Typed(platform::kRegMultiSz, platform::MultiStringToRegBytes({"one", "twö", ""}))},
        {"Bin", Typed(platform::kRegBinary, {0, 0, 1, 0, 0})},
        {"Dword", Typed(platform::kRegDword, {4, 3, 2, 1})},
        {"Qword", Typed(platform::kRegQword, {1, 2, 3, 4, 5, 6, 7, 8})},
        {"Odd", Typed(platform::kRegSz, {'a', 0, 'b'})},
        {"None", Typed(platform::kRegNone, {})},
    };
    RegScriptWriter writer(RegScriptFormat::Unicode5);
    EXPECT_FALSE(writer.HasContent());
    writer.KeyHeader("HKEY_CURRENT_USER\\Software\\Zoë");
    for (const auto& [name, value] : values) writer.Value(name, value);
    EXPECT_TRUE(writer.HasContent());

    const std::string bytes = writer.FileBytes();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE"
                                              "W\0",
                                              4));
    std::optional<RegScriptFormat> format;
    const auto entries = ParseAll(bytes, &format);
    EXPECT_EQ(format, RegScriptFormat::Unicode5);
    ASSERT_EQ(entries.size(), values.size() + 1);
    EXPECT_EQ(entries[0].kind, RegScriptEntry::Kind::Key);
    EXPECT_EQ(entries[0].keyPath, "HKEY_CURRENT_USER\\Software\\Zoë");
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(entries[i + 1].kind, RegScriptEntry::Kind::Value);
        EXPECT_EQ(entries[i + 1].keyPath, "HKEY_CURRENT_USER\\Software\\Zoë");
        EXPECT_EQ(entries[i + 1].valueName, values[i].first);
        EXPECT_EQ(entries[i + 1].value, values[i].second) << values[i].first;
    }
}

TEST(RegScript, Regedit4FileIsEightBitAnsi) {
    RegScriptWriter writer(RegScriptFormat::Regedit4);
    writer.KeyHeader("HKEY_CURRENT_USER\\Software\\Zoë");
    writer.Value("Name", Sz("café"));
    writer.Value("Expand", Typed(platform::kRegExpandSz, platform::Utf8ToRegBytes("%a%é")));
    const std::string bytes = writer.FileBytes();
    EXPECT_TRUE(bytes.starts_with("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Zo\xEB]\r\n"));
    EXPECT_NE(bytes.find("\"Name\"=\"caf\xE9\"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\"Expand\"=hex(2):25,61,25,E9,00\r\n"), std::string::npos);  // ANSI bytes

    std::optional<RegScriptFormat> format;
    const auto entries = ParseAll(bytes, &format);
    EXPECT_EQ(format, RegScriptFormat::Regedit4);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].keyPath, "HKEY_CURRENT_USER\\Software\\Zoë");
    EXPECT_EQ(entries[1].value, Sz("café"));
    EXPECT_EQ(entries[2].value, Typed(platform::kRegExpandSz, platform::Utf8ToRegBytes("%a%é")));
}

TEST(RegScript, FormatByPlatformKind) {
    EXPECT_EQ(RegScriptFormatFor(0), RegScriptFormat::None);
    EXPECT_EQ(RegScriptFormatFor(1), RegScriptFormat::None);
    EXPECT_EQ(RegScriptFormatFor(2), RegScriptFormat::Regedit4);
    EXPECT_EQ(RegScriptFormatFor(3), RegScriptFormat::Regedit4);
    for (int kind : {4, 5, 7, 8, 255})
        EXPECT_EQ(RegScriptFormatFor(static_cast<uint8_t>(kind)), RegScriptFormat::Unicode5);
    EXPECT_EQ(RegScriptWriter(RegScriptFormat::None).FileBytes(), "\r\n");
}

TEST(RegScript, ReaderTakesDeletionsCommentsAndSpacing) {
    const std::string text =
        "REGEDIT4\r\n\r\n; a comment\r\n[-HKEY_CURRENT_USER\\Gone]\r\n[HKEY_CURRENT_USER\\K]\r\n"
        "\"v\"=-\r\n  @ = \"d\"\r\n\"h\"=hex:01,\\\r\n  02,\\\r\n  03\r\n\"w\"=DWORD:0000000a\n";
    const auto entries = ParseAll(text);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].kind, RegScriptEntry::Kind::DeleteKey);
    EXPECT_EQ(entries[0].keyPath, "HKEY_CURRENT_USER\\Gone");
    EXPECT_EQ(entries[2].kind, RegScriptEntry::Kind::DeleteValue);
    EXPECT_EQ(entries[2].valueName, "v");
    EXPECT_EQ(entries[3].valueName, "");
    EXPECT_EQ(entries[3].value, Sz("d"));
    EXPECT_EQ(entries[4].value, Typed(platform::kRegBinary, {1, 2, 3}));
    EXPECT_EQ(entries[5].value, Typed(platform::kRegDword, {10, 0, 0, 0}));
}

TEST(RegScript, ReaderRefusesWhatIsNoRegistryScript) {
    const std::string bad[] = {
        "",
        "garbage\r\n[HKEY_CURRENT_USER\\K]\r\n",
        "REGEDIT4\r\n\"v\"=\"value outside a key\"\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=hex:0G\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=dword:123456789\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=\"unterminated\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\K\r\n",
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\nnot a value line\r\n",
    };
    for (const std::string& text : bad) {
        EXPECT_FALSE(ParseRegScript(text, [](const RegScriptEntry&) {}).has_value()) << text;
    }
    EXPECT_TRUE(ParseRegScript("REGEDIT4\r\n", [](const RegScriptEntry&) {}).has_value());
}

TEST(RegScript, LenientReadingSkipsValueLinesThatDoNotParse) {
    // Text values written with raw line breaks, as some exports hold them.
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"v\"=\"first line\r\n"
        "second line\"\r\n\"w\"=dword:00000001\r\n\r\n[HKEY_CURRENT_USER\\B]\r\n";
    EXPECT_FALSE(ParseRegScript(text, [](const RegScriptEntry&) {}).has_value());
    std::vector<std::string> seen;
    EXPECT_TRUE(ParseRegScript(
                    text, [&](const RegScriptEntry& e) { seen.push_back(e.keyPath + "|" + e.valueName); },
                    RegScriptParse::SkipValues)
                    .has_value());
    EXPECT_EQ(seen, (std::vector<std::string>{"HKEY_CURRENT_USER\\A|", "HKEY_CURRENT_USER\\A|w",
                                              "HKEY_CURRENT_USER\\B|"}));
    // Still no registry script without its header.
    EXPECT_FALSE(ParseRegScript(
                     "[HKEY_CURRENT_USER\\A]\r\n", [](const RegScriptEntry&) {}, RegScriptParse::SkipValues)
                     .has_value());
}

TEST(RegScript, Cp1252Conversion) {
    EXPECT_EQ(Utf8ToCp1252("abc"), "abc");
    EXPECT_EQ(Utf8ToCp1252("é€"), "\xE9\x80");
    EXPECT_EQ(Utf8ToCp1252("☃"), "?");
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
