#pragma once
// The junk file cleaner wizard's state machine: six pages, the run state, the drives, the junk types,
// the scan, the report, the cleaning options and the cleaning, with every message through the Ui.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_context.h"
#include "disk_cleaners/junk_clean.h"
#include "disk_cleaners/junk_report.h"
#include "disk_cleaners/junk_scan.h"
#include "disk_cleaners/junk_types.h"

namespace trenmoor::disk_cleaners {

inline constexpr std::string_view kRemoveTypeQuestion = "Are you sure to remove the selected item(s)?";
inline constexpr std::string_view kJunkDeleteCaption = "Junk File Cleaner - Delete Confirmation";
inline constexpr std::string_view kJunkDeleteQuestion =
    "The files will be permanently deleted and can not recovered!\r\rAre you sure to proceed?";
inline constexpr std::string_view kScanning = "Scanning";
inline constexpr std::string_view kUserStop = "User Stop";
inline constexpr std::string_view kFinished = "Finished";

enum class JunkPage { Drives = 0, JunkFiles = 1, Scan = 2, Report = 3, CleanupOptions = 4, Cleanup = 5 };
enum JunkRunState : int {
    kJunkIdle = 0,
    kJunkScanning = 1,
    kJunkStop = 2,
    kJunkScanned = 3,
    kJunkCleaning = 4,
    kJunkCleanStop = 5,
};

struct JunkDriveRow {
    std::string Drive;  // "C:"
    uint64_t FreeMB = 0;
    bool Checked = true;
};
struct JunkStatusRow {
    std::string Text;    // drive or path
    std::string Status;  // "Scanning", "Finished", "File Deleted", ...
};

class JunkCleanerController {
  public:
    explicit JunkCleanerController(AppContext& ctx) : ctx_(ctx) {}

    // Window shown: run state idle, the fixed drives listed, page 0.
    void show();
    // "Next>" / "Finish" and "<Back"; both refused while scanning.
    void next();
    void back();
    void stopScan();  // "Stop" on the Scan page
    void close();     // the window closes: a running scan stops

    // Junk types page.
    std::vector<TJunkFileType>& types() { return types_; }
    void selectAll(bool checked);
    void addType(std::string pattern, std::string description);
    void editType(size_t index, std::string pattern, std::string description);
    void removeType(size_t index);  // asks first

    // Called while a scan or a clean runs, before messages are let through: when the page changed, when
    // a drive's status changed, when the folder being examined changed and when a file was cleaned, so
    // the window can show the running page (its messages run inside next()).
    std::function<void()> onProgress;

    // Cleanup options page.
    CleanMode mode = CleanMode::RecycleBin;
    std::string moveFolder;  // shown in panJunkMoveFolder

    JunkPage page() const { return page_; }
    int runState() const { return runState_; }
    bool backEnabled() const { return backEnabled_; }
    bool nextEnabled() const { return nextEnabled_; }
    std::string_view nextCaption() const { return page_ == JunkPage::Cleanup ? "Finish" : "Next>"; }
    std::vector<JunkDriveRow>& drives() { return drives_; }
    const std::vector<JunkStatusRow>& scanRows() const { return scanRows_; }
    const std::string& scanMessage() const { return scanMessage_; }
    const std::vector<TTempFileInfo>& found() const { return found_; }
    std::vector<JunkDriveSummary>& reportRows() { return report_; }
    SelectionTotals reportTotals() const { return CheckedTotals(report_); }
    // Found files of one drive, for the details dialog (all when `drive` is empty).
    std::vector<const TTempFileInfo*> foundOn(std::string_view drive) const;
    const std::vector<JunkStatusRow>& cleanRows() const { return cleanRows_; }

  private:
    std::string typesPath() const;
    void scan();
    void clean();
    void enterPage(JunkPage page);
    void progress();

    AppContext& ctx_;
    JunkPage page_ = JunkPage::Drives;
    int runState_ = kJunkIdle;
    bool backEnabled_ = false, nextEnabled_ = true;
    std::vector<JunkDriveRow> drives_;
    std::vector<TJunkFileType> types_;
    std::vector<JunkStatusRow> scanRows_;
    std::string scanMessage_;
    std::vector<TTempFileInfo> found_;
    std::vector<JunkDriveSummary> report_;
    std::vector<JunkStatusRow> cleanRows_;
};

}  // namespace trenmoor::disk_cleaners
