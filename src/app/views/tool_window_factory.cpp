#include "app/views/tool_window_factory.h"

#include "app/views/placeholder_tool_form.h"
#include "disk_cleaners/views/advanced_shred_form.h"
#include "disk_cleaners/views/delete_duplicates_form.h"
#include "disk_cleaners/views/sys_disk_cleaner_form.h"
#include "platform/win32/wide.h"
#include "registry_cleaner/views/reg_backup_form.h"
#include "registry_cleaner/views/registry_cleaner_window.h"

namespace trenmoor::views {

namespace {

// The tools whose windows are built; every other tool shows a placeholder saying so.
struct BuiltTool {
    app::ToolId tool;
    std::unique_ptr<app::ToolWindow> (*make)(const ToolHost&);
};
constexpr BuiltTool kBuiltTools[] = {
    {app::ToolId::RegistryCleaner, MakeRegistryCleanerForm},
    {app::ToolId::RegistryBackup, MakeRegBackupForm},
    {app::ToolId::DuplicateCleaner, MakeDeleteDuplicatesForm},
    {app::ToolId::FileShredder, MakeAdvancedShredForm},
    {app::ToolId::JunkFileCleaner, MakeSysDiskCleanerForm},
};

}  // namespace

std::unique_ptr<app::ToolWindow> MakeToolWindow(app::ToolId tool, const ToolHost& host) {
    for (const auto& built : kBuiltTools)
        if (built.tool == tool) return built.make(host);
    const auto& entry = app::Tool(tool);
    return std::make_unique<TPlaceholderToolForm>(host.host, platform::win32::Widen(entry.windowClass),
                                                  platform::win32::Widen(entry.caption));
}

std::unique_ptr<app::ToolWindow> MakeOptionsWindow(const ToolHost& host) {
    return std::make_unique<TPlaceholderToolForm>(host.host, L"TFormOptions", L"Preferences");
}

}  // namespace trenmoor::views
