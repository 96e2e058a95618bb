#include "disk_cleaners/duplicate_delete.h"

namespace trenmoor::disk_cleaners {

DeletionCounts DeleteMarked(
    platform::FileSystem& files, platform::Shell& shell, const std::vector<TSearchResult>& rows,
    bool toRecycleBin, const std::function<void(const std::string& path, std::string_view status)>& onRow,
    const std::function<void()>& between) {
    DeletionCounts c;
    for (const TSearchResult& r : rows) {
        if (r.Kind != RowKind::File) continue;
        ++c.Found;
        if (!r.Checked) continue;
        ++c.Selected;
        const std::string path = r.fullPath();
        bool ok;
        if (toRecycleBin) {
            // The shell answers 0 for a path that no longer exists: success means the file left its place.
            ok = files.fileExists(path) && shell.recycle(path) == 0 && !files.fileExists(path);
        } else {
            ok = files.deleteFile(path);
        }
        ++(ok ? c.Deleted : c.Failed);
        if (onRow) onRow(path, ok ? kStatusSucceeded : kStatusFailed);
        if (between) between();
    }
    return c;
}

std::string DeletionFoundText(const DeletionCounts& c) {
    return std::to_string(c.Found) + " files have been found. " + std::to_string(c.Selected) +
           " files were selected for deletion.";
}
std::string DeletionDeletedText(const DeletionCounts& c) {
    return std::to_string(c.Deleted) + " files have been deleted successfully.";
}
std::string DeletionFailedText(const DeletionCounts& c) {
    return "Fail to delete " + std::to_string(c.Failed) + " files.";
}

}  // namespace trenmoor::disk_cleaners
