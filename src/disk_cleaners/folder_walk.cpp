#include "disk_cleaners/folder_walk.h"

#include <vector>

#include "platform/text_encoding.h"

namespace trenmoor::disk_cleaners {

std::string NormalizeFolder(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        const char c = path[i] == '/' ? '\\' : path[i];
        // Keep a leading "\\" (UNC); collapse doubled separators elsewhere.
        if (c == '\\' && !out.empty() && out.back() == '\\' && i > 1) continue;
        out += c;
    }
    while (out.size() > 1 && out.back() == '\\') out.pop_back();
    return out;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out;
    out.reserve(folder.size() + 1 + name.size());
    out.append(folder);
    if (out.empty() || out.back() != '\\') out += '\\';
    out.append(name);
    return out;
}

bool IsSameOrBelow(std::string_view path, std::string_view folder) {
    const std::string p = NormalizeFolder(path);
    const std::string f = NormalizeFolder(folder);
    if (f.empty() || p.size() < f.size()) return false;
    if (!platform::EqualsNoCase(std::string_view(p).substr(0, f.size()), f)) return false;
    return p.size() == f.size() || p[f.size()] == '\\' || f.back() == '\\';
}

bool WalkFiles(platform::FileSystem& files, std::string_view root, std::string_view excluded,
               const WalkCallbacks& cb) {
    const std::string excludedFolder = excluded.empty() ? std::string() : NormalizeFolder(excluded);
    const auto isExcluded = [&](const std::string& folder) {
        return !excludedFolder.empty() && folder.size() == excludedFolder.size() &&
               platform::EqualsNoCase(folder, excludedFolder);
    };
    // An explicit stack instead of recursion: folder depth is bounded only by the path length.
    std::vector<std::string> pending{NormalizeFolder(root)};
    if (isExcluded(pending.back())) return true;
    std::vector<std::string> subfolders;
    bool stopped = false;
    while (!pending.empty() && !stopped) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        if (cb.onFolder) cb.onFolder(folder);
        subfolders.clear();
        const auto onEntry = [&](const platform::FindData& e) {
            if (cb.stop && cb.stop()) {
                stopped = true;
                return false;
            }
            if (e.isDirectory()) {
                if (e.isReparsePoint() || e.name == "." || e.name == "..") return true;
                std::string sub = JoinPath(folder, e.name);
                if (!isExcluded(sub)) subfolders.push_back(std::move(sub));
            } else if (!e.isReparsePoint() && cb.onFile) {  // a file link is not followed either
                cb.onFile(folder, e);
            }
            return true;
        };
        const std::string pattern = JoinPath(folder, "*");
        if (cb.needDetails) {
            files.find(pattern, onEntry);
        } else {
            files.findNames(pattern, onEntry);
        }
        // Reverse, so the first subfolder found is walked first.
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) pending.push_back(std::move(*it));
    }
    return !stopped;
}

}  // namespace trenmoor::disk_cleaners
