#include "disk_cleaners/duplicate_finder.h"

#include "disk_cleaners/content_compare.h"
#include "disk_cleaners/folder_walk.h"

namespace trenmoor::disk_cleaners {

namespace {

constexpr uint64_t kTicksPerMs = 10000;  // file times count 100-ns intervals

std::string WithBackslash(std::string_view folder) {
    std::string f = NormalizeFolder(folder);
    if (f.empty() || f.back() != '\\') f += '\\';
    return f;
}

}  // namespace

std::vector<std::string> IndependentRoots(const std::vector<std::string>& roots) {
    std::vector<std::string> out;
    for (const std::string& root : roots) {
        const std::string r = NormalizeFolder(root);
        bool covered = false;
        for (const std::string& kept : roots) {
            const std::string k = NormalizeFolder(kept);
            // Strictly inside another root, or an equal root listed earlier.
            if (IsSameOrBelow(r, k) && (!IsSameOrBelow(k, r) || &kept < &root)) {
                covered = true;
                break;
            }
        }
        if (!covered) out.push_back(r);
    }
    return out;
}

void DuplicateFinder::add(std::string_view folder, const platform::FindData& e) {
    ++filesSeen_;
    const bool bigEnough = !criteria_.SkipSmall || e.size >= uint64_t{criteria_.MinSizeKb} * 1024;
    auto it = byName_.find(e.name);
    if (it == byName_.end()) {
        if (e.name.find('.') == std::string::npos || !bigEnough || !InCategory(criteria_.Category, e.name))
            return;
        byName_.emplace(e.name, groups_.size());
        groups_.push_back({e.name, {{e.size, e.lastWriteTime, e.creationTime, WithBackslash(folder)}}});
        return;
    }
    TSearchStat& g = groups_[it->second];
    const TScanResult& first = g.Items.front();
    // Every criterion is judged against the group's first occurrence.
    if (!bigEnough || !InCategory(criteria_.Category, e.name)) return;
    if (criteria_.SameSize && e.size != first.Size) return;
    if (criteria_.SameDate && e.lastWriteTime / kTicksPerMs != first.Modified / kTicksPerMs) return;
    g.Items.push_back({e.size, e.lastWriteTime, e.creationTime, WithBackslash(folder)});
    if (g.Items.size() == 2) {
        ++dupGroups_;
        dupFiles_ += 2;
    } else {
        ++dupFiles_;
    }
}

bool DuplicateFinder::scan(platform::FileSystem& files, const std::vector<std::string>& roots,
                           std::string_view excluded, const DuplicateScanHooks& hooks) {
    WalkCallbacks cb;
    cb.onFolder = hooks.onFolder;
    cb.stop = hooks.stop;
    cb.onFile = [this](const std::string& folder, const platform::FindData& e) { add(folder, e); };
    for (const std::string& root : IndependentRoots(roots)) {
        if (!WalkFiles(files, root, excluded, cb)) return false;
    }
    if (criteria_.SameContent) return narrowByContent(files, hooks.stop);
    return true;
}

bool DuplicateFinder::narrowByContent(platform::FileSystem& files, const std::function<bool()>& stop) {
    std::vector<TSearchStat> narrowed;
    narrowed.reserve(groups_.size());
    bool stopped = false;
    for (TSearchStat& g : groups_) {
        if (g.Items.size() < 2) {
            narrowed.push_back(std::move(g));
            continue;
        }
        if (stopped) continue;  // never show a group whose content was not compared
        std::vector<std::string> paths;
        std::vector<uint64_t> sizes;
        paths.reserve(g.Items.size());
        for (const TScanResult& r : g.Items) {
            paths.push_back(r.Folder + g.FileName);
            sizes.push_back(r.Size);
        }
        const auto parts = SplitByContent(files, paths, sizes, stop);
        if (!parts) {
            stopped = true;
            continue;
        }
        for (const std::vector<size_t>& part : *parts) {
            TSearchStat sub{g.FileName, {}};
            sub.Items.reserve(part.size());
            for (const size_t i : part) sub.Items.push_back(g.Items[i]);
            narrowed.push_back(std::move(sub));
        }
    }
    groups_ = std::move(narrowed);
    byName_.clear();  // names may now repeat; the walk is over
    recount();
    return !stopped;
}

void DuplicateFinder::recount() {
    dupGroups_ = dupFiles_ = 0;
    for (const TSearchStat& g : groups_) {
        if (g.Items.size() < 2) continue;
        ++dupGroups_;
        dupFiles_ += g.Items.size();
    }
}

}  // namespace trenmoor::disk_cleaners
