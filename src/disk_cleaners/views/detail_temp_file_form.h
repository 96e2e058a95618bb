#pragma once
// TDetailTempFileForm, caption "Details of Temporary Files found": the found junk files of the scan
// (all, or one drive's) with their size and path, rows shaded alternately, and a Close button.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "app/views/window_base.h"
#include "disk_cleaners/junk_scan.h"

namespace trenmoor::views {

class TDetailTempFileForm : public WindowBase {
  public:
    // Centred on the owner's top-level window; shown by ShowModal.
    TDetailTempFileForm(HWND owner, std::vector<const disk_cleaners::TTempFileInfo*> files);

    // Shows the dialog and returns when it is closed; the owner is disabled meanwhile.
    void ShowModal();
    void CloseBtnClick();

    HWND abFileTotal() const { return total_; }
    HWND TempFilesListBox() const { return list_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    HWND owner_;
    std::vector<const disk_cleaners::TTempFileInfo*> files_;
    HWND total_ = nullptr, list_ = nullptr, close_ = nullptr;
    bool done_ = false;
};

}  // namespace trenmoor::views
