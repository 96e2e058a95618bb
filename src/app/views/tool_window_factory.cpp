#include "app/views/tool_window_factory.h"

#include "app/views/placeholder_tool_form.h"
#include "platform/win32/wide.h"
#include "registry_cleaner/views/reg_backup_form.h"
#include "registry_cleaner/views/registry_cleaner_window.h"

namespace trenmoor::views {

std::unique_ptr<app::ToolWindow> MakeToolWindow(app::ToolId tool, const ToolHost& host) {
    if (tool == app::ToolId::RegistryCleaner) return MakeRegistryCleanerForm(host);
    if (tool == app::ToolId::RegistryBackup) return MakeRegBackupForm(host);
    const auto& entry = app::Tool(tool);
    return std::make_unique<TPlaceholderToolForm>(host.host, platform::win32::Widen(entry.windowClass),
                                                  platform::win32::Widen(entry.caption));
}

std::unique_ptr<app::ToolWindow> MakeOptionsWindow(const ToolHost& host) {
    return std::make_unique<TPlaceholderToolForm>(host.host, L"TFormOptions", L"Preferences");
}

}  // namespace trenmoor::views
