#pragma once
// TTrenmoorForm: the main window. A borderless rounded frame with a title bar, a strip with Help and
// About, the navigation column of nine groups, MainNotebook with five pages, and a footer link.
// Navigation state lives in NavigationController; this class shows it and forwards clicks.
#include <array>
#include <functional>
#include <memory>

#include "app/main_controller.h"
#include "app/navigation_controller.h"
#include "app/views/dm_view.h"
#include "app/views/image_ex.h"
#include "app/views/panel.h"
#include "app/views/tool_window_factory.h"
#include "app/views/window_base.h"

namespace trenmoor::views {

// Outside interface of the main window.
inline constexpr UINT kMsgRestore = 0x2400;  // restore when minimised
inline constexpr UINT kMsgEnd = 0x1500;      // end the application

class TTrenmoorForm : public WindowBase, private app::ToolWindowFactory {
  public:
    TTrenmoorForm(AppContext& ctx, TDM& dm, TDMView& dmView);
    ~TTrenmoorForm() override;

    // Shows the window; the first time, FormShow runs (Repair Problems, the weekly task).
    void Show();
    // Called when the window has been destroyed (the program ends then).
    std::function<void()> OnDestroyed;

    app::NavigationController& Navigation() { return navigation_; }
    app::MainController& Controller() { return controller_; }
    // True while group panels are still growing or shrinking.
    bool Animating() const { return animating_; }
    void FinishAnimation();

    // Controls, by their names.
    TPanel TopPanel;
    TImageEx LabelAppNameVer;
    TImageEx MinimizeBtn;
    TImageEx CloseBtn;
    TPanel StripPanel;
    TImageEx HelpBtn;
    TImageEx AboutBtn;
    TPanel LeftPanel;
    std::array<TPanel, app::kGroupCount> GroupPanels;     // panRepairProblems ... panOneClickTweak
    std::array<TImageEx, app::kGroupCount> GroupButtons;  // RepairProblemsBtn ... OneClickTweakBtn
    std::array<TImageEx, app::kToolCount> ToolButtons;    // picRegistryCleaner ... picFileShredder
    TPanel MainNotebook;
    TPanel HomePanel;
    TPanel ShowFormPanel;
    TPanel OptionsPanel;
    TPanel SubmitProblemsPanel;
    TPanel OneClickTweakPanel;
    HWND Memo1 = nullptr;
    HWND Memo2 = nullptr;
    TImageEx subOneClickTweakBtn;
    TPanel FooterPanel;
    TImageEx LabelWebHome;

    TPanel& Page(app::NotebookPage page);
    TPanel& GroupPanel(app::GroupId g) { return GroupPanels[static_cast<size_t>(g)]; }
    TImageEx& GroupButton(app::GroupId g) { return GroupButtons[static_cast<size_t>(g)]; }
    TImageEx& ToolButton(app::ToolId t) { return ToolButtons[static_cast<size_t>(t)]; }

    // Handlers, one per control event.
    void HelpBtnClick();
    void AboutBtnClick();
    void MinimizeBtnClick();
    void CloseBtnClick();
    void LabelWebHomeClick();
    void subOneClickTweakBtnClick();
    void TopPanelMouseDown();
    void TopPanelRightClick(POINT screen);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    std::unique_ptr<app::ToolWindow> CreateTool(app::ToolId tool) override;
    std::unique_ptr<app::ToolWindow> CreateOptions() override;

    void BuildTitle();
    void BuildNavigation();
    void BuildPages();
    void BuildSubmitPage();
    void BuildOneClickTweakPage();
    void BuildFooter();
    void NavigationChanged();
    void LayoutGroups();
    void AnimateStep();
    ToolHost Host(HWND panel);

    AppContext& ctx_;
    TDM& dm_;
    TDMView& dmView_;
    app::NavigationController navigation_;
    app::MainController controller_;
    std::array<int, app::kGroupCount> heights_{};  // current panel heights, pixels
    bool animating_ = false;
    bool shown_ = false;
};

}  // namespace trenmoor::views
