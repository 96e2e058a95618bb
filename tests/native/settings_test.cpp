#include <gtest/gtest.h>

#include "common/settings.h"
#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"
#include "support/sim_machine.h"

namespace trenmoor {
namespace {

using platform::kRegDword;
using platform::kRegSz;
using platform::RawValue;
using platform::RootKey;
using platform::TRegistry;

RawValue Raw(platform::Registry& registry, const char* name) {
    auto key = registry.open(RootKey::CurrentUser, "Software\\Trenmoor", false, false);
    if (!key) return {};
    return key->queryValue(name).value_or(RawValue{});
}

TEST(Settings, CleanAccountGetsEveryDefaultWithItsType) {
    testing::SimMachine m;
    TMyRegistryInfo info;
    LoadSettings(m->registry(), info);

    struct Expected {
        const char* name;
        uint32_t type;
        std::string text;  // strings
        uint32_t number;   // DWORDs
    };
    const Expected table[] = {
        {"HomePage", kRegSz, std::string(kDefaultHomePage), 0},
        {"HelpURL", kRegSz, std::string(kDefaultHelpURL), 0},
        {"NotAutoBackup", kRegDword, "", 0},
        {"OneTime", kRegDword, "", 0},
        {"OneScheduleOfWeek", kRegDword, "", 0},
        {"SelectAll", kRegDword, "", 1},
        {"CheckUpdate", kRegDword, "", 1},
        {"Version", kRegSz, "4.2", 0},
    };
    for (const auto& e : table) {
        SCOPED_TRACE(e.name);
        const RawValue v = Raw(m->registry(), e.name);
        ASSERT_EQ(v.type, e.type);
        if (e.type == kRegSz) {
            EXPECT_EQ(platform::RegBytesToUtf8(v.data), e.text);
        } else {
            ASSERT_EQ(v.data.size(), 4u);
            EXPECT_EQ(v.data[0], e.number);
        }
    }
    EXPECT_EQ(info.HomePage, kDefaultHomePage);
    EXPECT_EQ(info.HelpURL, kDefaultHelpURL);
    EXPECT_FALSE(info.NotAutoBackup);
    EXPECT_FALSE(info.OneTime);
    EXPECT_EQ(info.OneScheduleOfWeek, 0);
    EXPECT_TRUE(info.SelectAll);
    EXPECT_TRUE(info.CheckUpdate);
}

TEST(Settings, ExistingValuesAreReadAndNeverOverwritten) {
    testing::SimMachine m;
    {
        TRegistry reg(m->registry());
        ASSERT_TRUE(reg.OpenKey("\\Software\\Trenmoor", true));
        ASSERT_TRUE(reg.WriteString("Version", "4.1"));
        ASSERT_TRUE(reg.WriteString("HomePage", "http://example.org/"));
        ASSERT_TRUE(reg.WriteBool("SelectAll", false));
        ASSERT_TRUE(reg.WriteInteger("OneScheduleOfWeek", 1));
    }
    TMyRegistryInfo info;
    LoadSettings(m->registry(), info);
    LoadSettings(m->registry(), info);  // a second start changes nothing either

    TRegistry reg(m->registry());
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Trenmoor"));
    EXPECT_EQ(reg.ReadString("Version"), "4.1");
    EXPECT_EQ(info.HomePage, "http://example.org/");
    EXPECT_FALSE(info.SelectAll);
    EXPECT_FALSE(reg.ReadBool("SelectAll"));
    EXPECT_EQ(info.OneScheduleOfWeek, 1);
}

TEST(Settings, ValueOfTheWrongTypeIsReplacedByItsDefaultInsteadOfFailingTheStart) {
    testing::SimMachine m;
    {
        TRegistry reg(m->registry());
        ASSERT_TRUE(reg.OpenKey("\\Software\\Trenmoor", true));
        ASSERT_TRUE(reg.WriteInteger("HomePage", 7));
        ASSERT_TRUE(reg.WriteString("CheckUpdate", "yes"));
    }
    TMyRegistryInfo info;
    ASSERT_NO_THROW(LoadSettings(m->registry(), info));
    EXPECT_EQ(info.HomePage, kDefaultHomePage);
    EXPECT_TRUE(info.CheckUpdate);
    EXPECT_EQ(Raw(m->registry(), "CheckUpdate").type, kRegDword);
}

TEST(Settings, UnreachableKeyLeavesDefaultsInMemoryAndWritesNothing) {
    testing::SimMachine m;
    m->simRegistry().denyAccess(RootKey::CurrentUser, "Software\\Trenmoor");
    TMyRegistryInfo info;
    LoadSettings(m->registry(), info);
    EXPECT_EQ(info.HelpURL, kDefaultHelpURL);
    EXPECT_TRUE(info.SelectAll);
    EXPECT_TRUE(info.CheckUpdate);
    EXPECT_EQ(Raw(m->registry(), "Version").type, platform::kRegNone);
}

TEST(Settings, SaveOptionsUpdatesRecordAndRegistryTogether) {
    testing::SimMachine m;
    TMyRegistryInfo info;
    LoadSettings(m->registry(), info);
    SaveOptions(m->registry(), info, true, false, false);
    EXPECT_TRUE(info.NotAutoBackup);
    EXPECT_FALSE(info.SelectAll);
    EXPECT_FALSE(info.CheckUpdate);

    TMyRegistryInfo reloaded;
    LoadSettings(m->registry(), reloaded);
    EXPECT_TRUE(reloaded.NotAutoBackup);
    EXPECT_FALSE(reloaded.SelectAll);
    EXPECT_FALSE(reloaded.CheckUpdate);

    ASSERT_TRUE(SaveOneScheduleOfWeek(m->registry(), info));
    ASSERT_TRUE(ClearOneTime(m->registry(), info));
    LoadSettings(m->registry(), reloaded);
    EXPECT_EQ(reloaded.OneScheduleOfWeek, 1);
    EXPECT_FALSE(reloaded.OneTime);
}

}  // namespace
}  // namespace trenmoor
