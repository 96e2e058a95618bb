#pragma once
// The report page: found files counted and summed per scanned drive (64-bit sums).
#include <cstdint>
#include <string>
#include <vector>

#include "disk_cleaners/junk_scan.h"

namespace trenmoor::disk_cleaners {

struct JunkDriveSummary {
    std::string Drive;  // "C:"
    uint64_t Count = 0;
    uint64_t Bytes = 0;
    bool Checked = true;
};

// One summary per drive in `drives` order that holds at least one found file (or a positive sum).
std::vector<JunkDriveSummary> SummarizeByDrive(const std::vector<std::string>& drives,
                                               const std::vector<TTempFileInfo>& found);

// "Space occupied": bytes / 1024 + " KB".
std::string KilobytesText(uint64_t bytes);
// Status bar panels: "%d" of the checked rows' counts and "%d KB" of their sizes.
struct SelectionTotals {
    uint64_t Count = 0;
    uint64_t Kilobytes = 0;
};
SelectionTotals CheckedTotals(const std::vector<JunkDriveSummary>& rows);

// Details dialog: "Total: %d" and the size column "%dKB" (size / 1024).
std::string DetailsTotalText(size_t count);
std::string DetailsSizeText(uint64_t bytes);

}  // namespace trenmoor::disk_cleaners
