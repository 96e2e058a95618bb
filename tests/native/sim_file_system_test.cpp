// The simulated file system: Windows paths over host folders, names found without regard to case,
// masks matched as Windows matches them, links reported and never entered, attributes and streams.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "support/sim_machine.h"

namespace trenmoor::platform::sim {
namespace {

namespace fs = std::filesystem;

class SimFiles : public ::testing::Test {
  protected:
    void host(const std::string& rel, const std::string& content = "x") {
        const fs::path p = m.hostRoot() / rel;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
    }
    void hostDir(const std::string& rel) { fs::create_directories(m.hostRoot() / rel); }

    std::vector<std::string> names(const std::string& pattern) {
        std::vector<std::string> out;
        EXPECT_TRUE(files().find(pattern, [&](const FindData& fd) {
            out.push_back(fd.name);
            return true;
        })) << pattern;
        return out;
    }

    SimFileSystem& files() { return m->simFiles(); }
    testing::SimMachine m;
};

TEST_F(SimFiles, MachineHasItsFoldersAndWellKnownPaths) {
    for (const char* dir : {"C:\\Windows", "C:\\Windows\\System32", "C:\\Windows\\Fonts",
                            "C:\\Users\\tester\\AppData\\Local\\Temp", "C:\\Program Files\\Trenmoor"})
        EXPECT_TRUE(files().directoryExists(dir)) << dir;
    EXPECT_EQ(files().windowsDirectory(), "C:\\Windows\\");
    EXPECT_EQ(files().systemDirectory(), "C:\\Windows\\System32\\");
    EXPECT_EQ(files().tempDirectory(), "C:\\Users\\tester\\AppData\\Local\\Temp\\");
    EXPECT_EQ(files().programPath(), "C:\\Program Files\\Trenmoor\\Trenmoor.exe");
    EXPECT_EQ(files().programDirectory(), "C:\\Program Files\\Trenmoor\\");
    EXPECT_TRUE(fs::is_directory(m.hostRoot() / "Windows" / "System32"));
    EXPECT_EQ(files().hostPath("C:\\"), m.hostRoot());
}

TEST_F(SimFiles, ExistingHostFoldersAreReusedWhateverTheirCase) {
    const fs::path root = m.hostRoot() / "other";
    fs::create_directories(root / "windows" / "system32");
    SimPlatform p(root);
    EXPECT_TRUE(p.simFiles().directoryExists("C:\\WINDOWS\\System32"));
    EXPECT_FALSE(fs::exists(root / "Windows"));
    EXPECT_EQ(p.simFiles().hostPath("C:\\Windows\\System32\\x.dll"), root / "windows" / "system32" / "x.dll");
}

TEST_F(SimFiles, PathsResolveWithoutRegardToCase) {
    host("Windows/System32/Drivers/etc/hosts", "127.0.0.1");
    EXPECT_TRUE(files().fileExists("C:\\WINDOWS\\System32\\drivers\\ETC\\HOSTS"));
    EXPECT_TRUE(files().fileExists("c:/windows/system32/drivers/etc/hosts"));
    EXPECT_TRUE(files().directoryExists("C:\\Windows\\System32\\DRIVERS"));
    EXPECT_FALSE(files().fileExists("C:\\Windows\\System32\\drivers"));  // a folder, not a file
    EXPECT_FALSE(files().directoryExists("C:\\Windows\\System32\\drivers\\etc\\hosts"));
    EXPECT_EQ(files().hostPath("C:\\WINDOWS\\SYSTEM32\\DRIVERS\\ETC\\HOSTS"),
              m.hostRoot() / "Windows" / "System32" / "Drivers" / "etc" / "hosts");
    // Dots, doubled separators and trailing dots or blanks are normalised as Windows does.
    EXPECT_TRUE(files().fileExists("C:\\Windows\\.\\Fonts\\..\\System32\\\\drivers\\etc\\hosts"));
    EXPECT_TRUE(files().fileExists("C:\\Windows\\System32\\drivers\\etc\\hosts. "));
    EXPECT_TRUE(files().fileExists("C:\\..\\..\\Windows\\System32\\drivers\\etc\\hosts"));
    const auto st = files().stat("C:\\windows\\system32\\drivers\\etc\\HOSTS");
    ASSERT_TRUE(st.has_value());
    EXPECT_EQ(st->name, "hosts");  // the name as it is stored
    EXPECT_EQ(st->size, 9u);
}

TEST_F(SimFiles, PathsOffMappedDrivesDoNotExist) {
    files().addDrive('D', DriveType::CdRom);
    for (const char* path :
         {"D:\\setup.exe", "E:\\x", "relative\\x.txt", "\\\\server\\share\\x", "C:x.txt", ""}) {
        EXPECT_FALSE(files().fileExists(path)) << path;
        EXPECT_FALSE(files().open(path, OpenMode::Create)) << path;
        EXPECT_TRUE(files().hostPath(path).empty()) << path;
    }
    EXPECT_FALSE(files().find("D:\\*.*", [](const FindData&) { return true; }));
}

TEST_F(SimFiles, DrivesHaveTypesAndComeInLetterOrder) {
    files().addDrive('Z', DriveType::Remote);
    files().addDrive('d', DriveType::CdRom);
    files().mapDrive('E', m.hostRoot() / "usb", DriveType::Removable);
    EXPECT_EQ(files().logicalDrives(), (std::vector<std::string>{"C:\\", "D:\\", "E:\\", "Z:\\"}));
    EXPECT_EQ(files().driveType("C:\\"), DriveType::Fixed);
    EXPECT_EQ(files().driveType("d:\\"), DriveType::CdRom);
    EXPECT_EQ(files().driveType("E:"), DriveType::Removable);
    EXPECT_EQ(files().driveType("Z:\\"), DriveType::Remote);
    EXPECT_EQ(files().driveType("Q:\\"), DriveType::NoRootDir);
    EXPECT_EQ(files().driveType(""), DriveType::NoRootDir);
    EXPECT_TRUE(files().freeSpace("C:\\").has_value());
    EXPECT_FALSE(files().freeSpace("D:\\").has_value());
    EXPECT_FALSE(files().freeSpace("Q:\\").has_value());
}

TEST_F(SimFiles, MasksMatchAsWindowsMatchesThem) {
    for (const char* name : {"readme.txt", "README.TXT.bak", "notes", "a.b.txt", "file1._dd", "file12._dd",
                             "file123456._dd", "x.tmp", "~tmp", "~x.doc", "twain.mtx", "twain32.mtx",
                             "doc.ht", "doc.html", "b.sw~", "noext.", "abc.d"})
        host("m/" + std::string(name));
    struct Case {
        const char* mask;
        std::vector<std::string> expected;
    };
    const Case table[] = {
        {"*",
         {"a.b.txt", "abc.d", "b.sw~", "doc.ht", "doc.html", "file1._dd", "file12._dd", "file123456._dd",
          "noext.", "notes", "readme.txt", "README.TXT.bak", "twain.mtx", "twain32.mtx", "x.tmp", "~tmp",
          "~x.doc"}},
        {"*.*",
         {"a.b.txt", "abc.d", "b.sw~", "doc.ht", "doc.html", "file1._dd", "file12._dd", "file123456._dd",
          "noext.", "notes", "readme.txt", "README.TXT.bak", "twain.mtx", "twain32.mtx", "x.tmp", "~tmp",
          "~x.doc"}},
        {"*.txt", {"a.b.txt", "readme.txt"}},
        {"*.TXT", {"a.b.txt", "readme.txt"}},
        {"*.ht", {"doc.ht"}},
        {"README.*", {"readme.txt", "README.TXT.bak"}},
        {"file????._dd", {"file1._dd", "file12._dd"}},  // "?" also matches nothing before a dot
        {"twain???.mtx", {"twain.mtx", "twain32.mtx"}},
        {"~*.*", {"~tmp", "~x.doc"}},
        {"*.??~", {"b.sw~"}},                 // an extension of exactly three characters
        {"*.", {"noext.", "notes", "~tmp"}},  // names without an extension
        {"?.tmp", {"x.tmp"}},
        {"?", {}},
        {"*.d", {"abc.d"}},
        {"*x*",
         {"a.b.txt", "noext.", "readme.txt", "README.TXT.bak", "twain.mtx", "twain32.mtx", "x.tmp",
          "~x.doc"}},
        {"*.zzz", {}},
    };
    for (const auto& c : table) EXPECT_EQ(names("C:\\M\\" + std::string(c.mask)), c.expected) << c.mask;
}

TEST_F(SimFiles, APlainNameFindsThatOneEntryUnderItsOwnSpelling) {
    host("Dir/Report.TXT", "12345");
    std::vector<FindData> seen;
    ASSERT_TRUE(files().find("C:\\dir\\report.txt", [&](const FindData& fd) {
        seen.push_back(fd);
        return true;
    }));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].name, "Report.TXT");
    EXPECT_EQ(seen[0].size, 5u);
    EXPECT_TRUE(names("C:\\Dir\\missing.txt").empty());
    EXPECT_FALSE(files().find("C:\\NoSuchDir\\*.*", [](const FindData&) { return true; }));
    EXPECT_FALSE(files().find("C:\\Dir\\", [](const FindData&) { return true; }));
    EXPECT_FALSE(files().find("C:\\Dir\\Report.TXT\\*", [](const FindData&) { return true; }));
}

TEST_F(SimFiles, FindReportsEntriesSortedWithoutDotsAndStopsOnRequest) {
    host("list/b.txt");
    host("list/A.txt");
    host("list/c.txt");
    hostDir("list/Sub");
    EXPECT_EQ(names("C:\\list\\*.*"), (std::vector<std::string>{"A.txt", "b.txt", "c.txt", "Sub"}));
    EXPECT_EQ(names("C:\\*"), (std::vector<std::string>{"list", "Program Files", "Users", "Windows"}));
    int calls = 0;
    ASSERT_TRUE(files().find("C:\\list\\*", [&](const FindData&) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    // Entry details.
    std::vector<FindData> seen;
    ASSERT_TRUE(files().find("C:\\list\\*", [&](const FindData& fd) {
        seen.push_back(fd);
        return true;
    }));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_TRUE(seen[3].isDirectory());
    EXPECT_FALSE(seen[0].isDirectory());
    EXPECT_EQ(seen[0].attributes, kAttrArchive);
    EXPECT_EQ(seen[3].attributes, kAttrDirectory);
    EXPECT_GT(seen[0].lastWriteTime, 116444736000000000ULL);  // after 1970
}

TEST_F(SimFiles, ANamesOnlyListingGivesTheSameEntriesAndKindsWithDetailsOnlyWhereLookedAt) {
    host("kinds/file.txt", "12345");
    hostDir("kinds/Folder");
    host("kinds/target/in.txt");
    fs::create_directory_symlink(m.hostRoot() / "kinds" / "target", m.hostRoot() / "kinds" / "link");
    const auto list = [&](bool namesOnly) {
        std::vector<FindData> seen;
        const auto collect = [&](const FindData& fd) {
            seen.push_back(fd);
            return true;
        };
        EXPECT_TRUE(namesOnly ? files().findNames("C:\\kinds\\*", collect)
                              : files().find("C:\\kinds\\*", collect));
        return seen;
    };
    const std::vector<FindData> full = list(false), light = list(true);
    ASSERT_EQ(light.size(), full.size());
    for (size_t i = 0; i < full.size(); ++i) {
        EXPECT_EQ(light[i].name, full[i].name);
        EXPECT_EQ(light[i].isDirectory(), full[i].isDirectory()) << full[i].name;
        EXPECT_EQ(light[i].isReparsePoint(), full[i].isReparsePoint()) << full[i].name;
        EXPECT_TRUE(full[i].detailsKnown);
    }
    // file.txt, Folder, link, target: plain entries come bare, the link was looked at.
    EXPECT_FALSE(light[0].detailsKnown);
    EXPECT_EQ(full[0].size, 5u);
    EXPECT_TRUE(light[2].detailsKnown);
    EXPECT_TRUE(light[2].isReparsePoint() && light[2].isDirectory());

    // Attributes kept aside (hidden, system) are only known by looking: then every entry is.
    ASSERT_TRUE(files().setAttributes("C:\\kinds\\file.txt", kAttrHidden));
    const std::vector<FindData> withSide = list(true);
    EXPECT_TRUE(withSide[0].detailsKnown);
    EXPECT_EQ(withSide[0].attributes & kAttrHidden, kAttrHidden);
}

TEST_F(SimFiles, HugeSizesAndTimesComeFromTheHost) {
    host("big/sparse.bin", "");
    const fs::path p = m.hostRoot() / "big" / "sparse.bin";
    fs::resize_file(p, 5ULL * 1024 * 1024 * 1024);  // sparse: 5 GiB without using the disk
    const auto st = files().stat("C:\\big\\sparse.bin");
    ASSERT_TRUE(st.has_value());
    EXPECT_EQ(st->size, 5ULL * 1024 * 1024 * 1024);
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 500}};  // 2001-09-09 01:46:40 UTC
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
    const auto again = files().stat("C:\\big\\sparse.bin");
    EXPECT_EQ(again->lastWriteTime, (1000000000ULL + 11644473600ULL) * 10000000ULL + 5);
    EXPECT_EQ(again->lastAccessTime, (1000000000ULL + 11644473600ULL) * 10000000ULL);
}

TEST_F(SimFiles, SymbolicLinksAreReparsePointsAndNeverFollowed) {
    host("target/inside.txt", "secret");
    hostDir("walk");
    fs::create_directory_symlink(m.hostRoot() / "target", m.hostRoot() / "walk" / "junction");
    fs::create_symlink(m.hostRoot() / "target" / "inside.txt", m.hostRoot() / "walk" / "filelink.txt");
    fs::create_symlink(m.hostRoot() / "nowhere", m.hostRoot() / "walk" / "dangling");

    std::vector<FindData> seen;
    ASSERT_TRUE(files().find("C:\\walk\\*.*", [&](const FindData& fd) {
        seen.push_back(fd);
        return true;
    }));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].name, "dangling");
    EXPECT_EQ(seen[1].name, "filelink.txt");
    EXPECT_EQ(seen[2].name, "junction");
    for (const auto& fd : seen) EXPECT_TRUE(fd.isReparsePoint()) << fd.name;
    EXPECT_TRUE(seen[2].isDirectory());
    EXPECT_FALSE(seen[1].isDirectory());
    EXPECT_EQ(seen[1].size, 0u);  // the link, not its target

    EXPECT_TRUE((*files().attributes("C:\\walk\\junction") & kAttrReparsePoint) != 0);
    // Removing the link removes only the link.
    EXPECT_FALSE(files().deleteFile("C:\\walk\\junction"));
    EXPECT_TRUE(files().removeDirectory("C:\\walk\\junction"));
    EXPECT_TRUE(files().deleteFile("C:\\walk\\filelink.txt"));
    EXPECT_TRUE(files().fileExists("C:\\target\\inside.txt"));
    EXPECT_TRUE(fs::exists(m.hostRoot() / "target" / "inside.txt"));
}

TEST_F(SimFiles, NonAsciiNamesWorkEverywhere) {
    const std::string dir = "C:\\Données\\Ключи\\日本";
    ASSERT_TRUE(files().createDirectory("C:\\Données"));
    ASSERT_TRUE(files().createDirectory("C:\\Données\\Ключи"));
    ASSERT_TRUE(files().createDirectory(dir));
    {
        auto s = files().open(dir + "\\Grüße.txt", OpenMode::Create);
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(s->write("hallo", 5));
    }
    EXPECT_TRUE(fs::exists(m.hostRoot() / "Données" / "Ключи" / "日本" / "Grüße.txt"));
    EXPECT_TRUE(files().fileExists("C:\\DONNÉES\\КЛЮЧИ\\日本\\GRÜSSE.TXT") == false);  // ß has no upper case
    EXPECT_TRUE(files().fileExists("C:\\DONNÉES\\КЛЮЧИ\\日本\\GRÜßE.TXT"));
    EXPECT_EQ(names(dir + "\\*.txt"), std::vector<std::string>{"Grüße.txt"});
    EXPECT_EQ(names(dir + "\\gr?ße.*"), std::vector<std::string>{"Grüße.txt"});
    EXPECT_TRUE(files().renameFile(dir + "\\Grüße.txt", dir + "\\Ünïcödé.txt"));
    EXPECT_EQ(names(dir + "\\*"), std::vector<std::string>{"Ünïcödé.txt"});
}

TEST_F(SimFiles, HostNamesThatAreNotUtf8ShowAsWindows1252) {
    hostDir("legacy");
    std::ofstream(m.hostRoot() / "legacy" / "caf\xE9.txt") << "x";
    EXPECT_EQ(names("C:\\legacy\\*"), std::vector<std::string>{"café.txt"});
}

TEST_F(SimFiles, AttributesLiveInASideTableExceptReadOnly) {
    host("attr/file.txt", "abc");
    const std::string f = "C:\\attr\\file.txt";
    EXPECT_EQ(files().attributes(f), kAttrArchive);
    ASSERT_TRUE(files().setAttributes(f, kAttrHidden | kAttrSystem));
    EXPECT_EQ(files().attributes(f), kAttrHidden | kAttrSystem);
    ASSERT_TRUE(files().setAttributes(f, kAttrNormal));
    EXPECT_EQ(files().attributes(f), kAttrNormal);
    ASSERT_TRUE(files().setAttributes(f, kAttrReadOnly | kAttrHidden));
    EXPECT_EQ(files().attributes(f), kAttrReadOnly | kAttrHidden);
    EXPECT_EQ(::access((m.hostRoot() / "attr" / "file.txt").c_str(), F_OK), 0);
    struct stat st {};
    ASSERT_EQ(::stat((m.hostRoot() / "attr" / "file.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH), 0u);  // the host keeps read-only itself

    // Read-only files refuse writes, deletion and being overwritten, as on Windows.
    EXPECT_EQ(files().open(f, OpenMode::ReadWrite), nullptr);
    EXPECT_EQ(files().open(f, OpenMode::Create), nullptr);
    EXPECT_NE(files().open(f, OpenMode::Read), nullptr);
    EXPECT_FALSE(files().deleteFile(f));
    host("attr/other.txt", "other");
    EXPECT_FALSE(files().copyFile("C:\\attr\\other.txt", f, false));

    ASSERT_TRUE(files().setAttributes(f, kAttrArchive));
    EXPECT_EQ(files().attributes(f), kAttrArchive);
    EXPECT_TRUE(files().deleteFile(f));
    EXPECT_FALSE(files().attributes(f).has_value());
    EXPECT_FALSE(files().setAttributes(f, kAttrHidden));

    // A new file of the same name starts without the old attributes.
    host("attr/file.txt", "new");
    EXPECT_EQ(files().attributes(f), kAttrArchive);
    hostDir("attr/folder");
    ASSERT_TRUE(files().setAttributes("C:\\attr\\folder", kAttrHidden));
    EXPECT_EQ(files().attributes("C:\\attr\\folder"), kAttrDirectory | kAttrHidden);
}

TEST_F(SimFiles, CreateRemoveRenameCopyAndDelete) {
    EXPECT_TRUE(files().createDirectory("C:\\Work"));
    EXPECT_FALSE(files().createDirectory("C:\\Work"));          // exists
    EXPECT_FALSE(files().createDirectory("C:\\Nope\\Deeper"));  // one level only
    EXPECT_TRUE(files().createDirectory("C:\\work\\Sub"));
    EXPECT_FALSE(files().removeDirectory("C:\\Work"));  // not empty
    host("Work/a.txt", "alpha");
    ASSERT_TRUE(files().setAttributes("C:\\Work\\a.txt", kAttrHidden));

    EXPECT_TRUE(files().copyFile("C:\\work\\A.TXT", "C:\\Work\\b.txt", true));
    EXPECT_EQ(files().attributes("C:\\Work\\b.txt"), kAttrHidden);  // attributes go with the copy
    EXPECT_FALSE(files().copyFile("C:\\Work\\a.txt", "C:\\Work\\b.txt", true));
    EXPECT_TRUE(files().copyFile("C:\\Work\\a.txt", "C:\\Work\\b.txt", false));
    EXPECT_FALSE(files().copyFile("C:\\Work\\missing.txt", "C:\\Work\\c.txt", false));
    EXPECT_FALSE(files().copyFile("C:\\Work\\Sub", "C:\\Work\\c.txt", false));

    EXPECT_FALSE(files().renameFile("C:\\Work\\a.txt", "C:\\Work\\b.txt"));  // target exists
    EXPECT_TRUE(files().renameFile("C:\\Work\\a.txt", "C:\\Work\\Sub\\moved.txt"));
    EXPECT_EQ(files().attributes("C:\\Work\\Sub\\moved.txt"), kAttrHidden);
    EXPECT_TRUE(files().renameFile("C:\\Work\\Sub\\moved.txt", "C:\\Work\\Sub\\MOVED.TXT"));  // case only
    EXPECT_EQ(names("C:\\Work\\Sub\\*"), std::vector<std::string>{"MOVED.TXT"});
    EXPECT_TRUE(files().renameFile("C:\\Work\\Sub", "C:\\Work\\Renamed"));
    EXPECT_EQ(files().attributes("C:\\Work\\Renamed\\MOVED.TXT"), kAttrHidden);  // folder moves keep them
    EXPECT_FALSE(files().renameFile("C:\\Work\\none", "C:\\Work\\x"));

    EXPECT_FALSE(files().deleteFile("C:\\Work\\Renamed"));  // a folder
    EXPECT_TRUE(files().deleteFile("C:\\Work\\Renamed\\MOVED.TXT"));
    EXPECT_FALSE(files().deleteFile("C:\\Work\\Renamed\\MOVED.TXT"));
    EXPECT_TRUE(files().removeDirectory("C:\\Work\\Renamed"));
    EXPECT_FALSE(files().removeDirectory("C:\\Work\\b.txt"));  // a file
}

TEST_F(SimFiles, StreamsReadWriteSeekAndResize) {
    EXPECT_EQ(files().open("C:\\s.bin", OpenMode::Read), nullptr);
    EXPECT_EQ(files().open("C:\\s.bin", OpenMode::ReadWrite), nullptr);
    EXPECT_EQ(files().open("C:\\Windows", OpenMode::Read), nullptr);
    EXPECT_EQ(files().open("C:\\NoDir\\s.bin", OpenMode::Create), nullptr);
    {
        auto s = files().open("C:\\s.bin", OpenMode::Create);
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(s->write("hello world", 11));
        EXPECT_EQ(s->position(), 11u);
        EXPECT_EQ(s->size(), 11u);
        ASSERT_TRUE(s->seek(6, SeekOrigin::Begin));
        char buf[16] = {};
        EXPECT_EQ(s->read(buf, sizeof buf), 5u);
        EXPECT_EQ(std::string(buf, 5), "world");
        EXPECT_EQ(s->read(buf, sizeof buf), 0u);
        ASSERT_TRUE(s->seek(-5, SeekOrigin::End));
        ASSERT_TRUE(s->write("WORLD", 5));
        ASSERT_TRUE(s->seek(-11, SeekOrigin::Current));
        EXPECT_EQ(s->position(), 0u);
        EXPECT_FALSE(s->seek(-1, SeekOrigin::Begin));
        ASSERT_TRUE(s->setSize(20));
        EXPECT_EQ(s->size(), 20u);
        EXPECT_TRUE(s->flushToDisk());
    }
    {
        auto s = files().open("c:\\S.BIN", OpenMode::ReadWrite);
        ASSERT_NE(s, nullptr);
        char buf[32] = {};
        EXPECT_EQ(s->read(buf, sizeof buf), 20u);
        EXPECT_EQ(std::string(buf, 11), "hello WORLD");
        EXPECT_EQ(buf[15], 0);
        ASSERT_TRUE(s->setSize(5));
    }
    {
        auto s = files().open("C:\\s.bin", OpenMode::Read);
        EXPECT_EQ(s->size(), 5u);
        EXPECT_FALSE(s->write("x", 1));  // read only
    }
    {
        auto s = files().open("C:\\s.bin", OpenMode::Create);  // truncates
        EXPECT_EQ(s->size(), 0u);
    }
}

}  // namespace
}  // namespace trenmoor::platform::sim
