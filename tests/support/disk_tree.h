#pragma once
// Building small file trees through the platform's file system (so the same helpers serve the
// simulated machine and the real one under Wine).
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace trenmoor::testing {

// Creates every missing folder of `folder` ("C:\a\b").
inline void MakeFolders(platform::FileSystem& files, std::string_view folder) {
    for (size_t i = 3; i <= folder.size(); ++i) {
        if (i == folder.size() || folder[i] == '\\') {
            const std::string part(folder.substr(0, i));
            if (!files.directoryExists(part)) {
                ASSERT_TRUE(files.createDirectory(part)) << part;
            }
        }
    }
}

// Writes `bytes` to `path`, creating its folders.
inline void PutFile(platform::FileSystem& files, std::string_view path, std::string_view bytes) {
    const size_t slash = path.rfind('\\');
    MakeFolders(files, path.substr(0, slash));
    auto stream = files.open(path, platform::OpenMode::Create);
    ASSERT_TRUE(stream) << path;
    ASSERT_TRUE(stream->write(bytes.data(), bytes.size())) << path;
}

inline std::string ReadAll(platform::FileSystem& files, std::string_view path) {
    std::string out;
    if (auto stream = files.open(path, platform::OpenMode::Read)) {
        char buf[4096];
        for (size_t n; (n = stream->read(buf, sizeof buf)) > 0;) out.append(buf, n);
    }
    return out;
}

}  // namespace trenmoor::testing
