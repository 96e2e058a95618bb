// The real file system through the Win32 backend: names beyond ASCII, search masks, attributes,
// 64-bit sizes, streams, drives and the well-known folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "platform/win32/win32_backends.h"
#include "wine/scratch_folder.h"

namespace trenmoor::testing {
namespace {

using platform::FindData;
using platform::OpenMode;
using platform::SeekOrigin;

class Win32Files : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.created()); }

    bool writeFile(const std::string& path, const std::string& bytes) {
        auto stream = fs_.open(path, OpenMode::Create);
        return stream && stream->write(bytes.data(), bytes.size());
    }
    std::string readFile(const std::string& path) {
        auto stream = fs_.open(path, OpenMode::Read);
        if (!stream) return "<cannot open>";
        std::string bytes(static_cast<size_t>(stream->size().value_or(0)), '\0');
        bytes.resize(stream->read(bytes.data(), bytes.size()));
        return bytes;
    }
    std::map<std::string, FindData> findAll(const std::string& pattern) {
        std::map<std::string, FindData> found;
        EXPECT_TRUE(fs_.find(pattern, [&](const FindData& d) {
            found[d.name] = d;
            return true;
        })) << pattern;
        return found;
    }

    platform::win32::Win32FileSystem fs_;
    ScratchFolder dir_;
};

TEST_F(Win32Files, NonAsciiNamesRoundTripThroughEveryCall) {
    const std::string names[] = {"Grüße-日本.txt", "Ключ.dat", "emoji 😀.txt"};
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        const std::string path = dir_.path(name);
        ASSERT_TRUE(writeFile(path, "content of " + name));
        EXPECT_TRUE(fs_.fileExists(path));
        EXPECT_FALSE(fs_.directoryExists(path));
        EXPECT_EQ(readFile(path), "content of " + name);
        const auto st = fs_.stat(path);
        ASSERT_TRUE(st.has_value());
        EXPECT_EQ(st->name, name);
        EXPECT_EQ(st->size, ("content of " + name).size());
        // The name reaches the disk as UTF-16, not through a code page.
        EXPECT_NE(GetFileAttributesW(platform::win32::Widen(path).c_str()), INVALID_FILE_ATTRIBUTES);
    }
    const auto found = findAll(dir_.path("*"));
    ASSERT_EQ(found.size(), 3u);
    for (const auto& name : names) EXPECT_EQ(found.count(name), 1u) << name;

    // Copy, rename and delete under non-ASCII names.
    const std::string copy = dir_.path("Kopie-Grüße.txt");
    EXPECT_TRUE(fs_.copyFile(dir_.path(names[0]), copy, true));
    EXPECT_FALSE(fs_.copyFile(dir_.path(names[1]), copy, true));  // exists, must not be replaced
    EXPECT_EQ(readFile(copy), "content of " + names[0]);
    EXPECT_TRUE(fs_.copyFile(dir_.path(names[1]), copy, false));  // replaced on request
    EXPECT_EQ(readFile(copy), "content of " + names[1]);
    const std::string renamed = dir_.path("Umbenannt-名前.txt");
    EXPECT_TRUE(fs_.renameFile(copy, renamed));
    EXPECT_FALSE(fs_.fileExists(copy));
    EXPECT_FALSE(fs_.renameFile(dir_.path(names[0]), renamed));  // a rename never overwrites
    EXPECT_EQ(readFile(renamed), "content of " + names[1]);
    EXPECT_TRUE(fs_.deleteFile(renamed));
    EXPECT_FALSE(fs_.deleteFile(renamed));
    EXPECT_FALSE(fs_.fileExists(renamed));
}

TEST_F(Win32Files, FoldersAreCreatedOneLevelAndRemovedOnlyWhenEmpty) {
    const std::string folder = dir_.path("Ordner-ä");
    EXPECT_TRUE(fs_.createDirectory(folder));
    EXPECT_FALSE(fs_.createDirectory(folder));  // exists
    EXPECT_TRUE(fs_.directoryExists(folder));
    EXPECT_FALSE(fs_.fileExists(folder));
    EXPECT_FALSE(fs_.createDirectory(dir_.path("missing\\deeper")));  // one level only
    ASSERT_TRUE(writeFile(folder + "\\f.txt", "x"));
    EXPECT_FALSE(fs_.removeDirectory(folder));  // not empty
    EXPECT_TRUE(fs_.deleteFile(folder + "\\f.txt"));
    EXPECT_TRUE(fs_.removeDirectory(folder));
    EXPECT_FALSE(fs_.directoryExists(folder));
    const auto attrs = fs_.attributes(dir_.path());
    ASSERT_TRUE(attrs.has_value());
    EXPECT_NE(*attrs & platform::kAttrDirectory, 0u);
}

TEST_F(Win32Files, FindMatchesMasksAsWindowsDoes) {
    for (const char* name : {"a1.txt", "a2.txt", "ab.txt", "b1.txt", "a10.txt", "A3.TXT", "a1.log"})
        ASSERT_TRUE(writeFile(dir_.path(name), name));
    ASSERT_TRUE(fs_.createDirectory(dir_.path("sub")));

    struct Case {
        const char* mask;
        std::set<std::string> expected;
    };
    const Case table[] = {
        {"a?.txt", {"a1.txt", "a2.txt", "ab.txt", "A3.TXT"}},
        {"*.log", {"a1.log"}},
        {"A1.*", {"a1.txt", "a1.log"}},
        {"*", {"a1.txt", "a2.txt", "ab.txt", "b1.txt", "a10.txt", "A3.TXT", "a1.log", "sub"}},
        {"*.*", {"a1.txt", "a2.txt", "ab.txt", "b1.txt", "a10.txt", "A3.TXT", "a1.log", "sub"}},
        {"none*.zip", {}},
        {"b1.txt", {"b1.txt"}},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.mask);
        std::set<std::string> names;
        for (const auto& [name, data] : findAll(dir_.path(c.mask))) names.insert(name);
        EXPECT_EQ(names, c.expected);
    }
    const auto all = findAll(dir_.path("*"));
    EXPECT_TRUE(all.at("sub").isDirectory());
    EXPECT_FALSE(all.at("a1.txt").isDirectory());
    EXPECT_EQ(all.at("a10.txt").size, 7u);
    EXPECT_GT(all.at("a10.txt").lastWriteTime, 0u);

    // A missing folder is a failure; a folder without matches is not.
    EXPECT_FALSE(fs_.find(dir_.path("nowhere\\*"), [](const FindData&) { return true; }));
    ASSERT_TRUE(fs_.createDirectory(dir_.path("empty")));
    int seen = 0;
    EXPECT_TRUE(fs_.find(dir_.path("empty\\*"), [&](const FindData&) { return ++seen, true; }));
    EXPECT_EQ(seen, 0);  // "." and ".." are never reported

    // The callback stops the walk.
    seen = 0;
    EXPECT_TRUE(fs_.find(dir_.path("*"), [&](const FindData&) { return ++seen < 2; }));
    EXPECT_EQ(seen, 2);
}

TEST_F(Win32Files, AttributesAreReadAndWritten) {
    const std::string path = dir_.path("attr.txt");
    ASSERT_TRUE(writeFile(path, "x"));
    ASSERT_TRUE(fs_.setAttributes(path, platform::kAttrReadOnly | platform::kAttrHidden));
    auto attrs = fs_.attributes(path);
    ASSERT_TRUE(attrs.has_value());
    EXPECT_EQ(*attrs & (platform::kAttrReadOnly | platform::kAttrHidden),
              static_cast<uint32_t>(platform::kAttrReadOnly | platform::kAttrHidden));
    EXPECT_EQ(findAll(path).at("attr.txt").attributes & platform::kAttrReadOnly, platform::kAttrReadOnly);
    EXPECT_FALSE(fs_.deleteFile(path));  // read-only
    ASSERT_TRUE(fs_.setAttributes(path, platform::kAttrNormal));
    attrs = fs_.attributes(path);
    ASSERT_TRUE(attrs.has_value());
    EXPECT_EQ(*attrs & platform::kAttrReadOnly, 0u);
    EXPECT_TRUE(fs_.deleteFile(path));
    EXPECT_FALSE(fs_.attributes(path).has_value());
    EXPECT_FALSE(fs_.stat(path).has_value());
}

TEST_F(Win32Files, PathsWithAnEmbeddedNulAreRefused) {
    const std::string real = dir_.path("victim.txt");
    ASSERT_TRUE(writeFile(real, "keep"));
    // The API would read only up to the NUL and act on "victim.txt".
    const std::string poisoned = real + std::string("\0.bak", 5);
    EXPECT_FALSE(fs_.deleteFile(poisoned));
    EXPECT_EQ(fs_.open(poisoned, OpenMode::Create), nullptr);
    EXPECT_FALSE(fs_.setAttributes(poisoned, platform::kAttrHidden));
    EXPECT_FALSE(fs_.fileExists(poisoned));
    EXPECT_EQ(readFile(real), "keep");
}

TEST_F(Win32Files, SizesBeyondFourGigabytesAreReportedWhole) {
    const std::string path = dir_.path("big.bin");
    constexpr uint64_t kSize = 5ull * 1024 * 1024 * 1024 + 123;  // 5 GiB + 123: high and low parts
    {
        auto stream = fs_.open(path, OpenMode::Create);
        ASSERT_NE(stream, nullptr);
        // Setting the end of file makes a sparse file on the host: cheap in time and space.
        if (!stream->setSize(kSize)) GTEST_SKIP() << "the disk cannot hold a file of 5 GiB";
        EXPECT_EQ(stream->size(), kSize);
        ASSERT_TRUE(stream->seek(-3, SeekOrigin::End));
        EXPECT_EQ(stream->position(), kSize - 3);
        ASSERT_TRUE(stream->write("end", 3));
        EXPECT_EQ(stream->size(), kSize);
    }
    const auto st = fs_.stat(path);
    ASSERT_TRUE(st.has_value());
    EXPECT_EQ(st->size, kSize);
    EXPECT_EQ(findAll(path).at("big.bin").size, kSize);
    auto stream = fs_.open(path, OpenMode::Read);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(stream->seek(static_cast<int64_t>(kSize) - 3, SeekOrigin::Begin));
    char tail[8] = {};
    EXPECT_EQ(stream->read(tail, sizeof tail), 3u);
    EXPECT_EQ(std::string(tail, 3), "end");
}

TEST_F(Win32Files, StreamsReadWriteSeekAndResize) {
    const std::string path = dir_.path("stream.bin");
    EXPECT_EQ(fs_.open(path, OpenMode::Read), nullptr);  // missing
    EXPECT_EQ(fs_.open(path, OpenMode::ReadWrite), nullptr);
    {
        auto s = fs_.open(path, OpenMode::Create);
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(s->write("0123456789", 10));
        EXPECT_EQ(s->position(), 10u);
        EXPECT_EQ(s->size(), 10u);
        ASSERT_TRUE(s->seek(2, SeekOrigin::Begin));
        char two[2];
        EXPECT_EQ(s->read(two, 2), 2u);
        EXPECT_EQ(std::string(two, 2), "23");
        ASSERT_TRUE(s->seek(1, SeekOrigin::Current));
        ASSERT_TRUE(s->write("XY", 2));  // overwrites 5 and 6
        ASSERT_TRUE(s->seek(-1, SeekOrigin::End));
        ASSERT_TRUE(s->write("Z!", 2));  // replaces 9 and grows the file
        EXPECT_TRUE(s->flushToDisk());
        EXPECT_EQ(s->size(), 11u);
        EXPECT_FALSE(s->seek(-100, SeekOrigin::Begin));  // before the start
        EXPECT_EQ(s->position(), 11u);                   // a failed seek does not move
    }
    EXPECT_EQ(readFile(path), "01234XY78Z!");
    {
        auto s = fs_.open(path, OpenMode::ReadWrite);  // keeps the contents
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(s->seek(8, SeekOrigin::Begin));
        ASSERT_TRUE(s->setSize(4));
        EXPECT_EQ(s->size(), 4u);
        EXPECT_EQ(s->position(), 8u);  // the position stays where it was
        ASSERT_TRUE(s->setSize(6));    // grows with zero bytes
    }
    EXPECT_EQ(readFile(path), std::string("0123\0\0", 6));
    {
        auto s = fs_.open(path, OpenMode::Read);
        ASSERT_NE(s, nullptr);
        EXPECT_FALSE(s->write("no", 2));  // opened for reading only
        EXPECT_FALSE(s->setSize(1));
        char buffer[16];
        EXPECT_EQ(s->read(buffer, sizeof buffer), 6u);
        EXPECT_EQ(s->read(buffer, sizeof buffer), 0u);  // at the end
    }
    {
        auto s = fs_.open(path, OpenMode::Create);  // truncates
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->size(), 0u);
    }
    // A folder is no stream.
    EXPECT_EQ(fs_.open(dir_.path(), OpenMode::Read), nullptr);
}

TEST_F(Win32Files, AStreamLetsOthersReadButNotWrite) {
    const std::string path = dir_.path("shared.txt");
    auto writer = fs_.open(path, OpenMode::Create);
    ASSERT_NE(writer, nullptr);
    ASSERT_TRUE(writer->write("abc", 3));
    EXPECT_EQ(fs_.open(path, OpenMode::ReadWrite), nullptr);  // a second writer is refused
    auto reader = fs_.open(path, OpenMode::Read);
    ASSERT_NE(reader, nullptr);
    char buffer[3];
    EXPECT_EQ(reader->read(buffer, 3), 3u);
}

TEST_F(Win32Files, DrivesAndTheirTypes) {
    const auto drives = fs_.logicalDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
    for (const auto& drive : drives) {
        ASSERT_EQ(drive.size(), 3u) << drive;
        EXPECT_EQ(drive.substr(1), ":\\");
        EXPECT_NE(fs_.driveType(drive), platform::DriveType::NoRootDir) << drive;
    }
    EXPECT_EQ(fs_.driveType("C:\\"), platform::DriveType::Fixed);
    EXPECT_EQ(fs_.driveType("C:"), platform::DriveType::Fixed);  // without the backslash too
    // A letter no drive uses.
    std::string unused;
    for (char letter = 'Q'; letter <= 'Y' && unused.empty(); ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (std::find(drives.begin(), drives.end(), root) == drives.end()) unused = root;
    }
    ASSERT_FALSE(unused.empty());
    EXPECT_EQ(fs_.driveType(unused), platform::DriveType::NoRootDir);
    EXPECT_FALSE(fs_.freeSpace(unused).has_value());

    const auto free = fs_.freeSpace("C:\\");
    ASSERT_TRUE(free.has_value());
    ULARGE_INTEGER available{}, total{}, totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", &available, &total, &totalFree));
    EXPECT_GT(*free, 0u);
    EXPECT_LE(*free, total.QuadPart);
}

TEST_F(Win32Files, WellKnownFoldersEndInABackslashAndExist) {
    struct Case {
        const char* title;
        std::string folder;
    };
    const Case table[] = {
        {"windows", fs_.windowsDirectory()},
        {"system", fs_.systemDirectory()},
        {"temp", fs_.tempDirectory()},
        {"program", fs_.programDirectory()},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.title);
        ASSERT_GE(c.folder.size(), 3u);
        EXPECT_EQ(c.folder.back(), '\\');
        EXPECT_TRUE(fs_.directoryExists(c.folder));
    }
    EXPECT_TRUE(platform::EqualsNoCase(fs_.systemDirectory(), fs_.windowsDirectory() + "system32\\"));
    const std::string program = fs_.programPath();
    EXPECT_TRUE(fs_.fileExists(program));
    EXPECT_EQ(program.substr(0, fs_.programDirectory().size()), fs_.programDirectory());
    EXPECT_TRUE(platform::EqualsNoCase(program.substr(program.size() - 23), "trenmoor_wine_tests.exe"));
}

}  // namespace
}  // namespace trenmoor::testing
