#pragma once
// Byte-identical subsets of a set of candidate files, reading as little as possible: files are split
// by size, then by their first block, and only then compared in full.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace trenmoor::disk_cleaners {

// Most files fit in one block, so they are read once; only larger ones are compared again in full.
inline constexpr size_t kFirstBlockSize = 64 * 1024;

// Sets (indices into `paths`, ascending, each set of two or more) of files whose contents are equal,
// ordered by their first member. Files that cannot be read belong to no set. Nothing when stopped.
std::optional<std::vector<std::vector<size_t>>> SplitByContent(platform::FileSystem& files,
                                                               const std::vector<std::string>& paths,
                                                               const std::vector<uint64_t>& sizes,
                                                               const std::function<bool()>& stop);

// 64-bit hash of a byte block (for bucketing only; equality is always confirmed on the bytes).
uint64_t HashBytes(const void* data, size_t size);

}  // namespace trenmoor::disk_cleaners
