#pragma once
// The duplicate finder's result list: one header row per group of two or more, then its files,
// sorted inside each group by the chosen column; marking, cell texts and the status line.
#include <cstdint>
#include <string>
#include <vector>

#include "disk_cleaners/duplicate_finder.h"
#include "platform/clock.h"

namespace trenmoor::disk_cleaners {

enum class RowKind { Header = 0, File = 1 };
enum class SortKey { Folder = 1, Size = 2, Modified = 3, Created = 4 };

struct TSearchResult {
    bool Checked = false;
    RowKind Kind = RowKind::Header;
    std::string FileName;
    uint64_t Count = 0;
    uint32_t Group = 0;  // 1, 2, ... in display order
    uint64_t Size = 0;
    platform::FileTime Modified = 0;
    platform::FileTime Created = 0;
    std::string Folder;  // with a trailing backslash (file rows)

    std::string fullPath() const { return Folder + FileName; }
};

// "File Size" of a file row: "%dKB" of size / 1024 rounded to nearest (ties to even) when above 0,
// else "%dB".
std::string FileSizeText(uint64_t size);
// Date-time text of a file time in local time ("yyyy-mm-dd hh:mm:ss"); empty when not convertible.
std::string DateTimeText(platform::Clock& clock, platform::FileTime time);

class DuplicateResults {
  public:
    // Rebuilds the rows from the groups (checks are reset).
    void build(const std::vector<TSearchStat>& groups);
    // Column 0..3 choose folder, size, modified, created; the same column again reverses the order,
    // another column sorts ascending; column 4 only reverses. Rebuilds from `groups`.
    void columnClick(int column, const std::vector<TSearchStat>& groups);
    // Click on a row's check image: a file row toggles; an unchecked header checks its group except the
    // first file (the copy kept); a checked header unchecks its whole group.
    void toggleMark(size_t row);
    void reset();

    const std::vector<TSearchResult>& rows() const { return rows_; }
    SortKey sortKey() const { return key_; }
    bool descending() const { return descending_; }
    size_t groupCount() const { return groupCount_; }
    size_t fileRowCount() const { return rows_.size() - groupCount_; }

    // Cell text of the virtual list: 0 "Name and Path", 1 "File Size", 2 "Modified", 3 "Created", 4 "Group".
    std::string cellText(size_t row, int column, platform::Clock& clock) const;
    // "%d duplicate groups found where %d files are contained within."
    std::string statusText() const;

  private:
    std::vector<TSearchResult> rows_;
    SortKey key_ = SortKey::Modified;
    bool descending_ = true;
    size_t groupCount_ = 0;
};

}  // namespace trenmoor::disk_cleaners
