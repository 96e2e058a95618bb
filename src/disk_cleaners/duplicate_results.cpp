#include "disk_cleaners/duplicate_results.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace trenmoor::disk_cleaners {

std::string FileSizeText(uint64_t size) {
    // Round half to even in integers: q + (r > 512 || (r == 512 && q odd)).
    const uint64_t q = size / 1024, r = size % 1024;
    const uint64_t kb = q + ((r > 512 || (r == 512 && (q & 1) != 0)) ? 1 : 0);
    return kb > 0 ? std::to_string(kb) + "KB" : std::to_string(size) + "B";
}

std::string DateTimeText(platform::Clock& clock, platform::FileTime time) {
    const auto t = clock.toLocal(time);
    if (!t) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t->year, t->month, t->day, t->hour,
                  t->minute, t->second);
    return buf;
}

void DuplicateResults::reset() {
    rows_.clear();
    groupCount_ = 0;
    key_ = SortKey::Modified;
    descending_ = true;
}

void DuplicateResults::build(const std::vector<TSearchStat>& groups) {
    rows_.clear();
    groupCount_ = 0;
    const auto less = [this](const TScanResult& a, const TScanResult& b) {
        switch (key_) {
            case SortKey::Folder:
                return a.Folder < b.Folder;
            case SortKey::Size:
                return a.Size < b.Size;
            case SortKey::Modified:
                return a.Modified < b.Modified;
            case SortKey::Created:
                return a.Created < b.Created;
        }
        return false;
    };
    std::vector<size_t> order;
    for (const TSearchStat& g : groups) {
        if (g.Items.size() < 2) continue;
        order.resize(g.Items.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return descending_ ? less(g.Items[b], g.Items[a]) : less(g.Items[a], g.Items[b]);
        });
        const auto group = static_cast<uint32_t>(++groupCount_);
        TSearchResult header;
        header.Kind = RowKind::Header;
        header.FileName = g.FileName;
        header.Count = g.Items.size();
        header.Group = group;
        rows_.push_back(std::move(header));
        for (const size_t i : order) {
            const TScanResult& r = g.Items[i];
            rows_.push_back({false, RowKind::File, g.FileName, g.Items.size(), group, r.Size, r.Modified,
                             r.Created, r.Folder});
        }
    }
}

void DuplicateResults::columnClick(int column, const std::vector<TSearchStat>& groups) {
    descending_ = !descending_;
    if (column >= 0 && column <= 3) {
        const auto key = static_cast<SortKey>(column + 1);
        if (key != key_) descending_ = false;
        key_ = key;
    }
    build(groups);
}

void DuplicateResults::toggleMark(size_t row) {
    if (row >= rows_.size()) return;
    TSearchResult& r = rows_[row];
    if (r.Kind == RowKind::File) {
        r.Checked = !r.Checked;
        return;
    }
    const bool check = !r.Checked;
    r.Checked = check;
    bool first = true;
    for (size_t i = row + 1; i < rows_.size() && rows_[i].Kind == RowKind::File; ++i) {
        rows_[i].Checked = check && !first;
        first = false;
    }
}

std::string DuplicateResults::cellText(size_t row, int column, platform::Clock& clock) const {
    if (row >= rows_.size()) return {};
    const TSearchResult& r = rows_[row];
    const bool header = r.Kind == RowKind::Header;
    switch (column) {
        case 0:
            return header ? r.FileName : r.Folder;
        case 1:
            return header ? std::to_string(r.Count) + " files" : FileSizeText(r.Size);
        case 2:
            return header ? std::string() : DateTimeText(clock, r.Modified);
        case 3:
            return header ? std::string() : DateTimeText(clock, r.Created);
        case 4:
            return std::to_string(r.Group);
        case 5:
            return header ? "0" : "1";  // the hidden row-kind column
        default:
            return {};
    }
}

std::string DuplicateResults::statusText() const {
    return std::to_string(groupCount_) + " duplicate groups found where " + std::to_string(fileRowCount()) +
           " files are contained within.";
}

}  // namespace trenmoor::disk_cleaners
