#pragma once
// Deleting the marked duplicates, to the recycle bin or directly, with the finish page's counts.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "disk_cleaners/duplicate_results.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace trenmoor::disk_cleaners {

inline constexpr std::string_view kDuplicateDeleteCaption = "Duplicate File Cleaner - Delete Confirmation";
inline constexpr std::string_view kDuplicateRecycleQuestion =
    "The selected files will be moved to the recycle bin \rwhere you can recover the files if needed. "
    "\r\rAre you sure to proceed?";
inline constexpr std::string_view kPermanentDeleteQuestion =
    "The files will be permanently deleted and can not recovered!\r\rAre you sure to proceed?";
inline constexpr std::string_view kStatusSucceeded = "Succeeded";
inline constexpr std::string_view kStatusFailed = "Failed";

struct DeletionCounts {
    uint64_t Found = 0;
    uint64_t Selected = 0;
    uint64_t Deleted = 0;
    uint64_t Failed = 0;
};

// Deletes every checked file row (header rows are never deleted). `onRow(path, status)` per deletion;
// `between` runs between rows (message pump).
DeletionCounts DeleteMarked(
    platform::FileSystem& files, platform::Shell& shell, const std::vector<TSearchResult>& rows,
    bool toRecycleBin, const std::function<void(const std::string& path, std::string_view status)>& onRow,
    const std::function<void()>& between);

// Finish page texts.
std::string DeletionFoundText(
    const DeletionCounts& c);  // "%d files have been found. %d files were selected for deletion."
std::string DeletionDeletedText(const DeletionCounts& c);  // "%d files have been deleted successfully."
std::string DeletionFailedText(const DeletionCounts& c);   // "Fail to delete %d files."

}  // namespace trenmoor::disk_cleaners
