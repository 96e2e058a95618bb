#pragma once
// The duplicate finder: files grouped by name (exact, with case) over the chosen drives and folders,
// narrowed by the ticked criteria, and optionally by content (size, first block, then every byte).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
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
    // cannot be read leave their group. Returns false when stopped (unchecked groups are dropped).
    bool narrowByContent(platform::FileSystem& files, const std::function<bool()>& stop);

    // The groups of two or more occurrences, in discovery order.
    const std::vector<TSearchStat>& groups() const;
    // Kept as the scan goes, for the progress display.
    uint64_t duplicateGroups() const { return dupGroups_; }
    uint64_t duplicateFiles() const { return dupFiles_; }
    uint64_t filesSeen() const { return filesSeen_; }
    const DuplicateCriteria& criteria() const { return criteria_; }

  private:
    // A whole drive has one group per distinct name, almost all of them single: they are kept compact
    // (names in blocks, folders interned, one open-addressing table of indices).
    struct Item {
        uint64_t size;
        platform::FileTime modified, created;
        uint32_t folder;
        bool known;  // size and times filled (a names-only walk leaves them to when a copy turns up)
    };
    struct Group {
        Item first;
        const char* name;
        uint32_t more;  // index into more_, or kNone
        uint16_t nameLength;
    };
    static constexpr uint32_t kNone = ~0u;

    std::string_view nameOf(const Group& g) const { return {g.name, g.nameLength}; }
    uint32_t folderIndex(std::string_view folder);
    const char* storeName(std::string_view name);
    uint64_t* slotFor(std::string_view name, size_t hash);
    void grow();
    Item itemOf(uint32_t folder, const platform::FindData& e) const;
    // Fills the size and times of an occurrence the walk gave without them.
    void complete(Item& item, std::string_view name) const;

    DuplicateCriteria criteria_;
    platform::FileSystem* files_ = nullptr;  // during scan(): asked for details the walk left out
    std::vector<Group> groups_;              // discovery order
    std::vector<std::vector<Item>> more_;    // second and later occurrences
    // Per slot: the name's hash in the high half (compared before the name), group index + 1 in the
    // low half; 0 is empty.
    std::vector<uint64_t> table_;
    std::vector<std::unique_ptr<char[]>> nameBlocks_;
    size_t blockUsed_ = 0;
    std::vector<std::string> folders_;  // with a trailing backslash
    std::string lastFolder_;
    uint32_t lastFolderIndex_ = kNone;
    mutable std::vector<TSearchStat> view_;  // groups() as records, rebuilt when stale
    mutable bool viewStale_ = true;
    bool narrowed_ = false;
    uint64_t dupGroups_ = 0, dupFiles_ = 0, filesSeen_ = 0;
};

}  // namespace trenmoor::disk_cleaners
