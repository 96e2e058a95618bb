#pragma once
// File-name patterns as users write them: "*" any run of characters, "?" exactly one character,
// letters compared without regard to case, as Windows compares file names.
#include <string>
#include <string_view>

namespace trenmoor::disk_cleaners {

// The name folded for case-insensitive comparison (ASCII fast path, full Unicode upper-casing otherwise).
std::string FoldName(std::string_view name);

// True when the whole `name` matches the whole `pattern`. Both must already be folded.
bool MatchFolded(std::string_view foldedPattern, std::string_view foldedName);

// Convenience: folds both and matches.
bool MatchesPattern(std::string_view pattern, std::string_view name);

}  // namespace trenmoor::disk_cleaners
