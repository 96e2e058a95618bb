#include "disk_cleaners/junk_report.h"

#include <unordered_map>

namespace trenmoor::disk_cleaners {

std::vector<JunkDriveSummary> SummarizeByDrive(const std::vector<std::string>& drives,
                                               const std::vector<TTempFileInfo>& found) {
    std::unordered_map<std::string, JunkDriveSummary> byDrive;
    for (const TTempFileInfo& f : found) {
        JunkDriveSummary& s = byDrive[DriveOf(f.FullPath)];
        ++s.Count;
        s.Bytes += f.Size;
    }
    std::vector<JunkDriveSummary> rows;
    for (const std::string& drive : drives) {
        const auto it = byDrive.find(DriveOf(drive));
        if (it == byDrive.end() || (it->second.Count == 0 && it->second.Bytes == 0)) continue;
        JunkDriveSummary row = it->second;
        row.Drive = DriveOf(drive);
        rows.push_back(std::move(row));
        byDrive.erase(it);  // a drive listed twice is reported once
    }
    return rows;
}

std::string KilobytesText(uint64_t bytes) {
    return std::to_string(bytes / 1024) + " KB";
}

SelectionTotals CheckedTotals(const std::vector<JunkDriveSummary>& rows) {
    SelectionTotals t;
    for (const JunkDriveSummary& r : rows) {
        if (!r.Checked) continue;
        t.Count += r.Count;
        t.Kilobytes += r.Bytes / 1024;  // the panel adds each row's shown kilobytes
    }
    return t;
}

std::string DetailsTotalText(size_t count) {
    return "Total: " + std::to_string(count);
}
std::string DetailsSizeText(uint64_t bytes) {
    return std::to_string(bytes / 1024) + "KB";
}

}  // namespace trenmoor::disk_cleaners
