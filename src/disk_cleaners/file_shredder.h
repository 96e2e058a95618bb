#pragma once
// The shredder: every file is overwritten in place for the level's passes (each pass pushed through
// to the disk), given a random name and deleted; folders are shredded file by file and then removed
// directly. Links are removed, never followed. Every item reports what happened to it.
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "disk_cleaners/shred_levels.h"
#include "platform/file_system.h"

namespace trenmoor::disk_cleaners {

inline constexpr std::string_view kShredded = "Shredded";
inline constexpr std::string_view kFolderRemoved = "Folder Removed";
inline constexpr std::string_view kLinkRemoved = "Link Removed";

struct ShredItem {
    std::string Path;
    bool Ok = false;
    std::string Status;  // kShredded, kFolderRemoved, kLinkRemoved, or "Shred Error: <reason>"
};

class FileShredder {
  public:
    using Report = std::function<void(const ShredItem&)>;

    // `seed` 0 draws one from the system's random source.
    FileShredder(platform::FileSystem& files, ShredLevel level, uint64_t seed = 0);

    // A file, a folder (shredded whole) or a link (removed). Reports every file and folder handled.
    // `stop` (may be empty) is polled between files. Returns false when anything failed.
    bool shredPath(std::string_view path, const Report& report, const std::function<bool()>& stop);
    // One file; the result is also what shredPath reports for it.
    ShredItem shredFile(std::string_view path);

    // "0".."99999", drawn again while that name exists in `folder`.
    std::string freeRandomName(std::string_view folder);

  private:
    bool shredFolder(const std::string& folder, const Report& report, const std::function<bool()>& stop);
    bool overwrite(std::string_view path, std::string& error);

    platform::FileSystem& files_;
    std::vector<ShredPass> passes_;
    std::mt19937_64 random_;
    std::vector<uint8_t> buffer_;
};

// The shredder's text when done: "File Shreds Completed Successfully!" when every item succeeded,
// else the items that could not be shredded, one per line.
std::string ShredCompletionText(const std::vector<ShredItem>& items);

// Files of the system drive's recycle-bin folders ("Recycled", "RECYCLER", "$Recycle.Bin", and the
// per-user folders inside the last two), without the bin's own "INFO2" and "desktop.ini".
std::vector<std::string> RecycleBinFiles(platform::FileSystem& files);

}  // namespace trenmoor::disk_cleaners
