#include "disk_cleaners/duplicate_finder.h"

#include "disk_cleaners/content_compare.h"
#include "disk_cleaners/folder_walk.h"

#include <algorithm>
#include <cstdint>

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

namespace {
constexpr size_t kNameBlock = 1 << 20;
}

uint32_t DuplicateFinder::folderIndex(std::string_view folder) {
    // Entries arrive folder by folder: one comparison finds the folder of the previous entry.
    if (lastFolderIndex_ != kNone && folder == lastFolder_) return lastFolderIndex_;
    lastFolder_.assign(folder);
    folders_.push_back(WithBackslash(folder));
    lastFolderIndex_ = static_cast<uint32_t>(folders_.size() - 1);
    return lastFolderIndex_;
}

const char* DuplicateFinder::storeName(std::string_view name) {
    if (nameBlocks_.empty() || blockUsed_ + name.size() > kNameBlock) {
        nameBlocks_.push_back(std::make_unique<char[]>(std::max(kNameBlock, name.size())));
        blockUsed_ = 0;
    }
    char* at = nameBlocks_.back().get() + blockUsed_;
    std::copy(name.begin(), name.end(), at);
    blockUsed_ += name.size();
    return at;
}

namespace {
uint64_t HashTag(size_t hash) {
    return static_cast<uint64_t>(static_cast<uint32_t>(hash >> 16)) << 32;
}
uint32_t GroupOf(uint64_t slot) {
    return static_cast<uint32_t>(slot);
}
}  // namespace

uint64_t* DuplicateFinder::slotFor(std::string_view name, size_t hash) {
    const size_t mask = table_.size() - 1;
    const uint64_t tag = HashTag(hash);
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        uint64_t& slot = table_[i];
        if (slot == 0 ||
            ((slot & ~uint64_t{0xFFFFFFFF}) == tag && nameOf(groups_[GroupOf(slot) - 1]) == name))
            return &slot;
    }
}

void DuplicateFinder::grow() {
    std::vector<uint64_t> old = std::move(table_);
    table_.assign(old.empty() ? 1024 : old.size() * 2, 0);
    for (const uint64_t slot : old) {
        if (slot != 0) {
            const std::string_view n = nameOf(groups_[GroupOf(slot) - 1]);
            *slotFor(n, std::hash<std::string_view>{}(n)) = slot;
        }
    }
}

DuplicateFinder::Item DuplicateFinder::itemOf(uint32_t folder, const platform::FindData& e) const {
    return {e.size, e.lastWriteTime, e.creationTime, folder, e.detailsKnown};
}

void DuplicateFinder::complete(Item& item, std::string_view name) const {
    if (item.known || !files_) return;
    std::string path = folders_[item.folder];
    path.append(name);
    if (const std::optional<platform::FindData> details = files_->stat(path)) {
        item.size = details->size;
        item.modified = details->lastWriteTime;
        item.created = details->creationTime;
    }
    item.known = true;
}

void DuplicateFinder::add(std::string_view folder, const platform::FindData& e) {
    ++filesSeen_;
    if (narrowed_) return;  // the walk is over once contents were compared
    const bool bigEnough = !criteria_.SkipSmall || e.size >= uint64_t{criteria_.MinSizeKb} * 1024;
    if (table_.empty() || (groups_.size() + 1) * 2 > table_.size()) grow();
    const std::string_view name = e.name;
    const size_t hash = std::hash<std::string_view>{}(name);
    uint64_t* slot = slotFor(name, hash);
    if (*slot == 0) {
        if (name.find('.') == std::string_view::npos || !bigEnough || !InCategory(criteria_.Category, name))
            return;
        if (name.size() > UINT16_MAX) return;
        groups_.push_back(
            {itemOf(folderIndex(folder), e), storeName(name), kNone, static_cast<uint16_t>(name.size())});
        *slot = HashTag(hash) | static_cast<uint32_t>(groups_.size());
        return;
    }
    Group& g = groups_[GroupOf(*slot) - 1];
    // Every criterion is judged against the group's first occurrence.
    if (!bigEnough || !InCategory(criteria_.Category, name)) return;
    if (criteria_.SameSize && e.size != g.first.size) return;
    if (criteria_.SameDate && e.lastWriteTime / kTicksPerMs != g.first.modified / kTicksPerMs) return;
    Item item = itemOf(folderIndex(folder), e);
    complete(item, name);
    if (g.more == kNone) {
        complete(g.first, name);
        g.more = static_cast<uint32_t>(more_.size());
        more_.emplace_back();
        ++dupGroups_;
        ++dupFiles_;
    }
    more_[g.more].push_back(item);
    ++dupFiles_;
    viewStale_ = true;
}

const std::vector<TSearchStat>& DuplicateFinder::groups() const {
    if (!viewStale_ || narrowed_) return view_;
    view_.clear();
    const auto record = [this](const Item& i) {
        return TScanResult{i.size, i.modified, i.created, folders_[i.folder]};
    };
    for (const Group& g : groups_) {
        if (g.more == kNone) continue;
        TSearchStat s{std::string(nameOf(g)), {}};
        s.Items.reserve(1 + more_[g.more].size());
        s.Items.push_back(record(g.first));
        for (const Item& i : more_[g.more]) s.Items.push_back(record(i));
        view_.push_back(std::move(s));
    }
    viewStale_ = false;
    return view_;
}

bool DuplicateFinder::scan(platform::FileSystem& files, const std::vector<std::string>& roots,
                           std::string_view excluded, const DuplicateScanHooks& hooks) {
    WalkCallbacks cb;
    cb.onFolder = hooks.onFolder;
    cb.stop = hooks.stop;
    cb.onFile = [this](const std::string& folder, const platform::FindData& e) { add(folder, e); };
    // Most names occur once: without a size or date criterion, only the copies need their details.
    cb.needDetails = criteria_.SameSize || criteria_.SameDate || criteria_.SkipSmall;
    files_ = &files;
    struct Forget {
        platform::FileSystem*& files;
        ~Forget() { files = nullptr; }
    } forget{files_};
    for (const std::string& root : IndependentRoots(roots)) {
        if (!WalkFiles(files, root, excluded, cb)) return false;
    }
    if (criteria_.SameContent) return narrowByContent(files, hooks.stop);
    return true;
}

bool DuplicateFinder::narrowByContent(platform::FileSystem& files, const std::function<bool()>& stop) {
    std::vector<TSearchStat> candidates = groups();
    std::vector<TSearchStat> narrowed;
    narrowed.reserve(candidates.size());
    bool stopped = false;
    for (TSearchStat& g : candidates) {
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
    // The compact index is no longer needed: the narrowed records are the result.
    view_.clear();
    dupGroups_ = dupFiles_ = 0;
    for (TSearchStat& g : narrowed) {
        if (g.Items.size() < 2) continue;
        ++dupGroups_;
        dupFiles_ += g.Items.size();
        view_.push_back(std::move(g));
    }
    narrowed_ = true;
    viewStale_ = false;
    std::vector<Group>().swap(groups_);
    std::vector<std::vector<Item>>().swap(more_);
    std::vector<uint64_t>().swap(table_);
    std::vector<std::unique_ptr<char[]>>().swap(nameBlocks_);
    std::vector<std::string>().swap(folders_);
    return !stopped;
}

}  // namespace trenmoor::disk_cleaners
