#pragma once
// The duplicate finder: files grouped by name (exact, with case) over the chosen drives and folders,
// narrowed by the ticked criteria, and optionally by content (size, first block, then every byte).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "disk_cleaners/file_categories.h"
#include "platform/file_system.h"

namespace trenmoor::disk_cleaners {

struct TScanResult {
    uint64_t Size = 0;
    platform::FileTime Modified = 0;  // UTC, converted to local time for display
    platform::FileTime Created = 0;
    std::string Folder;  // with a trailing backslash
};

struct TSearchStat {
    std::string FileName;
    std::vector<TScanResult> Items;  // the first is the group's first occurrence
    size_t count() const { return Items.size(); }
};

struct DuplicateCriteria {
    FileCategory Category = FileCategory::All;
    bool SameSize = false;
    bool SameDate = false;     // identical modification times to the millisecond
    bool SkipSmall = false;    // "When files size less than"
    uint32_t MinSizeKb = 10;   // used with SkipSmall
    bool SameContent = false;  // byte-identical copies only
};

struct DuplicateScanHooks {
    std::function<void(const std::string& folder)> onFolder;
    std::function<bool()> stop;
};

// Checked roots with every folder that lies inside another one dropped, so no file is walked twice
// (and so never reported as a duplicate of itself). Order of the first appearance is kept.
std::vector<std::string> IndependentRoots(const std::vector<std::string>& roots);

class DuplicateFinder {
  public:
    explicit DuplicateFinder(DuplicateCriteria criteria) : criteria_(criteria) {}

    // Walks the roots (see IndependentRoots), skipping `excluded` (the Windows folder) and links.
    // Returns false when stopped; the groups found so far stay.
    bool scan(platform::FileSystem& files, const std::vector<std::string>& roots, std::string_view excluded,
              const DuplicateScanHooks& hooks);
    // One directory entry (a file) in `folder` (no trailing backslash needed).
    void add(std::string_view folder, const platform::FindData& entry);
    // With SameContent: splits every group into byte-identical subgroups (called by scan). Files that
    // cannot be read leave their group. Returns false when stopped.
    bool narrowByContent(platform::FileSystem& files, const std::function<bool()>& stop);

    const std::vector<TSearchStat>& groups() const { return groups_; }
    // Kept as the scan goes, for the progress display.
    uint64_t duplicateGroups() const { return dupGroups_; }
    uint64_t duplicateFiles() const { return dupFiles_; }
    uint64_t filesSeen() const { return filesSeen_; }
    const DuplicateCriteria& criteria() const { return criteria_; }

  private:
    void recount();

    DuplicateCriteria criteria_;
    std::vector<TSearchStat> groups_;                 // discovery order
    std::unordered_map<std::string, size_t> byName_;  // file name -> index in groups_
    uint64_t dupGroups_ = 0, dupFiles_ = 0, filesSeen_ = 0;
};

}  // namespace trenmoor::disk_cleaners
