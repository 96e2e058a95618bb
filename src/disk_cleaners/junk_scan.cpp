#include "disk_cleaners/junk_scan.h"

#include "disk_cleaners/folder_walk.h"

namespace trenmoor::disk_cleaners {

bool ScanForJunk(platform::FileSystem& files, std::string_view root, const JunkMatcher& matcher,
                 std::vector<TTempFileInfo>& found, const JunkScanHooks& hooks) {
    WalkCallbacks cb;
    cb.onFolder = hooks.onFolder;
    cb.stop = hooks.stop;
    cb.needDetails = false;  // only the few junk files need their size
    cb.onFile = [&](const std::string& folder, const platform::FindData& e) {
        const auto type = matcher.match(e.name);
        if (!type) return;
        std::string path = JoinPath(folder, e.name);
        uint64_t size = e.size;
        if (!e.detailsKnown) {
            const std::optional<platform::FindData> details = files.stat(path);
            size = details ? details->size : 0;
        }
        found.push_back({e.name, std::move(path), size, *type});
        if (hooks.onFound) hooks.onFound(found.back());
    };
    return WalkFiles(files, root, files.windowsDirectory(), cb);
}

std::string DriveOf(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return {};
    char letter = path[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z') return {};
    return std::string{letter, ':'};
}

std::vector<std::string> FixedDrives(platform::FileSystem& files) {
    std::vector<std::string> out;
    for (const std::string& root : files.logicalDrives()) {
        if (files.driveType(root) != platform::DriveType::Fixed) continue;
        // A drive that cannot report its space is not ready; a full drive is offered, it needs cleaning most.
        if (!files.freeSpace(root)) continue;
        out.push_back(DriveOf(root));
    }
    return out;
}

}  // namespace trenmoor::disk_cleaners
