#pragma once
// What the scan shows while it runs: the entry being examined, the items-processed gauge and label,
// the per-section count displays and the total progress. The scan loop and the checkers write it;
// the window draws it whenever pending messages run.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "registry_cleaner/registry_contents.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kTotalProcessIdle = "Total Process:";
inline constexpr std::string_view kItemsProcessedIdle = "Items processed: 0";
inline constexpr std::string_view kNotBuiltYet = "not built yet";
inline constexpr uint64_t kItemsPerGaugeStep = 200;

struct ScanProgress {
    std::string entry;  // ScanOutcomePanel caption
    uint64_t ItemsProcessed = 0;
    // Keys counted by the walks that show only every 200th entry; one count for the whole scan.
    uint64_t keysCounted = 0;
    int itemsGauge = 0;  // pbItemsProcessed, 0..99
    std::string itemsLabel{kItemsProcessedIdle};
    // abItemCount01 .. abItemCount17 (index = section number; index 0 unused).
    std::array<std::string, kSectionCount + 1> countText;
    int totalPercent = 0;  // pbTotalProcess
    std::string totalText{kTotalProcessIdle};
    int currentSection = -1;  // the section being scanned (drives the animation), -1 none

    // Everything back to the state before a scan (count displays emptied).
    void Reset();
    // One more entry examined; the gauge and label move on every 200th.
    void TickItemsProcessed();
    // Overall progress after `done` of `selected` sections.
    void SetTotal(int done, int selected);
};

// round(done / selected * 100) with halves rounded to the even neighbour; 0 when nothing is selected.
int TotalProgressPercent(int done, int selected);

// "hh:nn:ss" of an elapsed time (hours keep growing past 99).
std::string FormatElapsedClock(uint64_t elapsedMs);

// The sentence shown after a scan: "Elapsed time: " followed by the hours, minutes and seconds parts
// that are not zero ("1 hour 2 minutes 5 seconds      "), or "Elapsed time: 0 second      ".
std::string ElapsedTimeSentence(uint64_t elapsedMs);

}  // namespace trenmoor::registry_cleaner
