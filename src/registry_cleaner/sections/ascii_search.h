#pragma once
// Case-insensitive search for the ASCII words and key names the checkers look for. Bytes of non-ASCII
// characters never match an ASCII letter, so UTF-8 text needs no conversion first.
#include <string_view>

namespace trenmoor::registry_cleaner {

// True when `pattern` (ASCII) occurs in `text`, letter case ignored.
bool ContainsNoCaseAscii(std::string_view text, std::string_view pattern);

}  // namespace trenmoor::registry_cleaner
