#include "registry_cleaner/views/registry_cleaner_window.h"

#include "registry_cleaner/views/registry_cleaner_form.h"

namespace trenmoor::views {

std::unique_ptr<app::ToolWindow> MakeRegistryCleanerForm(const ToolHost& host) {
    return std::make_unique<TRegistryCleanerForm>(host.host, host.ctx, host.dm, host.dmView, host.navigation);
}

}  // namespace trenmoor::views
