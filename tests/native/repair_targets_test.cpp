#include "registry_cleaner/repair_targets.h"

#include <gtest/gtest.h>

#include <string>

namespace trenmoor::registry_cleaner {
namespace {

using Kind = RepairTarget::Kind;

TEST(RepairTargets, EachSectionNamesWhatItsRepairRemoves) {
    struct Case {
        int section;
        std::string keyPath, keyName, valueName, valueData, action;
        Kind kind;
        std::string targetValue;  // for values; "" is the unnamed value
    };
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\X";
    const Case cases[] = {
        {0, key, "", "v", "", "", Kind::None, ""},              // All Problems
        {1, key, "HELPDIR", "default", "", "", Kind::Key, ""},  // ActiveX keys
        {2, key, "app.exe", "Path", "", "", Kind::Key, ""},     // App Paths subkey
        {3, key, "k", "default", "", "", Kind::Key, ""},        // empty key
        {4, "HKEY_CLASSES_ROOT\\.abc", ".abc", "default", "", "", Kind::Key, ""},
        {4, "HKEY_CURRENT_USER\\FileExts\\.abc\\OpenWithList", "a", "FileExts\\.abc", "", "", Kind::Value,
         "a"},
        {5, key, "Fonts", "Arial (TrueType)", "", "", Kind::Value, "Arial (TrueType)"},
        {6, key, "help.hlp", "", "", "", Kind::Value, "help.hlp"},  // the value named by KeyName
        {7, "HKEY_CLASSES_ROOT\\.abc", "\\.abc", "default", "", "delkey", Kind::Key, ""},
        {7, "HKEY_CLASSES_ROOT\\.abc", ".abc", "default", "", "", Kind::Value, ""},
        {8, "C:\\Users\\a.lnk", "C:\\Users\\a.lnk", "C:\\gone.exe", "", "", Kind::None, ""},
        {9, key, "RunMRU", "a", "", "", Kind::Value, "a"},
        {10, key, "SharedDlls", "C:\\x.dll", "0", "", Kind::Value, "C:\\x.dll"},
        {11, key, "Sounds", "default", "", "", Kind::Value, ""},
        {12, key, "Prog", "default", "key", "", Kind::Key, ""},
        {12, key, "Prog", "Order", "", "", Kind::None, ""},  // value entries are not repaired
        {13, key, "N", "N", "", "", Kind::Key, ""},
        {14, key, "", "ImagePath", "", "", Kind::Value, "ImagePath"},
        {15, key, "x", "", "", "", Kind::Value, ""},
        {16, key, "entry", "UninstallString", "", "", Kind::Value, "UninstallString"},
        {17, key, "x", "default", "", "", Kind::Value, ""},
        {18, key, "x", "v", "", "", Kind::None, ""},
        {-1, key, "x", "v", "", "", Kind::None, ""},
    };
    for (const Case& c : cases) {
        TContent p;
        p.KeyPath = c.keyPath;
        p.KeyName = c.keyName;
        p.ValueName = c.valueName;
        p.ValueData = c.valueData;
        p.Action = c.action;
        const RepairTarget t = RepairTargetFor(c.section, p);
        EXPECT_EQ(t.kind, c.kind) << "section " << c.section << " " << c.keyPath;
        if (c.kind == Kind::None) continue;
        EXPECT_EQ(t.keyPath, c.keyPath) << "section " << c.section;
        if (c.kind == Kind::Value) {
            EXPECT_EQ(t.valueName, c.targetValue) << "section " << c.section;
        }
    }
}

}  // namespace
}  // namespace trenmoor::registry_cleaner
