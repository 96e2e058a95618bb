#pragma once
// The checked junk types compiled for a whole-drive walk: plain names and "*.ext" patterns (most of
// the list) are single hash lookups, only general wildcard patterns are matched one by one.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "disk_cleaners/junk_types.h"

namespace trenmoor::disk_cleaners {

class JunkMatcher {
  public:
    explicit JunkMatcher(const std::vector<TJunkFileType>& types);  // unchecked types are left out

    // Index (into the list given) of the first checked type matching the file name, in list order.
    [[nodiscard]] std::optional<size_t> match(std::string_view fileName) const;
    [[nodiscard]] bool empty() const { return exact_.empty() && extensions_.empty() && general_.empty(); }

  private:
    struct General {
        std::string pattern;  // folded
        size_t index;
    };
    std::unordered_map<std::string, size_t> exact_;       // folded name -> first index
    std::unordered_map<std::string, size_t> extensions_;  // folded ".EXT" -> first index
    std::vector<General> general_;                        // in list order
};

}  // namespace trenmoor::disk_cleaners
