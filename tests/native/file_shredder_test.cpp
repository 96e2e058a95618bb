// The shredder's portable core: what each level writes, exact lengths, flushes, names and removal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "disk_cleaners/file_shredder.h"
#include "support/disk_tree.h"
#include "support/sim_machine.h"

namespace trenmoor::disk_cleaners {
namespace {

using testing::PutFile;

// Forwards to a real file system and records, per opened-for-writing stream, the bytes written between
// flushes (one entry per pass that reached the disk).
class RecordingFileSystem final : public platform::FileSystem {
  public:
    explicit RecordingFileSystem(platform::FileSystem& inner) : in_(inner) {}
    std::vector<std::string> flushedPasses;
    std::string unflushed;

    bool fileExists(std::string_view p) override { return in_.fileExists(p); }
    bool directoryExists(std::string_view p) override { return in_.directoryExists(p); }
    bool createDirectory(std::string_view p) override { return in_.createDirectory(p); }
    bool removeDirectory(std::string_view p) override { return in_.removeDirectory(p); }
    bool deleteFile(std::string_view p) override { return in_.deleteFile(p); }
    bool renameFile(std::string_view a, std::string_view b) override { return in_.renameFile(a, b); }
    bool copyFile(std::string_view a, std::string_view b, bool f) override { return in_.copyFile(a, b, f); }
    std::optional<uint32_t> attributes(std::string_view p) override { return in_.attributes(p); }
    bool setAttributes(std::string_view p, uint32_t a) override { return in_.setAttributes(p, a); }
    std::optional<platform::FindData> stat(std::string_view p) override { return in_.stat(p); }
    bool find(std::string_view p, const std::function<bool(const platform::FindData&)>& f) override {
        return in_.find(p, f);
    }
    platform::DriveType driveType(std::string_view r) override { return in_.driveType(r); }
    std::vector<std::string> logicalDrives() override { return in_.logicalDrives(); }
    std::optional<uint64_t> freeSpace(std::string_view r) override { return in_.freeSpace(r); }
    std::string windowsDirectory() override { return in_.windowsDirectory(); }
    std::string systemDirectory() override { return in_.systemDirectory(); }
    std::string tempDirectory() override { return in_.tempDirectory(); }
    std::string programDirectory() override { return in_.programDirectory(); }
    std::string programPath() override { return in_.programPath(); }

    std::unique_ptr<platform::FileStream> open(std::string_view p, platform::OpenMode m) override {
        auto s = in_.open(p, m);
        if (!s || m == platform::OpenMode::Read) return s;
        return std::make_unique<Stream>(std::move(s), *this);
    }

  private:
    class Stream final : public platform::FileStream {
      public:
        Stream(std::unique_ptr<platform::FileStream> s, RecordingFileSystem& owner)
            : s_(std::move(s)), o_(owner) {}
        size_t read(void* b, size_t n) override { return s_->read(b, n); }
        bool write(const void* b, size_t n) override {
            o_.unflushed.append(static_cast<const char*>(b), n);
            return s_->write(b, n);
        }
        bool seek(int64_t off, platform::SeekOrigin o) override { return s_->seek(off, o); }
        std::optional<uint64_t> position() override { return s_->position(); }
        std::optional<uint64_t> size() override { return s_->size(); }
        bool setSize(uint64_t n) override { return s_->setSize(n); }
        bool flushToDisk() override {
            o_.flushedPasses.push_back(std::move(o_.unflushed));
            o_.unflushed.clear();
            return s_->flushToDisk();
        }

      private:
        std::unique_ptr<platform::FileStream> s_;
        RecordingFileSystem& o_;
    };
    platform::FileSystem& in_;
};

TEST(ShredLevels, PassesPerLevel) {
    EXPECT_EQ(PassesFor(ShredLevel::Quick), (std::vector<ShredPass>{{PassFill::Pattern01}}));
    const auto safe = PassesFor(ShredLevel::Safe);
    ASSERT_EQ(safe.size(), 3u);
    EXPECT_EQ(safe[0].Fill, PassFill::Byte);
    EXPECT_EQ(safe[1], (ShredPass{PassFill::Byte, static_cast<uint8_t>(~safe[0].Value)}));  // the complement
    EXPECT_EQ(safe[2].Fill, PassFill::Random);
    EXPECT_EQ(PassesFor(ShredLevel::Thorough).size(), 7u);
    for (const auto& l : kShredLevels) {
        EXPECT_EQ(static_cast<int>(PassesFor(l.Level).size()), l.Passes) << l.Caption;
        EXPECT_EQ(ShredLevelFromName(l.Name), l.Level);
    }
    EXPECT_FALSE(ShredLevelFromName("QUICK"));
}

TEST(ShredLevels, PatternFollowsTheFileOffset) {
    std::mt19937_64 random(1);
    uint8_t buf[5];
    FillPass({PassFill::Pattern01}, 3, buf, 5, random);  // an odd offset starts with "1"
    EXPECT_EQ(std::string(buf, buf + 5), "10101");
    FillPass({PassFill::Byte, 0xCA}, 0, buf, 5, random);
    EXPECT_EQ(std::string(buf, buf + 5), std::string(5, '\xca'));
}

class ShredOnDisk : public ::testing::Test {
  protected:
    testing::SimMachine machine;
    platform::FileSystem& files = machine->files();
    RecordingFileSystem recording{machine->files()};
};

TEST_F(ShredOnDisk, EachPassWritesExactlyTheSizeAndReachesTheDisk) {
    struct Case {
        ShredLevel level;
        size_t size;
    };
    const Case cases[] = {{ShredLevel::Quick, 10},
                          {ShredLevel::Quick, 3},
                          {ShredLevel::Quick, 0},
                          {ShredLevel::Safe, 10},
                          {ShredLevel::Safe, 3},
                          {ShredLevel::Thorough, 10},
                          {ShredLevel::Quick, 3 * 1024 * 1024 + 1}};
    for (const Case& c : cases) {
        PutFile(files, "C:\\S\\victim.bin", std::string(c.size, 'v'));
        recording.flushedPasses.clear();
        FileShredder shredder(recording, c.level, 42);
        const ShredItem item = shredder.shredFile("C:\\S\\victim.bin");
        EXPECT_TRUE(item.Ok) << item.Status;
        EXPECT_EQ(item.Status, kShredded);
        EXPECT_FALSE(files.fileExists("C:\\S\\victim.bin"));
        const auto passes = PassesFor(c.level);
        ASSERT_EQ(recording.flushedPasses.size(), passes.size()) << c.size;
        std::mt19937_64 unused(0);
        for (size_t i = 0; i < passes.size(); ++i) {
            const std::string& written = recording.flushedPasses[i];
            EXPECT_EQ(written.size(), c.size) << "pass " << i;
            if (passes[i].Fill == PassFill::Random) {
                EXPECT_NE(written.find_first_not_of('v'), std::string::npos);
                continue;
            }
            std::string expected(c.size, '\0');
            FillPass(passes[i], 0, reinterpret_cast<uint8_t*>(expected.data()), c.size, unused);
            EXPECT_EQ(written, expected) << "pass " << i;
        }
        if (c.size == 10 && c.level == ShredLevel::Quick) {
            EXPECT_EQ(recording.flushedPasses[0], "0101010101");
        }
    }
}

TEST_F(ShredOnDisk, ProtectedFilesAreShreddedAndTheFolderIsRemovedDirectly) {
    const std::string secret = "TOP-SECRET-CONTENT-4471";
    PutFile(files, "C:\\Vault\\plain.txt", secret);
    PutFile(files, "C:\\Vault\\Recent\\ro.txt", secret);
    PutFile(files, "C:\\Vault\\deep\\er\\hidden.txt", secret + secret);
    PutFile(files, "C:\\Keep\\outside.txt", secret);
    ASSERT_TRUE(
        files.setAttributes("C:\\Vault\\Recent\\ro.txt", platform::kAttrReadOnly | platform::kAttrArchive));
    ASSERT_TRUE(files.setAttributes("C:\\Vault\\deep\\er\\hidden.txt",
                                    platform::kAttrHidden | platform::kAttrSystem));
    std::filesystem::create_directory_symlink(machine.hostRoot() / "Keep",
                                              machine.hostRoot() / "Vault" / "link");

    FileShredder shredder(recording, ShredLevel::Safe);
    std::vector<ShredItem> items;
    EXPECT_TRUE(shredder.shredPath("C:\\Vault\\", [&](const ShredItem& i) { items.push_back(i); }, {}));
    EXPECT_EQ(ShredCompletionText(items), "File Shreds Completed Successfully!");
    EXPECT_FALSE(files.directoryExists("C:\\Vault"));
    size_t shredded = 0;
    for (const auto& i : items) shredded += i.Status == kShredded;
    EXPECT_EQ(shredded, 3u);
    EXPECT_EQ(recording.flushedPasses.size(), 9u);  // three files, three passes each
    // The link was removed, its target left alone.
    EXPECT_EQ(testing::ReadAll(files, "C:\\Keep\\outside.txt"), secret);

    // The old content is in no file left anywhere on the drive but the one kept on purpose.
    for (const auto& e : std::filesystem::recursive_directory_iterator(machine.hostRoot())) {
        if (!e.is_regular_file() || e.path().filename() == "outside.txt") continue;
        std::ifstream in(e.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(bytes.find(secret), std::string::npos) << e.path();
    }
}

TEST_F(ShredOnDisk, FailuresAreNamed) {
    FileShredder shredder(files, ShredLevel::Quick);
    std::vector<ShredItem> items;
    EXPECT_FALSE(
        shredder.shredPath("C:\\nowhere\\none.txt", [&](const ShredItem& i) { items.push_back(i); }, {}));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_FALSE(items[0].Ok);
    EXPECT_EQ(items[0].Status, "Shred Error: not found");
    items.push_back({"C:\\ok.txt", true, std::string(kShredded)});
    EXPECT_EQ(ShredCompletionText(items), "These items could not be shredded:\rC:\\nowhere\\none.txt");
}

TEST_F(ShredOnDisk, ARandomNameInUseIsDrawnAgain) {
    testing::MakeFolders(files, "C:\\R");
    std::mt19937_64 same(7);
    const std::string first = std::to_string(std::uniform_int_distribution<int>(0, 99999)(same));
    PutFile(files, "C:\\R\\" + first, "occupied");
    PutFile(files, "C:\\R\\victim", "bye");
    FileShredder shredder(files, ShredLevel::Quick, 7);
    EXPECT_TRUE(shredder.shredFile("C:\\R\\victim").Ok);
    EXPECT_EQ(testing::ReadAll(files, "C:\\R\\" + first), "occupied");
    EXPECT_FALSE(files.fileExists("C:\\R\\victim"));
}

TEST_F(ShredOnDisk, StopEndsTheFolderWalk) {
    for (int i = 0; i < 5; ++i) PutFile(files, "C:\\Many\\f" + std::to_string(i), "x");
    FileShredder shredder(files, ShredLevel::Quick);
    int done = 0;
    EXPECT_FALSE(shredder.shredPath(
        "C:\\Many", [&](const ShredItem&) { ++done; }, [&] { return done >= 2; }));
    EXPECT_EQ(done, 2);
    EXPECT_TRUE(files.directoryExists("C:\\Many"));
}

TEST_F(ShredOnDisk, ADriveKeepsItsRootWhileItsContentsGo) {
    std::filesystem::create_directories(machine.hostRoot() / "drive-d" / "sub");
    std::ofstream(machine.hostRoot() / "drive-d" / "a.txt") << "a";
    std::ofstream(machine.hostRoot() / "drive-d" / "sub" / "b.txt") << "b";
    machine->simFiles().mapDrive('D', machine.hostRoot() / "drive-d");
    for (const char* root : {"D:", "D:\\"}) {
        FileShredder shredder(files, ShredLevel::Quick);
        std::vector<ShredItem> items;
        EXPECT_TRUE(shredder.shredPath(root, [&](const ShredItem& i) { items.push_back(i); }, {})) << root;
        for (const auto& i : items) EXPECT_NE(i.Path, "D:\\") << i.Status;
        EXPECT_TRUE(files.directoryExists("D:\\")) << root;
        EXPECT_FALSE(files.fileExists("D:\\a.txt")) << root;
        EXPECT_FALSE(files.directoryExists("D:\\sub")) << root;
        std::filesystem::create_directories(machine.hostRoot() / "drive-d" / "sub");
    }
}

TEST_F(ShredOnDisk, RecycleBinFilesSkipTheBinsOwnFiles) {
    PutFile(files, "C:\\Recycled\\Dc1.txt", "1");
    PutFile(files, "C:\\Recycled\\INFO2", "i");
    PutFile(files, "C:\\Recycled\\desktop.ini", "d");
    PutFile(files, "C:\\$Recycle.Bin\\S-1-5-21\\$RAB12.doc", "2");
    PutFile(files, "C:\\$Recycle.Bin\\S-1-5-21\\desktop.ini", "d");
    auto list = RecycleBinFiles(files);
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list,
              (std::vector<std::string>{"C:\\$Recycle.Bin\\S-1-5-21\\$RAB12.doc", "C:\\Recycled\\Dc1.txt"}));
}

}  // namespace
}  // namespace trenmoor::disk_cleaners
