#include "app/data_module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor {
namespace {

struct RecordingDisplay : ScanDisplay {
    void ShowSectionFrame(int section, int image) override { frames.push_back({section, image}); }
    void ShowProblemsFound(const std::string& text, bool visible) override {
        warning = text;
        warningVisible = visible;
    }
    void ShowScanTime(const std::string& text) override { time = text; }
    void ShowEvidenceFrame(int node, int image) override { evidence.push_back({node, image}); }

    std::vector<std::pair<int, int>> frames, evidence;
    std::string warning = "unset", time;
    bool warningVisible = true;
};

class DataModuleTest : public ::testing::Test {
  protected:
    testing::SimMachine machine;
    testing::ScriptedUi ui;
    AppContext ctx{*machine, ui};
};

TEST(DataModuleTexts, ElapsedTimeHasTwoDigitParts) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "00:00:00"},
        {999, "00:00:00"},
        {9'000, "00:00:09"},
        {10'000, "00:00:10"},
        {61'000, "00:01:01"},
        {3'599'000, "00:59:59"},
        {3'600'000, "01:00:00"},
        {36'000'000 + 65'000, "10:01:05"},
        {360'000'000, "100:00:00"},
    };
    for (const auto& [ms, text] : cases) EXPECT_EQ(ElapsedTimeText(ms), text) << ms;
}

TEST(DataModuleTexts, ProblemsFound) {
    EXPECT_EQ(ProblemsFoundText(1), "1 Problems Found");
    EXPECT_EQ(ProblemsFoundText(1234), "1234 Problems Found");
}

TEST_F(DataModuleTest, CreationDetectsThePlatform) {
    const std::pair<uint32_t, uint8_t> cases[] = {
        {0, kPlatformWin32s}, {1, kPlatformWin9x}, {2, kPlatformNT}};
    for (const auto& [id, kind] : cases) {
        machine->simSystem().version.platformId = id;
        TDM dm(ctx);
        EXPECT_EQ(ctx.PlatformKind, kind) << id;
    }
}

TEST_F(DataModuleTest, SilentUpdateCheckRunsOnlyWhenTheSettingAsks) {
    int calls = 0;
    ctx.settings.CheckUpdate = false;
    TDM off(ctx, [&] { return ++calls, true; });
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(off.TerminateRequested());

    ctx.settings.CheckUpdate = true;
    TDM declined(ctx, [&] { return ++calls, false; });
    EXPECT_TRUE(declined.UpdateCheckRan());
    EXPECT_FALSE(declined.TerminateRequested());
    TDM accepted(ctx, [&] { return ++calls, true; });
    EXPECT_TRUE(accepted.TerminateRequested());
    EXPECT_EQ(calls, 2);

    TDM notBuilt(ctx);  // no check available: nothing runs, nothing ends
    EXPECT_FALSE(notBuilt.UpdateCheckRan());
}

TEST_F(DataModuleTest, ScanTimerCyclesFramesFourToTenAndShowsTheProblemCount) {
    TDM dm(ctx);
    RecordingDisplay display;
    dm.Display = &display;
    int total = 0;
    dm.ProblemsFound = [&] { return total; };
    dm.ScanSection = 3;
    dm.ScanFrame = kStatFrameFirst;
    for (int i = 0; i < 9; ++i) dm.ScanTimerTimer();
    std::vector<int> images;
    for (const auto& [section, image] : display.frames) {
        EXPECT_EQ(section, 3);
        images.push_back(image);
    }
    EXPECT_EQ(images, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 4, 5}));
    EXPECT_EQ(display.warning, "");
    EXPECT_FALSE(display.warningVisible);
    total = 7;
    dm.ScanTimerTimer();
    EXPECT_EQ(display.warning, "7 Problems Found");
    EXPECT_TRUE(display.warningVisible);
    total = 0;
    dm.ScanTimerTimer();
    EXPECT_FALSE(display.warningVisible);
}

TEST_F(DataModuleTest, EvidenceTimerCyclesFramesEightToFourteen) {
    TDM dm(ctx);
    RecordingDisplay display;
    dm.Display = &display;
    dm.EvidenceNodeIndex = 12;
    dm.EvidenceFrame = kTreeFrameFirst;
    for (int i = 0; i < 8; ++i) dm.EvidenceTimerTimer();
    std::vector<int> images;
    for (const auto& [node, image] : display.evidence) {
        EXPECT_EQ(node, 12);
        images.push_back(image);
    }
    EXPECT_EQ(images, (std::vector<int>{8, 9, 10, 11, 12, 13, 14, 8}));
}

TEST_F(DataModuleTest, ScanTimerExShowsTimeSinceTheScanStarted) {
    TDM dm(ctx);
    RecordingDisplay display;
    dm.Display = &display;
    machine->simClock().tick = 5'000;
    dm.ScanStartTick = 5'000;
    machine->simClock().tick = 5'000 + 3'725'000;
    dm.ScanTimerExTimer();
    EXPECT_EQ(display.time, "01:02:05");
}

TEST_F(DataModuleTest, TicksWithoutADisplayAreHarmless) {
    TDM dm(ctx);
    dm.ScanTimerTimer();
    dm.ScanTimerExTimer();
    dm.EvidenceTimerTimer();
    EXPECT_EQ(dm.ScanFrame, kStatFrameFirst + 1);
    EXPECT_EQ(dm.EvidenceFrame, kTreeFrameFirst + 1);
}

TEST_F(DataModuleTest, TimersReportOnlyRealChanges) {
    TDM dm(ctx);
    EXPECT_EQ(dm.ScanTimer.Interval, 20u);
    EXPECT_EQ(dm.ScanTimerEx.Interval, 1000u);
    EXPECT_EQ(dm.EvidenceTimer.Interval, 20u);
    std::vector<bool> seen;
    dm.ScanTimer.OnEnabledChanged = [&](bool on) { seen.push_back(on); };
    dm.ScanTimer.SetEnabled(true);
    dm.ScanTimer.SetEnabled(true);
    dm.ScanTimer.SetEnabled(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace trenmoor
