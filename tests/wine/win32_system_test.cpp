// Child processes, shell verbs and the recycle bin, the clock and the system facts, through the Win32
// backend on the real system.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"
#include "wine/scratch_folder.h"

namespace trenmoor::testing {
namespace {

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

TEST(Win32Processes, ExitCodesAreReported) {
    platform::win32::Win32ProcessRunner runner;
    platform::win32::Win32FileSystem fs;
    struct Case {
        std::string commandLine;
        uint32_t exitCode;
    };
    const Case table[] = {
        {"cmd /c exit 3", 3},
        {"cmd.exe /c exit 0", 0},
        {Quoted(fs.programPath()) + " --tm-child=exit:42", 42},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.commandLine);
        const auto result = runner.run(c.commandLine, true, 30000);
        EXPECT_TRUE(result.started);
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, c.exitCode);
    }
}

TEST(Win32Processes, ATimeOutLeavesTheChildRunningAndSaysSo) {
    platform::win32::Win32ProcessRunner runner;
    platform::win32::Win32FileSystem fs;
    const DWORD before = GetTickCount();
    const auto result = runner.run(Quoted(fs.programPath()) + " --tm-child=sleep:4000", true, 300);
    const DWORD waited = GetTickCount() - before;
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.finished);
    EXPECT_GE(waited, 250u);
    EXPECT_LT(waited, 3500u);
}

TEST(Win32Processes, AMissingProgramDoesNotStart) {
    platform::win32::Win32ProcessRunner runner;
    for (const std::string& line :
         {std::string("C:\\no\\such\\program.exe /x"), std::string(""), std::string("cmd\0 /c exit 3", 13)}) {
        const auto result = runner.run(line, true, 5000);
        EXPECT_FALSE(result.started) << line;
        EXPECT_FALSE(result.finished) << line;
    }
}

TEST(Win32Shell, OpenRunsAProgramAndFailsForAMissingFile) {
    platform::win32::Win32Shell shell;
    ScratchFolder dir;
    ASSERT_TRUE(dir.created());
    const std::string marker = dir.path("made by cmd.txt");
    // The started program proves it ran by leaving a file behind.
    ASSERT_TRUE(shell.execute("open", "cmd.exe", "/c echo x > " + Quoted(marker), dir.path(),
                              platform::ShowMode::Hidden));
    platform::win32::Win32FileSystem fs;
    for (int i = 0; i < 100 && !fs.fileExists(marker); ++i) Sleep(100);
    EXPECT_TRUE(fs.fileExists(marker));
    EXPECT_FALSE(shell.execute("open", dir.path("missing.exe"), "", "", platform::ShowMode::Normal));
    EXPECT_FALSE(shell.execute("open", "", "", "", platform::ShowMode::Normal));
}

TEST(Win32Shell, RecycleMovesOneFileAwayAndRefusesMasks) {
    platform::win32::Win32Shell shell;
    platform::win32::Win32FileSystem fs;
    ScratchFolder dir;
    ASSERT_TRUE(dir.created());
    for (const char* name : {"a.txt", "b.txt", "Grüße.txt"}) {
        auto stream = fs.open(dir.path(name), platform::OpenMode::Create);
        ASSERT_NE(stream, nullptr);
        ASSERT_TRUE(stream->write("x", 1));
    }
    SHQUERYRBINFO before{sizeof(SHQUERYRBINFO)};
    const bool counted = SHQueryRecycleBinW(nullptr, &before) == S_OK;
    EXPECT_EQ(shell.recycle(dir.path("Grüße.txt")), 0);
    EXPECT_FALSE(fs.fileExists(dir.path("Grüße.txt")));
    SHQUERYRBINFO after{sizeof(SHQUERYRBINFO)};
    if (counted && SHQueryRecycleBinW(nullptr, &after) == S_OK) {
        EXPECT_EQ(after.i64NumItems, before.i64NumItems + 1);  // in the bin, not gone for good
    }
    // A mask would recycle every file it matches: refused, nothing touched.
    EXPECT_NE(shell.recycle(dir.path("*.txt")), 0);
    EXPECT_NE(shell.recycle(dir.path("?.txt")), 0);
    EXPECT_NE(shell.recycle(""), 0);
    EXPECT_TRUE(fs.fileExists(dir.path("a.txt")));
    EXPECT_TRUE(fs.fileExists(dir.path("b.txt")));
    EXPECT_NE(shell.recycle(dir.path("missing.txt")), 0);
}

TEST(Win32Clock, NowAgreesWithTheCRuntimeAndTicksGoForward) {
    platform::win32::Win32Clock clock;
    constexpr uint64_t kUnixEpoch = 116444736000000000ull;  // 1970-01-01 in 100-ns units since 1601
    const uint64_t seconds = (clock.nowUtc() - kUnixEpoch) / 10000000ull;
    const auto crt = static_cast<uint64_t>(std::time(nullptr));
    EXPECT_LE(seconds > crt ? seconds - crt : crt - seconds, 2u);

    const auto local = clock.localNow();
    const auto converted = clock.toLocal(clock.nowUtc());
    ASSERT_TRUE(converted.has_value());
    EXPECT_EQ(converted->year, local.year);
    EXPECT_EQ(converted->dayOfWeek, local.dayOfWeek);
    EXPECT_EQ(converted->hour, local.hour);
    EXPECT_GE(local.month, 1);
    EXPECT_LE(local.month, 12);

    // 2001-09-09 01:46:40 UTC was a Sunday.
    const auto fixed = clock.toLocal(kUnixEpoch + 1000000000ull * 10000000ull);
    ASSERT_TRUE(fixed.has_value());
    TIME_ZONE_INFORMATION zone;
    if (GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID && zone.Bias == 0 && zone.DaylightBias == 0) {
        EXPECT_EQ(*fixed, (platform::DateTime{2001, 9, 9, 1, 46, 40, 0, 0}));
    }
    EXPECT_FALSE(clock.toLocal(~0ull).has_value());  // beyond what a FILETIME can name

    const uint64_t t0 = clock.tickMs();
    Sleep(50);
    const uint64_t t1 = clock.tickMs();
    EXPECT_GE(t1 - t0, 40u);
}

TEST(Win32SystemInfo, VersionAndUserNameComeFromTheSystem) {
    platform::win32::Win32SystemInfo info;
    const auto version = info.osVersion();
    EXPECT_EQ(version.platformId, 2u);  // NT family
    EXPECT_GE(version.major, 5u);
    EXPECT_GT(version.build, 0u);
    wchar_t name[257];
    DWORD size = 257;
    ASSERT_TRUE(GetUserNameW(name, &size));
    EXPECT_EQ(info.userName(), platform::win32::Narrow(name));
    EXPECT_FALSE(info.userName().empty());
}

}  // namespace
}  // namespace trenmoor::testing
