#pragma once
// The fixed texts of the Registry Cleaner window: captions, messages and labels.
#include <string_view>

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kCleanerCaption = "Registry Cleaner";
inline constexpr std::string_view kCleanerTitle =
    "Scan and fix your PC registry with the 17 dedicated categories.";
inline constexpr std::string_view kCleanerIntro =
    "Thoroughly scan and effectively fix the registry problems on your PC system to ensure a better and more "
    "reliable performance through repairing a variety of 17 categories";
inline constexpr std::string_view kScanSectionFile = "ScanSection.ini";
inline constexpr std::string_view kScanSectionIniSection = "Scan";

inline constexpr std::string_view kMsgCaptionTrenmoor = "Trenmoor";
inline constexpr std::string_view kMsgSelectSections = "Please select the specific options before scanning.";
inline constexpr std::string_view kMsgProblemsFoundCaption = "Problems Found - Trenmoor";
// %d: the number of problems.
inline constexpr std::string_view kMsgProblemsFound =
    "A total of %d invalid registry entries were found on your system.\rClick on \"Repair\" to repair all "
    "entries.";
inline constexpr std::string_view kMsgBackupDoneCaption = "Trenmoor - Registry Backup Finished";
// %s: the folder of the backup file.
inline constexpr std::string_view kMsgBackupDone =
    "The registry was successfully backed up at the folder:\r%s\r\rYou can use the utilities in Registry "
    "Backup "
    "to restore the registry to a previous state.\rPress OK button to fix the problems now!";
inline constexpr std::string_view kMsgBackupFailedCaption = "Trenmoor - Registry Backup Failed";
// %s: the folder the backup was to be written to.
inline constexpr std::string_view kMsgBackupFailed =
    "The registry backup could not be written at the folder:\r%s\r\rWithout a backup the repair cannot be "
    "undone.\rDo you want to repair the problems without a backup?";
inline constexpr std::string_view kMsgExcludeFailed =
    "This entry cannot be added to the ignore list.\rThe ignore list file could not be written, or the entry "
    "cannot be written as one line of it.";

inline constexpr std::string_view kAllProblemsRow = "All Problems";
inline constexpr std::string_view kGridSectionColumn = "Section Name";
inline constexpr std::string_view kGridCountColumn = "Problems Found";
inline constexpr std::string_view kFinishNameColumn = "Registry Name";
inline constexpr std::string_view kFinishStatusColumn = "Status";
inline constexpr std::string_view kNothingFoundRow = "Problems Found: 0";
inline constexpr std::string_view kHideDetails = "Hide Details";
inline constexpr std::string_view kShowDetails = "Show Details";
inline constexpr std::string_view kSelectAllLabel = "Select All";
inline constexpr std::string_view kScanTimeIdle = "00:00:00";

inline constexpr std::string_view kPopupExclude = "Exclude and add key to ignore list";
inline constexpr std::string_view kPopupSelectAll = "Select All";
inline constexpr std::string_view kPopupSelectNone = "Select None";

}  // namespace trenmoor::registry_cleaner
