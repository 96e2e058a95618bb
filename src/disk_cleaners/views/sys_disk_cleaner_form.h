#pragma once
// TSysDiskCleanerForm, caption "Junk File Cleaner": the six-page wizard (drives, junk types, scan,
// report, cleaning options, cleanup). It draws JunkCleanerController's state and forwards every event.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "app/busy_hook.h"
#include "app/navigation_controller.h"
#include "app/views/hint_form.h"
#include "app/views/image_ex.h"
#include "app/views/tool_window_factory.h"
#include "app/views/window_base.h"
#include "disk_cleaners/junk_cleaner_controller.h"
#include "disk_cleaners/views/detail_temp_file_form.h"
#include "disk_cleaners/views/temporary_file_form.h"

namespace trenmoor::views {

class TSysDiskCleanerForm : public WindowBase, public app::ToolWindow {
  public:
    TSysDiskCleanerForm(HWND host, AppContext& ctx);
    ~TSysDiskCleanerForm() override;
    // The main window reads the run state through this hook (busy while 1); cleared on destruction.
    void WireBusyHook(app::NavigationController& navigation);

    void Show() override;
    void Close() override { controller_.close(); }

    // Handlers, one per control event.
    void FormShow();
    void NextBtnClick();
    void BackBtnClick();
    void StopScanBtnClick() { controller_.stopScan(); }
    void cbJunkFileSelectAllClick();
    void AddBtnClick();
    void EditBtnClick();  // the selected row
    void DelBtnClick();
    // Shows the file type dialog; ShowModal unless replaced (tests fill it in and close it).
    std::function<bool(TTemporaryFileForm&)> ShowTypeDialog = [](TTemporaryFileForm& d) {
        return d.ShowModal();
    };
    void RadioButtonClick();               // any of the three cleaning modes
    void RadioButton3Click();              // "Move all files in one folder": the destination is browsed for
    void ClickHereClick();                 // the details of every found file
    void ReportListViewDblClick(int row);  // the details of one drive's found files
    // Shows the details dialog; ShowModal unless replaced (tests look at the dialog and close it).
    std::function<void(TDetailTempFileForm&)> ShowDetails = [](TDetailTempFileForm& d) { d.ShowModal(); };
    // Redraws every page's lists from the controller (also after a test changed its drives).
    void Sync();
    // While a scan or a clean runs: shows the running page, its rows and the folder being examined,
    // and the "please wait" notice while cleaning. Then AfterLiveUpdate, when set (tests look here).
    void LiveUpdate();
    std::function<void()> AfterLiveUpdate;
    const THintForm* CleaningNotice() const { return cleaningNotice_.get(); }
    bool StopScanVisible() const { return IsWindowVisible(StopScanBtn.Handle()) != FALSE; }

    disk_cleaners::JunkCleanerController& Controller() { return controller_; }
    HWND DiskListView() const { return disks_; }
    HWND JunkFilesListView() const { return types_; }
    HWND ScanListView() const { return scan_; }
    HWND ReportListView() const { return report_; }
    HWND CleanerListView() const { return cleaner_; }
    HWND RadioButton(int i) const { return modes_[i]; }
    std::wstring ReportStatusText() const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void CreateControls();
    void Layout();
    void ReadChecks();  // list view check boxes into the controller
    void FillDrives();
    void FillTypes();
    void AddStatusRow(HWND list, const disk_cleaners::JunkStatusRow& row);
    void FillStatusRows(HWND list, const std::vector<disk_cleaners::JunkStatusRow>& rows);
    // Adds the rows the list does not show yet; with `restate`, rewrites the statuses it shows.
    void UpdateStatusRows(HWND list, const std::vector<disk_cleaners::JunkStatusRow>& rows, bool restate);
    void FillReport();
    void Paint(HDC dc, const RECT& r);
    LRESULT OnNotify(NMHDR& header);

    disk_cleaners::JunkCleanerController controller_;
    AppContext& ctx_;
    TImageEx BackBtn, NextBtn, StopScanBtn, AddBtn, EditBtn, DelBtn;
    HWND disks_ = nullptr, types_ = nullptr, scan_ = nullptr, report_ = nullptr, cleaner_ = nullptr;
    HWND cbJunkFileSelectAll = nullptr, modes_[3] = {};
    app::BusyHook busyHook_;  // after controller_: released before it goes
    std::unique_ptr<THintForm> cleaningNotice_;
    disk_cleaners::JunkPage shownPage_ = disk_cleaners::JunkPage::Drives;
};

std::unique_ptr<app::ToolWindow> MakeSysDiskCleanerForm(const ToolHost& host);

}  // namespace trenmoor::views
