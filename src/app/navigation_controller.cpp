#include "app/navigation_controller.h"

#include "common/settings.h"

namespace trenmoor::app {

NavigationController::NavigationController(AppContext& ctx, TDM& dm, ToolWindowFactory& factory)
    : ctx_(ctx), dm_(dm), factory_(factory) {}

NavigationController::~NavigationController() {
    DestroyToolWindows();
    options_.reset();
}

bool NavigationController::JunkOrDuplicateScanning() const {
    return (JunkCleanerState && JunkCleanerState() == 1) ||
           (DuplicateFinderState && DuplicateFinderState() == 1);
}

bool NavigationController::IsBusy() const {
    return RegistryScanRunning() || EvidenceScanRunning() || JunkOrDuplicateScanning();
}

bool NavigationController::IsRefused(ToolId tool) const {
    switch (Group(Tool(tool).group).refusal) {
        case ToolRefusal::RegistryScan:
            return RegistryScanRunning();
        case ToolRefusal::JunkOrDuplicateScan:
            return JunkOrDuplicateScanning();
        case ToolRefusal::EvidenceScan:
            return EvidenceScanRunning();
        case ToolRefusal::Never:
            break;
    }
    return false;
}

int NavigationController::PanelHeight(GroupId group, int buttonHeight) const {
    const int expanded = Group(group).expandedHeight;
    return expanded_ == group && expanded > 0 ? expanded : buttonHeight;
}

void NavigationController::DestroyToolWindows() {
    for (const auto& entry : kTools) {
        auto& window = tools_[static_cast<size_t>(entry.id)];
        if (!window) continue;
        // The Evidence Cleaner's close handling saves its state and stops its work before it goes.
        if (entry.id == ToolId::EvidenceCleaner) window->Close();
        window.reset();
    }
    shown_.reset();
}

bool NavigationController::ChooseGroup(GroupId group) {
    if (IsBusy()) return false;
    for (const auto& tool : ToolsOf(group)) toolTags_[static_cast<size_t>(tool.id)] = kTagIdle;
    DestroyToolWindows();
    for (const auto& g : kGroups)
        groupTags_[static_cast<size_t>(g.id)] = g.id == group ? kTagSelected : kTagIdle;
    expanded_ = group;
    Changed();

    if (const auto tool = DefaultTool(group)) {
        ChooseTool(*tool);
        return true;
    }
    if (group == GroupId::Options) {
        if (!options_) options_ = factory_.CreateOptions();
        if (options_) options_->Show();
    }
    page_ = Group(group).page;
    Changed();
    return true;
}

bool NavigationController::ChooseTool(ToolId tool) {
    if (IsRefused(tool)) return false;
    if (tool == ToolId::ErrorUtility && !RegistryScanDone) {
        const auto answer = ctx_.ui.messageBox(kErrorUtilityQuestion, kProgramName,
                                               platform::MsgIcon::Exclamation, platform::MsgButtons::YesNo);
        if (answer == platform::MsgResult::Yes) {
            if (ChooseGroup(GroupId::RepairProblems))
                if (ToolWindow* cleaner = Window(ToolId::RegistryCleaner)) cleaner->StartScan();
            return false;
        }
    }
    for (const auto& t : ToolsOf(Tool(tool).group))
        toolTags_[static_cast<size_t>(t.id)] = t.id == tool ? kTagSelected : kTagIdle;
    auto& window = tools_[static_cast<size_t>(tool)];
    if (!window) window = factory_.CreateTool(tool);
    if (window) window->Show();
    shown_ = tool;
    page_ = NotebookPage::ShowForm;
    Changed();
    return true;
}

}  // namespace trenmoor::app
