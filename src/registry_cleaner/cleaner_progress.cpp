#include "registry_cleaner/cleaner_progress.h"

#include <cstdio>

namespace trenmoor::registry_cleaner {
namespace {

// "%d unit " / "%d units " (with the given trailing text), empty for zero.
std::string Part(uint64_t n, std::string_view unit, std::string_view trail) {
    if (n == 0) return {};
    std::string text = std::to_string(n) + " " + std::string(unit);
    if (n != 1) text += 's';
    text += trail;
    return text;
}

}  // namespace

void ScanProgress::Reset() {
    entry.clear();
    ItemsProcessed = 0;
    keysCounted = 0;
    itemsGauge = 0;
    itemsLabel = kItemsProcessedIdle;
    for (std::string& text : countText) text.clear();
    totalPercent = 0;
    totalText = kTotalProcessIdle;
    currentSection = -1;
}

void ScanProgress::TickItemsProcessed() {
    ++ItemsProcessed;
    if (ItemsProcessed % kItemsPerGaugeStep != 0) return;
    itemsGauge = itemsGauge + 1 >= 100 ? 0 : itemsGauge + 1;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "Items processed: %10llu",
                  static_cast<unsigned long long>(ItemsProcessed));
    itemsLabel = buffer;
}

void ScanProgress::SetTotal(int done, int selected) {
    totalPercent = TotalProgressPercent(done, selected);
    totalText = "Total Process: " + std::to_string(totalPercent) + "%";
}

int TotalProgressPercent(int done, int selected) {
    if (selected <= 0) return 0;
    const int64_t scaled = static_cast<int64_t>(done) * 100;
    int64_t quotient = scaled / selected;
    const int64_t twiceRest = (scaled % selected) * 2;
    if (twiceRest > selected || (twiceRest == selected && quotient % 2 != 0)) ++quotient;
    return static_cast<int>(quotient);
}

std::string FormatElapsedClock(uint64_t elapsedMs) {
    const uint64_t seconds = elapsedMs / 1000;
    char buffer[48];
    std::snprintf(
        buffer, sizeof buffer, "%02llu:%02llu:%02llu", static_cast<unsigned long long>(seconds / 3600),
        static_cast<unsigned long long>(seconds / 60 % 60), static_cast<unsigned long long>(seconds % 60));
    return buffer;
}

std::string ElapsedTimeSentence(uint64_t elapsedMs) {
    const uint64_t seconds = elapsedMs / 1000;
    const std::string text = Part(seconds / 3600, "hour", " ") + Part(seconds / 60 % 60, "minute", " ") +
                             Part(seconds % 60, "second", "      ");
    return "Elapsed time: " + (text.empty() ? std::string("0 second      ") : text);
}

}  // namespace trenmoor::registry_cleaner
