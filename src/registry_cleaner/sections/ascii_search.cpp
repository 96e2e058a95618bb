#include "registry_cleaner/sections/ascii_search.h"

namespace trenmoor::registry_cleaner {
namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool ContainsNoCaseAscii(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) return true;
    if (pattern.size() > text.size()) return false;
    const char first = AsciiUpper(pattern[0]);
    for (size_t i = 0; i + pattern.size() <= text.size(); ++i) {
        if (AsciiUpper(text[i]) != first) continue;
        size_t k = 1;
        while (k < pattern.size() && AsciiUpper(text[i + k]) == AsciiUpper(pattern[k])) ++k;
        if (k == pattern.size()) return true;
    }
    return false;
}

}  // namespace trenmoor::registry_cleaner
