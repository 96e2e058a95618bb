#pragma once
// The duplicate finder window's state machine: criteria page, scan with progress, results with
// marking and sorting, deletion and the finish page. The view shows what this holds.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_context.h"
#include "disk_cleaners/duplicate_delete.h"
#include "disk_cleaners/duplicate_finder.h"
#include "disk_cleaners/duplicate_results.h"

namespace trenmoor::disk_cleaners {

inline constexpr std::string_view kNoRootsText =
    "You haven't selected any drives or directries.\rPlease specify the drives or directories for this "
    "scanning.";
inline constexpr std::string_view kNoRootsCaption = "Duplicate File Cleaner - Error";

enum class DupPage { Criteria = 0, Scanning = 1, Results = 2, Finish = 3 };
enum DupScanState : int { kDupIdle = 0, kDupScanning = 1, kDupStop = 2, kDupFinished = 3 };

// Which of the button strip's buttons are shown.
struct DupButtons {
    bool scanNow = true, stop = false, back = false, del = false, finish = false;
    friend bool operator==(const DupButtons&, const DupButtons&) = default;
};

struct DupFinishRow {
    std::string path;
    std::string status;
};

class DuplicatesController {
  public:
    explicit DuplicatesController(AppContext& ctx) : ctx_(ctx) { reset(); }

    // Criteria page (public: the view binds its controls to them).
    DuplicateCriteria criteria;
    bool deleteToRecycleBin = true;

    // "Scan Now" with the checked drives and folders. Shows the error and stays on page 0 when none.
    void scan(const std::vector<std::string>& checkedRoots);
    void stop();
    // "Go back" and "Finish": everything back to the criteria page.
    void reset();
    // "Delete": asks, deletes the marked files, shows the finish page. False when answered No.
    bool deleteMarked();

    void columnClick(int column) { results_.columnClick(column, finder_.groups()); }
    void toggleMark(size_t row) { results_.toggleMark(row); }

    DupPage page() const { return page_; }
    int scanState() const { return scanState_; }
    const DupButtons& buttons() const { return buttons_; }
    const DuplicateResults& results() const { return results_; }
    const std::string& scanMessage() const { return scanMessage_; }
    std::string statusText() const { return results_.groupCount() ? results_.statusText() : std::string(); }
    // Progress labels: groups, files in groups, elapsed "hh:mm:ss".
    std::string duplicateGroupsText() const { return std::to_string(finder_.duplicateGroups()); }
    std::string duplicateFilesText() const { return std::to_string(finder_.duplicateFiles()); }
    std::string elapsedText() const;
    const std::vector<DupFinishRow>& finishRows() const { return finishRows_; }
    // DelStatus1..3 and whether the third is drawn in red.
    const std::string& finishText(int line) const { return finishTexts_[line]; }
    bool failureInRed() const { return failed_ > 0; }

  private:
    AppContext& ctx_;
    DuplicateFinder finder_{{}};
    DuplicateResults results_;
    DupPage page_ = DupPage::Criteria;
    int scanState_ = kDupIdle;
    DupButtons buttons_;
    std::string scanMessage_;
    uint64_t startTick_ = 0, endTick_ = 0;
    bool timing_ = false;
    std::vector<DupFinishRow> finishRows_;
    std::string finishTexts_[3];
    uint64_t failed_ = 0;
};

// "%s:%s:%s" of elapsed milliseconds, each part two digits at least.
std::string ElapsedText(uint64_t ms);

}  // namespace trenmoor::disk_cleaners
