// INI files read and written with the rules of the Windows profile functions.
#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/text_file.h"
#include "support/sim_machine.h"

namespace trenmoor::platform {
namespace {

class Ini : public ::testing::Test {
  protected:
    void write(std::string_view text) { ASSERT_TRUE(WriteAllBytes(m->files(), path, text)); }
    std::string read() { return ReadAllBytes(m->files(), path).value_or("<missing>"); }

    testing::SimMachine m;
    const std::string path = "C:\\Program Files\\Trenmoor\\ScanSection.ini";
};

TEST_F(Ini, MissingFileReadsAsDefaultsAndIsCreatedOnTheFirstWrite) {
    IniFile ini(m->files(), path);
    EXPECT_EQ(ini.FileName(), path);
    EXPECT_EQ(ini.ReadString("S", "k", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadInteger("S", "k", 42), 42);
    EXPECT_TRUE(ini.ReadBool("S", "k", true));
    EXPECT_TRUE(ini.ReadSection("S").empty());
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_FALSE(ini.SectionExists("S"));
    EXPECT_FALSE(ini.ValueExists("S", "k"));
    EXPECT_TRUE(ini.DeleteKey("S", "k"));
    EXPECT_TRUE(ini.EraseSection("S"));
    EXPECT_FALSE(m->files().fileExists(path));  // reads and no-op deletes create nothing

    EXPECT_TRUE(ini.WriteString("Section", "Key", "Value"));
    EXPECT_EQ(read(), "[Section]\r\nKey=Value\r\n");
    EXPECT_TRUE(ini.WriteInteger("Section", "Number", -17));
    EXPECT_TRUE(ini.WriteBool("Other", "Flag", true));
    EXPECT_EQ(read(), "[Section]\r\nKey=Value\r\nNumber=-17\r\n\r\n[Other]\r\nFlag=1\r\n");
    EXPECT_FALSE(IniFile(m->files(), "C:\\NoSuchFolder\\x.ini").WriteString("S", "k", "v"));
}

TEST_F(Ini, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
    write(
        "; leading comment\r\n"
        "orphan=before any section\r\n"
        "[Scan Sections]\r\n"
        "  Section1  =   1   \r\n"
        "section2=0\r\n"
        "Quoted=\"  spaced out  \"\r\n"
        "Single='x'\r\n"
        "Half=\"open\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "Eq=a=b\r\n"
        ";Section3=1\r\n"
        "\r\n"
        "[ other ]\r\n"
        "k=v\r\n");
    IniFile ini(m->files(), path);
    EXPECT_EQ(ini.ReadString("SCAN SECTIONS", "SECTION1", ""), "1");
    EXPECT_EQ(ini.ReadInteger("scan sections", "section1", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Scan Sections", "Section2", 5), 0);
    EXPECT_FALSE(ini.ReadBool("Scan Sections", "Section2", true));
    EXPECT_EQ(ini.ReadString("Scan Sections", "Quoted", ""), "  spaced out  ");
    EXPECT_EQ(ini.ReadString("Scan Sections", "Single", ""), "x");
    EXPECT_EQ(ini.ReadString("Scan Sections", "Half", ""), "\"open");
    EXPECT_EQ(ini.ReadString("Scan Sections", "Empty", "default"), "");
    EXPECT_EQ(ini.ReadString("Scan Sections", "NoEquals", "default"), "default");
    EXPECT_EQ(ini.ReadString("Scan Sections", "Eq", ""), "a=b");
    EXPECT_EQ(ini.ReadString("Scan Sections", ";Section3", "none"), "none");
    EXPECT_EQ(ini.ReadString("Scan Sections", "orphan", "none"), "none");
    EXPECT_EQ(ini.ReadString("Other", "K", ""), "v");
    EXPECT_EQ(ini.ReadString("Missing", "k", "dflt  "), "dflt");  // the default loses trailing blanks
    EXPECT_EQ(ini.ReadSection("scan sections"),
              (std::vector<std::string>{"Section1", "section2", "Quoted", "Single", "Half", "Empty",
                                        "NoEquals", "Eq"}));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Scan Sections", "other"}));
    EXPECT_TRUE(ini.SectionExists("OTHER"));
    EXPECT_TRUE(ini.ValueExists("Scan Sections", "quoted"));
    EXPECT_TRUE(ini.ValueExists("Scan Sections", "NoEquals"));
    EXPECT_FALSE(ini.ValueExists("Scan Sections", "Section3"));
}

TEST_F(Ini, TheFirstDuplicateWins) {
    write("[A]\r\nk=first\r\nk=second\r\n[a]\r\nk=third\r\nonly=in second\r\n");
    IniFile ini(m->files(), path);
    EXPECT_EQ(ini.ReadString("A", "k", ""), "first");
    EXPECT_EQ(ini.ReadString("A", "only", "not seen"), "not seen");
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"A"});
    ASSERT_TRUE(ini.WriteString("a", "K", "changed"));
    EXPECT_EQ(read(), "[A]\r\nk=changed\r\nk=second\r\n[a]\r\nk=third\r\nonly=in second\r\n");
}

TEST_F(Ini, IntegersFollowTheRuntimeRules) {
    write(
        "[N]\r\ndec=123\r\nneg=-45\r\nplus=+6\r\nhex=0x1F\r\ndollar=$ff\r\nmax=2147483647\r\nmin=-"
        "2147483648\r\n"
        "over=2147483648\r\nwords=12abc\r\nspace=1 2\r\nempty=\r\nbool=yes\r\nallbits=$FFFFFFFF\r\n");
    IniFile ini(m->files(), path);
    struct Case {
        const char* key;
        int32_t expected;
    };
    const Case table[] = {{"dec", 123},    {"neg", -45},        {"plus", 6},        {"hex", 31},
                          {"dollar", 255}, {"max", 2147483647}, {"min", INT32_MIN}, {"over", -1},
                          {"words", -1},   {"space", -1},       {"empty", -1},      {"bool", -1},
                          {"missing", -1}, {"allbits", -1}};
    for (const auto& c : table) EXPECT_EQ(ini.ReadInteger("N", c.key, -1), c.expected) << c.key;
    EXPECT_TRUE(ini.ReadBool("N", "dec", false));
    EXPECT_FALSE(ini.ReadBool("N", "bool", false));  // not a number: the default
    EXPECT_TRUE(ini.ReadBool("N", "bool", true));
}

TEST_F(Ini, WritesKeepEverythingElseAsItWas) {
    write("; Trenmoor settings\n[First]\nA=1\n; keep this comment\nB = 2\n\n[Second]\nC=3\n");
    IniFile ini(m->files(), path);
    ASSERT_TRUE(ini.WriteString("first", "b", "two"));  // replaced in place, first spelling kept
    ASSERT_TRUE(ini.WriteString("First", "New", "x"));  // appended after the section's last entry
    ASSERT_TRUE(ini.WriteString("Third", "D", "4"));    // a new section at the end
    EXPECT_EQ(read(),
              "; Trenmoor settings\r\n[First]\r\nA=1\r\n; keep this comment\r\nB=two\r\nNew=x\r\n\r\n"
              "[Second]\r\nC=3\r\n\r\n[Third]\r\nD=4\r\n");
    ASSERT_TRUE(ini.DeleteKey("FIRST", "a"));
    ASSERT_TRUE(ini.EraseSection("second"));
    EXPECT_EQ(
        read(),
        "; Trenmoor settings\r\n[First]\r\n; keep this comment\r\nB=two\r\nNew=x\r\n\r\n[Third]\r\nD=4\r\n");
    EXPECT_FALSE(ini.SectionExists("Second"));
    ASSERT_TRUE(ini.EraseSection("First"));
    ASSERT_TRUE(ini.EraseSection("Third"));
    EXPECT_EQ(read(), "; Trenmoor settings\r\n");
}

TEST_F(Ini, EmptySectionDoesNotCountAsExisting) {
    write("[Empty]\r\n; only a comment\r\n[Full]\r\nx=1\r\n");
    IniFile ini(m->files(), path);
    EXPECT_FALSE(ini.SectionExists("Empty"));
    EXPECT_TRUE(ini.SectionExists("Full"));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Empty", "Full"}));
}

TEST_F(Ini, NonAsciiTextAndUnicodeFilesSurviveWrites) {
    IniFile ini(m->files(), path);
    ASSERT_TRUE(ini.WriteString("Größe", "Ключ", "日本語"));
    EXPECT_EQ(ini.ReadString("GRÖSSE", "Ключ", "no"), "no");  // ß has no upper case
    EXPECT_EQ(ini.ReadString("GRÖßE", "КЛЮЧ", ""), "日本語");
    EXPECT_EQ(read(), "[Größe]\r\nКлюч=日本語\r\n");

    // A UTF-16 file stays UTF-16; a Windows-1252 file is read as such.
    write(std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0", 22));
    EXPECT_EQ(ini.ReadString("S", "k", ""), "é");
    ASSERT_TRUE(ini.WriteString("S", "k2", "ü"));
    EXPECT_EQ(read(), std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0k\0"
                                  "2\0=\0\xFC\0\r\0\n\0",
                                  34));
    write("[S]\r\nk=caf\xE9\r\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "café");
}

}  // namespace
}  // namespace trenmoor::platform
