#pragma once
// TRegistryCleanerForm, caption "Registry Cleaner": the 17 sections with the scan progress (page 0),
// the result grid, problem list and details (page 1), the finish list (page 2) and the bottom tool
// bar. It draws TRegistryCleanerController's state and forwards every event to it; the main window
// hosts it and learns from it when a scan runs.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <memory>

#include "app/data_module.h"
#include "app/navigation_controller.h"
#include "app/views/image_ex.h"
#include "app/views/window_base.h"
#include "registry_cleaner/cleaner_controller.h"
#include "registry_cleaner/views/repair_dialog_form.h"

namespace trenmoor::views {

class TDMView;

class TRegistryCleanerForm : public WindowBase, public app::ToolWindow, public ScanDisplay {
  public:
    TRegistryCleanerForm(HWND host, AppContext& ctx, TDM& dm, TDMView& dmView,
                         app::NavigationController& navigation);
    ~TRegistryCleanerForm() override;

    // ToolWindow.
    void Show() override;
    bool StartScan() override;

    // ScanDisplay (the data module's timers).
    void ShowSectionFrame(int section, int image) override;
    void ShowProblemsFound(const std::string& text, bool visible) override;
    void ShowScanTime(const std::string& text) override;
    void ShowEvidenceFrame(int, int) override {}

    // Handlers, one per control event.
    void ScanNowBtnClick() { controller_.ScanNowBtnClick(); }
    void AbortScanBtnClick() { controller_.AbortScanBtnClick(); }
    void RepairBtnClick() { controller_.RepairBtnClick(); }
    void FinishBtnClick() { controller_.FinishBtnClick(); }
    void cbSelectAllClick() { controller_.cbSelectAllClick(); }
    void abSelectAllClick() { controller_.abSelectAllClick(); }
    void abShowHideDetailsClick() { controller_.ShowHideDetailsClick(); }

    registry_cleaner::TRegistryCleanerController& Controller() { return controller_; }
    HWND RepairGrid() const { return repairGrid_; }
    HWND ShowHideDetailsLink() const { return abShowHideDetails.Handle(); }
    HWND ProblemsListBox() const { return problemsList_; }
    HWND FinishListView() const { return finishList_; }
    TRepairDialogForm* RepairDialog() const { return repairDialog_.get(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    registry_cleaner::CleanerHooks Hooks();
    void CreateControls();
    void Layout();
    void Sync();         // every control from the controller's state
    void RequestSync();  // once, at the next message round
    void SyncGrid();
    void Paint(HDC dc, const RECT& r);
    void PaintSection(HDC dc, const RECT& r, int number);
    void PaintProblemRow(const DRAWITEMSTRUCT& item);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT FinishCustomDraw(NMLVCUSTOMDRAW& draw);
    void ProblemsPopup(POINT screen);
    static LRESULT CALLBACK ProblemsListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                             DWORD_PTR self);

    AppContext& ctx_;
    TDM& dm_;
    TDMView& dmView_;
    app::NavigationController& navigation_;
    registry_cleaner::TRegistryCleanerController controller_;

    std::array<TImageEx, registry_cleaner::kSectionCount + 1> picSection;  // index = section number
    int animationFrame_ = kStatFrameFirst;
    int shownSection_ = -1;  // the section whose picture animates
    TImageEx cbSelectAll, abSelectAll, abShowHideDetails;
    TImageEx ScanNowBtn, AbortScanBtn, RepairBtn, FinishBtn;
    HWND pbItemsProcessed_ = nullptr, pbTotalProcess_ = nullptr;
    HWND repairGrid_ = nullptr, problemsList_ = nullptr, finishList_ = nullptr, detailsMemo_ = nullptr;
    std::string scanTime_ = "00:00:00";
    std::unique_ptr<TRepairDialogForm> repairDialog_;
    bool syncPending_ = false;
    bool syncingGrid_ = false;
};

}  // namespace trenmoor::views
