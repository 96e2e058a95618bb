#pragma once
// The three sections that read the class registrations of HKEY_CLASSES_ROOT: ActiveX/COM entries (empty
// help-folder and server keys, classes naming an unregistered type library), file associations
// (extensions naming a class that is registered nowhere, extension keys of a broken shape) and file
// extensions (empty extension keys, Open With lists naming unknown programs). Each section has two scan
// calls, run in order on the same collection, and one repair.
#include <string>
#include <string_view>

#include "registry_cleaner/sections/section_checker.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kActiveXCaption = "ActiveX, OLE/COM Entries";
inline constexpr std::string_view kAssociationsCaption = "Invalid File Associations";
inline constexpr std::string_view kExtensionsCaption = "File Extensions";

// The user's per-extension Explorer settings (below HKEY_CURRENT_USER).
inline constexpr std::string_view kFileExtsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

// The text with every occurrence of `what` removed (the repairs cut the root name out of a key path).
inline std::string WithoutText(std::string text, std::string_view what) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
    return text;
}

// ActiveX: the empty-key walk (enters subkeys only on Windows versions before 6), then the type-library
// scan (opens its own keys under the root it is given).
void ScanActiveXEmptyKeys(SectionScan& scan, platform::RootKey root, std::string_view path);
void ScanActiveXTypeLibraries(SectionScan& scan, platform::RootKey root, std::string_view path);
// Removes the empty key or the class's TypeLib key with everything below it.
RepairOutcome RepairActiveXEntry(AppContext& ctx, const TContent& problem);
// The ActiveX repair shows the key path without its root name (it begins with a backslash).
std::string ActiveXRepairName(const TContent& problem);

// File associations: the target scan (clears the collection first), then the structure scan.
void ScanAssociationTargets(SectionScan& scan, platform::RootKey root, std::string_view path);
void ScanAssociationStructure(SectionScan& scan, platform::RootKey root, std::string_view path);
// Action "delkey": the whole extension key; otherwise the extension's default value.
RepairOutcome RepairAssociation(AppContext& ctx, const TContent& problem);

// File extensions: the extension default scan, then the Open With walk of the user's FileExts key.
void ScanExtensionDefaults(SectionScan& scan, platform::RootKey root, std::string_view path);
void ScanOpenWithLists(SectionScan& scan, platform::RootKey root, std::string_view path);
// An Open With entry (a key path under HKEY_CURRENT_USER): its value; otherwise the whole extension key.
RepairOutcome RepairExtension(AppContext& ctx, const TContent& problem);

}  // namespace trenmoor::registry_cleaner
