#include "registry_cleaner/sections/path_rules.h"

#include <algorithm>

#include "common/shared_helpers.h"
#include "platform/text_encoding.h"
#include "registry_cleaner/sections/ascii_search.h"

namespace trenmoor::registry_cleaner {
namespace {

constexpr std::string_view kDelimiters = "\\:";

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Replaces every non-overlapping occurrence, left to right, as a textual replace-all does.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

// The file-name part: the text after the last "\" or ":".
std::string_view FileNamePart(std::string_view path) {
    const size_t last = path.find_last_of(kDelimiters);
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

// The extension of the file-name part, from its last "." on; empty when it has none.
std::string_view ExtensionPart(std::string_view path) {
    const std::string_view name = FileNamePart(path);
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

// Letters, digits and the dot continue a file name. Bytes of non-ASCII characters count as letters:
// a name in another alphabet must not be cut in the middle.
bool IsFileNameChar(char c) {
    return static_cast<unsigned char>(c) >= 0x80 || FileNameChars.find(c) != std::string_view::npos;
}

// Length in UTF-16 code units, the unit Windows limits paths by.
size_t Utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b & 0xC0) != 0x80) ++units;
        if (b >= 0xF0) ++units;  // four-byte sequences need a surrogate pair
    }
    return units;
}

// The Windows folder without its trailing backslash, as GetWindowsDirectory reports it.
std::string WindowsDirNoSlash(platform::FileSystem& files) {
    std::string dir = files.windowsDirectory();
    if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    return dir;
}

std::string ExtractCommandPathImpl(platform::FileSystem& files, std::string_view text, bool lookUp);

// `lookUp` false: as if no file of the text's name existed, without asking.
std::string CutToFilePathImpl(platform::FileSystem& files, std::string_view text, bool viaExtract,
                              bool lookUp) {
    if (lookUp && files.fileExists(text)) return std::string(text);

    const size_t firstColon = text.find(':');
    const std::string_view rest = firstColon == std::string_view::npos ? text : text.substr(firstColon + 1);
    const size_t secondColon = rest.find(':');  // index inside `rest`

    if (secondColon == std::string_view::npos) {
        const size_t lastDelimiter = text.find_last_of(kDelimiters);
        const std::string_view dir =
            lastDelimiter == std::string_view::npos ? std::string_view{} : text.substr(0, lastDelimiter + 1);
        std::string tail(text);
        ReplaceAll(tail, dir, "");
        const size_t dot = tail.find('.');
        size_t end = dot == std::string::npos ? 0 : dot;
        while (end < tail.size() && IsFileNameChar(tail[end])) ++end;

        std::string result(dir);
        result.append(tail, 0, end);
        // Drop everything in front of the drive letter.
        const size_t colon = result.find(':');
        if (colon != std::string::npos && colon >= 1) result.erase(0, colon - 1);
        return result;
    }

    // A second colon (C:\a\b.exe D:\c): the piece from the drive letter up to the letter before the
    // second colon, cut again when its extension ran into the next argument.
    const size_t start = firstColon == 0 ? 0 : firstColon - 1;
    const std::string_view piece = text.substr(start, secondColon + 2);
    if (ExtensionPart(piece).size() > 4 && piece.size() < text.size()) {
        return viaExtract ? ExtractCommandPathImpl(files, piece, lookUp)
                          : CutToFilePathImpl(files, piece, false, lookUp);
    }
    return std::string(piece);
}

}  // namespace

bool IsDrivePrefix(std::string_view twoChars) {
    return twoChars.size() == 2 && IsAsciiLetter(twoChars[0]) && twoChars[1] == ':';
}

bool NoUncRule(std::string_view text) {
    return text.find("\\\\") == std::string_view::npos;
}

bool NoFloppyRule(std::string_view text) {
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] == ':' && AsciiUpper(text[i - 1]) == 'A') return false;
    }
    return true;
}

bool PassesLocationRules(const std::vector<std::string>& excludedDrives, std::string_view text) {
    return NoUncRule(text) && NoFloppyRule(text) && IsOnIncludedDrive(excludedDrives, text);
}

bool HasNameAndExtension(std::string_view path) {
    return !FileNamePart(path).empty() && !ExtensionPart(path).empty();
}

bool IsValidFilePath(std::string_view path) {
    // Double quotes count as blanks; every other bad character rules the text out.
    for (const char c : path) {
        if (c != '"' && BadPathChars.find(c) != std::string_view::npos) return false;
    }
    if (FileNamePart(path).empty() || ExtensionPart(path).empty()) return false;
    const size_t colon = path.find(':');
    if (colon != std::string_view::npos && path.find(':', colon + 1) != std::string_view::npos) return false;
    // A leading quote became a blank, so such a text has no drive prefix.
    return path.size() >= 2 && IsDrivePrefix(path.substr(0, 2));
}

bool IsSafePathText(std::string_view path) {
    if (Utf16Length(path) > kMaxSafePathLength) return false;
    return path.find_first_of(UnsafePathChars) == std::string_view::npos;
}

std::string GuessWindowsDir(platform::FileSystem& files) {
    std::string dir = files.windowsDirectory();
    if (!dir.empty() && dir.back() != '\\') dir.push_back('\\');
    return dir;
}

std::string ExpandPathVariables(platform::FileSystem& files, platform::Registry& registry,
                                std::string_view text, ExpandVariant variant) {
    std::string result(text);
    if (variant == ExpandVariant::System) {
        if (!result.empty() && result.back() == '"') result.pop_back();
        if (!result.empty() && result.front() == '"') result.erase(0, 1);
    }
    std::string windowsDir;  // read once, only when a variable needs it
    auto windowsDirUpper = [&]() -> const std::string& {
        if (windowsDir.empty()) windowsDir = platform::UpperUtf8(WindowsDirNoSlash(files));
        return windowsDir;
    };
    if (ContainsNoCaseAscii(result, "%systemroot%")) {
        result = platform::UpperUtf8(result);
        ReplaceAll(result, "%SYSTEMROOT%", windowsDirUpper());
    }
    if (ContainsNoCaseAscii(result, "%windir%")) {
        result = platform::UpperUtf8(result);
        ReplaceAll(result, "%WINDIR%", windowsDirUpper());
    }
    if (ContainsNoCaseAscii(result, "%ProgramFiles%")) {
        result = platform::UpperUtf8(result);
        ReplaceAll(result, "%PROGRAMFILES%", platform::UpperUtf8(ProgramFilesDir(registry)));
    }
    return result;
}

namespace {

std::string ExtractCommandPathImpl(platform::FileSystem& files, std::string_view text, bool lookUp) {
    if (!text.empty() && text.front() == '@') text.remove_prefix(1);
    std::string s;
    s.reserve(text.size());
    for (const char c : text) {
        if (c != '"') s.push_back(c);
    }
    if (ContainsNoCaseAscii(s, "%SYSTEMROOT%\\")) {
        s = platform::UpperUtf8(s);
        // Upper-cased like the rest of the text, so the result is uniformly upper case.
        ReplaceAll(s, "%SYSTEMROOT%\\", platform::UpperUtf8(GuessWindowsDir(files)));
    }
    return CutToFilePathImpl(files, s, true, lookUp);
}

}  // namespace

std::string ExtractCommandPath(platform::FileSystem& files, std::string_view text) {
    return ExtractCommandPathImpl(files, text, true);
}

std::string ExtractCommandPathUnlooked(platform::FileSystem& files, std::string_view text) {
    return ExtractCommandPathImpl(files, text, false);
}

std::string CutToFilePath(platform::FileSystem& files, std::string_view text) {
    return CutToFilePathImpl(files, text, false, true);
}

void SplitClassesRootNames(std::vector<std::string>& names, std::vector<std::string>& extensions) {
    for (const std::string_view excluded : ClassNameExclusions) {
        std::erase_if(names,
                      [excluded](const std::string& n) { return n.find(excluded) != std::string::npos; });
    }
    std::vector<std::string> kept;
    kept.reserve(names.size());
    for (std::string& n : names) {
        if (!n.empty() && n.front() == '.') {
            extensions.push_back(std::move(n));
        } else {
            kept.push_back(std::move(n));
        }
    }
    names = std::move(kept);
}

}  // namespace trenmoor::registry_cleaner
