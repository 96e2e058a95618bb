#include <gtest/gtest.h>

#include <string>

#include "common/shared_helpers.h"
#include "platform/text_file.h"
#include "registry_cleaner/ignore_list.h"
#include "registry_cleaner/registry_contents.h"
#include "support/sim_machine.h"

namespace trenmoor::registry_cleaner {
namespace {

TEST(RegistryContents, AddAppendsAnEmptyRecordAndReturnsItsIndex) {
    TRegistryContents contents;
    EXPECT_EQ(contents.Add(), 0u);
    EXPECT_EQ(contents.Add(), 1u);
    ASSERT_EQ(contents.Count(), 2u);
    const TContent& fresh = contents[1].Content;
    EXPECT_FALSE(fresh.Checked);
    EXPECT_EQ(fresh.ID, 0);
    EXPECT_TRUE(fresh.KeyPath.empty() && fresh.Title.empty() && fresh.Severity.empty());
    contents[0].Content.KeyPath = "HKEY_CURRENT_USER\\A";
    TRegistryContents copy = contents;  // records are copied whole, the copies independent
    copy[0].Content.Checked = true;
    EXPECT_FALSE(contents[0].Content.Checked);
    contents.Clear();
    EXPECT_EQ(contents.Count(), 0u);
    EXPECT_EQ(copy.Count(), 2u);
}

TEST(RegistryContents, ProblemNumbersRunAcrossSectionsAndRestartWithEveryScan) {
    ProblemNumbering numbering;
    TRegistryContents first, second;
    for (int scan = 0; scan < 2; ++scan) {
        numbering.Reset();
        first.Clear();
        second.Clear();
        EXPECT_EQ(AddProblem(first, numbering).ID, 1);
        EXPECT_EQ(AddProblem(second, numbering).ID, 2);
        const TContent& third = AddProblem(first, numbering);
        EXPECT_EQ(third.ID, 3);
        EXPECT_TRUE(third.Checked);
        EXPECT_EQ(first.Count(), 2u);
    }
}

TEST(RegistryContents, SeverityForPathCountsDistinctBadCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Program Files\\App\\app.exe", "High"},
        {"", "High"},
        {"C:\\a<b<c.exe", "Normal"},  // the same character twice counts once
        {"C:\\a?b*c.exe", "Low"},
        {"%windir%\\x.dll", "Normal"},
        {"\"C:\\x.exe\" /s", "Low"},
        {"a;b,c|d", "Low"},
        {"C:\\Zoë\\naïve.exe", "High"},
    };
    for (const auto& [path, severity] : cases) EXPECT_EQ(SeverityForPath(path), severity) << path;
}

TEST(RegistryContents, RepairStatusColourIsRedOnlyForErrors) {
    EXPECT_EQ(RepairStatusColor("Repaired Successfully"), kRepairStatusOkColor);
    EXPECT_EQ(RepairStatusColor("Error: access denied"), kRepairStatusErrorColor);
    EXPECT_EQ(RepairStatusColor("error"), kRepairStatusOkColor);  // the word is matched as written
    EXPECT_EQ(RepairStatusColor(""), kRepairStatusOkColor);
}

TEST(IgnoreList, LinesAreParsedNeverRejected) {
    struct Case {
        std::string line, section, keyPath, valueName;
    };
    const Case cases[] = {
        {"Font Entries|HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts|Arial (TrueType)", "Font Entries",
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts", "Arial (TrueType)"},
        {"Section|Value only", "Section", "", "Value only"},
        {"just a value name", "", "", "just a value name"},
        {"A|B|C|D|E", "A", "B", "C|D|E"},  // the value name is everything after the second separator
        {"||", "", "", ""},
        {"|", "", "", ""},
        {"S|K|", "S", "K", ""},
        {" S | K | V ", " S ", " K ", " V "},  // nothing is trimmed
        {"Übersicht|HKEY_CURRENT_USER\\Schlüssel|Wert", "Übersicht", "HKEY_CURRENT_USER\\Schlüssel", "Wert"},
    };
    for (const auto& c : cases) {
        const TIgnoreContentItem item = ParseIgnoreLine(c.line);
        EXPECT_EQ(item.Section, c.section) << c.line;
        EXPECT_EQ(item.KeyPath, c.keyPath) << c.line;
        EXPECT_EQ(item.ValueName, c.valueName) << c.line;
    }
}

class IgnoreFile : public ::testing::Test {
  protected:
    std::string FilePath() { return ProgramFile(m->files(), kIgnoreFileName); }
    void WriteFile(std::string_view bytes) {
        ASSERT_TRUE(platform::WriteAllBytes(m->files(), FilePath(), bytes));
    }
    testing::SimMachine m;
    TIgnoreContents ignores;
};

TEST_F(IgnoreFile, MissingFileIsAnEmptyList) {
    LoadIgnoreList(m->files(), ignores);
    EXPECT_EQ(ignores.Count(), 0u);
    EXPECT_FALSE(IsIgnored(ignores, "", "", ""));
}

TEST_F(IgnoreFile, LoadAppendsOneEntryPerNonEmptyLine) {
    WriteFile("Font Entries|HKEY_LOCAL_MACHINE\\Fonts|Arial\r\n\r\nno separator\r\nA|B\nX|Y|Z\r\n");
    ignores[ignores.Add()] = {"kept", "kept", "kept"};  // the caller clears; Load only appends
    LoadIgnoreList(m->files(), ignores);
    ASSERT_EQ(ignores.Count(), 5u);
    EXPECT_EQ(ignores[1].ValueName, "Arial");
    EXPECT_EQ(ignores[2].ValueName, "no separator");
    EXPECT_EQ(ignores[3].Section, "A");
    EXPECT_EQ(ignores[3].ValueName, "B");
    EXPECT_EQ(ignores[4].KeyPath, "Y");
}

TEST_F(IgnoreFile, IsIgnoredIgnoresCaseOfSectionAndKeyButNotOfValueName) {
    ignores[ignores.Add()] = {"Font Entries", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts", "Arial"};
    struct Case {
        std::string section, keyPath, valueName;
        bool expected;
    };
    const Case cases[] = {
        {"Font Entries", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts", "Arial", true},
        {"FONT ENTRIES", "hkey_local_machine\\software\\fonts", "Arial", true},
        {"Font Entries", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts", "arial", false},
        {"Help Section", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts", "Arial", false},
        {"Font Entries", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts\\Sub", "Arial", false},
        {"Font Entries", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Fonts", "Arial ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsIgnored(ignores, c.section, c.keyPath, c.valueName), c.expected)
            << c.section << "|" << c.keyPath << "|" << c.valueName;
    }
}

TEST_F(IgnoreFile, ExcludeAppendsTheProblemInTheFileFormat) {
    WriteFile("Font Entries|HKEY_LOCAL_MACHINE\\Fonts|Arial");  // no line break at the end
    TContent problem;
    problem.KeyPath = "HKEY_CURRENT_USER\\Software\\Zoë";
    problem.ValueName = "Pfad|mit Strich";
    EXPECT_EQ(AddProblemToIgnoreList(m->files(), ignores, "User Software Settings", problem),
              IgnoreAddResult::Added);
    EXPECT_TRUE(IsIgnored(ignores, "User Software Settings", problem.KeyPath, problem.ValueName));

    TIgnoreContents reloaded;
    LoadIgnoreList(m->files(), reloaded);
    ASSERT_EQ(reloaded.Count(), 2u);
    EXPECT_EQ(reloaded[0].ValueName, "Arial");
    EXPECT_EQ(reloaded[1].Section, "User Software Settings");
    EXPECT_EQ(reloaded[1].KeyPath, problem.KeyPath);
    EXPECT_EQ(reloaded[1].ValueName, problem.ValueName);

    // The same entry again (also from a fresh in-memory list) is not written twice.
    TIgnoreContents fresh;
    EXPECT_EQ(AddProblemToIgnoreList(m->files(), fresh, "User Software Settings", problem),
              IgnoreAddResult::AlreadyIgnored);
    EXPECT_EQ(AddProblemToIgnoreList(m->files(), reloaded, "User Software Settings", problem),
              IgnoreAddResult::AlreadyIgnored);
    reloaded.Clear();
    LoadIgnoreList(m->files(), reloaded);
    EXPECT_EQ(reloaded.Count(), 2u);
}

TEST_F(IgnoreFile, ExcludeCreatesTheFileAndRefusesEntriesThatCannotReadBack) {
    TContent problem;
    problem.KeyPath = "HKEY_CLASSES_ROOT\\.txt";
    problem.ValueName = "default";
    EXPECT_EQ(AddProblemToIgnoreList(m->files(), ignores, "File Extensions", problem),
              IgnoreAddResult::Added);
    EXPECT_EQ(platform::ReadAllBytes(m->files(), FilePath()),
              "File Extensions|HKEY_CLASSES_ROOT\\.txt|default\r\n");

    TContent barInKey = problem;
    barInKey.KeyPath = "HKEY_CLASSES_ROOT\\a|b";
    TContent lineBreak = problem;
    lineBreak.ValueName = "two\nlines";
    EXPECT_EQ(AddProblemToIgnoreList(m->files(), ignores, "File Extensions", barInKey),
              IgnoreAddResult::NotRepresentable);
    EXPECT_EQ(AddProblemToIgnoreList(m->files(), ignores, "File Extensions", lineBreak),
              IgnoreAddResult::NotRepresentable);
    EXPECT_EQ(ignores.Count(), 1u);
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
