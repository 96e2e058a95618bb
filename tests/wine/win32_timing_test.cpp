// Rough costs of the backend's bulk operations on the real system, printed for the record. The bounds
// are generous: they catch a pathological slowdown (a quadratic walk, a query per byte), not jitter.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>

#include "platform/win32/registry_links.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::testing {
namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST(Win32Timing, RegistryTreeOfThousandsOfKeys) {
    platform::win32::Win32Registry registry;
    const std::string base = "Software\\TrenmoorTest\\timing-" + std::to_string(GetCurrentProcessId());
    (void)platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, platform::win32::Widen(base));
    constexpr int kOuter = 40, kInner = 50;  // 2000 leaf keys, each with two values
    auto start = Clock::now();
    auto root = registry.open(platform::RootKey::CurrentUser, base, true, true);
    ASSERT_NE(root, nullptr);
    for (int i = 0; i < kOuter; ++i) {
        auto outer = root->openSubkey("Outer" + std::to_string(i), true, true);
        ASSERT_NE(outer, nullptr);
        for (int j = 0; j < kInner; ++j) {
            auto leaf = outer->openSubkey("Leaf" + std::to_string(j), true, true);
            ASSERT_NE(leaf, nullptr);
            ASSERT_TRUE(leaf->setValue("a", {platform::kRegDword, {1, 0, 0, 0}}));
            ASSERT_TRUE(leaf->setValue("b", {platform::kRegSz, {'x', 0, 0, 0}}));
        }
    }
    const long long createMs = MsSince(start);

    start = Clock::now();
    size_t keys = 0, values = 0;
    for (const auto& outerName : root->subkeyNames()) {
        auto outer = root->openSubkey(outerName, false, false);
        ASSERT_NE(outer, nullptr);
        for (const auto& leafName : outer->subkeyNames()) {
            auto leaf = outer->openSubkey(leafName, false, false);
            ASSERT_NE(leaf, nullptr);
            ++keys;
            for (const auto& valueName : leaf->valueNames()) values += leaf->queryValue(valueName) ? 1 : 0;
        }
    }
    const long long walkMs = MsSince(start);
    EXPECT_EQ(keys, static_cast<size_t>(kOuter * kInner));
    EXPECT_EQ(values, 2u * kOuter * kInner);

    start = Clock::now();
    root.reset();
    EXPECT_EQ(platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, platform::win32::Widen(base)),
              ERROR_SUCCESS);
    const long long deleteMs = MsSince(start);
    std::cout << "registry, " << keys << " keys: create " << createMs << " ms, walk and read " << walkMs
              << " ms, link-safe delete " << deleteMs << " ms\n";
    EXPECT_LT(walkMs, 20000);
    EXPECT_LT(deleteMs, 20000);
    EXPECT_EQ(registry.open(platform::RootKey::CurrentUser, base, false, false), nullptr);
}

TEST(Win32Timing, FindOverTheSystemFolder) {
    platform::win32::Win32FileSystem fs;
    const std::string system = fs.systemDirectory();
    const auto start = Clock::now();
    size_t entries = 0;
    uint64_t bytes = 0;
    ASSERT_TRUE(fs.find(system + "*", [&](const platform::FindData& d) {
        ++entries;
        bytes += d.size;
        return true;
    }));
    const long long ms = MsSince(start);
    std::cout << "find over " << system << ": " << entries << " entries, " << bytes / 1024 << " KiB, " << ms
              << " ms\n";
    EXPECT_GT(entries, 100u);
    EXPECT_LT(ms, 20000);
}

TEST(Win32Timing, SchedulerRoundTrip) {
    platform::win32::Win32TaskScheduler scheduler;
    platform::TaskDefinition task;
    task.name = "TrenmoorTest-timing-" + std::to_string(GetCurrentProcessId());
    task.applicationPath = "C:\\x\\Quorvel.exe";
    task.parameters = "-Scan";
    platform::TaskTrigger trigger;
    trigger.beginYear = 2026;
    trigger.beginMonth = 1;
    trigger.beginDay = 1;
    task.triggers.push_back(trigger);
    const auto start = Clock::now();
    ASSERT_EQ(scheduler.saveTask(task), 0);
    const auto names = scheduler.taskNames();
    const auto read = scheduler.readTask(task.name, nullptr);
    EXPECT_EQ(scheduler.deleteTask(task.name), 0);
    const long long ms = MsSince(start);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->triggers, task.triggers);
    std::cout << "scheduler save, list (" << names.size() << " tasks), read and delete: " << ms << " ms\n";
    EXPECT_LT(ms, 20000);
}

}  // namespace
}  // namespace trenmoor::testing
