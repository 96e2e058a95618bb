#include "disk_cleaners/file_shredder.h"

#include <algorithm>

#include "disk_cleaners/folder_walk.h"
#include "platform/text_encoding.h"

namespace trenmoor::disk_cleaners {

namespace {

constexpr size_t kChunk = 1024 * 1024;  // even, so the "01" pattern stays aligned across chunks
constexpr int kMaxNameDraws = 100000;
constexpr uint32_t kProtectiveAttributes =
    platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem;

std::string Failure(std::string_view reason) {
    return "Shred Error: " + std::string(reason);
}

bool IsDriveRoot(std::string_view path) {
    return (path.size() == 2 || (path.size() == 3 && path[2] == '\\')) && path[1] == ':';
}

std::string ParentOf(std::string_view path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

// Clears read-only, hidden and system so the item can be written, renamed and removed.
bool MakeWritable(platform::FileSystem& files, std::string_view path, uint32_t attributes) {
    if ((attributes & kProtectiveAttributes) == 0) return true;
    uint32_t cleared =
        attributes & ~(kProtectiveAttributes | platform::kAttrDirectory | platform::kAttrReparsePoint);
    if (cleared == 0) cleared = platform::kAttrNormal;
    return files.setAttributes(path, cleared);
}

}  // namespace

FileShredder::FileShredder(platform::FileSystem& files, ShredLevel level, uint64_t seed)
    : files_(files), passes_(PassesFor(level)), random_(seed != 0 ? seed : std::random_device{}()) {}

std::string FileShredder::freeRandomName(std::string_view folder) {
    std::uniform_int_distribution<int> draw(0, 99999);
    for (int i = 0; i < kMaxNameDraws; ++i) {
        std::string name = std::to_string(draw(random_));
        if (!files_.attributes(JoinPath(folder, name))) return name;
    }
    return {};
}

bool FileShredder::overwrite(std::string_view path, std::string& error) {
    auto stream = files_.open(path, platform::OpenMode::ReadWrite);
    if (!stream) return error = "could not open the file", false;
    const auto size = stream->size();
    if (!size) return error = "could not read the file size", false;
    buffer_.resize(static_cast<size_t>(std::min<uint64_t>(*size, kChunk)));
    for (const ShredPass& pass : passes_) {
        if (!stream->seek(0, platform::SeekOrigin::Begin)) return error = "could not seek", false;
        for (uint64_t offset = 0; offset < *size;) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(kChunk, *size - offset));
            FillPass(pass, offset, buffer_.data(), n, random_);
            if (!stream->write(buffer_.data(), n)) return error = "could not write", false;
            offset += n;
        }
        // Each pass must reach the disk, or the cache would merge the passes into the last one.
        if (!stream->flushToDisk()) return error = "could not flush to the disk", false;
    }
    return true;
}

ShredItem FileShredder::shredFile(std::string_view path) {
    ShredItem item{std::string(path), false, {}};
    const auto attributes = files_.attributes(path);
    if (!attributes || (*attributes & platform::kAttrDirectory) != 0) {
        item.Status = Failure("not found");
        return item;
    }
    if ((*attributes & platform::kAttrReparsePoint) != 0) {  // a link: remove it, leave its target alone
        item.Ok = MakeWritable(files_, path, *attributes) && files_.deleteFile(path);
        item.Status = item.Ok ? std::string(kLinkRemoved) : Failure("could not remove the link");
        return item;
    }
    if (!MakeWritable(files_, path, *attributes)) {
        item.Status = Failure("could not clear the file attributes");
        return item;
    }
    std::string error;
    if (!overwrite(path, error)) {
        item.Status = Failure(error);
        return item;
    }
    const std::string folder = ParentOf(path);
    const std::string name = freeRandomName(folder);
    const std::string renamed = JoinPath(folder, name);
    if (name.empty() || !files_.renameFile(path, renamed)) {
        item.Status = Failure("could not rename");
        // The content is gone already; still remove the file under its own name.
        if (files_.deleteFile(path))
            item.Status = Failure("could not rename (content overwritten, file deleted)");
        return item;
    }
    if (!files_.deleteFile(renamed)) {
        item.Status = Failure("could not delete (content overwritten, left as " + renamed + ")");
        return item;
    }
    item.Ok = true;
    item.Status = std::string(kShredded);
    return item;
}

bool FileShredder::shredPath(std::string_view path, const Report& report, const std::function<bool()>& stop) {
    std::string p = NormalizeFolder(path);
    // "C:" alone names the current folder of drive C, not its root: a drive is always "C:\".
    if (IsDriveRoot(p)) p += '\\';
    const auto attributes = files_.attributes(p);
    if (attributes && (*attributes & platform::kAttrDirectory) != 0 &&
        (*attributes & platform::kAttrReparsePoint) == 0) {
        return shredFolder(p, report, stop);
    }
    if (attributes && (*attributes & platform::kAttrDirectory) != 0) {  // a junction: remove the link only
        ShredItem item{p, files_.removeDirectory(p), {}};
        item.Status = item.Ok ? std::string(kLinkRemoved) : Failure("could not remove the link");
        if (report) report(item);
        return item.Ok;
    }
    const ShredItem item = shredFile(p);
    if (report) report(item);
    return item.Ok;
}

bool FileShredder::shredFolder(const std::string& root, const Report& report,
                               const std::function<bool()>& stop) {
    bool allOk = true;
    // Post-order without recursion: a folder is removed after everything inside it.
    struct Pending {
        std::string folder;
        bool expanded;
    };
    std::vector<Pending> stack{{root, false}};
    while (!stack.empty()) {
        if (stop && stop()) return false;
        Pending& top = stack.back();
        if (top.expanded) {
            const std::string folder = std::move(top.folder);
            stack.pop_back();
            if (IsDriveRoot(folder)) continue;  // a drive's contents are shredded, the drive stays
            ShredItem item{folder, false, {}};
            if (const auto a = files_.attributes(folder)) (void)MakeWritable(files_, folder, *a);
            item.Ok = files_.removeDirectory(folder);
            item.Status = item.Ok ? std::string(kFolderRemoved) : Failure("could not remove the folder");
            allOk = allOk && item.Ok;
            if (report) report(item);
            continue;
        }
        top.expanded = true;
        const std::string folder = top.folder;
        std::vector<std::string> fileEntries, subfolders;
        std::vector<std::pair<std::string, bool>> links;  // path, is a folder link
        const bool listed = files_.find(JoinPath(folder, "*"), [&](const platform::FindData& e) {
            std::string full = JoinPath(folder, e.name);
            if (e.isReparsePoint()) {
                links.emplace_back(std::move(full), e.isDirectory());
            } else if (e.isDirectory()) {
                subfolders.push_back(std::move(full));
            } else {
                fileEntries.push_back(std::move(full));
            }
            return true;
        });
        if (!listed) {
            ShredItem item{folder, false, Failure("could not list the folder")};
            allOk = false;
            if (report) report(item);
        }
        for (const std::string& f : fileEntries) {
            if (stop && stop()) return false;
            const ShredItem item = shredFile(f);
            allOk = allOk && item.Ok;
            if (report) report(item);
        }
        for (const auto& [l, isDir] : links) {
            ShredItem item{l, isDir ? files_.removeDirectory(l) : files_.deleteFile(l), {}};
            item.Status = item.Ok ? std::string(kLinkRemoved) : Failure("could not remove the link");
            allOk = allOk && item.Ok;
            if (report) report(item);
        }
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
            stack.push_back({std::move(*it), false});
    }
    return allOk;
}

std::string ShredCompletionText(const std::vector<ShredItem>& items) {
    std::string failed;
    for (const ShredItem& i : items) {
        if (!i.Ok) failed += "\r" + i.Path;
    }
    if (failed.empty()) return "File Shreds Completed Successfully!";
    return "These items could not be shredded:" + failed;
}

std::vector<std::string> RecycleBinFiles(platform::FileSystem& files) {
    std::vector<std::string> out;
    const std::string sys = files.systemDirectory();
    if (sys.size() < 3) return out;
    const std::string root = sys.substr(0, 3);
    const auto listFolder = [&](const std::string& folder, bool descendOnce) {
        files.find(JoinPath(folder, "*"), [&](const platform::FindData& e) {
            if (e.isReparsePoint()) return true;
            if (platform::EqualsNoCase(e.name, "INFO2") || platform::EqualsNoCase(e.name, "desktop.ini"))
                return true;
            const std::string full = JoinPath(folder, e.name);
            if (e.isDirectory() && descendOnce) {
                // The per-user bins of "RECYCLER" and "$Recycle.Bin" hold the deleted items.
                files.find(JoinPath(full, "*"), [&](const platform::FindData& inner) {
                    if (inner.isReparsePoint()) return true;
                    if (platform::EqualsNoCase(inner.name, "INFO2") ||
                        platform::EqualsNoCase(inner.name, "desktop.ini"))
                        return true;
                    out.push_back(JoinPath(full, inner.name));
                    return true;
                });
                return true;
            }
            out.push_back(full);
            return true;
        });
    };
    listFolder(root + "Recycled", false);
    listFolder(root + "RECYCLER", true);
    listFolder(root + "$Recycle.Bin", true);
    return out;
}

}  // namespace trenmoor::disk_cleaners
