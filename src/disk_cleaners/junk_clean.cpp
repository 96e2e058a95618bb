#include "disk_cleaners/junk_clean.h"

#include "disk_cleaners/folder_walk.h"

namespace trenmoor::disk_cleaners {

namespace {

std::string_view BaseName(std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool Exists(platform::FileSystem& files, const std::string& path) {
    return files.attributes(path).has_value();
}

// Rename first; across volumes a rename fails, then copy and delete the original.
bool MoveFile(platform::FileSystem& files, std::string_view from, const std::string& to) {
    if (files.renameFile(from, to)) return true;
    if (!files.copyFile(from, to, true)) return false;
    if (files.deleteFile(from)) return true;
    (void)files.deleteFile(to);  // the original stays: do not leave a second copy behind
    return false;
}

}  // namespace

std::string FreeTargetPath(platform::FileSystem& files, std::string_view folder, std::string_view fileName) {
    const std::string dir = NormalizeFolder(folder);
    std::string candidate = JoinPath(dir, fileName);
    if (!Exists(files, candidate)) return candidate;
    const size_t dot = fileName.rfind('.');
    const std::string_view stem =
        dot == std::string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot);
    const std::string_view ext = stem.size() == fileName.size() ? std::string_view() : fileName.substr(dot);
    for (int n = 2;; ++n) {
        candidate = JoinPath(dir, std::string(stem) + " (" + std::to_string(n) + ")" + std::string(ext));
        if (!Exists(files, candidate)) return candidate;
    }
}

std::string_view CleanJunkFile(platform::FileSystem& files, platform::Shell& shell, CleanMode mode,
                               std::string_view path, std::string_view destFolder) {
    switch (mode) {
        case CleanMode::Delete:
            return files.deleteFile(path) ? kStatusFileDeleted : kStatusDeletedError;
        case CleanMode::RecycleBin:
            // The shell answers 0 for a path that is already gone; only an existing file counts as cleaned.
            if (!files.fileExists(path)) return kStatusDeletedError;
            return shell.recycle(path) == 0 && !files.fileExists(path) ? kStatusFileDeleted
                                                                       : kStatusDeletedError;
        case CleanMode::MoveToFolder:
            if (destFolder.empty() || !files.directoryExists(destFolder)) return kStatusMovedError;
            if (const std::string_view name = BaseName(path);
                name.size() < path.size() &&
                IsSameOrBelow(destFolder, path.substr(0, path.size() - name.size())) &&
                IsSameOrBelow(path.substr(0, path.size() - name.size()), destFolder)) {
                return kStatusFileMoved;  // already in the destination folder
            }
            return MoveFile(files, path, FreeTargetPath(files, destFolder, BaseName(path)))
                       ? kStatusFileMoved
                       : kStatusMovedError;
    }
    return kStatusDeletedError;
}

}  // namespace trenmoor::disk_cleaners
