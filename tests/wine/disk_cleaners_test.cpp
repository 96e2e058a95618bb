// The disk cleaners on the real file system under Wine: duplicate deletion to the recycle bin and
// directly, the junk scan skipping links, and shredding of protected files with every pass on disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disk_cleaners/duplicate_delete.h"
#include "disk_cleaners/duplicate_finder.h"
#include "disk_cleaners/file_shredder.h"
#include "disk_cleaners/junk_scan.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"
#include "wine/scratch_folder.h"

namespace trenmoor::disk_cleaners {
namespace {

class DiskCleanersOnWindows : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.created()); }
    void put(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.path(name);
        for (size_t i = dir_.path().size() + 1; i < path.size(); ++i) {
            if (path[i] == '\\') (void)fs_.createDirectory(path.substr(0, i));
        }
        auto s = fs_.open(path, platform::OpenMode::Create);
        ASSERT_TRUE(s && s->write(bytes.data(), bytes.size())) << path;
    }
    bool exists(const std::string& name) { return fs_.attributes(dir_.path(name)).has_value(); }

    platform::win32::Win32FileSystem fs_;
    platform::win32::Win32Shell shell_;
    testing::ScratchFolder dir_;
};

TEST_F(DiskCleanersOnWindows, MarkedDuplicatesAreDeletedToTheBinOrForGood) {
    for (const char* folder : {"a", "b", "c"}) put(std::string(folder) + "\\dup.txt", "same");
    for (const char* folder : {"a", "b"}) put(std::string(folder) + "\\pair.doc", "pair");
    DuplicateFinder finder({});
    ASSERT_TRUE(finder.scan(fs_, {dir_.path()}, fs_.windowsDirectory(), {}));
    DuplicateResults rows;
    rows.columnClick(0, finder.groups());  // by folder, ascending: the copy in "a" is listed first
    ASSERT_EQ(rows.groupCount(), 2u);
    for (size_t i = 0; i < rows.rows().size(); ++i) {
        if (rows.rows()[i].Kind == RowKind::Header && rows.rows()[i].FileName == "dup.txt")
            rows.toggleMark(i);
    }
    std::vector<std::string> statuses;
    const auto recycled =
        DeleteMarked(fs_, shell_, rows.rows(), true,
                     [&](const std::string&, std::string_view s) { statuses.emplace_back(s); }, {});
    EXPECT_EQ(recycled.Selected, 2u);
    EXPECT_EQ(recycled.Deleted, 2u);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Succeeded", "Succeeded"}));
    EXPECT_TRUE(exists("a\\dup.txt"));
    EXPECT_FALSE(exists("b\\dup.txt"));
    EXPECT_FALSE(exists("c\\dup.txt"));

    for (size_t i = 0; i < rows.rows().size(); ++i) {
        if (rows.rows()[i].Kind == RowKind::Header && rows.rows()[i].FileName == "pair.doc")
            rows.toggleMark(i);
    }
    for (size_t i = 0; i < rows.rows().size(); ++i) {  // the recycled ones are no longer marked
        if (rows.rows()[i].FileName == "dup.txt" && rows.rows()[i].Checked) rows.toggleMark(i);
    }
    const auto deleted = DeleteMarked(fs_, shell_, rows.rows(), false, {}, {});
    EXPECT_EQ(deleted.Deleted, 1u);
    EXPECT_EQ(deleted.Failed, 0u);
    EXPECT_TRUE(exists("a\\pair.doc"));
    EXPECT_FALSE(exists("b\\pair.doc"));
}

TEST_F(DiskCleanersOnWindows, JunkScanDoesNotFollowAJunction) {
    put("outside\\far.tmp", "far");
    put("inside\\near.tmp", "near");
    const std::wstring link = platform::win32::Widen(dir_.path("inside\\link"));
    const std::wstring target = platform::win32::Widen(dir_.path("outside"));
    if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) {
        GTEST_SKIP() << "no directory links on this system";
    }
    std::vector<TTempFileInfo> found;
    ASSERT_TRUE(ScanForJunk(fs_, dir_.path("inside"), JunkMatcher(DefaultJunkTypes()), found, {}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].FileName, "near.tmp");
}

TEST_F(DiskCleanersOnWindows, ShredsProtectedFilesAndRemovesTheFolder) {
    const std::string secret = "WINE-SECRET-0192";
    put("vault\\ro.txt", secret);
    put("vault\\sub\\sys.txt", secret + secret);
    put("keep.txt", "keep");
    ASSERT_TRUE(SetFileAttributesW(platform::win32::Widen(dir_.path("vault\\ro.txt")).c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(platform::win32::Widen(dir_.path("vault\\sub\\sys.txt")).c_str(),
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));
    FileShredder shredder(fs_, ShredLevel::Safe);
    std::vector<ShredItem> items;
    EXPECT_TRUE(shredder.shredPath(dir_.path("vault"), [&](const ShredItem& i) { items.push_back(i); }, {}));
    EXPECT_EQ(ShredCompletionText(items), "File Shreds Completed Successfully!");
    EXPECT_FALSE(exists("vault"));
    EXPECT_TRUE(exists("keep.txt"));
    size_t shredded = 0;
    for (const auto& i : items) shredded += i.Status == kShredded;
    EXPECT_EQ(shredded, 2u);
}

}  // namespace
}  // namespace trenmoor::disk_cleaners
