#include <gtest/gtest.h>

#include "common/shared_helpers.h"
#include "platform/registry_accessor.h"
#include "support/sim_machine.h"

namespace trenmoor {
namespace {

using platform::DriveType;
using platform::RootKey;
using platform::TRegistry;

TEST(RootKeyNames, MapBothWaysExactlyAndCaseSensitively) {
    const std::pair<RootKey, const char*> table[] = {
        {RootKey::ClassesRoot, "HKEY_CLASSES_ROOT"},     {RootKey::CurrentUser, "HKEY_CURRENT_USER"},
        {RootKey::LocalMachine, "HKEY_LOCAL_MACHINE"},   {RootKey::Users, "HKEY_USERS"},
        {RootKey::CurrentConfig, "HKEY_CURRENT_CONFIG"},
    };
    for (const auto& [root, name] : table) {
        EXPECT_EQ(RootKeyName(root), name);
        EXPECT_EQ(RootKeyFromName(name), root);
    }
    EXPECT_EQ(RootKeyName(RootKey::PerformanceData), "");
    for (const char* other :
         {"hkey_current_user", "HKCU", "HKEY_CURRENT_USER\\", "", "HKEY_PERFORMANCE_DATA"})
        EXPECT_FALSE(RootKeyFromName(other).has_value()) << other;
}

class RegistryHelpers : public ::testing::Test {
  protected:
    void SetUp() override {
        TRegistry reg(m->registry());
        ASSERT_TRUE(reg.OpenKey("\\Software\\HelperTest\\Inner\\Deep", true));
        ASSERT_TRUE(reg.WriteString("", "unnamed"));
        ASSERT_TRUE(reg.WriteString("Path", "C:\\x.exe"));
        ASSERT_TRUE(reg.WriteInteger("Count", 3));
    }
    testing::SimMachine m;
    const std::string deep = "HKEY_CURRENT_USER\\Software\\HelperTest\\Inner\\Deep";
};

TEST_F(RegistryHelpers, ReadStringByPathReadsStringsAndDefaultValue) {
    EXPECT_EQ(ReadStringByPath(m->registry(), deep, "Path"), "C:\\x.exe");
    EXPECT_EQ(ReadStringByPath(m->registry(), deep, "default"), "unnamed");
    EXPECT_EQ(ReadStringByPath(m->registry(), deep, "Count"), "");  // not a string
    EXPECT_EQ(ReadStringByPath(m->registry(), deep + "\\Missing", "Path"), "");
    EXPECT_EQ(ReadStringByPath(m->registry(), "HKCU\\Software\\HelperTest\\Inner\\Deep", "Path"), "");
}

TEST_F(RegistryHelpers, DeleteValueByPathDeletesWithoutEverCreatingKeys) {
    EXPECT_TRUE(DeleteValueByPath(m->registry(), deep, "default"));
    EXPECT_TRUE(DeleteValueByPath(m->registry(), deep, "Path"));
    TRegistry reg(m->registry());
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\HelperTest\\Inner\\Deep"));
    EXPECT_FALSE(reg.ValueExists(""));
    EXPECT_FALSE(reg.ValueExists("Path"));
    EXPECT_TRUE(reg.ValueExists("Count"));

    EXPECT_FALSE(DeleteValueByPath(m->registry(), deep, "Path"));  // already gone
    EXPECT_FALSE(DeleteValueByPath(m->registry(), "HKEY_CURRENT_USER\\Software\\NoSuchKey", "default"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\NoSuchKey"));
}

TEST_F(RegistryHelpers, DeleteKeyAbsoluteRemovesTheWholeTree) {
    EXPECT_FALSE(DeleteKeyAbsolute(m->registry(), RootKey::CurrentUser, "\\Software\\NoSuchKey"));
    EXPECT_TRUE(DeleteKeyAbsolute(m->registry(), RootKey::CurrentUser, "\\Software\\HelperTest"));
    TRegistry reg(m->registry());
    EXPECT_FALSE(reg.KeyExists("\\Software\\HelperTest"));
    EXPECT_TRUE(reg.KeyExists("\\Software"));
}

TEST(WindowsFolders, ProgramAndCommonFilesComeFromTheCurrentVersionKey) {
    testing::SimMachine m;
    EXPECT_EQ(ProgramFilesDir(m->registry()), "");
    TRegistry reg(m->registry(), RootKey::LocalMachine);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", true));
    ASSERT_TRUE(reg.WriteString("ProgramFilesDir", "C:\\Program Files"));
    ASSERT_TRUE(reg.WriteString("CommonFilesDir", "C:\\Program Files\\Common Files"));
    EXPECT_EQ(ProgramFilesDir(m->registry()), "C:\\Program Files");
    EXPECT_EQ(CommonFilesDir(m->registry()), "C:\\Program Files\\Common Files");
}

TEST(ExcludedDrives, ListsRemovableRemoteCdRomAndRamDrivesInLetterOrder) {
    testing::SimMachine m;
    auto& files = m->simFiles();
    files.addDrive('H', DriveType::Unknown);
    files.addDrive('G', DriveType::RamDisk);
    files.addDrive('F', DriveType::Remote);
    files.addDrive('E', DriveType::Removable);
    files.addDrive('D', DriveType::CdRom);
    files.addDrive('Z', DriveType::Remote);
    std::vector<std::string> drives;
    BuildExcludedDrives(files, drives);
    EXPECT_EQ(drives, (std::vector<std::string>{"D:", "E:", "F:", "G:", "Z:"}));

    std::vector<std::string> cancelled;
    const int state = 4;
    BuildExcludedDrives(files, cancelled, &state);
    EXPECT_TRUE(cancelled.empty());
}

TEST(ExcludedDrives, IsOnIncludedDriveLooksAnywhereInThePath) {
    const std::vector<std::string> z{"Z:"};
    struct Case {
        std::vector<std::string> drives;
        const char* path;
        bool included;
    };
    const Case table[] = {
        {z, "C:\\Windows\\x.dll", true},
        {z, "Z:\\share\\x.dll", false},
        {z, "z:\\share\\x.dll", false},
        {z, "C:\\tools\\run.exe /log Z:\\out.txt", false},  // a drive text later in the value counts too
        {{}, "Z:\\anything", true},
        {{"D:", "Z:"}, "d:\\setup.exe", false},
    };
    for (const auto& c : table) EXPECT_EQ(IsOnIncludedDrive(c.drives, c.path), c.included) << c.path;
}

TEST(Platform, KindFollowsThePlatformIdentifier) {
    testing::SimMachine m;
    const std::pair<uint32_t, uint8_t> table[] = {{0, 1}, {1, 2}, {2, 4}, {3, 0}};
    for (const auto& [id, kind] : table) {
        m->simSystem().version.platformId = id;
        EXPECT_EQ(DetectPlatformKind(m->system()), kind) << id;
    }
}

TEST(Shell, OpenURLAsksTheShellToOpenInANormalWindow) {
    testing::SimMachine m;
    OpenURL(m->shell(), "http://example.org/");
    ASSERT_EQ(m->simShell().calls.size(), 1u);
    EXPECT_EQ(m->simShell().calls[0].verb, "open");
    EXPECT_EQ(m->simShell().calls[0].target, "http://example.org/");
    EXPECT_EQ(m->simShell().calls[0].show, platform::ShowMode::Normal);
}

}  // namespace
}  // namespace trenmoor
