#include "disk_cleaners/file_categories.h"

#include <string>
#include <unordered_set>

namespace trenmoor::disk_cleaners {

namespace {

template <size_t N>
std::unordered_set<std::string_view> MakeSet(const std::array<std::string_view, N>& list) {
    return {list.begin(), list.end()};
}

const std::unordered_set<std::string_view>* SetFor(FileCategory category) {
    static const auto documents = MakeSet(kDocumentExtensions);
    static const auto pictures = MakeSet(kPictureExtensions);
    static const auto music = MakeSet(kMusicExtensions);
    static const auto video = MakeSet(kVideoExtensions);
    switch (category) {
        case FileCategory::Documents:
            return &documents;
        case FileCategory::Pictures:
            return &pictures;
        case FileCategory::Music:
            return &music;
        case FileCategory::Video:
            return &video;
        case FileCategory::All:
            break;
    }
    return nullptr;
}

}  // namespace

bool InCategory(FileCategory category, std::string_view fileName) {
    const auto* set = SetFor(category);
    if (!set) return true;
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ext(fileName.substr(dot));
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return set->contains(ext);
}

}  // namespace trenmoor::disk_cleaners
