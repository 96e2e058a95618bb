#include "disk_cleaners/name_pattern.h"

#include "platform/text_encoding.h"

namespace trenmoor::disk_cleaners {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length in bytes of the UTF-8 character starting at `i` (1 for stray bytes).
size_t CharLength(std::string_view s, size_t i) {
    size_t n = 1;
    while (i + n < s.size() && IsContinuation(static_cast<unsigned char>(s[i + n]))) ++n;
    return n;
}

}  // namespace

std::string FoldName(std::string_view name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80) return platform::UpperUtf8(name);
    }
    std::string out(name);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

// Greedy matcher with one back-track point per "*": linear in practice, no recursion.
bool MatchFolded(std::string_view p, std::string_view s) {
    size_t pi = 0, si = 0;
    size_t starP = std::string_view::npos, starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && p[pi] == '*') {
            starP = ++pi;
            starS = si;
            continue;
        }
        if (pi < p.size() && p[pi] == '?') {
            ++pi;
            si += CharLength(s, si);
            continue;
        }
        if (pi < p.size() && p[pi] == s[si]) {
            ++pi;
            ++si;
            continue;
        }
        if (starP == std::string_view::npos) return false;
        pi = starP;
        starS += CharLength(s, starS);
        si = starS;
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

bool MatchesPattern(std::string_view pattern, std::string_view name) {
    return MatchFolded(FoldName(pattern), FoldName(name));
}

}  // namespace trenmoor::disk_cleaners
