#include "disk_cleaners/junk_matcher.h"

#include "disk_cleaners/name_pattern.h"

namespace trenmoor::disk_cleaners {

namespace {

bool HasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

}  // namespace

JunkMatcher::JunkMatcher(const std::vector<TJunkFileType>& types) {
    for (size_t i = 0; i < types.size(); ++i) {
        if (!types[i].Checked || types[i].Pattern.empty()) continue;
        std::string p = FoldName(types[i].Pattern);
        if (!HasWildcard(p)) {
            exact_.try_emplace(std::move(p), i);
        } else if (p.size() > 2 && p[0] == '*' && p[1] == '.' && !HasWildcard(p.substr(2)) &&
                   p.find('.', 2) == std::string::npos) {
            // "*.ext" is exactly "the text after the last dot is ext" when ext holds no dot.
            extensions_.try_emplace(p.substr(1), i);
        } else {
            general_.push_back({std::move(p), i});
        }
    }
}

std::optional<size_t> JunkMatcher::match(std::string_view fileName) const {
    const std::string name = FoldName(fileName);
    std::optional<size_t> best;
    if (auto it = exact_.find(name); it != exact_.end()) best = it->second;
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) {
        if (auto it = extensions_.find(name.substr(dot)); it != extensions_.end()) {
            if (!best || it->second < *best) best = it->second;
        }
    }
    for (const General& g : general_) {
        if (best && g.index > *best) break;  // later types cannot win
        if (MatchFolded(g.pattern, name)) return g.index;
    }
    return best;
}

}  // namespace trenmoor::disk_cleaners
