#pragma once
// How the main window makes the Registry Cleaner's hosted window.
#include <memory>

#include "app/views/tool_window_factory.h"

namespace trenmoor::views {

std::unique_ptr<app::ToolWindow> MakeRegistryCleanerForm(const ToolHost& host);

}  // namespace trenmoor::views
