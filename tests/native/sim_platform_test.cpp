// The simulated machine's registry internals and its smaller fakes: clock, task scheduler, shell.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/registry_accessor.h"
#include "platform/sim/sim_platform.h"
#include "platform/text_encoding.h"

namespace trenmoor::platform::sim {
namespace {

RawValue Sz(std::string_view text) {
    return RawValue{kRegSz, Utf8ToRegBytes(text)};
}

// ---------------------------------------------------------------------------------------------
// Registry

TEST(SimRegistry, RootsAreSeparateTreesAndPerformanceDataIsNone) {
    SimRegistry reg;
    const RootKey roots[] = {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine,
                             RootKey::Users, RootKey::CurrentConfig};
    for (const RootKey root : roots) {
        auto key = reg.open(root, "Shared\\Name", true, true);
        ASSERT_NE(key, nullptr);
        ASSERT_TRUE(key->setValue("root", RawValue{kRegDword, {static_cast<uint8_t>(root), 0, 0, 0}}));
    }
    for (const RootKey root : roots) {
        auto key = reg.open(root, "shared\\name", false, false);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->queryValue("ROOT")->data[0], static_cast<uint8_t>(root));
    }
    EXPECT_EQ(reg.open(RootKey::PerformanceData, "", false, false), nullptr);
    EXPECT_EQ(reg.open(RootKey::PerformanceData, "x", true, true), nullptr);
}

TEST(SimRegistry, LinksAreFollowedWhenOpenedAndRemovedAlone) {
    SimRegistry reg;
    auto target = reg.open(RootKey::LocalMachine, "SOFTWARE\\Real\\Child", true, true);
    ASSERT_TRUE(target->setValue("v", Sz("real")));
    ASSERT_TRUE(reg.createLink(RootKey::LocalMachine, "SOFTWARE\\Alias", "SOFTWARE\\Real"));
    EXPECT_FALSE(reg.createLink(RootKey::LocalMachine, "SOFTWARE\\Alias", "SOFTWARE\\Other"));  // exists
    EXPECT_FALSE(reg.createLink(RootKey::LocalMachine, "SOFTWARE\\Real", "SOFTWARE\\Other"));
    EXPECT_FALSE(reg.createLink(RootKey::LocalMachine, "", "SOFTWARE\\Other"));

    auto viaLink = reg.open(RootKey::LocalMachine, "software\\alias\\CHILD", false, false);
    ASSERT_NE(viaLink, nullptr);
    EXPECT_EQ(viaLink->queryValue("v"), Sz("real"));
    // Writes through the link land in the target.
    auto writable = reg.open(RootKey::LocalMachine, "SOFTWARE\\Alias\\New", true, true);
    ASSERT_NE(writable, nullptr);
    EXPECT_NE(reg.open(RootKey::LocalMachine, "SOFTWARE\\Real\\New", false, false), nullptr);
    // The link is listed by its parent like any key.
    auto software = reg.open(RootKey::LocalMachine, "SOFTWARE", false, true);
    EXPECT_EQ(software->subkeyNames(), (std::vector<std::string>{"Alias", "Real"}));

    // Deleting through a path that passes the link deletes in the target; deleting the link itself
    // removes only the link.
    EXPECT_TRUE(software->deleteSubkeyTree("Alias\\New"));
    EXPECT_EQ(reg.open(RootKey::LocalMachine, "SOFTWARE\\Real\\New", false, false), nullptr);
    EXPECT_TRUE(software->deleteSubkeyTree("ALIAS"));
    EXPECT_EQ(software->subkeyNames(), std::vector<std::string>{"Real"});
    EXPECT_NE(reg.open(RootKey::LocalMachine, "SOFTWARE\\Real\\Child", false, false), nullptr);
}

TEST(SimRegistry, DanglingAndCircularLinksFailToOpen) {
    SimRegistry reg;
    ASSERT_TRUE(reg.createLink(RootKey::CurrentUser, "Software\\Dangling", "Software\\Nowhere"));
    ASSERT_TRUE(reg.createLink(RootKey::CurrentUser, "Software\\Ping", "Software\\Pong"));
    ASSERT_TRUE(reg.createLink(RootKey::CurrentUser, "Software\\Pong", "Software\\Ping"));
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Dangling", false, false), nullptr);
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Dangling\\Below", true, true), nullptr);
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Ping", false, false), nullptr);
    TRegistry tr(reg);
    EXPECT_TRUE(tr.DeleteKey("\\Software\\Ping"));
    EXPECT_TRUE(tr.DeleteKey("\\Software\\Dangling"));
}

TEST(SimRegistry, DeniedKeysCannotBeOpenedOrDeletedWithTheirParents) {
    SimRegistry reg;
    ASSERT_NE(reg.open(RootKey::LocalMachine, "SOFTWARE\\Locked\\Inner", true, true), nullptr);
    reg.denyAccess(RootKey::LocalMachine, "software\\locked");
    EXPECT_EQ(reg.open(RootKey::LocalMachine, "SOFTWARE\\Locked", false, false), nullptr);
    EXPECT_EQ(reg.open(RootKey::LocalMachine, "SOFTWARE\\Locked", true, true), nullptr);
    EXPECT_NE(reg.open(RootKey::LocalMachine, "SOFTWARE\\Locked\\Inner", false, false), nullptr);
    EXPECT_EQ(reg.open(RootKey::LocalMachine, "SOFTWARE\\Locked\\New", true, true), nullptr);
    auto software = reg.open(RootKey::LocalMachine, "SOFTWARE", false, true);
    EXPECT_EQ(software->subkeyNames(), std::vector<std::string>{"Locked"});
    EXPECT_FALSE(software->deleteSubkeyTree("Locked"));
    EXPECT_FALSE(reg.open(RootKey::LocalMachine, "", false, true)->deleteSubkeyTree("SOFTWARE"));
    EXPECT_NE(reg.open(RootKey::LocalMachine, "SOFTWARE\\Locked\\Inner", false, false), nullptr);

    // A key denied before it exists is denied once it is created.
    reg.denyAccess(RootKey::CurrentUser, "Software\\Later");
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Later", true, true), nullptr);
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software\\Later", false, false), nullptr);
    EXPECT_NE(reg.open(RootKey::CurrentUser, "Software", false, false), nullptr);
}

TEST(SimRegistry, InfoCountsAndWriteTimes) {
    SimRegistry reg;
    auto key = reg.open(RootKey::CurrentUser, "Software\\Info", true, true);
    const auto before = key->info();
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->subkeyCount, 0u);
    const auto now = static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
    const uint64_t nowFileTime = (now + 11644473600ULL) * 10000000ULL;
    EXPECT_NEAR(static_cast<double>(before->lastWriteTime), static_cast<double>(nowFileTime), 6e8);
    ASSERT_NE(key->openSubkey("a\\b", true, true), nullptr);
    ASSERT_TRUE(key->setValue("x", Sz("1")));
    ASSERT_TRUE(key->setValue("y", Sz("2")));
    const auto after = key->info();
    EXPECT_EQ(after->subkeyCount, 1u);
    EXPECT_EQ(after->valueCount, 2u);
    EXPECT_GE(after->lastWriteTime, before->lastWriteTime);
}

TEST(SimRegistry, KeysWithManyValuesKeepOrderThroughDeletesAndRewrites) {
    SimRegistry reg;
    auto key = reg.open(RootKey::CurrentUser, "Software\\Many", true, true);
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i) {
        const std::string name = "Value" + std::to_string(i);
        ASSERT_TRUE(key->setValue(name, Sz(name)));
        expected.push_back(name);
    }
    ASSERT_TRUE(key->deleteValue("VALUE10"));
    expected.erase(expected.begin() + 10);
    ASSERT_TRUE(key->setValue("value20", Sz("rewritten")));
    ASSERT_TRUE(key->setValue("Value10", Sz("back")));
    expected.push_back("Value10");
    EXPECT_EQ(key->valueNames(), expected);
    EXPECT_EQ(key->queryValue("VALUE20"), Sz("rewritten"));
    EXPECT_EQ(key->queryValue("value199"), Sz("Value199"));
    EXPECT_EQ(key->queryValue("value10"), Sz("back"));
    EXPECT_FALSE(key->queryValue("Value200").has_value());
    for (int i = 0; i < 200; ++i) (void)key->deleteValue("Value" + std::to_string(i));
    EXPECT_TRUE(key->valueNames().empty());
}

TEST(SimRegistry, LoadsALargeTreeQuickly) {
    SimRegistry reg;
    const auto start = std::chrono::steady_clock::now();
    auto root = reg.open(RootKey::LocalMachine, "SOFTWARE\\Big", true, true);
    for (int i = 0; i < 20000; ++i) {
        auto k =
            root->openSubkey("Group" + std::to_string(i % 100) + "\\Key" + std::to_string(i), true, true);
        ASSERT_NE(k, nullptr);
        for (int v = 0; v < 5; ++v) ASSERT_TRUE(k->setValue("v" + std::to_string(v), Sz("data")));
    }
    auto group = reg.open(RootKey::LocalMachine, "SOFTWARE\\Big\\Group7", false, false);
    EXPECT_EQ(group->subkeyNames().size(), 200u);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_LT(ms.count(), 20000);  // generous: sanitizer builds are slow; a linear scan would be far slower
    EXPECT_TRUE(reg.open(RootKey::LocalMachine, "SOFTWARE", false, true)->deleteSubkeyTree("Big"));
}

TEST(SimRegistry, NamesKeepTheirFirstSpelling) {
    SimRegistry reg;
    ASSERT_NE(reg.open(RootKey::CurrentUser, "Software\\CamelCase", true, true), nullptr);
    auto again = reg.open(RootKey::CurrentUser, "SOFTWARE\\camelcase", true, true);
    ASSERT_TRUE(again->setValue("MixedName", Sz("1")));
    ASSERT_TRUE(again->setValue("MIXEDNAME", Sz("2")));
    EXPECT_EQ(again->valueNames(), std::vector<std::string>{"MixedName"});
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "", false, false)->subkeyNames(),
              std::vector<std::string>{"Software"});
    EXPECT_EQ(reg.open(RootKey::CurrentUser, "Software", false, false)->subkeyNames(),
              std::vector<std::string>{"CamelCase"});
}

// ---------------------------------------------------------------------------------------------
// Clock

TEST(SimClock, ConvertsFileTimesToLocalDatesWithTheOffset) {
    SimClock clock;
    struct Case {
        FileTime utc;
        int64_t offset;
        DateTime expected;
    };
    const Case table[] = {
        {0, 0, {1601, 1, 1, 0, 0, 0, 0, 1}},                                                 // a Monday
        {(1000000000ULL + 11644473600ULL) * 10000000ULL, 0, {2001, 9, 9, 1, 46, 40, 0, 0}},  // a Sunday
        {125963423999990000ULL, 60, {2000, 3, 1, 0, 59, 59, 999, 3}},   // over a leap day
        {132854706000000000ULL, -60, {2021, 12, 31, 23, 30, 0, 0, 5}},  // back over new year
        {133000000000000000ULL, 0, {2022, 6, 18, 4, 26, 40, 0, 6}},     // the default moment
        {133000000000000000ULL, 330, {2022, 6, 18, 9, 56, 40, 0, 6}},   // half-hour offsets
    };
    for (const auto& c : table) {
        clock.utcOffsetMinutes = c.offset;
        const auto dt = clock.toLocal(c.utc);
        ASSERT_TRUE(dt.has_value()) << c.utc;
        EXPECT_EQ(*dt, c.expected) << c.utc << " offset " << c.offset;
    }
    clock.utcOffsetMinutes = 0;
    EXPECT_FALSE(clock.toLocal(0x8000000000000000ULL).has_value());
    clock.utcOffsetMinutes = -60;
    EXPECT_FALSE(clock.toLocal(0).has_value());  // before 1601 in local time
}

TEST(SimClock, NowAndTicksAreScripted) {
    SimClock clock;
    EXPECT_EQ(clock.nowUtc(), 133000000000000000ULL);
    clock.utcOffsetMinutes = 120;
    EXPECT_EQ(clock.localNow().hour, 6);
    clock.now += 36000000000ULL;  // one hour
    EXPECT_EQ(clock.localNow().hour, 7);
    clock.tick = 1000;
    EXPECT_EQ(clock.tickMs(), 1000u);
    EXPECT_EQ(clock.tickMs(), 1000u);
    clock.tickStep = 15;
    EXPECT_EQ(clock.tickMs(), 1000u);
    EXPECT_EQ(clock.tickMs(), 1015u);
    EXPECT_EQ(clock.tickMs(), 1030u);
}

// ---------------------------------------------------------------------------------------------
// Task scheduler and shell

TEST(SimTaskScheduler, SavesReplacesReadsAndDeletesByName) {
    SimTaskScheduler ts;
    EXPECT_EQ(ts.connect(), 0);
    TaskDefinition a;
    a.name = "One-Click Tweak";
    a.applicationPath = "C:\\Program Files\\Trenmoor\\Quorvel.exe";
    a.parameters = "-Scan";
    a.triggers.push_back(TaskTrigger{TriggerKind::Weekly, 2024, 1, 1, 12, 0, 1, kMonday, 0, 0xFFF});
    TaskDefinition b = a;
    b.name = "20240101120000";
    EXPECT_EQ(ts.saveTask(a), 0);
    EXPECT_EQ(ts.saveTask(b), 0);
    EXPECT_EQ(ts.taskNames(), (std::vector<std::string>{"One-Click Tweak", "20240101120000"}));
    a.parameters = "-Scan -Quiet";
    EXPECT_EQ(ts.saveTask(a), 0);
    EXPECT_EQ(ts.tasks.size(), 2u);

    int32_t error = 0;
    const auto read = ts.readTask("one-click tweak", &error);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->parameters, "-Scan -Quiet");
    EXPECT_EQ(read->triggers, a.triggers);
    EXPECT_FALSE(ts.readTask("nope", &error).has_value());
    EXPECT_EQ(error, static_cast<int32_t>(0x80070002));
    EXPECT_FALSE(ts.readTask("nope", nullptr).has_value());

    ts.failDeletes.push_back("20240101120000");
    EXPECT_EQ(ts.deleteTask("20240101120000"), static_cast<int32_t>(0x80070005));
    EXPECT_EQ(ts.deleteTask("ONE-CLICK TWEAK"), 0);
    EXPECT_EQ(ts.deleteTask("One-Click Tweak"), static_cast<int32_t>(0x80070002));
    EXPECT_EQ(ts.taskNames(), std::vector<std::string>{"20240101120000"});

    ts.connectResult = static_cast<int32_t>(0x80070422);
    EXPECT_EQ(ts.connect(), static_cast<int32_t>(0x80070422));
    EXPECT_EQ(ts.saveTask(a), static_cast<int32_t>(0x80070422));
}

TEST(SimShell, RecordsEveryCallAndAnswersAsScripted) {
    SimShell shell;
    EXPECT_TRUE(shell.execute("open", "http://example.org", "", "", ShowMode::Normal));
    shell.result = false;
    EXPECT_FALSE(shell.execute("properties", "C:\\x.exe", "-a", "C:\\", ShowMode::Hidden));
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].verb, "properties");
    EXPECT_EQ(shell.calls[1].parameters, "-a");
    EXPECT_EQ(shell.calls[1].directory, "C:\\");
    EXPECT_EQ(shell.calls[1].show, ShowMode::Hidden);
}

TEST(SimSystemInfo, ReportsTheScriptedVersionAndUser) {
    SimSystemInfo info;
    EXPECT_EQ(info.osVersion().platformId, 2u);
    EXPECT_EQ(info.osVersion().major, 6u);
    EXPECT_EQ(info.userName(), "tester");
    info.version = OsVersion{1, 4, 10, 2222};
    EXPECT_EQ(info.osVersion().build, 2222u);
}

}  // namespace
}  // namespace trenmoor::platform::sim
