// The value scan of the software settings sections: every text value of one key is expanded and judged
// first as a plain folder path, then as a command line naming a file; what is gone is a problem. An
// ignored value or one holding a skip word ends the key.
#include <string>

#include "common/shared_helpers.h"
#include "platform/text_encoding.h"
#include "registry_cleaner/sections/ascii_search.h"
#include "registry_cleaner/sections/software_settings_variant.h"

namespace trenmoor::registry_cleaner {
namespace {

bool ContainsAnyNoCase(std::string_view text, std::span<const std::string_view> words) {
    for (const std::string_view word : words) {
        if (ContainsNoCaseAscii(text, word)) return true;
    }
    return false;
}

// Leading and trailing blanks and control characters removed.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

class ValueJudge {
  public:
    ValueJudge(SectionScan& scan, const SoftwareSettingsVariant& variant, ExistenceMemo& memo,
               std::string_view fullKeyPath)
        : scan_(scan), variant_(variant), memo_(memo), keyPath_(fullKeyPath) {}

    // False when the rest of the key is not examined.
    bool Examine(const platform::ValueView& value) {
        if (!scan_.Continue()) return false;
        if (variant_.ignoreQueryFirst && scan_.IsIgnored(keyPath_, value.name)) return false;
        if (value.type != platform::kRegSz && value.type != platform::kRegExpandSz) return true;
        const std::string text = platform::RegBytesViewToUtf8(value.data);
        if (ContainsAnyNoCase(text, variant_.skipWords)) return false;
        const std::string d = ExpandPathVariables(scan_.Files(), scan_.Registry(), text, variant_.expansion);
        if (!variant_.ignoreQueryFirst && scan_.IsIgnored(keyPath_, value.name)) return false;
        Judge(value.name, text, d);
        return true;
    }

  private:
    bool PassesLocation(std::string_view d) const {
        if (!PassesLocationRules(scan_.ExcludedDrives(), d)) return false;
        return !variant_.refusesCapitalH || d.find("H:\\") == std::string_view::npos;
    }

    // A file the command-line branch may report: a drive path with an extension, not spared.
    bool FileCandidate(std::string_view file) const {
        if (variant_.fileNeedsDriveRoot && file.find(":\\") == std::string_view::npos) return false;
        return IsValidFilePath(file) && !ContainsAnyNoCase(file, variant_.sparingWords);
    }

    void Judge(std::string_view name, std::string_view text, const std::string& d) {
        // A plain path: only texts without a full stop get here (IsSafePathText), so folders mostly.
        const std::string_view trimmed = Trimmed(d);
        if (trimmed.size() >= 3 && trimmed.substr(1, 2) == ":\\" && PassesLocation(d) && IsSafePathText(d) &&
            !memo_.FileExists(d) && !memo_.FolderExists(d)) {
            Report(text, d, d, name);
            return;
        }
        // A command line. Its tests all have to hold, so their order changes nothing but the cost: the
        // ones that ask nothing come first, and the file cut out as if the text named no file decides
        // before any query that is unique to this text. A text without a colon or a full stop cannot
        // name a drive path with an extension at all.
        if (d.find(':') == std::string::npos || d.find('.') == std::string::npos) return;
        if (!PassesLocation(d)) return;
        const std::string guess = ExtractCommandPathUnlooked(scan_.Files(), d);
        if (!FileCandidate(guess) || memo_.FileExists(guess)) return;
        if (memo_.FolderExists(d)) return;
        const std::string file = ExtractCommandPath(scan_.Files(), d);
        if (!FileCandidate(file) || memo_.FileExists(file)) return;
        const std::string valueName =
            variant_.unnamedFileValueAsDefault ? ValueNameText(name) : std::string(name);
        Report(text, {}, file, valueName);
    }

    void Report(std::string_view text, std::string_view keyName, std::string_view data,
                std::string_view valueName) {
        TContent& problem = scan_.AddProblem();
        problem.KeyPath = keyPath_;
        problem.KeyName = keyName;
        problem.ValueName = valueName;
        problem.ValueData = data;
        problem.Severity = SeverityForPath(text);
        problem.Description = BadPathDescription(data, keyPath_);
    }

    SectionScan& scan_;
    const SoftwareSettingsVariant& variant_;
    ExistenceMemo& memo_;
    std::string_view keyPath_;
};

}  // namespace

void ScanSoftwareSettingValues(SectionScan& scan, const SoftwareSettingsVariant& variant, ExistenceMemo& memo,
                               platform::RegKey& key, std::string_view fullKeyPath) {
    ValueJudge judge(scan, variant, memo, fullKeyPath);
    key.visitValues([&judge](const platform::ValueView& value) { return judge.Examine(value); });
}

}  // namespace trenmoor::registry_cleaner
