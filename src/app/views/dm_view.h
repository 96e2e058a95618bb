#pragma once
// The Windows side of TDM: the three scan timers as real window timers that follow their Enabled
// flags, and the two popup menus. Lives as long as the TDM it serves.
#include <windows.h>

#include <functional>

#include "app/data_module.h"
#include "app/views/skin_images.h"
#include "app/views/window_base.h"

namespace trenmoor::views {

// A popup menu destroyed with DestroyMenu.
class UniqueMenu {
  public:
    explicit UniqueMenu(HMENU menu = nullptr) : menu_(menu) {}
    UniqueMenu(const UniqueMenu&) = delete;
    UniqueMenu& operator=(const UniqueMenu&) = delete;
    ~UniqueMenu() {
        if (menu_) DestroyMenu(menu_);
    }
    HMENU get() const { return menu_; }

  private:
    HMENU menu_;
};

enum MainMenuCommand : UINT {
    kOpenMenu = 100,
    kHome1,
    kAbout1,
    kOnlineUpdate1,
    kExit1,
    kExcludeAndAddKeyToIgnoreList1 = 200,
    kSelectAll1,
    kSelectNone1,
};

class TDMView : public WindowBase {
  public:
    explicit TDMView(TDM& dm);
    ~TDMView() override;

    // MainPopupMenu: "Trenmoor" (default), "Home Page", "About", "Update online", "Exit".
    // Shows it at `screen` for `owner` and carries out the chosen command.
    void PopupMainMenu(HWND owner, POINT screen);
    void RunMainMenuCommand(UINT command);
    HMENU MainPopupMenu() const { return mainMenu_.get(); }
    std::function<void()> OnOpen;   // show and restore the application window
    std::function<void()> OnHome;   // open the HomePage setting
    std::function<void()> OnAbout;  // the about box, modal
    std::function<void()> OnExit;   // end the application
    // The interactive update check; while the program has none, "Update online" is greyed.
    std::function<void()> OnUpdateOnline;

    // pmProblemsList of the registry problem list. "Exclude and add key to ignore list" does nothing.
    void PopupProblemsList(HWND owner, POINT screen);
    HMENU ProblemsListMenu() const { return problemsMenu_.get(); }
    std::function<void()> OnSelectAll;
    std::function<void()> OnSelectNone;

    // The skin's image lists (indexes in app/data_module.h).
    HIMAGELIST StatImageList() const { return stat_.get(); }
    HIMAGELIST TreeImageList() const { return tree_.get(); }
    HIMAGELIST ProblemsImageList() const { return problems_.get(); }
    HIMAGELIST LelvelImageList() const { return level_.get(); }
    HIMAGELIST minmaxImageList() const { return minmax_.get(); }
    HIMAGELIST BtnImageList() const { return btn_.get(); }
    HIMAGELIST ScanNowImageList() const { return scanNow_.get(); }
    HIMAGELIST PopupImageList() const { return popup_.get(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void Follow(TTimer& timer, UINT_PTR id);

    TDM& dm_;
    UniqueMenu mainMenu_;
    UniqueMenu problemsMenu_;
    UniqueImageList stat_{MakeStatImageList()};
    UniqueImageList tree_{MakeTreeImageList()};
    UniqueImageList problems_{MakeProblemsImageList()};
    UniqueImageList level_{MakeLevelImageList()};
    UniqueImageList minmax_{MakeMinMaxImageList()};
    UniqueImageList btn_{MakeBtnImageList()};
    UniqueImageList scanNow_{MakeScanNowImageList()};
    UniqueImageList popup_{MakePopupImageList()};
};

}  // namespace trenmoor::views
