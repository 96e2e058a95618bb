#pragma once
// TAdvancedShredForm, caption "File Shredder": the shred list, the level and the Shred button. It
// draws ShredderController's state and forwards every click.
#include <windows.h>

#include <memory>

#include "app/navigation_controller.h"
#include "app/views/image_ex.h"
#include "app/views/tool_window_factory.h"
#include "app/views/window_base.h"
#include "disk_cleaners/shredder_controller.h"

namespace trenmoor::views {

class TAdvancedShredForm : public WindowBase, public app::ToolWindow {
  public:
    TAdvancedShredForm(HWND host, AppContext& ctx);

    void Show() override;

    // Handlers, one per control event.
    void btnAddClick();
    void btnRemoveClick();
    void AddFiles1Click();
    void AddAllRecycleFile1Click();
    void btnAddFolderClick();
    void RemoveSelectedFilesfromthelist1Click();
    void RemoveAllFilesfromthelist1Click();
    void btnShredClick();

    disk_cleaners::ShredderController& Controller() { return controller_; }
    HWND listAdd() const { return list_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void CreateControls();
    void Layout();
    void Sync();  // the list from the controller
    void Paint(HDC dc, const RECT& r);
    // Popup menu at the mouse cursor; the chosen command id, 0 for none.
    UINT Popup(std::initializer_list<std::pair<UINT, const wchar_t*>> items);
    std::wstring Browse(const wchar_t* title, bool files);

    disk_cleaners::ShredderController controller_;
    TImageEx btnAdd, btnAddFolder, btnRemove, btnShred;
    HWND list_ = nullptr;
    RECT groupBox_{};
    HWND levels_[3] = {};
};

std::unique_ptr<app::ToolWindow> MakeAdvancedShredForm(const ToolHost& host);

}  // namespace trenmoor::views
