// The ActiveX, OLE/COM section on a small class registry: empty help-folder and server keys (walked
// into only on Windows versions before 6, never through links or AppID), classes naming a type library
// that is not registered, the ignore rules, and the repair of exactly the key concerned.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "registry_cleaner/sections/classes_root_sections.h"
#include "support/classes_root_fixture.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RootKey;
using ::testing::ElementsAre;

constexpr int kActiveX = 1;
const std::string kRoot = "HKEY_CLASSES_ROOT\\";

class ActiveXSection : public testing::ClassesRootFixture {
  protected:
    void SetUp() override { LoadRegFile("activex.reg"); }
};

TEST_F(ActiveXSection, BeforeVersion6TheWalkFindsEmptyServerAndHelpKeysEverywhereButAppId) {
    SetWindowsMajor(5);
    Scan({kActiveX});
    EXPECT_THAT(Column(kActiveX, &TContent::KeyPath),
                ElementsAre(kRoot + "CLSID\\{C0000001-EMPTY-SERVER}\\InprocServer32",
                            kRoot + "CLSID\\{C0000005-OLD-SERVER}\\InprocServer",
                            kRoot + "CLSID\\{C0000006-LOCAL}\\LocalServer32", kRoot + "InprocServer32",
                            kRoot + "TypeLib\\{70000002-EMPTY-HELP}\\1.0\\HELPDIR",
                            // the type-library scan follows the walk
                            kRoot + "CLSID\\{C0000009-MISSING-LIB}\\TypeLib",
                            kRoot + "CLSID\\{C000000C-MISSING-LIB}\\TypeLib"));
    EXPECT_THAT(Column(kActiveX, &TContent::KeyName),
                ElementsAre("InprocServer32", "InprocServer", "LocalServer32", "InprocServer32", "HELPDIR",
                            "TypeLib", "TypeLib"));
    EXPECT_EQ(scan.Progress().countText[kActiveX], "7");
}

TEST_F(ActiveXSection, EveryProblemKindCarriesItsFields) {
    SetWindowsMajor(5);
    Scan({kActiveX});
    ASSERT_EQ(Found(kActiveX).Count(), 7u);
    struct Expected {
        size_t index;
        std::string keyPath, keyName, valueData, title, description, severity;
    };
    const std::string server = kRoot + "CLSID\\{C0000001-EMPTY-SERVER}\\InprocServer32";
    const std::string help = kRoot + "TypeLib\\{70000002-EMPTY-HELP}\\1.0\\HELPDIR";
    const std::string lib = kRoot + "CLSID\\{C0000009-MISSING-LIB}\\TypeLib";
    const Expected cases[] = {
        {0, server, "InprocServer32", "", "Empty Key: " + server,
         "The Key default under " + server + " is Empty", ""},
        {4, help, "HELPDIR", "TypeLib\\{70000002-EMPTY-HELP}\\1.0\\HELPDIR", "Empty Key: " + help,
         "The Key HELPDIR under " + help + " is Empty", "High"},
        {5, lib, "TypeLib", "{70000009-MISSING}", "Missing or Invalid Path",
         "The Key default under " + lib + " contains a bad path for the value", "Normal"},
    };
    for (const Expected& e : cases) {
        const TContent& p = Found(kActiveX)[e.index].Content;
        EXPECT_TRUE(p.Checked) << e.keyPath;
        EXPECT_EQ(p.KeyPath, e.keyPath);
        EXPECT_EQ(p.KeyName, e.keyName);
        EXPECT_EQ(p.ValueName, "default");
        EXPECT_EQ(p.ValueData, e.valueData);
        EXPECT_EQ(p.AuxData, "");
        EXPECT_EQ(p.Action, "");
        EXPECT_EQ(p.Title, e.title);
        EXPECT_EQ(p.Description, e.description);
        EXPECT_EQ(p.Severity, e.severity);
        EXPECT_EQ(p.ID, static_cast<int32_t>(e.index + 1));
    }
}

TEST_F(ActiveXSection, FromVersion6OnlyTopLevelKeysAreWalkedAndAppIdIsPassedOver) {
    SetWindowsMajor(6);
    Scan({kActiveX});
    // The top-level server key after AppID is still examined; nothing below the top level is.
    EXPECT_THAT(Column(kActiveX, &TContent::KeyPath),
                ElementsAre(kRoot + "InprocServer32", kRoot + "CLSID\\{C0000009-MISSING-LIB}\\TypeLib",
                            kRoot + "CLSID\\{C000000C-MISSING-LIB}\\TypeLib"));
    // Ticks: the top-level keys but AppID, then one per class of the type-library scan.
    platform::TRegistry reg(m->registry(), RootKey::ClassesRoot);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\"));
    const size_t topLevel = reg.GetKeyNames().size();
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\CLSID"));
    const size_t classes = reg.GetKeyNames().size();
    EXPECT_EQ(scan.Progress().ItemsProcessed, topLevel - 1 + classes);
    EXPECT_EQ(scan.Progress().entry, "CLSID\\{C000000C-MISSING-LIB}\\TypeLib");
}

TEST_F(ActiveXSection, TheWalkNeitherFollowsNorExaminesRegistryLinks) {
    SetWindowsMajor(5);
    // A loop back to CLSID, and a server key that is a link to an empty key elsewhere.
    ASSERT_TRUE(
        m->simRegistry().createLink(RootKey::ClassesRoot, "CLSID\\{C0000007-HEALTHY}\\Loop", "CLSID"));
    ASSERT_TRUE(m->simRegistry().createLink(RootKey::ClassesRoot, "CLSID\\{C000000D-LINKED}\\InprocServer32",
                                            "TypeLib\\{70000002-EMPTY-HELP}\\1.0\\HELPDIR"));
    // A walk caught in the loop is stopped instead of running for ever.
    ui.onPump = [&] {
        if (scan.Progress().ItemsProcessed > 1000) ctx.ScanState = kScanAbort;
    };
    Scan({kActiveX});
    EXPECT_LT(scan.Progress().ItemsProcessed, 100u);
    EXPECT_EQ(Found(kActiveX).Count(), 7u);
    for (const auto& item : Found(kActiveX)) {
        EXPECT_EQ(item.Content.KeyPath.find("Loop"), std::string::npos) << item.Content.KeyPath;
        EXPECT_EQ(item.Content.KeyPath.find("LINKED"), std::string::npos) << item.Content.KeyPath;
    }
}

TEST_F(ActiveXSection, AnIgnoredEmptyKeyIsSkippedAndAnIgnoredTypeLibraryEndsTheTypeLibraryScan) {
    SetWindowsMajor(5);
    WriteIgnoreFile("ActiveX, OLE/COM Entries|" + kRoot +
                    "clsid\\{C0000005-OLD-SERVER}\\InprocServer|default\r\n" + "ActiveX, OLE/COM Entries|" +
                    kRoot + "CLSID\\{C0000009-MISSING-LIB}\\TypeLib|default\r\n");
    Scan({kActiveX});
    // The walk's problems before and after the ignored key stay; no class after the ignored one is judged.
    EXPECT_THAT(Column(kActiveX, &TContent::KeyPath),
                ElementsAre(kRoot + "CLSID\\{C0000001-EMPTY-SERVER}\\InprocServer32",
                            kRoot + "CLSID\\{C0000006-LOCAL}\\LocalServer32", kRoot + "InprocServer32",
                            kRoot + "TypeLib\\{70000002-EMPTY-HELP}\\1.0\\HELPDIR"));
}

TEST_F(ActiveXSection, AnIgnoreEntryWithAnotherValueNameDoesNotMatch) {
    WriteIgnoreFile("ActiveX, OLE/COM Entries|" + kRoot +
                    "CLSID\\{C0000009-MISSING-LIB}\\TypeLib|Default\r\n");
    Scan({kActiveX});
    EXPECT_EQ(Found(kActiveX).Count(), 3u);
}

TEST_F(ActiveXSection, WithoutTypeLibKeyNoClassIsJudged) {
    LoadReg("REGEDIT4\r\n\r\n[-HKEY_CLASSES_ROOT\\TypeLib]\r\n");
    Scan({kActiveX});
    EXPECT_THAT(Column(kActiveX, &TContent::KeyPath), ElementsAre(kRoot + "InprocServer32"));
}

TEST_F(ActiveXSection, AnAbortStopsTheWalkAtTheNextEntry) {
    SetWindowsMajor(5);
    ui.onPump = [&] {
        if (scan.Progress().ItemsProcessed == 3) ctx.ScanState = kScanAbort;
    };
    Scan({kActiveX});
    // CLSID, its first class and that class's server key were examined; the type-library scan never ran.
    EXPECT_EQ(scan.Progress().ItemsProcessed, 3u);
    EXPECT_THAT(Column(kActiveX, &TContent::KeyPath),
                ElementsAre(kRoot + "CLSID\\{C0000001-EMPTY-SERVER}\\InprocServer32"));
}

TEST_F(ActiveXSection, RepairRemovesOnlyTheKeyConcernedAndShowsItWithoutTheRootName) {
    SetWindowsMajor(5);
    Scan({kActiveX});
    scan.Contents()[kActiveX][6].Content.Checked = false;  // {C000000C}'s TypeLib stays
    const TRepairContents rows = Repair(kActiveX);
    ASSERT_EQ(rows.Count(), 6u);
    EXPECT_EQ(rows[0].Name, "\\CLSID\\{C0000001-EMPTY-SERVER}\\InprocServer32");
    EXPECT_EQ(rows[5].Name, "\\CLSID\\{C0000009-MISSING-LIB}\\TypeLib");
    for (const auto& row : rows) EXPECT_EQ(row.Status, "Repaired Successfully") << row.Name;

    const RootKey cr = RootKey::ClassesRoot;
    EXPECT_FALSE(KeyExists(cr, "CLSID\\{C0000001-EMPTY-SERVER}\\InprocServer32"));
    EXPECT_TRUE(ValueExists(cr, "CLSID\\{C0000001-EMPTY-SERVER}", ""));
    EXPECT_FALSE(KeyExists(cr, "TypeLib\\{70000002-EMPTY-HELP}\\1.0\\HELPDIR"));
    EXPECT_TRUE(ValueExists(cr, "TypeLib\\{70000002-EMPTY-HELP}\\1.0", ""));
    EXPECT_FALSE(KeyExists(cr, "CLSID\\{C0000009-MISSING-LIB}\\TypeLib"));
    EXPECT_TRUE(ValueExists(cr, "CLSID\\{C0000009-MISSING-LIB}", ""));
    EXPECT_TRUE(KeyExists(cr, "CLSID\\{C000000C-MISSING-LIB}\\TypeLib"));
    EXPECT_FALSE(KeyExists(cr, "InprocServer32"));
    EXPECT_TRUE(KeyExists(cr, "CLSID\\{C0000002-NO-DEFAULT}\\InprocServer32"));
    EXPECT_TRUE(KeyExists(cr, "AppID\\{A0000001-SKIPPED}\\InprocServer32"));

    // A key that cannot be deleted is reported as an error, not as repaired.
    scan.Clear();
    Scan({kActiveX});
    m->simRegistry().denyAccess(cr, "CLSID\\{C000000C-MISSING-LIB}\\TypeLib");
    const TRepairContents again = Repair(kActiveX);
    ASSERT_EQ(again.Count(), 1u);
    EXPECT_EQ(again[0].Status, "Error: the key could not be deleted");
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
