#pragma once
// Small helpers shared by every tool: root-key names, registry items addressed by full textual path,
// well-known folders, the excluded-drive filter, time conversion and opening addresses.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace trenmoor {

// "HKEY_CLASSES_ROOT" ... "HKEY_CURRENT_CONFIG"; "" for any other root.
std::string RootKeyName(platform::RootKey root);
// Exact, case-sensitive inverse of RootKeyName; nothing for any other text.
std::optional<platform::RootKey> RootKeyFromName(std::string_view name);

// Full path = root name, backslash, subkey. The value name "default" stands for the unnamed value.
std::string ReadStringByPath(platform::Registry& registry, std::string_view fullKeyPath,
                             std::string_view valueName);
// Deletes one value. Opens the key WITHOUT creating it: false when the key does not exist.
bool DeleteValueByPath(platform::Registry& registry, std::string_view fullKeyPath,
                       std::string_view valueName);
// `subkey` is absolute ("\Software\X"); deletes it with all subkeys, never following registry links.
bool DeleteKeyAbsolute(platform::Registry& registry, platform::RootKey root, std::string_view subkey);

std::string ProgramFilesDir(platform::Registry& registry);
std::string CommonFilesDir(platform::Registry& registry);

std::optional<platform::DateTime> FileTimeToLocalDateTime(platform::Clock& clock, platform::FileTime time);

// Drives C: to Z: whose type is removable, remote, CD-ROM or RAM disk, as "X:". Stops before the next
// letter when `scanState` becomes 4 (repair cancelled).
void BuildExcludedDrives(platform::FileSystem& files, std::vector<std::string>& drives,
                         const int* scanState = nullptr);
// False when any listed drive occurs anywhere in the path (compared in upper case).
bool IsOnIncludedDrive(const std::vector<std::string>& drives, std::string_view path);

void OpenURL(platform::Shell& shell, std::string_view address);

// 1 Win32s, 2 Windows 95/98/Me, 4 NT family, from the system's platform identifier.
uint8_t DetectPlatformKind(platform::SystemInfo& system);

// The program folder with a trailing backslash, and a file inside it.
std::string ProgramFolder(platform::FileSystem& files);
std::string ProgramFile(platform::FileSystem& files, std::string_view name);

}  // namespace trenmoor
