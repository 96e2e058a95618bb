#pragma once
// The path rules every registry section checker shares: the character sets, the location rules that
// keep network, floppy and excluded drives out of every check, the syntax test for a plausible file
// path, the expansion of %SystemRoot%, %windir% and %ProgramFiles%, cutting a file path out of a
// command line, and splitting the top-level class names into extensions and other names.
//
// They run once or twice for every value of whole hives: they allocate only short-lived strings and
// touch the machine only through the queries named per routine.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace trenmoor::registry_cleaner {

// Characters that make a text an implausible path (also the basis of SeverityForPath).
inline constexpr std::string_view BadPathChars = "%/*?\"<>|;,";
// Characters that make a text unsafe to treat as a plain folder path.
inline constexpr std::string_view UnsafePathChars = "/*?\"<>|;.+-&@!,%";
// Characters that may continue a file name after its extension dot (non-ASCII letters count too).
inline constexpr std::string_view FileNameChars =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ.0123456789";
// Top-level class names that are never file classes (matched as substrings, case-sensitive).
inline constexpr std::array<std::string_view, 5> ClassNameExclusions = {"*", "Directory", "Folder", "Drive",
                                                                        "Unknow"};
inline constexpr size_t kMaxSafePathLength = 260;

// "a:" .. "z:" and "A:" .. "Z:".
bool IsDrivePrefix(std::string_view twoChars);

// Location rule 1: no "\\" anywhere (UNC and other network paths).
bool NoUncRule(std::string_view text);
// Location rule 2: no "A:" in any letter case (floppy paths).
bool NoFloppyRule(std::string_view text);
// All three location rules: the two above and IsOnIncludedDrive.
bool PassesLocationRules(const std::vector<std::string>& excludedDrives, std::string_view text);

// True when the file-name part (after the last "\" or ":") and its extension (from its last ".") are
// both non-empty.
bool HasNameAndExtension(std::string_view path);
// True when the text is syntactically a drive-based file path with an extension.
bool IsValidFilePath(std::string_view path);
// True when the text is at most 260 characters long and holds none of UnsafePathChars.
bool IsSafePathText(std::string_view path);

// The Windows folder as the system reports it, with a trailing backslash; empty when unknown.
std::string GuessWindowsDir(platform::FileSystem& files);

enum class ExpandVariant { System, User };
// %SystemRoot%, %windir% and %ProgramFiles% (case ignored) replaced; a text in which one was replaced
// comes back entirely in upper case. The system variant first strips one pair of enclosing quotes.
std::string ExpandPathVariables(platform::FileSystem& files, platform::Registry& registry,
                                std::string_view text, ExpandVariant variant);

// The file path cut out of a command line or a registry path value (a leading "@", double quotes and
// "%SystemRoot%" followed by a backslash are handled first).
std::string ExtractCommandPath(platform::FileSystem& files, std::string_view text);
// What ExtractCommandPath gives when no file is named by the text (nor by a piece cut from it), found
// without asking the file system. When such a file does exist, ExtractCommandPath gives an existing
// file, so a path that this result names and that is missing is exactly what ExtractCommandPath gives.
std::string ExtractCommandPathUnlooked(platform::FileSystem& files, std::string_view text);
// The file path cut out of a text, without the preparatory steps of ExtractCommandPath.
std::string CutToFilePath(platform::FileSystem& files, std::string_view text);

// `names` loses every excluded name and every extension (".xxx"); `extensions` receives the
// extensions in their order.
void SplitClassesRootNames(std::vector<std::string>& names, std::vector<std::string>& extensions);

}  // namespace trenmoor::registry_cleaner
