#pragma once
// The user's ignore list: entries (section caption, key path, value name) that the section checkers
// leave out of their reports, kept one per line in "TrenmoorIgnores.dat" in the program folder as
// section|key path|value name.
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "registry_cleaner/registry_contents.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kIgnoreFileName = "TrenmoorIgnores.dat";

struct TIgnoreContentItem {
    std::string Section;
    std::string KeyPath;
    std::string ValueName;
};
using TIgnoreContents = TOrderedCollection<TIgnoreContentItem>;

// One line of the file. Never rejects a line: without any "|" the whole line is the value name; the
// value name is everything after the second "|".
TIgnoreContentItem ParseIgnoreLine(std::string_view line);
std::string FormatIgnoreLine(const TIgnoreContentItem& item);

// Appends one entry per non-empty line of the ignore file in the program folder; nothing when the file
// does not exist. The caller clears the collection first.
void LoadIgnoreList(platform::FileSystem& files, TIgnoreContents& ignores);

// Same section and key path (case ignored) and exactly the same value name.
bool IsIgnored(const TIgnoreContents& ignores, std::string_view section, std::string_view keyPath,
               std::string_view valueName);

enum class IgnoreAddResult { Added, AlreadyIgnored, NotRepresentable, WriteFailed };

// "Exclude and add key to ignore list": appends an entry made of the section caption and the problem's
// key path and value name to the ignore file (and to `ignores`). A key path holding "|" or a text
// holding a line break cannot be written as one line that reads back the same, so it is refused.
IgnoreAddResult AddProblemToIgnoreList(platform::FileSystem& files, TIgnoreContents& ignores,
                                       std::string_view sectionCaption, const TContent& problem);

}  // namespace trenmoor::registry_cleaner
