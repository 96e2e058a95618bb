// The duplicate finder's portable core: grouping criteria, content narrowing, rows, marking, deletion.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "disk_cleaners/content_compare.h"
#include "disk_cleaners/duplicate_delete.h"
#include "disk_cleaners/duplicate_finder.h"
#include "disk_cleaners/duplicate_results.h"
#include "support/disk_tree.h"
#include "support/sim_machine.h"

namespace trenmoor::disk_cleaners {
namespace {

using testing::PutFile;

constexpr platform::FileTime kMs = 10000;
constexpr platform::FileTime kT0 = 133'000'000'000'000'000ULL;

struct Entry {
    const char* folder;
    const char* name;
    uint64_t size;
    platform::FileTime modified;
};

platform::FindData Find(const Entry& e) {
    platform::FindData d;
    d.name = e.name;
    d.size = e.size;
    d.lastWriteTime = e.modified;
    d.creationTime = e.modified;
    return d;
}

// Groups of two or more as "name:count", in discovery order.
std::vector<std::string> Groups(const DuplicateFinder& f) {
    std::vector<std::string> out;
    for (const auto& g : f.groups()) {
        if (g.count() >= 2) out.push_back(g.FileName + ":" + std::to_string(g.count()));
    }
    return out;
}

TEST(DuplicateGrouping, CriteriaDecideAgainstTheFirstCopy) {
    struct Case {
        const char* what;
        DuplicateCriteria criteria;
        std::vector<Entry> entries;
        std::vector<std::string> groups;
    };
    DuplicateCriteria sameSize;
    sameSize.SameSize = true;
    DuplicateCriteria sameDate;
    sameDate.SameDate = true;
    DuplicateCriteria skipSmall;
    skipSmall.SkipSmall = true;
    DuplicateCriteria pictures;
    pictures.Category = FileCategory::Pictures;
    const Case cases[] = {
        {"names differing in case form no group",
         {},
         {{"C:\\a", "Readme.txt", 1, kT0}, {"C:\\b", "README.TXT", 1, kT0}},
         {}},
        {"a name without a dot never groups",
         {},
         {{"C:\\a", "Makefile", 1, kT0}, {"C:\\b", "Makefile", 1, kT0}},
         {}},
        {"name alone groups any size",
         {},
         {{"C:\\a", "x.txt", 1, kT0}, {"C:\\b", "x.txt", 99, kT0}},
         {"x.txt:2"}},
        {"same size compares the third copy with the first",
         sameSize,
         {{"C:\\a", "x.txt", 10, kT0}, {"C:\\b", "x.txt", 20, kT0}, {"C:\\c", "x.txt", 10, kT0}},
         {"x.txt:2"}},
        {"same size: a second copy unlike the first never opens a group",
         sameSize,
         {{"C:\\a", "x.txt", 10, kT0}, {"C:\\b", "x.txt", 20, kT0}, {"C:\\c", "x.txt", 20, kT0}},
         {}},
        {"same date is to the millisecond",
         sameDate,
         {{"C:\\a", "d.doc", 1, kT0}, {"C:\\b", "d.doc", 1, kT0 + kMs}, {"C:\\c", "d.doc", 1, kT0 + kMs / 2}},
         {"d.doc:2"}},
        {"a small first copy keeps a large second one alone",
         skipSmall,
         {{"C:\\a", "s.bin", 4 * 1024, kT0}, {"C:\\b", "s.bin", 20 * 1024, kT0}},
         {}},
        {"the size floor is inclusive",
         skipSmall,
         {{"C:\\a", "s.bin", 10 * 1024, kT0},
          {"C:\\b", "s.bin", 10 * 1024, kT0},
          {"C:\\c", "s.bin", 10 * 1024 - 1, kT0}},
         {"s.bin:2"}},
        {"category by extension, without regard to case",
         pictures,
         {{"C:\\a", "p.JPG", 1, kT0},
          {"C:\\b", "p.JPG", 1, kT0},
          {"C:\\a", "t.txt", 1, kT0},
          {"C:\\b", "t.txt", 1, kT0}},
         {"p.JPG:2"}},
        {"groups stay in discovery order",
         {},
         {{"C:\\a", "b.txt", 1, kT0},
          {"C:\\a", "a.txt", 1, kT0},
          {"C:\\b", "a.txt", 1, kT0},
          {"C:\\b", "b.txt", 1, kT0}},
         {"b.txt:2", "a.txt:2"}},
    };
    for (const Case& c : cases) {
        DuplicateFinder f(c.criteria);
        for (const Entry& e : c.entries) f.add(e.folder, Find(e));
        EXPECT_EQ(Groups(f), c.groups) << c.what;
        uint64_t files = 0;
        for (const auto& g : c.groups) files += std::stoul(g.substr(g.find(':') + 1));
        EXPECT_EQ(f.duplicateGroups(), c.groups.size()) << c.what;
        EXPECT_EQ(f.duplicateFiles(), files) << c.what;
    }
}

TEST(DuplicateGrouping, NestedRootsAreWalkedOnce) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"C:\\a", "C:\\a\\sub"}, {"C:\\a"}},        {{"C:\\a\\sub\\", "c:\\A"}, {"c:\\A"}},
        {{"C:\\a", "C:\\ab"}, {"C:\\a", "C:\\ab"}},  {{"C:\\a", "C:\\a"}, {"C:\\a"}},
        {{"D:", "D:\\x", "C:\\y"}, {"D:", "C:\\y"}},
    };
    for (const auto& [roots, expected] : cases) EXPECT_EQ(IndependentRoots(roots), expected) << roots.front();
}

class DuplicatesOnDisk : public ::testing::Test {
  protected:
    testing::SimMachine machine;
    platform::FileSystem& files = machine->files();
};

TEST_F(DuplicatesOnDisk, AFolderCheckedWithItsAncestorIsNoDuplicateOfItself) {
    PutFile(files, "C:\\Top\\Sub\\one.txt", "1");
    PutFile(files, "C:\\Top\\two.txt", "2");
    PutFile(files, "C:\\Windows\\two.txt", "2");  // the Windows folder is excluded
    DuplicateFinder f({});
    ASSERT_TRUE(f.scan(files, {"C:\\Top\\Sub", "C:\\Top", "C:\\Windows\\"}, files.windowsDirectory(), {}));
    EXPECT_TRUE(Groups(f).empty());
    EXPECT_EQ(f.filesSeen(), 2u);
}

TEST_F(DuplicatesOnDisk, CopiesFoundByNameAloneCarryTheirSizesAndTimes) {
    // Without a size or date criterion the walk lists names only; the copies are looked at afterwards.
    PutFile(files, "C:\\A\\same.txt", "12345");
    PutFile(files, "C:\\B\\same.txt", "123");
    PutFile(files, "C:\\C\\same.txt", "1");
    PutFile(files, "C:\\A\\single.txt", "only one");
    for (const bool bySize : {false, true}) {
        DuplicateCriteria criteria;
        criteria.SameSize = bySize;
        DuplicateFinder f(criteria);
        ASSERT_TRUE(f.scan(files, {"C:\\A", "C:\\B", "C:\\C"}, files.windowsDirectory(), {}));
        if (bySize) {
            EXPECT_TRUE(f.groups().empty()) << "three sizes: no copies";
            continue;
        }
        ASSERT_EQ(f.groups().size(), 1u);
        const TSearchStat& g = f.groups()[0];
        ASSERT_EQ(g.Items.size(), 3u);
        const uint64_t sizes[] = {5, 3, 1};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(g.Items[i].Size, sizes[i]) << g.Items[i].Folder;
            EXPECT_EQ(g.Items[i].Modified, files.stat(g.Items[i].Folder + "same.txt")->lastWriteTime);
            EXPECT_GT(g.Items[i].Created, 0u);
        }
    }
}

TEST_F(DuplicatesOnDisk, SameContentReadsSizeFirstBlockThenAll) {
    const std::string big(3 * kFirstBlockSize, 'b');
    std::string bigLastDiffers = big;
    bigLastDiffers.back() = 'c';
    PutFile(files, "C:\\A\\same.txt", "12345");
    PutFile(files, "C:\\B\\same.txt", "12345");
    PutFile(files, "C:\\C\\same.txt", "12346");  // same size, other bytes
    PutFile(files, "C:\\D\\same.txt", "123");    // other size
    PutFile(files, "C:\\A\\big.dat", big);
    PutFile(files, "C:\\B\\big.dat", bigLastDiffers);  // equal first block, differs at the end
    PutFile(files, "C:\\C\\big.dat", big);
    PutFile(files, "C:\\D\\big.dat", bigLastDiffers);
    PutFile(files, "C:\\A\\empty.txt", "");
    PutFile(files, "C:\\B\\empty.txt", "");
    PutFile(files, "C:\\A\\solo.txt", "x");
    PutFile(files, "C:\\B\\solo.txt", "y");
    DuplicateCriteria c;
    c.SameContent = true;
    DuplicateFinder f(c);
    ASSERT_TRUE(f.scan(files, {"C:\\A", "C:\\B", "C:\\C", "C:\\D"}, files.windowsDirectory(), {}));
    std::vector<std::string> got;
    for (const auto& g : f.groups()) {
        if (g.count() < 2) continue;
        std::string s = g.FileName + ":";
        for (const auto& r : g.Items) s += r.Folder.substr(3, 1);
        got.push_back(s);
    }
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::string>{"big.dat:AC", "big.dat:BD", "empty.txt:AB", "same.txt:AB"}));
    EXPECT_EQ(f.duplicateGroups(), 4u);
    EXPECT_EQ(f.duplicateFiles(), 8u);
}

TEST(DuplicateRows, SizeTexts) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "0B"},     {511, "511B"}, {512, "512B"}, {513, "1KB"},  {1024, "1KB"},
        {1536, "2KB"}, {2560, "2KB"}, {3584, "4KB"}, {2047, "2KB"}, {5ULL << 30, "5242880KB"},
    };
    for (const auto& [size, text] : cases) EXPECT_EQ(FileSizeText(size), text) << size;
}

std::vector<TSearchStat> SampleGroups() {
    return {
        {"a.txt",
         {{300, kT0 + 2, kT0 + 9, "C:\\x\\"},
          {100, kT0 + 3, kT0 + 8, "C:\\z\\"},
          {200, kT0 + 1, kT0 + 7, "C:\\y\\"}}},
        {"lonely.txt", {{1, kT0, kT0, "C:\\x\\"}}},
        {"b.txt", {{5, kT0, kT0, "C:\\m\\"}, {6, kT0 + 5, kT0, "C:\\n\\"}}},
    };
}

std::string FolderOrder(const DuplicateResults& r) {
    std::string s;
    for (const auto& row : r.rows())
        s += row.Kind == RowKind::Header ? std::string("|") : row.Folder.substr(3, 1);
    return s;
}

TEST(DuplicateRows, HeadersThenFilesMostRecentlyModifiedFirst) {
    DuplicateResults r;
    r.build(SampleGroups());
    ASSERT_EQ(r.rows().size(), 7u);
    EXPECT_EQ(FolderOrder(r), "|zxy|nm");
    EXPECT_EQ(r.groupCount(), 2u);
    EXPECT_EQ(r.statusText(), "2 duplicate groups found where 5 files are contained within.");
    platform::sim::SimClock clock;
    EXPECT_EQ(r.cellText(0, 0, clock), "a.txt");
    EXPECT_EQ(r.cellText(0, 1, clock), "3 files");
    EXPECT_EQ(r.cellText(0, 2, clock), "");
    EXPECT_EQ(r.cellText(1, 0, clock), "C:\\z\\");
    EXPECT_EQ(r.cellText(1, 1, clock), "100B");
    EXPECT_EQ(r.cellText(4, 4, clock), "2");
    EXPECT_EQ(r.rows()[4].Group, 2u);
}

TEST(DuplicateRows, ColumnClicksToggleAndSwitchKeys) {
    struct Step {
        int column;
        SortKey key;
        bool descending;
        const char* order;
    };
    const Step steps[] = {
        {1, SortKey::Size, false, "|zyx|mn"},    {1, SortKey::Size, true, "|xyz|nm"},
        {0, SortKey::Folder, false, "|xyz|mn"},  {4, SortKey::Folder, true, "|zyx|nm"},
        {3, SortKey::Created, false, "|yzx|mn"}, {2, SortKey::Modified, false, "|yxz|mn"},
        {2, SortKey::Modified, true, "|zxy|nm"},
    };
    DuplicateResults r;
    const auto groups = SampleGroups();
    r.build(groups);
    for (const Step& s : steps) {
        r.columnClick(s.column, groups);
        EXPECT_EQ(r.sortKey(), s.key) << s.column;
        EXPECT_EQ(r.descending(), s.descending) << s.column;
        EXPECT_EQ(FolderOrder(r), s.order) << s.column;
    }
}

std::string Marks(const DuplicateResults& r) {
    std::string s;
    for (const auto& row : r.rows()) s += row.Checked ? 'x' : '.';
    return s;
}

TEST(DuplicateRows, MarkingAGroupKeepsItsFirstCopy) {
    DuplicateResults r;
    const auto groups = SampleGroups();
    r.build(groups);
    const std::pair<size_t, const char*> clicks[] = {
        {0, "x.xx..."},                                  // header: all but the first copy
        {1, "xxxx..."},                                  // a file row toggles alone
        {0, "......."},                                  // checked header clears its group
        {0, "x.xx..."}, {4, "x.xxx.x"}, {4, "x.xx..."},  // twice: completely unchecked again
        {6, "x.xx..x"},
    };
    for (const auto& [row, marks] : clicks) {
        r.toggleMark(row);
        EXPECT_EQ(Marks(r), marks) << row;
    }
    r.columnClick(1, groups);  // rebuilding resets the checks
    EXPECT_EQ(Marks(r), ".......");
}

TEST_F(DuplicatesOnDisk, DeletingMarkedRowsCountsAndNamesEachFile) {
    PutFile(files, "C:\\A\\d.txt", "1");
    PutFile(files, "C:\\B\\d.txt", "1");
    PutFile(files, "C:\\C\\d.txt", "1");
    ASSERT_TRUE(files.setAttributes("C:\\C\\d.txt", platform::kAttrReadOnly));
    DuplicateFinder f({});
    ASSERT_TRUE(f.scan(files, {"C:\\A", "C:\\B", "C:\\C"}, files.windowsDirectory(), {}));
    DuplicateResults r;
    r.columnClick(0, f.groups());  // by folder, ascending: A, B, C
    r.toggleMark(0);               // keeps A
    std::vector<std::pair<std::string, std::string>> log;
    int pumps = 0;
    const auto counts = DeleteMarked(
        files, machine->shell(), r.rows(), false,
        [&](const std::string& p, std::string_view s) { log.emplace_back(p, std::string(s)); },
        [&] { ++pumps; });
    EXPECT_EQ(log, (std::vector<std::pair<std::string, std::string>>{{"C:\\B\\d.txt", "Succeeded"},
                                                                     {"C:\\C\\d.txt", "Failed"}}));
    EXPECT_EQ(pumps, 2);
    EXPECT_TRUE(files.fileExists("C:\\A\\d.txt"));
    EXPECT_FALSE(files.fileExists("C:\\B\\d.txt"));
    EXPECT_EQ(DeletionFoundText(counts), "3 files have been found. 2 files were selected for deletion.");
    EXPECT_EQ(DeletionDeletedText(counts), "1 files have been deleted successfully.");
    EXPECT_EQ(DeletionFailedText(counts), "Fail to delete 1 files.");

    // Without a recycle bin nothing is claimed as moved there.
    r.toggleMark(0);
    r.toggleMark(0);
    const auto recycled = DeleteMarked(files, machine->shell(), r.rows(), true, {}, {});
    EXPECT_EQ(recycled.Deleted, 0u);
    EXPECT_EQ(recycled.Failed, 2u);
}

}  // namespace
}  // namespace trenmoor::disk_cleaners
