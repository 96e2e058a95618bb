#pragma once
// The main window's navigation: which group is chosen and expanded, the selection marks of every
// group and tool button, the MainNotebook page, and the life of the hosted tool windows. Clicks are
// refused while a scan loop is running, because such a loop lets window messages run and a group
// change would destroy the window the loop belongs to.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "app/data_module.h"
#include "app/navigation_table.h"
#include "common/app_context.h"

namespace trenmoor::app {

// Selection marks kept in each button's Tag.
inline constexpr int kTagIdle = 0;
inline constexpr int kTagSelected = 2;

inline constexpr std::string_view kErrorUtilityQuestion =
    "It is strongly recommended that you firstly scan and repair the system-wide\rregistry problems prior "
    "to using this utility for fixing the corresponding problems.\r\rClick Yes to start the scannning "
    "process or Click No to continue using this utility.";

// One hosted tool window. Destroying the object destroys the window.
class ToolWindow {
  public:
    virtual ~ToolWindow() = default;
    // Shows the window and brings it in front of the other tool windows of its host panel.
    virtual void Show() = 0;
    // The window's close handling; runs before destruction for the windows that need it.
    virtual void Close() {}
    // Starts a scan as the window's Scan Now button would. Only the Registry Cleaner scans on request;
    // false when the window cannot.
    virtual bool StartScan() { return false; }
};

// Makes tool windows: the Windows views create real child windows of ShowFormPanel (OptionsPanel
// for the options window), tests create fakes.
class ToolWindowFactory {
  public:
    virtual ~ToolWindowFactory() = default;
    virtual std::unique_ptr<ToolWindow> CreateTool(ToolId tool) = 0;
    virtual std::unique_ptr<ToolWindow> CreateOptions() = 0;
};

class NavigationController {
  public:
    NavigationController(AppContext& ctx, TDM& dm, ToolWindowFactory& factory);
    ~NavigationController();
    NavigationController(const NavigationController&) = delete;
    NavigationController& operator=(const NavigationController&) = delete;

    // A click on a group button. False when it was ignored because a scan is running.
    bool ChooseGroup(GroupId group);
    // A click on a tool button. False when refused, or when the Error Utility question was answered Yes
    // (the Registry Cleaner opened instead).
    bool ChooseTool(ToolId tool);

    // Any scan that makes navigation unsafe: registry scan, evidence scan, junk or duplicate scan.
    bool IsBusy() const;
    bool IsRefused(ToolId tool) const;

    int GroupTag(GroupId group) const { return groupTags_[static_cast<size_t>(group)]; }
    int ToolTag(ToolId tool) const { return toolTags_[static_cast<size_t>(tool)]; }
    NotebookPage Page() const { return page_; }
    std::optional<GroupId> ExpandedGroup() const { return expanded_; }
    // Height (96 DPI) the group's panel has; `buttonHeight` for the collapsed ones.
    int PanelHeight(GroupId group, int buttonHeight) const;

    ToolWindow* Window(ToolId tool) const { return tools_[static_cast<size_t>(tool)].get(); }
    ToolWindow* OptionsWindow() const { return options_.get(); }
    // The tool shown in ShowFormPanel (the last chosen one), if its window is alive.
    std::optional<ToolId> ShownTool() const { return shown_; }

    // Set by the Registry Cleaner when a scan starts; once true, the Error Utility question is not asked.
    bool RegistryScanDone = false;
    // Tool-local run states (1 = scanning), set by the junk-file cleaner and the duplicate finder.
    std::function<int()> JunkCleanerState;
    std::function<int()> DuplicateFinderState;
    // Called after every change of marks, expansion, page or windows, so the view can repaint.
    std::function<void()> OnChanged;

  private:
    bool RegistryScanRunning() const { return dm_.ScanTimer.Enabled(); }
    bool EvidenceScanRunning() const { return dm_.EvidenceTimer.Enabled(); }
    bool JunkOrDuplicateScanning() const;
    void DestroyToolWindows();
    void Changed() {
        if (OnChanged) OnChanged();
    }

    AppContext& ctx_;
    TDM& dm_;
    ToolWindowFactory& factory_;
    std::array<int, kGroupCount> groupTags_{};
    std::array<int, kToolCount> toolTags_{};
    std::array<std::unique_ptr<ToolWindow>, kToolCount> tools_;
    std::unique_ptr<ToolWindow> options_;
    std::optional<GroupId> expanded_;
    std::optional<ToolId> shown_;
    NotebookPage page_ = NotebookPage::Home;
};

}  // namespace trenmoor::app
