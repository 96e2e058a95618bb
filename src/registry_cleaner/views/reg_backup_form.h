#pragma once
// TRegBackupForm, caption "Registry Backup": the repair backups (Partial sheet) and the full exports
// (Full sheet) with their buttons. It draws TRegBackupController's state and forwards every click.
#include <windows.h>

#include <memory>

#include "app/navigation_controller.h"
#include "app/views/hint_form.h"
#include "app/views/image_ex.h"
#include "app/views/tool_window_factory.h"
#include "app/views/window_base.h"
#include "registry_cleaner/reg_backup_controller.h"

namespace trenmoor::views {

class TRegBackupForm : public WindowBase, public app::ToolWindow {
  public:
    TRegBackupForm(HWND host, AppContext& ctx);

    // ToolWindow: shows the window on the Partial sheet.
    void Show() override;

    // Handlers, one per control event.
    void PartialSheetClick() { ShowSheet(registry_cleaner::TRegBackupController::kPartialPage); }
    void FullSheetClick() { ShowSheet(registry_cleaner::TRegBackupController::kFullPage); }
    void RestorePartialBtnClick();
    void RemovePartialBtnClick();
    void BackupRegistryBtnClick();
    void RestoreRegistryBtnClick();
    void RemoveBackupBtnClick();

    registry_cleaner::TRegBackupController& Controller() { return controller_; }
    HWND PartialListView() const { return partialList_; }
    HWND BackupDataListView() const { return fullList_; }
    THintForm* Hint() const { return hint_.get(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    using Page = registry_cleaner::TRegBackupController::Page;
    void CreateControls();
    void Layout();
    void ShowSheet(Page page);
    void Sync();                    // the lists, the sheet and the buttons from the controller
    void TakeSelection(Page page);  // the list's selected row into the controller
    void Paint(HDC dc, const RECT& r);
    LRESULT OnNotify(const NMHDR& header);

    registry_cleaner::TRegBackupController controller_;
    TImageEx PartialSheet, FullSheet;
    TImageEx RestorePartialBtn, RemovePartialBtn, BackupRegistryBtn, RestoreRegistryBtn, RemoveBackupBtn;
    HWND partialList_ = nullptr, fullList_ = nullptr;
    std::unique_ptr<THintForm> hint_;
};

std::unique_ptr<app::ToolWindow> MakeRegBackupForm(const ToolHost& host);

}  // namespace trenmoor::views
