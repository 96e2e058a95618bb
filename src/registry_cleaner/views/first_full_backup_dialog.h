#pragma once
// TFirstFullBackupDialog, caption "Trenmoor - Create full Registry Backup": offered modally before the
// first repair. "Backup Now" makes a full export, then the button reads "OK" and closes the dialog.
#include <windows.h>

#include "app/views/image_ex.h"
#include "app/views/window_base.h"
#include "registry_cleaner/reg_backup_controller.h"

namespace trenmoor::views {

class TFirstFullBackupDialog : public WindowBase {
  public:
    TFirstFullBackupDialog(HWND owner, AppContext& ctx);

    // Runs until the dialog is closed, with its owner disabled meanwhile.
    void ShowModal();

    void BackupBtnClick();
    registry_cleaner::TFirstFullBackupController& Controller() { return controller_; }
    HWND BackupBtnHandle() const { return BackupBtn.Handle(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void Paint(HDC dc, const RECT& r);
    void Sync();

    HWND owner_;
    registry_cleaner::TFirstFullBackupController controller_;
    TImageEx BackupBtn;
};

// What the Registry Cleaner calls before the first repair.
void ShowFirstFullBackupDialog(HWND owner, AppContext& ctx);

}  // namespace trenmoor::views
