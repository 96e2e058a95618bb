#include "registry_cleaner/sections/existence_memo.h"

namespace trenmoor::registry_cleaner {

bool ExistenceMemo::Ask(Answers& answers, std::string_view path, bool folder) {
    if (const auto it = answers.find(path); it != answers.end()) return it->second;
    const bool exists = folder ? files_.directoryExists(path) : files_.fileExists(path);
    if (answers.size() >= kMaxAnswers) answers.clear();
    answers.emplace(path, exists);
    return exists;
}

}  // namespace trenmoor::registry_cleaner
