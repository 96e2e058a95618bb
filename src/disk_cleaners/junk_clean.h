#pragma once
// Cleaning the junk found: permanent deletion, the recycle bin, or a move into one folder.
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace trenmoor::disk_cleaners {

enum class CleanMode { Delete, RecycleBin, MoveToFolder };

inline constexpr std::string_view kStatusFileDeleted = "File Deleted";
inline constexpr std::string_view kStatusDeletedError = "Deleted Error";
inline constexpr std::string_view kStatusFileMoved = "File Moved";
inline constexpr std::string_view kStatusMovedError = "Moved Error";

// Free name for `fileName` inside `folder`: the name itself, else "name (2).ext", "name (3).ext", ...
// Moving many junk files into one folder must never overwrite one with another of the same name.
std::string FreeTargetPath(platform::FileSystem& files, std::string_view folder, std::string_view fileName);

// Cleans one file and returns its status text ("File Deleted", "Deleted Error", "File Moved", "Moved Error").
std::string_view CleanJunkFile(platform::FileSystem& files, platform::Shell& shell, CleanMode mode,
                               std::string_view path, std::string_view destFolder);

// True when the status names a failure (drawn in red).
inline bool IsErrorStatus(std::string_view status) {
    return status.find("Error") != std::string_view::npos;
}

}  // namespace trenmoor::disk_cleaners
