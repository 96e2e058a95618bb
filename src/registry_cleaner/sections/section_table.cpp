#include "registry_cleaner/sections/section_table.h"

#include "platform/text_encoding.h"
#include "registry_cleaner/sections/classes_root_sections.h"
#include "registry_cleaner/sections/file_reference_sections.h"
#include "registry_cleaner/sections/leftover_sections.h"
#include "registry_cleaner/sections/software_settings_sections.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::RootKey;
constexpr RootKey HKCR = RootKey::ClassesRoot;
constexpr RootKey HKCU = RootKey::CurrentUser;
constexpr RootKey HKLM = RootKey::LocalMachine;
constexpr RootKey HKU = RootKey::Users;

constexpr ScanCall Later(RootKey root, std::string_view path) {
    return {nullptr, root, path};
}

// A new section is one row. Rows whose scan is Later(...) are not built yet.
constexpr std::array<SectionDef, kSectionCount> kSections = {{
    {1,
     "ActiveX, OLE/COM Entries",
     "The invalid or empty registry entities within ActiveX, OLE, COM sections could cause system errors and "
     "application crash if not properly fixed.",
     {ScanCall{&ScanActiveXEmptyKeys, HKCR, ""}, ScanCall{&ScanActiveXTypeLibraries, HKCR, ""}},
     2,
     true,
     &RepairActiveXEntry,
     &ActiveXRepairName},
    {2,
     kAppPathsCaption,
     "Application Paths section of registry has been found containing invalid entities that point to the "
     "incorrect application path.",
     {ScanCall{&ScanAppPaths, HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"}},
     1,
     true,
     &RepairAppPath,
     nullptr},
    {3,
     "Empty Registry Keys",
     "Empty registry key refers to the entities in registry that no value to associate with.",
     {ScanCall{&ScanEmptyKeys, HKU, ""}},
     1,
     true,
     &RepairEmptyKey,
     nullptr},
    {4,
     "File Extensions",
     "The invalid file extension entities have been found existing in the registry.",
     {ScanCall{&ScanExtensionDefaults, HKCR, ""}, ScanCall{&ScanOpenWithLists, HKCU, kFileExtsKey}},
     2,
     true,
     &RepairExtension,
     nullptr},
    {5,
     kFontEntriesCaption,
     "The invalid registry entities of the Font could cause the abnormal font styling in applications if not "
     "fixed properly.",
     {ScanCall{&ScanFontEntries, HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"}},
     1,
     true,
     &RepairFontEntry,
     nullptr},
    {6,
     kHelpSectionCaption,
     "The invalid registry entities of the Help File Information section can cause help file opening fail.",
     {ScanCall{&ScanHelpSection, HKLM, ""}},
     1,
     true,
     &RepairHelpEntry,
     &HelpRepairName},
    {7,
     "Invalid File Associations",
     "The File Association section of registry has contained invalid file associations. If a file type is "
     "associated with a program that does not exist then it shows up as an irregularity.",
     {ScanCall{&ScanAssociationTargets, HKCR, ""}, ScanCall{&ScanAssociationStructure, HKCR, ""}},
     2,
     true,
     &RepairAssociation,
     nullptr},
    {8,
     "Invalid Shortcuts",
     "The Shortcut section of registry has contained some invalid shortcut entities that link to the missing "
     ".exe file. This is caused by incorrectly installing and uninstalling software, or moving .lnk file.",
     // Shortcut files, not registry: the root and path are not used. The checker asks the ignore list.
     {ScanCall{&ScanInvalidShortcuts, HKLM, ""}},
     1,
     true,
     &RepairInvalidShortcut,
     nullptr},
    {9,
     "Most Recently Used Files",
     "The invalid or empty registry entities of the Recently Used Files have not matched correctly",
     {ScanCall{&ScanRecentFiles, HKCU,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU"}},
     1,
     true,
     &RepairRecentFile,
     nullptr},
    {10,
     kSharedDllsCaption,
     "The invalid or damaged registry entities could cause the DLL conflict between two applications and "
     "thus "
     "make your application run instable.",
     {ScanCall{&ScanSharedDlls, HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls"}},
     1,
     true,
     &RepairSharedDll,
     nullptr},
    {11,
     kSoundsSectionCaption,
     "The sounds section of registry has been found containing some junk entities that could cause system "
     "slow.",
     {ScanCall{&ScanSounds, HKLM, "Control Panel\\Sounds"}},
     1,
     false,
     &RepairSound,
     nullptr},
    {12,
     "Start Menu Items",
     "The Start Menu Section of registry has been found containing invalid entities linked to start menu "
     "programs.",
     {ScanCall{&ScanStartMenuItems, HKCU,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2\\Programs"}},
     1,
     true,
     &RepairStartMenuItem,
     nullptr},
    {13,
     "Startup Programs",
     "This invalid and damaged registry entities of The startup Program section would bring startup errors "
     "and "
     "cause system slow when Windows startup.",
     {ScanCall{&ScanStartupPrograms, HKCU,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder"}},
     1,
     true,
     &RepairStartupProgram,
     nullptr},
    {14,
     "System Services",
     "System Service section of registry has been found containing some damaged entities related to system "
     "services.",
     {ScanCall{&ScanSystemServices, HKLM, "SYSTEM\\CurrentControlSet\\Services"}},
     1,
     false,
     &RepairSystemService,
     nullptr},
    {15,
     "System Software Settings",
     "The registry has been found containing some invalid or damaged system software settings records that "
     "need to be cleaned or repaired.",
     {ScanCall{&ScanSystemSoftwareSettings, HKLM, ""}, ScanCall{&ScanSystemSoftwareSettings, HKU, ""}},
     2,
     true,
     &RepairSoftwareSetting,
     nullptr},
    {16,
     "Uninstall Entries",
     "The Uninstall Entries section of registry contains some invalid entities that link to the missing "
     "entities. This is caused by the incorrect installing and uninstalling of application in system.",
     {ScanCall{&ScanUninstallEntries, HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"}},
     1,
     true,
     &RepairUninstallEntry,
     nullptr},
    {17,
     "User Software Settings",
     "The registry has been found containing some invalid or damaged user software settings records that "
     "need "
     "to be cleaned or repaired.",
     {ScanCall{&ScanUserSoftwareSettings, HKCU, ""}},
     1,
     true,
     &RepairSoftwareSetting,
     nullptr},
}};

static_assert([] {
    for (size_t i = 0; i < kSections.size(); ++i) {
        if (kSections[i].number != static_cast<int>(i) + 1) return false;
        if (kSections[i].callCount < 1 || kSections[i].callCount > 2) return false;
    }
    return true;
}());

}  // namespace

bool SectionDef::Built() const {
    return calls[0].scan != nullptr;
}

std::span<const SectionDef> Sections() {
    return kSections;
}

const SectionDef* SectionByNumber(int number) {
    return number >= 1 && number <= kSectionCount ? &kSections[static_cast<size_t>(number - 1)] : nullptr;
}

const SectionDef* SectionByCaption(std::string_view caption) {
    for (const SectionDef& s : kSections) {
        if (platform::EqualsNoCase(s.caption, caption)) return &s;
    }
    return nullptr;
}

std::string RepairName(const SectionDef& section, const TContent& problem) {
    return section.repairName ? section.repairName(problem) : problem.KeyPath;
}

}  // namespace trenmoor::registry_cleaner
