#pragma once
// The junk scan: walks drives (or folders) and collects every file whose name matches a checked junk
// type. Folders are searched, never reported; links are not followed; the Windows folder is skipped.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "disk_cleaners/junk_matcher.h"
#include "disk_cleaners/junk_types.h"
#include "platform/file_system.h"

namespace trenmoor::disk_cleaners {

struct TTempFileInfo {
    std::string FileName;
    std::string FullPath;  // folder + "\" + name
    uint64_t Size = 0;
    size_t TypeIndex = 0;  // the junk type that matched, index into the list scanned with
};

struct JunkScanHooks {
    std::function<void(const TTempFileInfo&)> onFound;  // streamed as found; may be empty
    std::function<void(const std::string& folder)> onFolder;
    std::function<bool()> stop;
};

// Scans one drive or folder ("C:", "C:\", "D:\Data"). Found files are appended to `found` and passed
// to `hooks.onFound`. Returns false when stopped.
bool ScanForJunk(platform::FileSystem& files, std::string_view root, const JunkMatcher& matcher,
                 std::vector<TTempFileInfo>& found, const JunkScanHooks& hooks);

// "C:" for any path on drive C (upper case); empty for other paths.
std::string DriveOf(std::string_view path);

// Fixed drives ("C:", ...) in letter order, as the drive page offers them.
std::vector<std::string> FixedDrives(platform::FileSystem& files);

}  // namespace trenmoor::disk_cleaners
