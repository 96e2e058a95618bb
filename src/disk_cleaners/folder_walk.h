#pragma once
// Depth-first walk of a folder tree through the platform's find calls. Junctions and symbolic links
// (reparse points) are never entered, and one excluded folder (the Windows folder) is skipped.
#include <functional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace trenmoor::disk_cleaners {

// "C:\\a\\\\b\\" -> "C:\a\b": doubled separators collapsed, no trailing backslash ("C:" for a root).
std::string NormalizeFolder(std::string_view path);
// folder + "\" + name, for a folder as NormalizeFolder gives it.
std::string JoinPath(std::string_view folder, std::string_view name);
// True when `path` equals `folder` or lies below it (compared without regard to case).
bool IsSameOrBelow(std::string_view path, std::string_view folder);

struct WalkCallbacks {
    // Every file (not folder) entry; `folder` as NormalizeFolder gives it.
    std::function<void(const std::string& folder, const platform::FindData& entry)> onFile;
    // Called as each folder is entered (for progress text); may be empty.
    std::function<void(const std::string& folder)> onFolder;
    // Polled between entries; true ends the walk.
    std::function<bool()> stop;
    // False: files may come without size and times (FindData::detailsKnown), for walks that look at
    // names first and ask for the details of the few files they keep.
    bool needDetails = true;
};

// Walks `root`. `excluded` (any form, may be empty) is never entered. Returns false when stopped.
bool WalkFiles(platform::FileSystem& files, std::string_view root, std::string_view excluded,
               const WalkCallbacks& callbacks);

}  // namespace trenmoor::disk_cleaners
