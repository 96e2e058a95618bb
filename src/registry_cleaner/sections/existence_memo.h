#pragma once
// The answers of the file system to "is there a file / a folder of this name" for the texts a walk over
// whole hives asks about again and again (the same program and folder paths appear in many values).
// The walk changes no files, so an answer holds for the whole walk; exact texts only, so what is asked
// is what would have been asked.
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/file_system.h"

namespace trenmoor::registry_cleaner {

class ExistenceMemo {
  public:
    explicit ExistenceMemo(platform::FileSystem& files) : files_(files) {}

    bool FileExists(std::string_view path) { return Ask(fileAnswers_, path, false); }
    bool FolderExists(std::string_view path) { return Ask(folderAnswers_, path, true); }

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using Answers = std::unordered_map<std::string, bool, Hash, std::equal_to<>>;
    // Bounds the memory on registries with very many distinct paths: past it, start afresh.
    static constexpr size_t kMaxAnswers = 100000;

    bool Ask(Answers& answers, std::string_view path, bool folder);

    platform::FileSystem& files_;
    Answers fileAnswers_;
    Answers folderAnswers_;
};

}  // namespace trenmoor::registry_cleaner
