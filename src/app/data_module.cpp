#include "app/data_module.h"

#include "common/shared_helpers.h"

namespace trenmoor {
namespace {

std::string TwoDigits(uint64_t n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

}  // namespace

std::string ProblemsFoundText(int total) {
    return std::to_string(total) + " Problems Found";
}

std::string ElapsedTimeText(uint64_t elapsedMs) {
    const uint64_t seconds = elapsedMs / 1000;
    return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

TDM::TDM(AppContext& ctx, UpdateCheck silentUpdateCheck) : ctx_(ctx) {
    ctx_.PlatformKind = DetectPlatformKind(ctx_.platform.system());
    if (ctx_.settings.CheckUpdate && silentUpdateCheck) {
        updateCheckRan_ = true;
        terminateRequested_ = silentUpdateCheck();
    }
}

void TDM::ScanTimerTimer() {
    if (ScanFrame > kStatFrameLast) ScanFrame = kStatFrameFirst;
    if (Display) Display->ShowSectionFrame(ScanSection, ScanFrame);
    ++ScanFrame;
    const int total = ProblemsFound ? ProblemsFound() : 0;
    if (Display) {
        if (total == 0)
            Display->ShowProblemsFound({}, false);
        else
            Display->ShowProblemsFound(ProblemsFoundText(total), true);
    }
}

void TDM::ScanTimerExTimer() {
    const uint64_t now = ctx_.platform.clock().tickMs();
    // A start time in the future (never set) shows zero rather than a wrapped-around huge count.
    const uint64_t elapsed = now >= ScanStartTick ? now - ScanStartTick : 0;
    if (Display) Display->ShowScanTime(ElapsedTimeText(elapsed));
}

void TDM::EvidenceTimerTimer() {
    if (EvidenceFrame > kTreeFrameLast) EvidenceFrame = kTreeFrameFirst;
    if (Display) Display->ShowEvidenceFrame(EvidenceNodeIndex, EvidenceFrame);
    ++EvidenceFrame;
}

}  // namespace trenmoor
