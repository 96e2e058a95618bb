#pragma once
// TDeleteDuplicatesForm, caption "Duplicate Cleaner": criteria and the drive/folder tree, the scan
// with its progress, the result list with marking and sorting, deletion and the finish page. It draws
// DuplicatesController's state and forwards every event.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/busy_hook.h"
#include "app/navigation_controller.h"
#include "app/views/image_ex.h"
#include "app/views/tool_window_factory.h"
#include "app/views/window_base.h"
#include "disk_cleaners/duplicates_controller.h"

namespace trenmoor::views {

class TDeleteDuplicatesForm : public WindowBase, public app::ToolWindow {
  public:
    TDeleteDuplicatesForm(HWND host, AppContext& ctx);
    ~TDeleteDuplicatesForm() override;
    TDeleteDuplicatesForm(const TDeleteDuplicatesForm&) = delete;
    TDeleteDuplicatesForm& operator=(const TDeleteDuplicatesForm&) = delete;
    // Lets the main window refuse navigation while a duplicate scan runs.
    void WireBusyHook(app::NavigationController& navigation);

    void Show() override;
    void Close() override { controller_.stop(); }

    // Handlers, one per control event.
    void FormShow();
    void ScanNowButtonClick();
    // The scan of ScanNowButtonClick over the given drives and folders (the tree's checked nodes).
    void ScanRoots(const std::vector<std::string>& roots);
    void StopButtonClick() { controller_.stop(); }
    void BackButtonClick();
    void DeleteButtonClick();
    void FinishButtonClick() { BackButtonClick(); }
    void ScanTimerTimer();
    void DuplicatesListViewColumnClick(int column);
    void DuplicatesListViewMouseDown(int row);

    disk_cleaners::DuplicatesController& Controller() { return controller_; }
    HWND tvDiskDir() const { return tree_; }
    HWND DuplicatesListView() const { return results_; }
    HWND FinishListView() const { return finish_; }
    // Checked tree nodes, each only when no ancestor is checked ("My Computer" stands for every drive).
    std::vector<std::string> CheckedRoots() const;
    HTREEITEM TreeRoot() const { return root_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void CreateControls();
    void Layout();
    void Sync();  // pages, buttons, lists from the controller
    void FillDrives();
    void ListSubfolders(HTREEITEM item);
    void SetSubtreeCheck(HTREEITEM item, bool checked, int levels);
    void ReadCriteria();
    void Paint(HDC dc, const RECT& r);
    LRESULT OnNotify(NMHDR& header);

    disk_cleaners::DuplicatesController controller_;
    AppContext& ctx_;
    app::BusyHook busyHook_;  // after controller_: released before it goes
    TImageEx ScanNowButton, StopButton, BackButton, DeleteButton, FinishButton;
    HWND tree_ = nullptr, results_ = nullptr, finish_ = nullptr;
    HWND filters_[5] = {};
    HWND cbFileSize = nullptr, cbFileModifyTime = nullptr, cbSameContent = nullptr, cbUserFileSize = nullptr;
    HWND sedUserFileSize = nullptr, rbDeleteFile = nullptr, rbDeleteToRec = nullptr;
    HTREEITEM root_ = nullptr;
    std::vector<std::string> nodePaths_;  // lParam of each node indexes this
};

std::unique_ptr<app::ToolWindow> MakeDeleteDuplicatesForm(const ToolHost& host);

}  // namespace trenmoor::views
