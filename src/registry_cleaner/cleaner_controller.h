#pragma once
// The state machine of the Registry Cleaner window: section selection (kept in "ScanSection.ini"),
// the four modes and three pages, Scan Now / Abort / Repair / Finish, the result grid and problem list
// with checks mirrored between a section and All Problems by ID, select all, the popup menu, the
// details pane and every message. The Windows view draws this state and forwards its events here.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "registry_cleaner/cleaner_repair.h"
#include "registry_cleaner/cleaner_scan.h"

namespace trenmoor::registry_cleaner {

enum class CleanerMode { Ready, Scanning, Results, Finished };
enum CleanerPage : int { kScanSectionsPage = 0, kRepairPage = 1, kFinishPage = 2 };
enum class SectionImage { NotSelected, Selected, Scanning, Clean, Problems, NotBuilt };

struct GridRow {
    std::string caption;  // "All Problems", or four spaces and the section caption
    std::string count;
    int section = -1;  // hidden value: 0 All Problems, 1..17 a section, -1 none (not built yet)
};

// Where the window and the main window take part in the flows.
struct CleanerHooks {
    std::function<void()> scanStarted;                     // the main window's RegistryScanDone
    std::function<void(bool)> busyChanged;                 // the scan loop starts (true) or ends (false)
    std::function<void()> showFirstBackupDialog;           // modal; before the first repair
    std::function<void(bool)> showRepairDialog;            // the repair dialog appears (true) or goes (false)
    std::function<void(std::string_view)> repairProgress;  // the repair dialog's label
    std::function<void()> changed;                         // state changed: redraw before the next long step
};

// The check-box area of a 70-pixel problem row, relative to the row's top-left corner.
inline constexpr int kProblemRowHeight = 70;
bool ProblemCheckBoxHit(int xInRow, int yInRow);

class TRegistryCleanerController {
  public:
    explicit TRegistryCleanerController(AppContext& ctx, CleanerHooks hooks = {});

    // Commands.
    void ScanNowBtnClick();
    void AbortScanBtnClick();
    void RepairBtnClick();
    void FinishBtnClick();
    void CancelRepair();  // the repair dialog's Cancel
    void SectionClick(int number);
    void cbSelectAllClick();  // the user clicked the box (flips it)
    void abSelectAllClick() { cbSelectAllClick(); }
    void SetSelectAllChecked(bool checked);  // from code: acts like a click when the state changes
    void ShowHideDetailsClick();
    void SelectGridRow(std::optional<size_t> row);
    void SelectProblemRow(std::optional<size_t> row);
    void SetProblemChecked(size_t row, bool checked);
    // A left click in the problem list at (x, y) of the list's client area, `topRow` scrolled to the top.
    void ProblemListClick(int x, int y, size_t topRow);
    void PopupSelectAll() { SetSelectAllChecked(true); }
    void PopupSelectNone() { SetSelectAllChecked(false); }
    void PopupExclude();
    // The elapsed-time timer (once a second while scanning).
    void ElapsedTimerTick();

    // Window state.
    CleanerMode Mode() const { return mode_; }
    CleanerPage Page() const { return page_; }
    bool Scanning() const { return scanning_; }
    bool ProgressVisible() const { return mode_ == CleanerMode::Scanning; }
    bool SelectAllVisible() const { return mode_ == CleanerMode::Ready || mode_ == CleanerMode::Results; }
    bool ScanNowVisible() const { return mode_ == CleanerMode::Ready; }
    bool AbortVisible() const { return mode_ == CleanerMode::Scanning; }
    bool RepairVisible() const { return mode_ == CleanerMode::Results; }
    bool FinishVisible() const { return mode_ == CleanerMode::Finished; }
    bool SelectAllChecked() const { return selectAll_; }
    std::string_view HeaderText() const;

    bool SectionSelected(int number) const { return selected_[static_cast<size_t>(number)]; }
    SectionImage Image(int number) const;
    const std::string& CountText(int number) const {
        return scan_.Progress().countText[static_cast<size_t>(number)];
    }
    const ScanProgress& Progress() const { return scan_.Progress(); }
    const std::string& ScanTimeText() const { return scanTime_; }
    // The running total (LabelWarning): "N Problems Found", hidden while N is 0.
    int RunningTotal() const { return scan_.Total(); }
    std::string LabelWarningText() const;
    bool LabelWarningVisible() const { return mode_ == CleanerMode::Scanning && RunningTotal() > 0; }
    const std::string& ElapsedMessage() const { return elapsedMessage_; }  // abExcludeMsg

    const std::vector<GridRow>& Grid() const { return grid_; }
    std::optional<size_t> SelectedGridRow() const { return gridRow_; }
    std::string GridCountTitle() const;
    size_t ProblemRowCount() const { return problemRows_.size(); }
    const TContent& ProblemRow(size_t row) const;
    std::optional<size_t> SelectedProblemRow() const { return problemRow_; }
    std::string ProblemsHeaderText() const;  // LabelWarningEx
    bool ProblemsHeaderVisible() const { return !problemRows_.empty(); }
    bool DetailsVisible() const { return detailsVisible_; }
    std::string_view ShowHideDetailsCaption() const {
        return detailsVisible_ ? kHideDetailsText : kShowDetailsText;
    }
    std::string_view DetailsText() const;  // DetailsMemo; empty when no problem row is selected

    const TRepairContents& FinishRows() const { return repairs_; }

    RegistryScan& Scan() { return scan_; }
    const RegistryScan& Scan() const { return scan_; }

  private:
    static constexpr std::string_view kHideDetailsText = "Hide Details";
    static constexpr std::string_view kShowDetailsText = "Show Details";

    void EnterReady();
    void EnterMode(CleanerMode mode, CleanerPage page);
    void LoadSelection();
    void SaveSelection();
    void ApplySelectAll();
    void BuildResultLists();
    void BuildGrid();
    void ListProblems();
    void SetListedChecked(bool checked);
    int GridSectionOf(const TContent& problem) const;  // the section row holding an All Problems copy
    TRegistryContents* ShownCollection();
    bool ConfirmBackup();  // false: the user chose not to repair
    void RunRepair();
    void RemoveProblem(int32_t id);
    void Notify();

    AppContext& ctx_;
    CleanerHooks hooks_;
    MessagePump pump_;
    RegistryScan scan_;
    TRepairContents repairs_;
    SectionSelection selected_{};
    CleanerMode mode_ = CleanerMode::Ready;
    CleanerPage page_ = kScanSectionsPage;
    bool scanning_ = false;
    bool selectAll_ = true;
    bool detailsVisible_ = true;
    uint64_t scanStartMs_ = 0;
    std::string scanTime_{"00:00:00"};
    std::string elapsedMessage_;
    std::vector<GridRow> grid_;
    std::optional<size_t> gridRow_;
    std::vector<size_t> problemRows_;  // indexes into the shown collection
    std::optional<size_t> problemRow_;
};

}  // namespace trenmoor::registry_cleaner
