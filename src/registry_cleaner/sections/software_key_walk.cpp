// The key walk of the software settings sections: depth first through every key below the start, one
// open handle per level, registry links never followed (a link loop cannot trap the walk). Each key is
// counted, ticked and has its values judged; the section's unwalked keys keep their subkeys out.
#include <string>
#include <vector>

#include "common/shared_helpers.h"
#include "registry_cleaner/sections/ascii_search.h"
#include "registry_cleaner/sections/software_settings_variant.h"

namespace trenmoor::registry_cleaner {
namespace {

constexpr uint64_t kKeysPerEntryShown = 200;

class KeyWalk {
  public:
    KeyWalk(SectionScan& scan, const SoftwareSettingsVariant& variant, platform::RootKey root,
            std::string_view path)
        : scan_(scan),
          variant_(variant),
          memo_(scan.Files()),
          full_(FullKeyPath(root, {})),
          rootLength_(full_.size() + 1) {
        full_.reserve(512);
        if (!path.empty()) (full_ += '\\') += path;
    }

    void Run(platform::RegKey& start) {
        // The start key itself is never left out (the root has an empty path).
        if (full_.size() > rootLength_ && Unwalked(0)) return;
        Walk(start);
    }

  private:
    // The path below the root of the key in hand ("" at the root).
    std::string_view Path() const {
        return full_.size() > rootLength_ ? std::string_view(full_).substr(rootLength_) : std::string_view();
    }

    // True when the path contains one of the unwalked keys. The parent's path did not, so only the
    // matches that end inside the last name (from `nameStart` of the path on) are looked for.
    bool Unwalked(size_t nameStart) const {
        const std::string_view path = Path();
        for (const std::string_view word : variant_.unwalkedKeys) {
            const size_t from = nameStart >= word.size() ? nameStart - word.size() + 1 : 0;
            if (ContainsNoCaseAscii(path.substr(from), word)) return true;
        }
        return false;
    }

    bool PassedOver(std::string_view name, size_t nameStart) const {
        if (!variant_.passedOverName.empty() && name == variant_.passedOverName) return true;
        const std::string_view word = variant_.passedOverPath;
        if (word.empty()) return false;
        const size_t from = nameStart >= word.size() ? nameStart - word.size() + 1 : 0;
        return ContainsNoCaseAscii(Path().substr(from), word);
    }

    void Walk(platform::RegKey& key) {
        const std::vector<std::string> names = key.subkeyNames();
        for (const std::string& name : names) {
            if (!scan_.Continue()) return;
            const size_t mark = full_.size();
            full_ += '\\';
            const size_t nameStart = full_.size() - rootLength_;
            full_ += name;
            if (scan_.CountKey() % kKeysPerEntryShown == 0) scan_.ShowEntry(Path());
            scan_.Tick();
            Enter(key, name, nameStart);
            full_.resize(mark);
            if (scan_.Aborted()) return;
        }
    }

    void Enter(platform::RegKey& parent, const std::string& name, size_t nameStart) {
        if (PassedOver(name, nameStart)) return;
        // A link or a key that cannot be opened is neither scanned nor entered.
        const std::unique_ptr<platform::RegKey> child = parent.openChildForWalk(name);
        if (!child) return;
        ScanSoftwareSettingValues(scan_, variant_, memo_, *child, full_);
        if (scan_.Aborted() || Unwalked(nameStart)) return;
        Walk(*child);
    }

    SectionScan& scan_;
    const SoftwareSettingsVariant& variant_;
    ExistenceMemo memo_;
    std::string full_;         // root name, backslash, path of the key in hand
    const size_t rootLength_;  // length of the root name and its backslash
};

}  // namespace

void WalkSoftwareSettings(SectionScan& scan, const SoftwareSettingsVariant& variant, platform::RootKey root,
                          std::string_view path) {
    const std::unique_ptr<platform::RegKey> start = scan.Registry().open(root, path, false, false);
    if (!start) return;
    KeyWalk(scan, variant, root, path).Run(*start);
}

}  // namespace trenmoor::registry_cleaner
