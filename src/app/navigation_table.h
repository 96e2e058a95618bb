#pragma once
// The main window's navigation as data: the nine groups of the left column, the fifteen tools they
// open, the default tool of each group and the height a group panel grows to when it is chosen.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace trenmoor::app {

enum class GroupId : uint8_t {
    RepairProblems,
    CleanJunks,
    ManageBackups,
    OptimizeSystem,
    AdvancedToolkits,
    Options,
    SubmitProblems,
    Home,
    OneClickTweak,
};
inline constexpr size_t kGroupCount = 9;

enum class ToolId : uint8_t {
    RegistryCleaner,
    ErrorUtility,
    IERepair,
    BlockActiveX,
    RegisterActiveX,
    JunkFileCleaner,
    DuplicateCleaner,
    RegistryBackup,
    RestorePoint,
    SystemOptimizer,
    TweakMemory,
    EvidenceCleaner,
    StartupManager,
    UninstallManager,
    FileShredder,
};
inline constexpr size_t kToolCount = 15;

// Pages of MainNotebook, by index.
enum class NotebookPage : int { Home = 0, ShowForm = 1, Options = 2, SubmitProblems = 3, OneClickTweak = 4 };

// Which running scan makes the tools of a group refuse a click.
enum class ToolRefusal : uint8_t { Never, RegistryScan, JunkOrDuplicateScan, EvidenceScan };

struct ToolEntry {
    ToolId id;
    GroupId group;
    std::string_view button;       // tool button control name
    std::string_view windowClass;  // class of the hosted tool window
    std::string_view caption;
};

struct GroupEntry {
    GroupId id;
    std::string_view panel;   // group panel control name
    std::string_view button;  // group button control name
    std::string_view caption;
    NotebookPage page;
    int expandedHeight;  // pixels at 96 DPI; 0 = the height of the group's own button
    size_t firstTool;    // index into kTools
    size_t toolCount;
    ToolRefusal refusal;
    bool visible;  // panHome is never offered
};

inline constexpr std::array<ToolEntry, kToolCount> kTools{{
    {ToolId::RegistryCleaner, GroupId::RepairProblems, "picRegistryCleaner", "TRegistryCleanerForm",
     "Registry Cleaner"},
    {ToolId::ErrorUtility, GroupId::RepairProblems, "picErrorUtility", "TErrorFixForm", "Error Utility"},
    {ToolId::IERepair, GroupId::RepairProblems, "picIERepair", "TFormIePlugins", "IE Repair"},
    {ToolId::BlockActiveX, GroupId::RepairProblems, "picBlockActiveX", "TFormMalignant", "Block ActiveX"},
    {ToolId::RegisterActiveX, GroupId::RepairProblems, "picRegisterActiveX", "TFormRegDll",
     "Register ActiveX"},
    {ToolId::JunkFileCleaner, GroupId::CleanJunks, "picJunkFileCleaner", "TSysDiskCleanerForm",
     "Junk File Cleaner"},
    {ToolId::DuplicateCleaner, GroupId::CleanJunks, "picDuplicateCleaner", "TDeleteDuplicatesForm",
     "Duplicate Cleaner"},
    {ToolId::RegistryBackup, GroupId::ManageBackups, "picRegistryBackup", "TRegBackupForm",
     "Registry Backup"},
    {ToolId::RestorePoint, GroupId::ManageBackups, "picRestorePoint", "TSysRestoreForm", "Restore Point"},
    {ToolId::SystemOptimizer, GroupId::OptimizeSystem, "picSystemOptimizer", "TOptimizeForm",
     "System Optimizer"},
    {ToolId::TweakMemory, GroupId::OptimizeSystem, "picTweakMemory", "TMemorySaviorForm", "Tweak Memory"},
    {ToolId::EvidenceCleaner, GroupId::AdvancedToolkits, "picEvidenceCleaner", "TEvidenceCleanerForm",
     "Evidence Cleaner"},
    {ToolId::StartupManager, GroupId::AdvancedToolkits, "picStartupManager", "TStartupManagerForm",
     "Startup Manager"},
    {ToolId::UninstallManager, GroupId::AdvancedToolkits, "picUninstallManager", "TInstalledManageForm",
     "Uninstall Manager"},
    {ToolId::FileShredder, GroupId::AdvancedToolkits, "picFileShredder", "TAdvancedShredForm",
     "File Shredder"},
}};

// In the order of the left column, top to bottom.
inline constexpr std::array<GroupEntry, kGroupCount> kGroups{{
    {GroupId::RepairProblems, "panRepairProblems", "RepairProblemsBtn", "Repair Problems",
     NotebookPage::ShowForm, 193, 0, 5, ToolRefusal::RegistryScan, true},
    {GroupId::CleanJunks, "panCleanJunks", "CleanJunksBtn", "Clean Junks", NotebookPage::ShowForm, 100, 5, 2,
     ToolRefusal::JunkOrDuplicateScan, true},
    {GroupId::ManageBackups, "panManageBackups", "ManageBackupsBtn", "Manage Backups", NotebookPage::ShowForm,
     99, 7, 2, ToolRefusal::Never, true},
    {GroupId::OptimizeSystem, "panOptimizeSystem", "OptimizeSystemBtn", "Optimize System",
     NotebookPage::ShowForm, 100, 9, 2, ToolRefusal::Never, true},
    {GroupId::AdvancedToolkits, "panAdvancedToolkits", "AdvancedToolkitsBtn", "Advanced Toolkits",
     NotebookPage::ShowForm, 162, 11, 4, ToolRefusal::EvidenceScan, true},
    {GroupId::Options, "panOptions", "OptionsBtn", "Options", NotebookPage::Options, 0, 0, 0,
     ToolRefusal::Never, true},
    {GroupId::SubmitProblems, "panSubmitProblems", "SubmitProblemsBtn", "Submit Problems",
     NotebookPage::SubmitProblems, 0, 0, 0, ToolRefusal::Never, true},
    {GroupId::Home, "panHome", "HomeBtn", "Home", NotebookPage::Home, 0, 0, 0, ToolRefusal::Never, false},
    {GroupId::OneClickTweak, "panOneClickTweak", "OneClickTweakBtn", "One-Click Tweak",
     NotebookPage::OneClickTweak, 0, 0, 0, ToolRefusal::Never, true},
}};

constexpr const ToolEntry& Tool(ToolId id) {
    return kTools[static_cast<size_t>(id)];
}
constexpr const GroupEntry& Group(GroupId id) {
    return kGroups[static_cast<size_t>(id)];
}
constexpr std::span<const ToolEntry> ToolsOf(GroupId id) {
    return std::span<const ToolEntry>(kTools).subspan(Group(id).firstTool, Group(id).toolCount);
}
constexpr bool IsToolGroup(GroupId id) {
    return Group(id).toolCount > 0;
}
// The first tool of a tool group opens when the group is chosen.
constexpr std::optional<ToolId> DefaultTool(GroupId id) {
    if (!IsToolGroup(id)) return std::nullopt;
    return kTools[Group(id).firstTool].id;
}

// The enum order is the table order; a row out of place would open the wrong window.
static_assert([] {
    for (size_t i = 0; i < kToolCount; ++i)
        if (static_cast<size_t>(kTools[i].id) != i) return false;
    for (size_t i = 0; i < kGroupCount; ++i)
        if (static_cast<size_t>(kGroups[i].id) != i) return false;
    for (const auto& g : kGroups)
        for (size_t t = g.firstTool; t < g.firstTool + g.toolCount; ++t)
            if (kTools[t].group != g.id) return false;
    return true;
}());

}  // namespace trenmoor::app
