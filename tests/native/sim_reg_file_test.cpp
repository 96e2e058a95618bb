// Registry scripts on the simulated registry: exports byte for byte as regedit writes them, imports
// of both formats with every data type, escapes, continued hex lines and deletions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_accessor.h"
#include "platform/sim/sim_platform.h"
#include "platform/text_encoding.h"
#include "support/sim_machine.h"

namespace trenmoor::platform::sim {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (const int v : values) out.push_back(static_cast<uint8_t>(v));
    return out;
}

// UTF-16LE with byte-order mark, as a Unicode registry script is stored.
std::string Unicode(std::string_view utf8) {
    std::string out = "\xFF\xFE";
    for (const char16_t c : Utf8ToUtf16(utf8)) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string FromUnicode(const std::string& bytes) {
    EXPECT_TRUE(bytes.starts_with("\xFF\xFE"));
    std::u16string u;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        u += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return Utf16ToUtf8(u);
}

std::optional<RawValue> Get(SimRegistry& reg, RootKey root, std::string_view path, std::string_view name) {
    auto key = reg.open(root, path, false, false);
    if (!key) return std::nullopt;
    return key->queryValue(name);
}

void Set(SimRegistry& reg, std::string_view path, std::string_view name, RawValue value) {
    auto key = reg.open(RootKey::CurrentUser, path, true, true);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->setValue(name, value));
}

RawValue Sz(std::string_view text) {
    return RawValue{kRegSz, Utf8ToRegBytes(text)};
}
RawValue Dword(uint32_t v) {
    return RawValue{kRegDword, Bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                                      static_cast<int>((v >> 16) & 0xFF), static_cast<int>(v >> 24)})};
}

// A small key tree with one value of each common kind.
void MakeFixture(SimRegistry& reg) {
    const std::string k = "Software\\Fixture";
    Set(reg, k, "", Sz("Default \"quoted\" C:\\path"));
    Set(reg, k, "Name", Sz("Value"));
    Set(reg, k, "Count", Dword(10));
    Set(reg, k, "Bin", RawValue{kRegBinary, Bytes({0x00, 0x01, 0xFF})});
    Set(reg, k, "Exp", RawValue{kRegExpandSz, Utf8ToRegBytes("%TEMP%")});
    Set(reg, k, "Multi", RawValue{kRegMultiSz, MultiStringToRegBytes({"a", "b"})});
    Set(reg, k, "Q", RawValue{kRegQword, Bytes({1, 0, 0, 0, 0, 0, 0, 0})});
    Set(reg, k, "None", RawValue{kRegNone, {}});
    Set(reg, k, "Empty", Sz(""));
    Set(reg, k + "\\b", "x\\y\"z", Sz("1"));
    Set(reg, k + "\\A", "Umlaut", Sz("Grüße"));
    ASSERT_NE(reg.open(RootKey::CurrentUser, k + "\\A\\Inner", true, true), nullptr);
}

constexpr const char* kFixtureBody =
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Fixture]\r\n"
    "@=\"Default \\\"quoted\\\" C:\\\\path\"\r\n"
    "\"Name\"=\"Value\"\r\n"
    "\"Count\"=dword:0000000a\r\n"
    "\"Bin\"=hex:00,01,ff\r\n"
    "\"Exp\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,00,00\r\n"
    "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"Q\"=hex(b):01,00,00,00,00,00,00,00\r\n"
    "\"None\"=hex(0):\r\n"
    "\"Empty\"=\"\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Fixture\\A]\r\n"
    "\"Umlaut\"=\"Grüße\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Fixture\\A\\Inner]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Fixture\\b]\r\n"
    "\"x\\\\y\\\"z\"=\"1\"\r\n"
    "\r\n";

TEST(RegExport, UnicodeFormatIsExactlyWhatRegeditWrites) {
    SimRegistry reg;
    MakeFixture(reg);
    const auto bytes = reg.exportReg(RootKey::CurrentUser, "Software\\Fixture", RegFileFormat::Unicode5);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, Unicode(std::string("Windows Registry Editor Version 5.00\r\n") + kFixtureBody));
}

TEST(RegExport, Regedit4FormatIsEightBitWithStringsAsEightBitHex) {
    SimRegistry reg;
    MakeFixture(reg);
    const auto bytes = reg.exportReg(RootKey::CurrentUser, "Software\\Fixture", RegFileFormat::Regedit4);
    ASSERT_TRUE(bytes.has_value());
    std::string expected = std::string("REGEDIT4\r\n") + kFixtureBody;
    // In 8-bit files expandable and multi strings are 8-bit text too.
    const auto replace = [&](std::string_view from, std::string_view to) {
        const size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    replace("hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,00,00", "hex(2):25,54,45,4d,50,25,00");
    replace("hex(7):61,00,00,00,62,00,00,00,00,00", "hex(7):61,00,62,00,00");
    replace("Grüße",
            "Gr\xFC\xDF"
            "e");  // Windows-1252
    EXPECT_EQ(*bytes, expected);
}

TEST(RegExport, PathKeepsItsSpellingAndMissingKeysGiveNothing) {
    SimRegistry reg;
    MakeFixture(reg);
    const auto bytes = reg.exportReg(RootKey::CurrentUser, "software\\FIXTURE\\a\\", RegFileFormat::Unicode5);
    ASSERT_TRUE(bytes.has_value());
    const std::string text = FromUnicode(*bytes);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\software\\FIXTURE\\a]\r\n\"Umlaut\""), std::string::npos)
        << text;
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\software\\FIXTURE\\a\\Inner]"), std::string::npos) << text;
    EXPECT_FALSE(
        reg.exportReg(RootKey::CurrentUser, "Software\\Missing", RegFileFormat::Unicode5).has_value());
    EXPECT_FALSE(reg.exportReg(RootKey::PerformanceData, "", RegFileFormat::Unicode5).has_value());
}

TEST(RegExport, LongHexDataWrapsLikeRegedit) {
    SimRegistry reg;
    std::vector<uint8_t> data(60);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i);
    Set(reg, "Software\\Wrap", "Big", RawValue{kRegBinary, data});
    const std::string text =
        FromUnicode(*reg.exportReg(RootKey::CurrentUser, "Software\\Wrap", RegFileFormat::Unicode5));
    // "Big"=hex: is 10 characters; regedit breaks once a line reaches 77, then indents by two.
    const std::string expected =
        "\"Big\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
        "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,\\\r\n"
        "  30,31,32,33,34,35,36,37,38,39,3a,3b\r\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;

    // Every continued line is at most 80 characters and ends in a backslash.
    size_t start = text.find("\"Big\"");
    while (true) {
        const size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        EXPECT_LE(line.size(), 80u) << line;
        if (line.back() != '\\') break;
        start = end + 2;
    }
}

TEST(RegExport, StringsThatAQuotedTextCannotHoldGoOutAsHex) {
    SimRegistry reg;
    const std::vector<uint8_t> noTerminator = Bytes({'a', 0, 'b', 0});
    Set(reg, "Software\\Odd", "NoTerm", RawValue{kRegSz, noTerminator});
    Set(reg, "Software\\Odd", "Newline", Sz("a\r\nb"));
    Set(reg, "Software\\Odd", "ShortDword", RawValue{kRegDword, Bytes({1, 2})});
    Set(reg, "Software\\Odd", "Line\nName", Sz("x"));
    const std::string text =
        FromUnicode(*reg.exportReg(RootKey::CurrentUser, "Software\\Odd", RegFileFormat::Unicode5));
    EXPECT_NE(text.find("\"NoTerm\"=hex(1):61,00,62,00\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Newline\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"ShortDword\"=hex(4):01,02\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Line\\nName\"=\"x\"\r\n"), std::string::npos) << text;

    SimRegistry back;
    ASSERT_TRUE(
        back.importReg(*reg.exportReg(RootKey::CurrentUser, "Software\\Odd", RegFileFormat::Unicode5)));
    EXPECT_EQ(Get(back, RootKey::CurrentUser, "Software\\Odd", "Newline"), Sz("a\r\nb"));
    EXPECT_EQ(Get(back, RootKey::CurrentUser, "Software\\Odd", "ShortDword"),
              (RawValue{kRegDword, Bytes({1, 2})}));
    EXPECT_EQ(Get(back, RootKey::CurrentUser, "Software\\Odd", "Line\nName"), Sz("x"));
}

TEST(RegExport, Regedit4FallsBackToUtf8WhenWindows1252CannotHoldTheText) {
    SimRegistry reg;
    Set(reg, "Software\\Intl\\Ключ", "日本", Sz("Привет"));
    Set(reg, "Software\\Intl\\Ключ", "exp", RawValue{kRegExpandSz, Utf8ToRegBytes("%Ω%")});
    const auto bytes = reg.exportReg(RootKey::CurrentUser, "Software\\Intl", RegFileFormat::Regedit4);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(IsValidUtf8(*bytes));
    EXPECT_NE(bytes->find("[HKEY_CURRENT_USER\\Software\\Intl\\Ключ]\r\n\"日本\"=\"Привет\"\r\n"),
              std::string::npos);

    SimRegistry back;
    ASSERT_TRUE(back.importReg(*bytes));
    EXPECT_EQ(Get(back, RootKey::CurrentUser, "Software\\Intl\\Ключ", "日本"), Sz("Привет"));
    EXPECT_EQ(Get(back, RootKey::CurrentUser, "Software\\Intl\\Ключ", "exp"),
              (RawValue{kRegExpandSz, Utf8ToRegBytes("%Ω%")}));
}

TEST(RegExport, ALinkBackToAnAncestorDoesNotLoop) {
    SimRegistry reg;
    Set(reg, "Software\\Loop", "v", Sz("x"));
    ASSERT_TRUE(reg.createLink(RootKey::CurrentUser, "Software\\Loop\\Back", "Software\\Loop"));
    const auto bytes = reg.exportReg(RootKey::CurrentUser, "Software\\Loop", RegFileFormat::Unicode5);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(FromUnicode(*bytes),
              "Windows Registry Editor Version "
              "5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Loop]\r\n\"v\"=\"x\"\r\n\r\n");
}

// ---------------------------------------------------------------------------------------------
// Round trips

struct TypedValue {
    const char* name;
    RawValue value;
};

std::vector<TypedValue> EveryType() {
    std::vector<uint8_t> big(300);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 13);
    return {
        {"sz", Sz("C:\\Program Files\\App \"quoted\" ; not a comment")},
        {"sz empty", Sz("")},
        {"sz long", Sz(std::string(300, 'x'))},
        {"sz Latin-1", Sz("Grüße, café")},
        {"expand", {kRegExpandSz, Utf8ToRegBytes("%SystemRoot%\\system32\\x.dll")}},
        {"binary", {kRegBinary, Bytes({0, 0, 1, 0, 0xFF, 0x80})}},
        {"binary long", {kRegBinary, big}},
        {"binary empty", {kRegBinary, {}}},
        {"dword", Dword(0xDEADBEEF)},
        {"dword zero", Dword(0)},
        {"big endian", {kRegDwordBigEndian, Bytes({0, 0, 0, 1})}},
        {"multi", {kRegMultiSz, MultiStringToRegBytes({"one", "two words", "Grüße"})}},
        {"qword", {kRegQword, Bytes({0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01})}},
        {"none", {kRegNone, Bytes({1, 2, 3})}},
        {"none empty", {kRegNone, {}}},
        {"link type", {kRegLink, Bytes({'\\', 0, 'R', 0})}},
        {"resource list", {kRegResourceList, Bytes({1, 0, 0, 0})}},
        {"type 0x1234", {0x1234, Bytes({9, 8, 7})}},
        {"", Sz("the default value")},
        {"name with \\ and \" and =", Sz("v")},
    };
}

void ExpectRoundTrip(RegFileFormat format) {
    SimRegistry reg;
    const auto values = EveryType();
    for (const auto& v : values) Set(reg, "Software\\Types\\Inner", v.name, v.value);
    Set(reg, "Software\\Types", "top", Sz("level"));
    const auto bytes = reg.exportReg(RootKey::CurrentUser, "Software\\Types", format);
    ASSERT_TRUE(bytes.has_value());

    SimRegistry back;
    ASSERT_TRUE(back.importReg(*bytes));
    auto key = back.open(RootKey::CurrentUser, "Software\\Types\\Inner", false, false);
    ASSERT_NE(key, nullptr);
    std::vector<std::string> names;
    for (const auto& v : values) {
        SCOPED_TRACE(v.name);
        names.emplace_back(v.name);
        EXPECT_EQ(key->queryValue(v.name), v.value);
    }
    EXPECT_EQ(key->valueNames(), names);  // creation order survives the trip
    EXPECT_EQ(Get(back, RootKey::CurrentUser, "Software\\Types", "top"), Sz("level"));
    // And the second export is the same text.
    EXPECT_EQ(back.exportReg(RootKey::CurrentUser, "Software\\Types", format), bytes);
}

TEST(RegRoundTrip, UnicodeKeepsEveryTypeExactly) {
    ExpectRoundTrip(RegFileFormat::Unicode5);
}
TEST(RegRoundTrip, Regedit4KeepsEveryTypeExactly) {
    ExpectRoundTrip(RegFileFormat::Regedit4);
}

TEST(RegRoundTrip, ExportAllCarriesEveryRoot) {
    SimRegistry reg;
    const std::pair<RootKey, const char*> roots[] = {
        {RootKey::ClassesRoot, ".txt"},         {RootKey::CurrentUser, "Software\\A"},
        {RootKey::LocalMachine, "SOFTWARE\\B"}, {RootKey::Users, ".DEFAULT\\C"},
        {RootKey::CurrentConfig, "System\\D"},
    };
    for (const auto& [root, path] : roots) {
        auto key = reg.open(root, path, true, true);
        ASSERT_NE(key, nullptr);
        ASSERT_TRUE(key->setValue("v", Sz(path)));
    }
    const std::string all = reg.exportAll(RegFileFormat::Unicode5);
    const std::string text = FromUnicode(all);
    EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE]\r\n"))
        << text;
    SimRegistry back;
    ASSERT_TRUE(back.importReg(all));
    for (const auto& [root, path] : roots) EXPECT_EQ(Get(back, root, path, "v"), Sz(path)) << path;
}

// ---------------------------------------------------------------------------------------------
// Import

TEST(RegImport, ReadsEveryNotationOfBothFormats) {
    const std::string script =
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "; a comment line\r\n"
        "[HKEY_CURRENT_USER\\Software\\Imp]\r\n"
        "@=\"default\"\r\n"
        "\"s\"=\"a \\\"b\\\" c:\\\\d\"\r\n"
        "  \"spaced\"  =  \"x\"   \r\n"
        "\"d\"=dword:0000000A\r\n"
        "\"d short\"=dword:ff\r\n"
        "\"bin\"=hex:de,ad,BE,ef\r\n"
        "\"exp\"=hex(2):25,00,41,00,25,00,00,00\r\n"
        "\"multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
        "\"q\"=hex(b):01,02,03,04,05,06,07,08\r\n"
        "\"none\"=hex(0):01\r\n"
        "\"odd\"=hex(100):01,02\r\n"
        "\"empty bin\"=hex:\r\n"
        "\"cont\"=hex:01,02,\\\r\n"
        "  03,04,\\\r\n"
        "; comments may sit between continued lines\r\n"
        "\r\n"
        "  05\r\n"
        "\"after\"=\"still read\" ; trailing comment\r\n";
    SimRegistry reg;
    ASSERT_TRUE(reg.importReg(Unicode(script)));
    const std::string k = "Software\\Imp";
    const auto get = [&](const char* name) { return Get(reg, RootKey::CurrentUser, k, name); };
    EXPECT_EQ(get(""), Sz("default"));
    EXPECT_EQ(get("s"), Sz("a \"b\" c:\\d"));
    EXPECT_EQ(get("spaced"), Sz("x"));
    EXPECT_EQ(get("d"), Dword(10));
    EXPECT_EQ(get("d short"), Dword(255));
    EXPECT_EQ(get("bin"), (RawValue{kRegBinary, Bytes({0xDE, 0xAD, 0xBE, 0xEF})}));
    EXPECT_EQ(get("exp"), (RawValue{kRegExpandSz, Utf8ToRegBytes("%A%")}));
    EXPECT_EQ(get("multi"), (RawValue{kRegMultiSz, MultiStringToRegBytes({"a", "b"})}));
    EXPECT_EQ(get("q"), (RawValue{kRegQword, Bytes({1, 2, 3, 4, 5, 6, 7, 8})}));
    EXPECT_EQ(get("none"), (RawValue{kRegNone, Bytes({1})}));
    EXPECT_EQ(get("odd"), (RawValue{0x100, Bytes({1, 2})}));
    EXPECT_EQ(get("empty bin"), (RawValue{kRegBinary, {}}));
    EXPECT_EQ(get("cont"), (RawValue{kRegBinary, Bytes({1, 2, 3, 4, 5})}));
    EXPECT_EQ(get("after"), Sz("still read"));
    auto key = reg.open(RootKey::CurrentUser, k, false, false);
    EXPECT_EQ(key->valueNames(),
              (std::vector<std::string>{"", "s", "spaced", "d", "d short", "bin", "exp", "multi", "q", "none",
                                        "odd", "empty bin", "cont", "after"}));
}

TEST(RegImport, MalformedLinesAreSkippedAndTheRestIsRead) {
    const std::string script =
        "REGEDIT4\r\n"
        "\"before any key\"=\"ignored\"\r\n"
        "[HKEY_NOWHERE\\Software\\X]\r\n"
        "\"under a bad root\"=\"ignored\"\r\n"
        "[HKEY_CURRENT_USER\\Software\\Bad]\r\n"
        "\"too long\"=dword:123456789\r\n"
        "\"not hex\"=dword:xyz\r\n"
        "\"byte too big\"=hex:100\r\n"
        "\"double comma\"=hex:01,,02\r\n"
        "\"unclosed\"=\"abc\r\n"
        "\"unknown type\"=str:abc\r\n"
        "\"hex(0x2)\"=hex(0x2):00\r\n"
        "no equals sign\r\n"
        "\"dangling\"=hex:01,\\\r\n"
        "\"good\"=\"yes\"\r\n";
    SimRegistry reg;
    ASSERT_TRUE(reg.importReg(script));
    auto key = reg.open(RootKey::CurrentUser, "Software\\Bad", false, false);
    ASSERT_NE(key, nullptr);
    // The continued value whose next line is no hex is dropped; that line is read on its own.
    EXPECT_EQ(key->valueNames(), std::vector<std::string>{"good"});
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\X", false, false), nullptr);
}

TEST(RegImport, DeletesKeysAndValues) {
    SimRegistry reg;
    Set(reg, "Software\\Del\\Gone\\Deep", "v", Sz("1"));
    Set(reg, "Software\\Del\\Kept", "drop", Sz("1"));
    Set(reg, "Software\\Del\\Kept", "keep", Sz("2"));
    Set(reg, "Software\\Del\\Kept", "", Sz("3"));
    const std::string script =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Del\\Gone]\r\n\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Del\\NeverWas]\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Del\\Kept]\r\n"
        "\"drop\"=-\r\n"
        "@=-\r\n"
        "\"absent\"=-\r\n";
    ASSERT_TRUE(reg.importReg(Unicode(script)));
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Del\\Gone", false, false), nullptr);
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Del\\NeverWas", false, false), nullptr);
    auto kept = reg.open(RootKey::CurrentUser, "Software\\Del\\Kept", false, false);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->valueNames(), std::vector<std::string>{"keep"});
    auto del = reg.open(RootKey::CurrentUser, "Software\\Del", false, false);
    EXPECT_EQ(del->subkeyNames(), std::vector<std::string>{"Kept"});
}

TEST(RegImport, AcceptsShortRootNamesInAnyCase) {
    SimRegistry reg;
    const std::string script =
        "REGEDIT4\r\n\r\n"
        "[HKCU\\Software\\S]\r\n\"v\"=\"cu\"\r\n"
        "[hklm\\SOFTWARE\\S]\r\n\"v\"=\"lm\"\r\n"
        "[HKCR\\.s]\r\n\"v\"=\"cr\"\r\n"
        "[HKU\\.DEFAULT\\S]\r\n\"v\"=\"u\"\r\n"
        "[HKCC\\S]\r\n\"v\"=\"cc\"\r\n"
        "[hkey_current_user\\Software\\T]\r\n\"v\"=\"long lower\"\r\n";
    ASSERT_TRUE(reg.importReg(script));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\S", "v"), Sz("cu"));
    EXPECT_EQ(Get(reg, RootKey::LocalMachine, "SOFTWARE\\S", "v"), Sz("lm"));
    EXPECT_EQ(Get(reg, RootKey::ClassesRoot, ".s", "v"), Sz("cr"));
    EXPECT_EQ(Get(reg, RootKey::Users, ".DEFAULT\\S", "v"), Sz("u"));
    EXPECT_EQ(Get(reg, RootKey::CurrentConfig, "S", "v"), Sz("cc"));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\T", "v"), Sz("long lower"));
}

TEST(RegImport, EightBitFilesAreUtf8WhenValidOtherwiseWindows1252) {
    struct Case {
        const char* title;
        std::string script;
    };
    const Case table[] = {
        {"Windows-1252",
         "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Gr\xFC\xDF"
         "e]\r\n\"\x80\"=\"caf\xE9\"\r\n"
         "\"exp\"=hex(2):25,e9,25\r\n"},
        {"UTF-8",
         "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Grüße]\r\n\"€\"=\"café\"\r\n"
         "\"exp\"=hex(2):25,c3,a9,25,00\r\n"},
        {"UTF-8 with byte-order mark",
         "\xEF\xBB\xBFREGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Grüße]\r\n"
         "\"€\"=\"café\"\r\n\"exp\"=hex(2):25,c3,a9,25\r\n"},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.title);
        SimRegistry reg;
        ASSERT_TRUE(reg.importReg(c.script));
        EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\Grüße", "€"), Sz("café"));
        // Strings given as hex in an 8-bit file are 8-bit text and get their terminator.
        EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\Grüße", "exp"),
                  (RawValue{kRegExpandSz, Utf8ToRegBytes("%é%")}));
    }
}

TEST(RegImport, UnicodeFilesKeepHexStringBytesAndAddAMissingTerminator) {
    SimRegistry reg;
    ASSERT_TRUE(
        reg.importReg(Unicode("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Software\\U]\r\n"
                              "\"exp\"=hex(2):41,00,42,00\r\n"
                              "\"multi\"=hex(7):41,00,00,00,00,00\r\n"
                              "\"日本\"=\"テキスト\"\r\n")));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\U", "exp"),
              (RawValue{kRegExpandSz, Utf8ToRegBytes("AB")}));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\U", "multi"),
              (RawValue{kRegMultiSz, MultiStringToRegBytes({"A"})}));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\U", "日本"), Sz("テキスト"));
}

TEST(RegImport, LineEndsMayBeLfOrCrAndTheLastLineNeedsNone) {
    SimRegistry reg;
    ASSERT_TRUE(reg.importReg(
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\L]\n\"a\"=\"1\"\r\"b\"=hex:01,\\\n 02\n\"c\"=\"3\""));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\L", "a"), Sz("1"));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\L", "b"), (RawValue{kRegBinary, Bytes({1, 2})}));
    EXPECT_EQ(Get(reg, RootKey::CurrentUser, "Software\\L", "c"), Sz("3"));
}

TEST(RegImport, TextThatIsNoRegistryScriptIsRejectedAndChangesNothing) {
    SimRegistry reg;
    MakeFixture(reg);
    const auto before = reg.exportAll(RegFileFormat::Unicode5);
    const std::string garbage[] = {
        "",
        "hello world\r\n[HKEY_CURRENT_USER\\Software\\Fixture]\r\n\"Name\"=\"changed\"\r\n",
        "REGEDIT5\r\n[HKEY_CURRENT_USER\\Software\\Evil]\r\n",
        "[HKEY_CURRENT_USER\\Software\\Evil]\r\n\"v\"=\"x\"\r\n",
        "\xFF\xFE",
        Unicode("Windows Registry Editor Version 4.00\r\n[-HKEY_CURRENT_USER\\Software\\Fixture]\r\n"),
        std::string("\x00\x01\x02\x03 binary junk", 16),
        "regedit4\r\n[-HKEY_CURRENT_USER\\Software\\Fixture]\r\n",
    };
    for (const auto& g : garbage) {
        EXPECT_FALSE(reg.importReg(g)) << g;
        EXPECT_EQ(reg.exportAll(RegFileFormat::Unicode5), before);
    }
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Evil", false, false), nullptr);
}

TEST(RegImport, HeaderMayHaveLeadingBlanksAndAnEmptyScriptIsFine) {
    SimRegistry reg;
    EXPECT_TRUE(reg.importReg("  REGEDIT4\r\n"));
    EXPECT_TRUE(reg.importReg(Unicode("Windows Registry Editor Version 5.00\r\n")));
    EXPECT_TRUE(reg.importReg("\tREGEDIT4 \r\n[HKEY_CURRENT_USER\\Software\\H]\r\n"));
    EXPECT_NE(reg.open(RootKey::CurrentUser, "Software\\H", false, false), nullptr);
}

// ---------------------------------------------------------------------------------------------
// The registry editor as a child process

TEST(RegeditProcess, ExportsAKeyOrEverythingInTheUnicodeFormat) {
    testing::SimMachine m;
    MakeFixture(m->simRegistry());
    auto& runner = m->simProcesses();
    ASSERT_TRUE(m->files().createDirectory("C:\\Backup Folder"));

    const ChildResult r =
        runner.run("regedit /E \"C:\\Backup Folder\\fixture.reg\" \"HKEY_CURRENT_USER\\Software\\Fixture\"",
                   true, 60000);
    EXPECT_TRUE(r.started);
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0u);
    const auto fileBytes =
        m->simRegistry().exportReg(RootKey::CurrentUser, "Software\\Fixture", RegFileFormat::Unicode5);
    std::string written;
    {
        auto s = m->files().open("C:\\Backup Folder\\fixture.reg", OpenMode::Read);
        ASSERT_NE(s, nullptr);
        char buf[4096];
        for (size_t n; (n = s->read(buf, sizeof buf)) > 0;) written.append(buf, n);
    }
    EXPECT_EQ(written, *fileBytes);

    const ChildResult all = runner.run("C:\\Windows\\Regedit.exe /e C:\\full.reg", false, 60000);
    EXPECT_EQ(all.exitCode, 0u);
    EXPECT_TRUE(m->files().fileExists("C:\\full.reg"));
    EXPECT_EQ(runner.commandLines.size(), 2u);

    const ChildResult missing =
        runner.run("regedit /E C:\\none.reg HKEY_CURRENT_USER\\Software\\Missing", true, 1000);
    EXPECT_TRUE(missing.started);
    EXPECT_NE(missing.exitCode, 0u);
    EXPECT_FALSE(m->files().fileExists("C:\\none.reg"));
}

TEST(RegeditProcess, ImportsSilentlyAndIgnoresGarbage) {
    testing::SimMachine m;
    MakeFixture(m->simRegistry());
    const auto exported =
        m->simRegistry().exportReg(RootKey::CurrentUser, "Software\\Fixture", RegFileFormat::Unicode5);
    {
        auto s = m->files().open("C:\\restore.reg", OpenMode::Create);
        ASSERT_TRUE(s->write(exported->data(), exported->size()));
        auto g = m->files().open("C:\\garbage.reg", OpenMode::Create);
        ASSERT_TRUE(g->write("not a script", 12));
    }
    auto software = m->registry().open(RootKey::CurrentUser, "Software", false, true);
    ASSERT_TRUE(software->deleteSubkeyTree("Fixture"));

    const ChildResult r = m->simProcesses().run("Regedit /s \"C:\\restore.reg\"", true, 60000);
    EXPECT_TRUE(r.started && r.finished);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(m->simRegistry().exportReg(RootKey::CurrentUser, "Software\\Fixture", RegFileFormat::Unicode5),
              exported);
    EXPECT_EQ(m->simProcesses().run("regedit.exe /S C:\\garbage.reg", true, 60000).exitCode, 0u);
    EXPECT_EQ(m->simRegistry().exportReg(RootKey::CurrentUser, "Software\\Fixture", RegFileFormat::Unicode5),
              exported);
}

TEST(RegeditProcess, OtherCommandsGoToTheHandler) {
    testing::SimMachine m;
    auto& runner = m->simProcesses();
    EXPECT_FALSE(runner.run("regsvr32.exe /s C:\\x.dll", true, 1000).started);
    std::vector<std::string> seen;
    runner.handler = [&](std::string_view cmd) {
        seen.emplace_back(cmd);
        return ChildResult{true, true, 3};
    };
    const ChildResult r = runner.run("regsvr32.exe /s C:\\x.dll", true, 1000);
    EXPECT_EQ(r.exitCode, 3u);
    EXPECT_EQ(seen, std::vector<std::string>{"regsvr32.exe /s C:\\x.dll"});
    EXPECT_EQ(runner.commandLines.size(), 2u);
}

}  // namespace
}  // namespace trenmoor::platform::sim
