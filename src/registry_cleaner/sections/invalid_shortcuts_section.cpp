// Invalid Shortcuts: every shortcut file on the fixed drives whose target is gone. The walk never
// enters a junction or symbolic link (a loop would never end, a link could lead off the drive), and the
// repair moves the shortcut to the recycle bin, where the user can get it back.
#include <array>
#include <functional>

#include "common/shared_helpers.h"
#include "platform/text_encoding.h"
#include "registry_cleaner/sections/leftover_sections.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

// The attribute words of the entries the walk counts (and, for folders, enters): hidden, system,
// folder, read-only hidden system folder, hidden system folder, archive, normal, temporary.
constexpr std::array<uint32_t, 8> kCountedAttributes = {2, 4, 16, 19, 22, 32, 128, 256};
constexpr uint64_t kShowEvery = 200;

bool ContainsRecent(std::string_view path) {
    return platform::UpperUtf8(path).find("RECENT") != std::string::npos;
}

// A shortcut file: the extension ".lnk" in any letter case.
bool IsShortcutName(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot != std::string_view::npos && platform::EqualsNoCase(name.substr(dot), ".lnk");
}

bool IsCounted(uint32_t attributes) {
    for (const uint32_t a : kCountedAttributes)
        if (a == attributes) return true;
    return false;
}

class ShortcutWalk {
  public:
    explicit ShortcutWalk(SectionScan& scan) : scan_(scan) {}

    // False when the scan was aborted.
    bool ScanFolder(const std::string& folder) {
        bool aborted = false;
        (void)scan_.Files().find(folder + "\\*.*", [&](const platform::FindData& entry) {
            if (!scan_.Continue()) {
                aborted = true;
                return false;
            }
            const std::string path = folder + "\\" + entry.name;
            // An entry named like the recent-documents folder ends the listing of this folder.
            if (ContainsRecent(path)) return false;
            // Junctions and symbolic links are never entered nor read as shortcuts.
            if (entry.isReparsePoint()) return true;
            if (IsCounted(entry.attributes)) {
                if (++counted_ % kShowEvery == 0) scan_.ShowEntry(path);
                scan_.Tick();
                if (entry.isDirectory() && !ScanFolder(path)) {
                    aborted = true;
                    return false;
                }
            }
            if (!entry.isDirectory() && IsShortcutName(entry.name))
                return ExamineShortcut(folder, entry.name, path);
            return true;
        });
        return !aborted;
    }

  private:
    // False when an ignore entry ends the scan of this folder.
    bool ExamineShortcut(const std::string& folder, const std::string& name, const std::string& path) {
        const std::optional<std::string> target = scan_.Context().platform.shell().resolveShortcut(path);
        if (!target || target->empty()) return true;
        const std::string& t = *target;
        // Network targets come back in their UNC form, which the excluded drives would not catch.
        if (!PassesLocationRules(scan_.ExcludedDrives(), t)) return true;
        if (t.find("//") != std::string::npos) return true;
        // A target is there when a file or a folder of its name is, whatever its name looks like.
        if (scan_.Files().fileExists(t) || scan_.Files().directoryExists(t)) return true;
        if (scan_.IsIgnored(path, t)) return false;

        TContent& problem = scan_.AddProblem();
        problem.KeyPath = path;
        problem.KeyName = path;
        problem.ValueName = t;
        problem.Title = "Invalid Shortcut";
        problem.Severity = "Low";
        problem.Description = "The shortcut " + name + " in the folder " + folder + "\\" + name +
                              " linked to a missing target.";
        return true;
    }

    SectionScan& scan_;
    uint64_t counted_ = 0;
};

}  // namespace

void ScanInvalidShortcuts(SectionScan& scan, platform::RootKey /*root*/, std::string_view /*path*/) {
    ShortcutWalk walk(scan);
    for (const std::string& drive : scan.Files().logicalDrives()) {
        if (scan.Aborted()) return;
        const char letter = static_cast<char>(drive.front() & ~0x20);
        if (letter < 'C' || letter > 'Z') continue;
        if (scan.Files().driveType(drive) != platform::DriveType::Fixed) continue;
        if (!walk.ScanFolder(drive.substr(0, 2))) return;
    }
}

RepairOutcome RepairInvalidShortcut(AppContext& ctx, const TContent& problem) {
    platform::FileSystem& files = ctx.platform.files();
    const std::string& path = problem.KeyName;
    if (path.empty()) return {false, "the problem names no shortcut file"};
    if (!files.fileExists(path)) return {true, {}};
    const int result = ctx.platform.shell().recycle(path);
    if (result == platform::Shell::kShellNotSupported)
        return {false, "there is no recycle bin to move the shortcut to; it was left in place"};
    if (files.fileExists(path))
        return {false, "the shortcut could not be moved to the recycle bin (shell error " +
                           std::to_string(result) + ")"};
    return {true, {}};
}

}  // namespace trenmoor::registry_cleaner
