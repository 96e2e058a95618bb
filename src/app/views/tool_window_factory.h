#pragma once
// Makes the hosted window of each tool. A tool whose window is built gets a case in
// MakeToolWindow; every other tool gets the placeholder that shows its caption and "Not built yet".
#include <windows.h>

#include <memory>

#include "app/data_module.h"
#include "app/navigation_controller.h"

namespace trenmoor::views {

class TDMView;

// What a tool window may use: its host panel (owner and parent), the program-wide context, the data
// module with its timers and menus, and the navigation (RegistryScanDone, the busy hooks).
struct ToolHost {
    HWND host;
    AppContext& ctx;
    TDM& dm;
    TDMView& dmView;
    app::NavigationController& navigation;
};

std::unique_ptr<app::ToolWindow> MakeToolWindow(app::ToolId tool, const ToolHost& host);
// TFormOptions, caption "Preferences", hosted in OptionsPanel.
std::unique_ptr<app::ToolWindow> MakeOptionsWindow(const ToolHost& host);

}  // namespace trenmoor::views
