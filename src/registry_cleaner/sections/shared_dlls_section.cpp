// Shared DLLs: every value of the SharedDlls key names a file and holds its use count. A count of 0, or
// a file that is gone, makes the value a problem.
#include <cctype>
#include <charconv>

#include "common/shared_helpers.h"
#include "platform/text_encoding.h"
#include "registry_cleaner/sections/file_reference_sections.h"
#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {
namespace {

// A decimal number with an optional sign; 0 for anything else.
int64_t DecimalOrZero(std::string_view text) {
    int64_t n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    return ec == std::errc() && end == text.data() + text.size() ? n : 0;
}

// Drivers, virtual device drivers and one media player's entries are never examined.
bool IsSkippedName(std::string_view name) {
    const std::string upper = platform::UpperUtf8(name);
    return upper.find(".SYS") != std::string::npos || upper.find(".VXD") != std::string::npos ||
           upper.find("ITUNES") != std::string::npos;
}

}  // namespace

int64_t SharedDllUseCount(const platform::RawValue& value) {
    switch (value.type) {
        case platform::kRegSz:
        case platform::kRegExpandSz:
            return DecimalOrZero(platform::RegBytesToUtf8(value.data));
        case platform::kRegDword: {
            uint32_t n = 0;
            for (size_t i = 0; i < 4 && i < value.data.size(); ++i) n |= uint32_t{value.data[i]} << (8 * i);
            return static_cast<int32_t>(n);
        }
        case platform::kRegBinary: {
            if (value.data.empty()) return 0;
            static constexpr char kHex[] = "0123456789ABCDEF";
            const char digits[2] = {kHex[value.data[0] >> 4], kHex[value.data[0] & 0xF]};
            return DecimalOrZero(std::string_view(digits, 2));
        }
        default:
            return -1;
    }
}

void ScanSharedDlls(SectionScan& scan, platform::RootKey root, std::string_view path) {
    scan.ClearContents();
    std::unique_ptr<platform::RegKey> key = scan.Registry().open(root, path, false, false);
    if (!key) return;
    const std::string keyPath = FullKeyPath(root, path);
    for (const std::string& name : key->valueNames()) {
        if (!scan.Continue()) return;
        // An ignored value ends the whole section.
        if (scan.IsIgnored(keyPath, name)) return;
        const std::optional<platform::RawValue> value = key->queryValue(name);
        const int64_t count = value ? SharedDllUseCount(*value) : -1;
        scan.ShowEntry(name);
        scan.Tick();

        if (IsSkippedName(name) || !PassesLocationRules(scan.ExcludedDrives(), name)) continue;
        if (count != 0 && scan.Files().fileExists(name)) continue;
        if (name.find("msoe.dll") != std::string::npos) return;

        TContent& problem = scan.AddProblem();
        problem.KeyPath = keyPath;
        problem.KeyName = "SharedDlls";
        problem.ValueName = ValueNameText(name);
        problem.ValueData = std::to_string(count);
        problem.Severity = "High";
        problem.Description = BadPathDescription(name, keyPath);
    }
}

RepairOutcome RepairSharedDll(AppContext& ctx, const TContent& problem) {
    return RemoveValue(ctx.platform.registry(), problem.KeyPath, problem.ValueName);
}

}  // namespace trenmoor::registry_cleaner
