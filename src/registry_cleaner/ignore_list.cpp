#include "registry_cleaner/ignore_list.h"

#include <optional>
#include <vector>

#include "common/shared_helpers.h"
#include "platform/text_encoding.h"
#include "platform/text_file.h"

namespace trenmoor::registry_cleaner {
namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

TIgnoreContentItem ParseIgnoreLine(std::string_view line) {
    TIgnoreContentItem item;
    const size_t first = line.find('|');
    if (first == std::string_view::npos) {
        item.ValueName = line;
        return item;
    }
    item.Section = line.substr(0, first);
    const std::string_view rest = line.substr(first + 1);
    const size_t second = rest.find('|');
    if (second == std::string_view::npos) {
        item.ValueName = rest;
    } else {
        item.KeyPath = rest.substr(0, second);
        item.ValueName = rest.substr(second + 1);
    }
    return item;
}

std::string FormatIgnoreLine(const TIgnoreContentItem& item) {
    std::string line = item.Section;
    line += '|';
    line += item.KeyPath;
    line += '|';
    line += item.ValueName;
    return line;
}

void LoadIgnoreList(platform::FileSystem& files, TIgnoreContents& ignores) {
    const std::string path = ProgramFile(files, kIgnoreFileName);
    if (!files.fileExists(path)) return;
    const std::optional<std::vector<std::string>> lines = platform::LoadLines(files, path);
    if (!lines) return;
    for (const std::string& line : *lines) {
        if (line.empty()) continue;
        ignores[ignores.Add()] = ParseIgnoreLine(line);
    }
}

bool IsIgnored(const TIgnoreContents& ignores, std::string_view section, std::string_view keyPath,
               std::string_view valueName) {
    for (const TIgnoreContentItem& item : ignores) {
        if (item.ValueName == valueName && platform::EqualsNoCase(item.Section, section) &&
            platform::EqualsNoCase(item.KeyPath, keyPath)) {
            return true;
        }
    }
    return false;
}

IgnoreAddResult AddProblemToIgnoreList(platform::FileSystem& files, TIgnoreContents& ignores,
                                       std::string_view sectionCaption, const TContent& problem) {
    const TIgnoreContentItem entry{std::string(sectionCaption), problem.KeyPath, problem.ValueName};
    if (entry.Section.find('|') != std::string::npos || entry.KeyPath.find('|') != std::string::npos ||
        HasLineBreak(entry.Section) || HasLineBreak(entry.KeyPath) || HasLineBreak(entry.ValueName)) {
        return IgnoreAddResult::NotRepresentable;
    }
    if (IsIgnored(ignores, entry.Section, entry.KeyPath, entry.ValueName))
        return IgnoreAddResult::AlreadyIgnored;

    const std::string path = ProgramFile(files, kIgnoreFileName);
    std::vector<std::string> lines;
    if (files.fileExists(path)) {
        std::optional<std::vector<std::string>> existing = platform::LoadLines(files, path);
        if (!existing) return IgnoreAddResult::WriteFailed;  // never overwrite what could not be read
        lines = std::move(*existing);
        // An entry already in the file (the in-memory list may be older) is not written twice.
        for (const std::string& line : lines) {
            const TIgnoreContentItem present = ParseIgnoreLine(line);
            if (present.ValueName == entry.ValueName &&
                platform::EqualsNoCase(present.Section, entry.Section) &&
                platform::EqualsNoCase(present.KeyPath, entry.KeyPath)) {
                ignores[ignores.Add()] = entry;
                return IgnoreAddResult::AlreadyIgnored;
            }
        }
    }
    lines.push_back(FormatIgnoreLine(entry));
    if (!platform::SaveLines(files, path, lines)) return IgnoreAddResult::WriteFailed;
    ignores[ignores.Add()] = entry;
    return IgnoreAddResult::Added;
}

}  // namespace trenmoor::registry_cleaner
