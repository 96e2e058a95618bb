#pragma once
// TRepairDialogForm: the small stay-on-top window shown while the repairs run: a running "delete file"
// animation, the key being repaired (abRepair) and Cancel, which asks the repairs to stop.
#include <functional>
#include <string>
#include <string_view>

#include "app/views/image_ex.h"
#include "app/views/window_base.h"

namespace trenmoor::views {

class TRepairDialogForm : public WindowBase {
  public:
    // `owner` keeps the dialog above the program; it is centred on the screen.
    TRepairDialogForm(HWND owner, std::function<void()> onCancel);
    ~TRepairDialogForm() override;

    void SetRepairText(std::string_view keyPath);  // abRepair
    const std::wstring& RepairText() const { return repairText_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void Paint(HDC dc, const RECT& r);

    std::function<void()> onCancel_;
    TImageEx CancelBtn;
    std::wstring repairText_;
    int frame_ = 0;
};

}  // namespace trenmoor::views
