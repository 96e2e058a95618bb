#include "registry_cleaner/sections/path_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/registry_accessor.h"
#include "platform/text_file.h"
#include "support/sim_machine.h"

namespace trenmoor::registry_cleaner {
namespace {

struct TextCase {
    std::string text;
    bool expected;
};

TEST(PathRules, HasNameAndExtension) {
    const TextCase cases[] = {
        {"C:\\a\\b.exe", true}, {"b.exe", true},     {"C:b.exe", true},       {"C:\\a\\.hidden", true},
        {"C:\\a\\b", false},    {"C:\\a\\", false},  {"C:\\a.dir\\b", false}, {"", false},
        {"C:", false},          {"C:\\a\\b.", true},
    };
    for (const auto& c : cases) EXPECT_EQ(HasNameAndExtension(c.text), c.expected) << c.text;
}

TEST(PathRules, IsValidFilePath) {
    const TextCase cases[] = {
        {"C:\\Tools\\app.exe", true},
        {"o:\\x.exe", true},
        {"O:\\x.exe", true},
        {"C:x.exe", true},
        {"C:\\Program Files\\Zoë\\naïve.exe", true},
        {"C:\\Tools\\app.exe\"", true},  // a trailing quote is only a blank
        {"C:\\Tools\\app", false},
        {"C:\\Tools\\a;b.exe", false},
        {"\\\\server\\share\\a.exe", false},
        {"C:\\a\\b.exe:x", false},                 // second colon
        {"\"C:\\Tools\\app.exe\"", false},         // leading quote leaves no drive prefix
        {"C:\\Tools\\app.exe,1", false},           // comma
        {"%SystemRoot%\\system32\\a.dll", false},  // percent
        {"C:/Tools/app.exe", false},               // slash
        {"C:\\Tools\\", false},
        {"C:\\dir.d\\file", false},  // the dot of a folder is no extension
        {"1:\\x.exe", false},
        {"", false},
        {"C", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidFilePath(c.text), c.expected) << c.text;
}

TEST(PathRules, IsSafePathText) {
    const std::string at260 = "C:\\" + std::string(257, 'a');
    std::string nonAscii260 = "C:\\";
    for (int i = 0; i < 257; ++i) nonAscii260 += "é";  // 260 characters, 517 bytes
    const TextCase cases[] = {
        {"C:\\Program Files\\App", true},
        {"C:\\Program Files\\App\\app.exe", false},
        {at260, true},
        {at260 + "a", false},
        {nonAscii260, true},
        {nonAscii260 + "é", false},
        {"C:\\My-Folder", false},
        {"C:\\Data%TEMP", false},
        {"C:\\A&B", false},
        {"", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsSafePathText(c.text), c.expected) << c.text.substr(0, 40);
}

TEST(PathRules, LocationRules) {
    const TextCase unc[] = {{"\\\\server\\x", false}, {"C:\\a\\\\b", false}, {"C:\\x", true}, {"", true}};
    for (const auto& c : unc) EXPECT_EQ(NoUncRule(c.text), c.expected) << c.text;
    const TextCase floppy[] = {
        {"a:\\x.exe", false}, {"A:\\x.exe", false}, {"C:\\Data:x", false},
        {"C:\\x", true},      {"", true},           {":", true},
    };
    for (const auto& c : floppy) EXPECT_EQ(NoFloppyRule(c.text), c.expected) << c.text;

    const std::vector<std::string> excluded = {"E:", "F:"};
    const TextCase all[] = {
        {"C:\\x.exe", true},   {"E:\\x.exe", false}, {"f:\\x.exe", false},
        {"\\\\srv\\x", false}, {"A:\\x", false},
    };
    for (const auto& c : all) EXPECT_EQ(PassesLocationRules(excluded, c.text), c.expected) << c.text;
    EXPECT_TRUE(PassesLocationRules({}, "E:\\x.exe"));
}

TEST(PathRules, DrivePrefixesAreTheFiftyTwoLetterColonPairs) {
    int count = 0;
    for (int c = 0; c < 256; ++c) {
        const char two[2] = {static_cast<char>(c), ':'};
        if (IsDrivePrefix(std::string_view(two, 2))) ++count;
    }
    EXPECT_EQ(count, 52);
    EXPECT_FALSE(IsDrivePrefix("C"));
    EXPECT_FALSE(IsDrivePrefix("C:\\"));
    EXPECT_FALSE(IsDrivePrefix("C;"));
}

TEST(PathRules, SplitClassesRootNames) {
    std::vector<std::string> names = {".txt", "*", "AllFilesystemObjects", "Directory", "txtfile", "Unknown"};
    std::vector<std::string> extensions = {".existing"};
    SplitClassesRootNames(names, extensions);
    EXPECT_EQ(names, (std::vector<std::string>{"AllFilesystemObjects", "txtfile"}));
    EXPECT_EQ(extensions, (std::vector<std::string>{".existing", ".txt"}));

    // Substring matches, case-sensitive; the last entry is examined too.
    names = {"Drive", "MyFolderType", "folder", "a*b", "Unknow", ".doc", "x", ".zip"};
    extensions.clear();
    SplitClassesRootNames(names, extensions);
    EXPECT_EQ(names, (std::vector<std::string>{"folder", "x"}));
    EXPECT_EQ(extensions, (std::vector<std::string>{".doc", ".zip"}));
}

// Routines that ask the machine: the Windows folder, ProgramFilesDir, FileExists.
class PathRulesOnMachine : public ::testing::Test {
  protected:
    void SetWindowsFolder(const std::string& windows, const std::string& system) {
        m->simFiles().setWindowsDirectory(windows);
        m->simFiles().setSystemDirectory(system);
    }
    void SetProgramFilesDir(const std::string& dir) {
        platform::TRegistry reg(m->registry(), platform::RootKey::LocalMachine);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", true));
        ASSERT_TRUE(reg.WriteString("ProgramFilesDir", dir));
    }
    std::string Expand(const std::string& text, ExpandVariant variant) {
        return ExpandPathVariables(m->files(), m->registry(), text, variant);
    }
    testing::SimMachine m;
};

TEST_F(PathRulesOnMachine, GuessWindowsDirIsTheRealWindowsFolder) {
    // Modern letter case: never turned into WINNT.
    SetWindowsFolder("C:\\Windows\\", "C:\\Windows\\System32\\");
    EXPECT_EQ(GuessWindowsDir(m->files()), "C:\\Windows\\");
    SetWindowsFolder("C:\\WINDOWS\\", "C:\\WINDOWS\\system32\\");
    EXPECT_EQ(GuessWindowsDir(m->files()), "C:\\WINDOWS\\");
    SetWindowsFolder("D:\\WINNT\\", "D:\\WINNT\\system32\\");
    EXPECT_EQ(GuessWindowsDir(m->files()), "D:\\WINNT\\");
    SetWindowsFolder("C:\\windows\\", "C:\\windows\\system32\\");  // as Wine reports it
    EXPECT_EQ(GuessWindowsDir(m->files()), "C:\\windows\\");
}

TEST_F(PathRulesOnMachine, ExpandPathVariables) {
    SetWindowsFolder("C:\\Windows\\", "C:\\Windows\\System32\\");
    SetProgramFilesDir("C:\\Program Files");
    struct Case {
        std::string text, system, user;
    };
    const Case cases[] = {
        {"%SystemRoot%\\system32\\x.dll", "C:\\WINDOWS\\SYSTEM32\\X.DLL", "C:\\WINDOWS\\SYSTEM32\\X.DLL"},
        {"%WINDIR%\\notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE", "C:\\WINDOWS\\NOTEPAD.EXE"},
        {"\"%windir%\\notepad.exe\"", "C:\\WINDOWS\\NOTEPAD.EXE", "\"C:\\WINDOWS\\NOTEPAD.EXE\""},
        {"\"C:\\Tools\\a.exe\"", "C:\\Tools\\a.exe", "\"C:\\Tools\\a.exe\""},
        {"%ProgramFiles%\\App\\a.exe", "C:\\PROGRAM FILES\\APP\\A.EXE", "C:\\PROGRAM FILES\\APP\\A.EXE"},
        {"%SystemRoot%\\Zoë.dll", "C:\\WINDOWS\\ZOË.DLL", "C:\\WINDOWS\\ZOË.DLL"},
        {"%systemroot%;%windir%", "C:\\WINDOWS;C:\\WINDOWS", "C:\\WINDOWS;C:\\WINDOWS"},
        {"c:\\plain\\Path.exe", "c:\\plain\\Path.exe", "c:\\plain\\Path.exe"},
        {"%TEMP%\\x", "%TEMP%\\x", "%TEMP%\\x"},
        {"\"", "", "\""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Expand(c.text, ExpandVariant::System), c.system) << c.text;
        EXPECT_EQ(Expand(c.text, ExpandVariant::User), c.user) << c.text;
    }
}

TEST_F(PathRulesOnMachine, ExpandWithoutProgramFilesDirRemovesTheVariable) {
    platform::TRegistry reg(m->registry(), platform::RootKey::LocalMachine);
    if (reg.OpenKey("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false))
        (void)reg.DeleteValue("ProgramFilesDir");
    EXPECT_EQ(Expand("%ProgramFiles%\\a.exe", ExpandVariant::User), "\\A.EXE");
}

TEST_F(PathRulesOnMachine, ExtractCommandPath) {
    SetWindowsFolder("C:\\windows\\", "C:\\windows\\system32\\");
    const std::pair<std::string, std::string> cases[] = {
        {"@%SystemRoot%\\system32\\shell32.dll,-8", "C:\\WINDOWS\\SYSTEM32\\SHELL32.DLL"},
        {"\"C:\\Program Files\\App\\app.exe\" -min", "C:\\Program Files\\App\\app.exe"},
        {"rundll32 C:\\x\\y.dll,Entry", "C:\\x\\y.dll"},
        {"C:\\a\\b.exe /s", "C:\\a\\b.exe"},
        {"C:\\a\\b.exe D:\\c", "C:\\a\\b.exe"},
        {"C:\\a\\b.exe D:\\c\\d.exe", "C:\\a\\b.exe"},
        {"C:\\a\\b.ex D:\\c", "C:\\a\\b.ex"},
        {"\"C:\\Program Files\\Café\\café.exe\" /x", "C:\\Program Files\\Café\\café.exe"},
        {"C:\\Tools\\Ärger", "C:\\Tools\\Ärger"},  // a name in another alphabet is not cut
        {"C:\\Tools\\tool args", "C:\\Tools\\tool"},
        {"no colon.exe args", "no colon.exe"},
        {"", ""},
        {":", ":"},
        {"::", "::"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ExtractCommandPath(m->files(), text), expected) << text;
        // No file of the text's name exists here, so the result without asking is the same.
        EXPECT_EQ(ExtractCommandPathUnlooked(m->files(), text), expected) << text;
    }
}

TEST_F(PathRulesOnMachine, ExtractCommandPathUnlookedCutsAsIfNoFileOfTheTextsNameExisted) {
    ASSERT_TRUE(m->files().createDirectory("C:\\Data"));
    // Files named like whole command lines, and like the piece before a second colon.
    ASSERT_TRUE(platform::WriteAllBytes(m->files(), "C:\\Data\\tool.exe -run", "x"));
    ASSERT_TRUE(platform::WriteAllBytes(m->files(), "C:\\Data\\a.exe D", "x"));
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"\"C:\\Data\\tool.exe -run\"", "C:\\Data\\tool.exe -run", "C:\\Data\\tool.exe"},
        {"C:\\Data\\a.exe D:\\x", "C:\\Data\\a.exe D", "C:\\Data\\a.exe"},
        {"C:\\Data\\gone.exe -run", "C:\\Data\\gone.exe", "C:\\Data\\gone.exe"},
    };
    for (const auto& [text, looked, unlooked] : cases) {
        EXPECT_EQ(ExtractCommandPath(m->files(), text), looked) << text;
        EXPECT_EQ(ExtractCommandPathUnlooked(m->files(), text), unlooked) << text;
    }
}

TEST_F(PathRulesOnMachine, CutToFilePath) {
    ASSERT_TRUE(m->files().createDirectory("C:\\Data"));
    ASSERT_TRUE(platform::WriteAllBytes(m->files(), "C:\\Data\\my file.v1 copy", "x"));
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Data\\my file.v1 copy", "C:\\Data\\my file.v1 copy"},  // exists: unchanged
        {"C:\\Data\\my other.v1 copy", "C:\\Data\\my other.v1"},
        {"\"C:\\a\\b.exe\"", "C:\\a\\b.exe"},
        {"@C:\\x.dll", "C:\\x.dll"},
        {"%SystemRoot%\\x.dll,1", "%SystemRoot%\\x.dll"},  // no expansion here
        {"C:\\a\\ b", "C:\\a\\"},            // a tail without a dot that begins with a blank keeps nothing
        {"C:\\a\\ b.exe", "C:\\a\\ b.exe"},  // with a dot the scan starts there
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(CutToFilePath(m->files(), text), expected) << text;
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
