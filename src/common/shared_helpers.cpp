#include "common/shared_helpers.h"

#include <array>
#include <utility>

#include "platform/registry_accessor.h"
#include "platform/text_encoding.h"

namespace trenmoor {
namespace {

using platform::RootKey;

constexpr std::array<std::pair<RootKey, std::string_view>, 5> kRootNames{{
    {RootKey::ClassesRoot, "HKEY_CLASSES_ROOT"},
    {RootKey::CurrentUser, "HKEY_CURRENT_USER"},
    {RootKey::LocalMachine, "HKEY_LOCAL_MACHINE"},
    {RootKey::Users, "HKEY_USERS"},
    {RootKey::CurrentConfig, "HKEY_CURRENT_CONFIG"},
}};

struct SplitPath {
    std::optional<RootKey> root;
    std::string_view subkey;  // without the leading backslash
};

// "HKEY_LOCAL_MACHINE\SOFTWARE\X" -> (HKLM, "SOFTWARE\X"): the root is the text before the first backslash.
SplitPath Split(std::string_view fullKeyPath) {
    const size_t cut = fullKeyPath.find('\\');
    const std::string_view rootName = fullKeyPath.substr(0, cut);
    SplitPath out{RootKeyFromName(rootName), {}};
    if (cut != std::string_view::npos) out.subkey = fullKeyPath.substr(cut + 1);
    return out;
}

std::string_view ValueNameFor(std::string_view valueName) {
    return valueName == "default" ? std::string_view{} : valueName;
}

std::string ReadWindowsFolderValue(platform::Registry& registry, const char* name) {
    platform::TRegistry reg(registry, RootKey::LocalMachine);
    if (!reg.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion")) return {};
    try {
        return reg.ReadString(name);
    } catch (const platform::ERegistryException&) {
        return {};
    }
}

}  // namespace

std::string RootKeyName(RootKey root) {
    for (const auto& [key, name] : kRootNames)
        if (key == root) return std::string(name);
    return {};
}

std::optional<RootKey> RootKeyFromName(std::string_view name) {
    for (const auto& [key, rootName] : kRootNames)
        if (rootName == name) return key;
    return std::nullopt;
}

std::string ReadStringByPath(platform::Registry& registry, std::string_view fullKeyPath,
                             std::string_view valueName) {
    const SplitPath p = Split(fullKeyPath);
    if (!p.root) return {};
    platform::TRegistry reg(registry, *p.root);
    if (!reg.OpenKeyReadOnly("\\" + std::string(p.subkey))) return {};
    try {
        return reg.ReadString(ValueNameFor(valueName));
    } catch (const platform::ERegistryException&) {
        return {};  // not a string: nothing to compare as a path
    }
}

bool DeleteValueByPath(platform::Registry& registry, std::string_view fullKeyPath,
                       std::string_view valueName) {
    const SplitPath p = Split(fullKeyPath);
    if (!p.root) return false;
    platform::TRegistry reg(registry, *p.root);
    // Never create the key: deleting a value must not leave a new empty key behind.
    if (!reg.OpenKey("\\" + std::string(p.subkey), false)) return false;
    return reg.DeleteValue(ValueNameFor(valueName));
}

bool DeleteKeyAbsolute(platform::Registry& registry, RootKey root, std::string_view subkey) {
    platform::TRegistry reg(registry, root);
    const std::string path = subkey.starts_with('\\') ? std::string(subkey) : "\\" + std::string(subkey);
    if (!reg.KeyExists(path)) return false;
    return reg.DeleteKey(path);
}

std::string ProgramFilesDir(platform::Registry& registry) {
    return ReadWindowsFolderValue(registry, "ProgramFilesDir");
}

std::string CommonFilesDir(platform::Registry& registry) {
    return ReadWindowsFolderValue(registry, "CommonFilesDir");
}

std::optional<platform::DateTime> FileTimeToLocalDateTime(platform::Clock& clock, platform::FileTime time) {
    return clock.toLocal(time);
}

void BuildExcludedDrives(platform::FileSystem& files, std::vector<std::string>& drives,
                         const int* scanState) {
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if (scanState != nullptr && *scanState == 4) break;
        const std::string root = std::string(1, letter) + ":\\";
        switch (files.driveType(root)) {
            case platform::DriveType::Removable:
            case platform::DriveType::Remote:
            case platform::DriveType::CdRom:
            case platform::DriveType::RamDisk:
                drives.push_back(root.substr(0, 2));
                break;
            default:
                break;
        }
    }
}

bool IsOnIncludedDrive(const std::vector<std::string>& drives, std::string_view path) {
    if (drives.empty()) return true;
    const std::string upper = platform::UpperUtf8(path);
    for (const auto& drive : drives)
        if (upper.find(platform::UpperUtf8(drive)) != std::string::npos) return false;
    return true;
}

void OpenURL(platform::Shell& shell, std::string_view address) {
    (void)shell.execute("open", address, {}, {}, platform::ShowMode::Normal);
}

uint8_t DetectPlatformKind(platform::SystemInfo& system) {
    switch (system.osVersion().platformId) {
        case 0:
            return 1;
        case 1:
            return 2;
        case 2:
            return 4;
        default:
            return 0;
    }
}

std::string ProgramFolder(platform::FileSystem& files) {
    std::string dir = files.programDirectory();
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    return dir;
}

std::string ProgramFile(platform::FileSystem& files, std::string_view name) {
    return ProgramFolder(files) + std::string(name);
}

}  // namespace trenmoor
