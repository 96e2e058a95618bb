#pragma once
// TDM: what several windows share for the whole run. The three scan timers (their enabled flags are
// the program-wide sign that a registry or evidence scan is running), the animation state they step,
// the skin's image-list indexes, and the start-up work: platform detection and the automatic update
// check. The Windows side drives the timers and shows what the ticks produce.
#include <cstdint>
#include <functional>
#include <string>

#include "common/app_context.h"

namespace trenmoor {

// StatImageList (16 x 16): section and state pictures.
inline constexpr int kStatNotSelected = 0;
inline constexpr int kStatSelected = 1;
inline constexpr int kStatFrameFirst = 4;
inline constexpr int kStatFrameLast = 10;
inline constexpr int kStatScannedClean = 11;
inline constexpr int kStatScannedProblems = 12;
inline constexpr int kStatImageCount = 15;
// TreeImageList (16 x 16): animation frames of the evidence tree.
inline constexpr int kTreeFrameFirst = 8;
inline constexpr int kTreeFrameLast = 14;
inline constexpr int kTreeImageCount = 15;
// ProblemsImageList (16 x 70): problem row check box.
inline constexpr int kProblemUnchecked = 0;
inline constexpr int kProblemChecked = 1;
// LelvelImageList (36 x 12): severity pictures.
inline constexpr int kLevelLow = 0;
inline constexpr int kLevelNormal = 1;
inline constexpr int kLevelHigh = 2;
// BtnImageList (97 x 23) and ScanNowImageList (186 x 75): button faces.
inline constexpr int kButtonNormal = 0;
inline constexpr int kButtonHovered = 1;
inline constexpr int kBtnImageWidth = 97, kBtnImageHeight = 23;
inline constexpr int kScanNowImageWidth = 186, kScanNowImageHeight = 75;

// A timer's settings as the windows see them. The Windows side follows `Enabled` through
// OnEnabledChanged (SetTimer / KillTimer); the cores only switch it.
class TTimer {
  public:
    explicit TTimer(unsigned interval) : Interval(interval) {}
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) {
        if (on == enabled_) return;
        enabled_ = on;
        if (OnEnabledChanged) OnEnabledChanged(on);
    }

    const unsigned Interval;  // milliseconds
    std::function<void(bool)> OnEnabledChanged;

  private:
    bool enabled_ = false;
};

// Where the ticks show their results; the registry and evidence cleaner windows implement it.
class ScanDisplay {
  public:
    virtual ~ScanDisplay() = default;
    // Picture `image` of StatImageList on the section being scanned.
    virtual void ShowSectionFrame(int section, int image) = 0;
    // LabelWarning: the text, visible or emptied and hidden.
    virtual void ShowProblemsFound(const std::string& text, bool visible) = 0;
    // abScanTime.
    virtual void ShowScanTime(const std::string& text) = 0;
    // Picture `image` of TreeImageList on the evidence tree node with that index (over all nodes).
    virtual void ShowEvidenceFrame(int nodeIndex, int image) = 0;
};

// Format("%d Problems Found", [total]).
std::string ProblemsFoundText(int total);
// Elapsed time as "hh:mm:ss", every part at least two digits.
std::string ElapsedTimeText(uint64_t elapsedMs);

class TDM {
  public:
    // The silent update check: true when the user accepted a newer version, the updater has been
    // started and the program must end. Not given while the update check is not part of the program.
    using UpdateCheck = std::function<bool()>;

    // Detects the platform into ctx.PlatformKind; runs the silent update check when CheckUpdate is set.
    explicit TDM(AppContext& ctx, UpdateCheck silentUpdateCheck = {});
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    TTimer ScanTimer{20};      // registry scan animation
    TTimer ScanTimerEx{1000};  // registry scan elapsed time
    TTimer EvidenceTimer{20};  // evidence scan animation

    // Run-time fields written by the scans.
    int ScanFrame = kStatFrameFirst;
    int ScanSection = -1;
    uint64_t ScanStartTick = 0;  // Clock::tickMs() when the registry scan started
    int EvidenceFrame = kTreeFrameFirst;
    int EvidenceNodeIndex = -1;

    ScanDisplay* Display = nullptr;      // the window that shows the running scan, if any
    std::function<int()> ProblemsFound;  // total problems found so far by the registry scan

    void ScanTimerTimer();
    void ScanTimerExTimer();
    void EvidenceTimerTimer();

    bool UpdateCheckRan() const { return updateCheckRan_; }
    bool TerminateRequested() const { return terminateRequested_; }

    AppContext& Context() { return ctx_; }

  private:
    AppContext& ctx_;
    bool updateCheckRan_ = false;
    bool terminateRequested_ = false;
};

}  // namespace trenmoor
