// Font Entries: every value of the Fonts key names a font file, looked for in the Windows Fonts folder,
// or where it says when the value holds a complete path. A file that is not there makes the value a
// problem.
#include "common/shared_helpers.h"
#include "registry_cleaner/sections/file_reference_sections.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The Windows folder without its trailing backslash, as the system reports it.
std::string WindowsFolder(platform::FileSystem& files) {
    std::string w = files.windowsDirectory();
    while (!w.empty() && w.back() == '\\') w.pop_back();
    return w;
}

// "C:\..." or "\\server\...": Windows loads such a font from where it says, not from the Fonts folder.
bool IsCompletePath(std::string_view data) {
    return (data.size() >= 3 && data[1] == ':' && data[2] == '\\') || data.starts_with("\\\\");
}

}  // namespace

void ScanFontEntries(SectionScan& scan, platform::RootKey root, std::string_view path) {
    scan.ClearContents();
    const std::string windows = WindowsFolder(scan.Files());
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    const std::string keyPath = FullKeyPath(root, path);
    for (const std::string& name : key->valueNames()) {
        if (!scan.Continue()) return;
        scan.ShowEntry(keyPath + name);
        scan.Tick();
        const std::optional<std::string> data = StringData(key->queryValue(name));
        if (!data) continue;
        // A complete path is looked for where it points: looking for it inside the Fonts folder would
        // report (and repair away) fonts that are installed elsewhere.
        const std::string fullPath = IsCompletePath(*data) ? *data : windows + "\\Fonts\\" + *data;
        const std::string_view severity = SeverityForPath(fullPath);
        const std::string_view trimmed = Trimmed(fullPath);
        if (trimmed.size() < 3 || trimmed.substr(1, 2) != ":\\" || !NoUncRule(fullPath)) continue;
        if (!NoFloppyRule(fullPath) || !IsOnIncludedDrive(scan.ExcludedDrives(), fullPath)) continue;
        if (scan.Files().fileExists(fullPath)) continue;
        if (scan.IsIgnored(keyPath, name)) continue;

        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = "Fonts";
        problem.ValueName = ValueNameText(name);
        problem.ValueData = *data;
        problem.Severity = severity;
        problem.Description = BadPathDescription(*data, keyPath);
    }
}

RepairOutcome RepairFontEntry(AppContext& ctx, const TContent& problem) {
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, problem.ValueName);
}

}  // namespace trenmoor::registry_cleaner
