#include "disk_cleaners/content_compare.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_map>

namespace trenmoor::disk_cleaners {

namespace {

constexpr size_t kCompareBuffer = 64 * 1024;
constexpr uint64_t kKeepInMemory = 1024 * 1024;  // a representative up to this size is held, not re-read

// Reads up to `count` bytes from the start; nothing when the file cannot be opened.
std::optional<std::string> ReadPrefix(platform::FileSystem& files, const std::string& path, size_t count) {
    auto stream = files.open(path, platform::OpenMode::Read);
    if (!stream) return std::nullopt;
    std::string out(count, '\0');
    size_t got = 0;
    while (got < count) {
        const size_t n = stream->read(out.data() + got, count - got);
        if (n == 0) break;
        got += n;
    }
    out.resize(got);
    return out;
}

// Whole-file comparison of `path` with the bytes or the file of a representative.
bool SameContent(platform::FileSystem& files, const std::string& path, const std::string& repPath,
                 const std::optional<std::string>& repBytes, uint64_t size) {
    auto a = files.open(path, platform::OpenMode::Read);
    if (!a) return false;
    std::unique_ptr<platform::FileStream> b;
    if (!repBytes) {
        b = files.open(repPath, platform::OpenMode::Read);
        if (!b) return false;
    }
    std::vector<char> bufA(kCompareBuffer), bufB(repBytes ? 0 : kCompareBuffer);
    uint64_t offset = 0;
    while (offset < size) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kCompareBuffer, size - offset));
        size_t gotA = 0;
        while (gotA < want) {
            const size_t n = a->read(bufA.data() + gotA, want - gotA);
            if (n == 0) return false;  // shorter than it was when listed
            gotA += n;
        }
        if (repBytes) {
            if (std::memcmp(bufA.data(), repBytes->data() + offset, want) != 0) return false;
        } else {
            size_t gotB = 0;
            while (gotB < want) {
                const size_t n = b->read(bufB.data() + gotB, want - gotB);
                if (n == 0) return false;
                gotB += n;
            }
            if (std::memcmp(bufA.data(), bufB.data(), want) != 0) return false;
        }
        offset += want;
    }
    char extra;
    return a->read(&extra, 1) == 0;  // grown since it was listed: not the same
}

}  // namespace

uint64_t HashBytes(const void* data, size_t size) {
    // FNV-1a over 8-byte words with a final avalanche: fast, and only used to bucket candidates.
    const auto* p = static_cast<const unsigned char*>(data);
    uint64_t h = 0xcbf29ce484222325ULL ^ size;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        h = (h ^ w) * 0x100000001b3ULL;
        h ^= h >> 29;
    }
    for (; i < size; ++i) h = (h ^ p[i]) * 0x100000001b3ULL;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

std::optional<std::vector<std::vector<size_t>>> SplitByContent(platform::FileSystem& files,
                                                               const std::vector<std::string>& paths,
                                                               const std::vector<uint64_t>& sizes,
                                                               const std::function<bool()>& stop) {
    // 1. By size: only files of equal size can be equal.
    std::unordered_map<uint64_t, std::vector<size_t>> bySize;
    for (size_t i = 0; i < paths.size(); ++i) bySize[sizes[i]].push_back(i);

    std::vector<std::vector<size_t>> result;
    for (auto& [size, members] : bySize) {
        if (members.size() < 2) continue;
        // 2. By first block: compared on the bytes, bucketed by their hash.
        std::unordered_map<uint64_t, std::vector<std::pair<std::string, std::vector<size_t>>>> byBlock;
        const size_t blockSize = static_cast<size_t>(std::min<uint64_t>(size, kFirstBlockSize));
        for (const size_t i : members) {
            if (stop && stop()) return std::nullopt;
            auto block = ReadPrefix(files, paths[i], blockSize);
            if (!block || block->size() != blockSize) continue;
            auto& bucket = byBlock[HashBytes(block->data(), block->size())];
            auto same =
                std::find_if(bucket.begin(), bucket.end(), [&](const auto& b) { return b.first == *block; });
            if (same == bucket.end()) {
                bucket.push_back({std::move(*block), {i}});
            } else {
                same->second.push_back(i);
            }
        }
        for (auto& [hash, bucket] : byBlock) {
            for (auto& [block, sameStart] : bucket) {
                if (sameStart.size() < 2) continue;
                if (size <= kFirstBlockSize) {  // the first block was the whole file
                    result.push_back(std::move(sameStart));
                    continue;
                }
                // 3. Full content, each file against the representative of each subset so far.
                struct Subset {
                    std::vector<size_t> members;
                    std::optional<std::string> bytes;
                };
                std::vector<Subset> subsets;
                for (const size_t i : sameStart) {
                    if (stop && stop()) return std::nullopt;
                    bool placed = false;
                    for (Subset& s : subsets) {
                        if (SameContent(files, paths[i], paths[s.members.front()], s.bytes, size)) {
                            s.members.push_back(i);
                            placed = true;
                            break;
                        }
                    }
                    if (placed) continue;
                    Subset s{{i}, std::nullopt};
                    if (size <= kKeepInMemory) {
                        s.bytes = ReadPrefix(files, paths[i], static_cast<size_t>(size));
                        if (!s.bytes || s.bytes->size() != size) continue;  // unreadable now
                    }
                    subsets.push_back(std::move(s));
                }
                for (Subset& s : subsets) {
                    if (s.members.size() >= 2) result.push_back(std::move(s.members));
                }
            }
        }
    }
    for (auto& set : result) std::sort(set.begin(), set.end());
    std::sort(result.begin(), result.end(),
              [](const auto& a, const auto& b) { return a.front() < b.front(); });
    return result;
}

}  // namespace trenmoor::disk_cleaners
