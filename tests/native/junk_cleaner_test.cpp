// The junk file cleaner's portable core: patterns, the types file, the scan, the report and cleaning.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "disk_cleaners/junk_clean.h"
#include "disk_cleaners/junk_matcher.h"
#include "disk_cleaners/junk_report.h"
#include "disk_cleaners/junk_scan.h"
#include "disk_cleaners/junk_types.h"
#include "disk_cleaners/name_pattern.h"
#include "support/disk_tree.h"
#include "support/sim_machine.h"

namespace trenmoor::disk_cleaners {
namespace {

using testing::PutFile;

TEST(NamePattern, WildcardsAnywhereWithoutRegardToCase) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"thumbs.db", "Thumbs.db", true},
        {"readme.txt", "README.TXT", true},
        {"readme.txt", "readme.txt.bak", false},
        {"*.tmp", "A.TMP", true},
        {"*.tmp", "a.tmp.gz", false},
        {"*.tmp", ".tmp", true},
        {"~*.*", "~$letter.docx", true},
        {"~*.*", "~nodot", false},
        {"~*.*", "a~b.c", false},
        {"ffastun.*", "FFASTUN.FFA", true},
        {"*.~*", "report.~mp", true},
        {"*.~*", "report.mp~", false},
        {"*.??~", "a.tx~", true},
        {"*.??~", "a.t~", false},
        {"*.??~", "a.txt~", false},
        {"file????._dd", "FILE0001._DD", true},
        {"file????._dd", "file001._dd", false},
        {"twain???.mtx", "Twain032.mtx", true},
        {"*.$$$", "setup.$$$", true},
        {"*.db$", "cache.DB$", true},
        {"*.^", "x.^", true},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},
        {"*", "", true},
        {"?", "", false},
        {"?.txt", "\xc3\xa9.txt", true},              // one character, two bytes
        {"\xc3\xa4*.log", "\xc3\x84rger.LOG", true},  // non-ASCII case folding
        {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
    }
}

TEST(JunkMatcher, FirstCheckedTypeInListOrderWins) {
    std::vector<TJunkFileType> types = {
        {true, "~*.*", "tilde"}, {true, "*.tmp", "tmp"},   {false, "*.log", "unchecked"},
        {true, "*.LOG", "log"},  {true, "x.tmp", "exact"},
    };
    const JunkMatcher m(types);
    struct Case {
        const char* name;
        std::optional<size_t> type;
    };
    const Case cases[] = {
        {"~a.tmp", 0},           {"b.tmp", 1},          {"x.tmp", 1}, {"setup.log", 3},
        {"a.txt", std::nullopt}, {"tmp", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(m.match(c.name), c.type) << c.name;
    EXPECT_TRUE(JunkMatcher({{false, "*.tmp", ""}}).empty());
}

TEST(JunkMatcher, EveryDefaultPatternFindsWhatItDescribes) {
    const JunkMatcher m(DefaultJunkTypes());
    for (const char* name :
         {"a.swp",        "b.$$$",        "c.~mp",      "d.___",       "e.^",          "F.TMP",
          "g.temp",       "h.---",        "~$doc.docx", "i.bk~",       "j.db$",        "k.nch",
          "l.pch",        "m.ncb",        "n.ilk",      "o.exp",       "p.ilc",        "q.ild",
          "r.ils",        "s.ilf",        "t.tds",      "IEBAK.DAT",   "ffastun.ffl",  "chklist.ms",
          "u.sik",        "v.gid",        "w.fts",      "x.ftg",       "y.err",        "z.dmp",
          "file0000.chk", "FILE0001._DD", "aa.diz",     "bb.log",      "cc.prv",       "dd.old",
          "ee.bak",       "ff.nu3",       "System.1st", "SUHDLOG.DAT", "modemdet.txt", "twain001.mtx",
          "Thumbs.db",    "MSCREATE.DIR", "gg.wri",     "ReadMe.txt"}) {
        EXPECT_TRUE(m.match(name)) << name;
    }
    for (const char* name : {"report.docx", "photo.jpg", "tmp", "log.txt", "thumbs.db.jpg"}) {
        EXPECT_FALSE(m.match(name)) << name;
    }
}

TEST(JunkTypes, DefaultsAreTheFortySevenInOrder) {
    const auto d = DefaultJunkTypes();
    ASSERT_EQ(d.size(), 47u);
    EXPECT_EQ(d.front(), (TJunkFileType{true, "*.swp", "Temporary Junk Files"}));
    EXPECT_EQ(d[10], (TJunkFileType{true, "*.db$", "Temporary Files (Database)"}));
    EXPECT_EQ(d[23], (TJunkFileType{true, "chklist.*", "Microsoft Junk File"}));
    EXPECT_EQ(d[26], (TJunkFileType{true, "*.fts", "Word List File of *.HLP"}));
    EXPECT_EQ(d[31], (TJunkFileType{true, "chklist.*", "CHKDSK Log Files"}));
    EXPECT_EQ(d.back(), (TJunkFileType{true, "readme.txt", "Readme Files"}));
    EXPECT_TRUE(std::all_of(d.begin(), d.end(), [](const auto& t) { return t.Checked; }));
    EXPECT_EQ(ParseJunkTypeLine("*.a,  b, c  "), (TJunkFileType{true, "*.a", "b, c"}));
}

TEST(JunkTypes, RecordsRoundTripAndCutLongTexts) {
    const std::string longText(150, 'p');
    const std::string utf8Edge = std::string(99, 'd') + "\xc3\xa9";  // 101 bytes, a character across byte 100
    const std::vector<TJunkFileType> in = {
        {true, "*.tmp", "Temporary"}, {false, longText, utf8Edge}, {true, "", ""}};
    const std::string bytes = EncodeJunkTypes(in);
    ASSERT_EQ(bytes.size(), 3 * kJunkRecordSize);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 5);
    EXPECT_EQ(bytes.substr(2, 5), "*.tmp");
    EXPECT_EQ(bytes[102], 9);
    EXPECT_EQ(bytes[203], 0);
    EXPECT_EQ(static_cast<unsigned char>(bytes[204]), 100u);

    const auto out = DecodeJunkTypes(bytes + "trailing");  // a partial record is ignored
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], in[0]);
    EXPECT_EQ(out[1].Pattern, std::string(100, 'p'));
    EXPECT_EQ(out[1].Description, std::string(99, 'd'));  // cut before the split character
    EXPECT_FALSE(out[1].Checked);
    EXPECT_EQ(out[2], in[2]);

    std::string legacy(kJunkRecordSize, '\0');  // an 8-bit text from an older file
    legacy[0] = 1;
    legacy[1] = 5;
    legacy.replace(2, 5, "\xe9t\xe9.*");
    legacy[102] = static_cast<char>(250);  // a damaged length reads no further than its field
    const auto old = DecodeJunkTypes(legacy);
    ASSERT_EQ(old.size(), 1u);
    EXPECT_EQ(old[0].Pattern, "\xc3\xa9t\xc3\xa9.*");
    EXPECT_EQ(old[0].Description.size(), 100u);
}

class JunkOnDisk : public ::testing::Test {
  protected:
    testing::SimMachine machine;
    platform::FileSystem& files = machine->files();
};

TEST_F(JunkOnDisk, MissingFileGivesDefaultsAndWritesThem) {
    const std::string path = "C:\\Program Files\\Trenmoor\\JunkFile.dat";
    const auto types = LoadJunkTypes(files, path);
    EXPECT_EQ(types.size(), 47u);
    ASSERT_TRUE(files.fileExists(path));
    EXPECT_EQ(files.stat(path)->size, 47 * kJunkRecordSize);

    auto edited = types;
    edited[5].Pattern = "*.tmpx";
    edited[6].Checked = false;
    edited.pop_back();
    ASSERT_TRUE(SaveJunkTypes(files, path, edited));
    EXPECT_EQ(LoadJunkTypes(files, path), edited);  // shorter list: the file shrank too
}

TEST_F(JunkOnDisk, ScanFindsFilesOnlySkipsWindowsAndLinks) {
    PutFile(files, "C:\\Data\\Thumbs.db", "t");
    PutFile(files, "C:\\Data\\keep.txt", "k");
    PutFile(files, "C:\\Data\\x.tmp\\inside.LOG", "log");  // a folder named like junk is searched
    PutFile(files, "C:\\Windows\\setup.log", "w");         // the Windows folder is never entered
    PutFile(files, "C:\\WindowsOld\\setup.log", "w");
    PutFile(files, "C:\\Deep\\a\\b\\c\\d\\e\\f\\g\\h\\~$x.docx", "x");
    std::filesystem::create_directories(machine.hostRoot() / "Outside");
    std::ofstream(machine.hostRoot() / "Outside" / "far.tmp") << "far";
    std::filesystem::create_directory_symlink(machine.hostRoot() / "Outside",
                                              machine.hostRoot() / "Data" / "Link");

    const auto types = DefaultJunkTypes();
    std::vector<TTempFileInfo> found;
    std::vector<std::string> streamed;
    JunkScanHooks hooks;
    hooks.onFound = [&](const TTempFileInfo& f) { streamed.push_back(f.FullPath); };
    ASSERT_TRUE(ScanForJunk(files, "C:\\Data", JunkMatcher(types), found, hooks));
    ASSERT_TRUE(ScanForJunk(files, "C:\\Deep", JunkMatcher(types), found, hooks));
    ASSERT_TRUE(ScanForJunk(files, "C:\\WindowsOld", JunkMatcher(types), found, hooks));
    ASSERT_TRUE(ScanForJunk(files, "C:\\Windows", JunkMatcher(types), found, hooks));

    std::set<std::string> paths;
    for (const auto& f : found) paths.insert(f.FullPath);
    EXPECT_EQ(paths, (std::set<std::string>{"C:\\Data\\Thumbs.db", "C:\\Data\\x.tmp\\inside.LOG",
                                            "C:\\Deep\\a\\b\\c\\d\\e\\f\\g\\h\\~$x.docx",
                                            "C:\\WindowsOld\\setup.log"}));
    EXPECT_EQ(streamed.size(), found.size());
    const auto thumbs =
        std::find_if(found.begin(), found.end(), [](const auto& f) { return f.FileName == "Thumbs.db"; });
    EXPECT_EQ(types[thumbs->TypeIndex].Pattern, "thumbs.db");
}

TEST_F(JunkOnDisk, StopEndsTheScan) {
    for (int i = 0; i < 20; ++i) PutFile(files, "C:\\S\\f" + std::to_string(i) + ".tmp", "x");
    std::vector<TTempFileInfo> found;
    JunkScanHooks hooks;
    hooks.stop = [&] { return found.size() >= 3; };
    EXPECT_FALSE(ScanForJunk(files, "C:\\S", JunkMatcher(DefaultJunkTypes()), found, hooks));
    EXPECT_EQ(found.size(), 3u);
}

TEST_F(JunkOnDisk, SizesAreSixtyFourBit) {
    PutFile(files, "C:\\Big\\huge.bak", "");
    std::filesystem::resize_file(machine->simFiles().hostPath("C:\\Big\\huge.bak"), 5ULL << 30);  // sparse
    PutFile(files, "C:\\Big\\small.bak", std::string(2048, 's'));
    std::vector<TTempFileInfo> found;
    ASSERT_TRUE(ScanForJunk(files, "C:\\Big", JunkMatcher(DefaultJunkTypes()), found, {}));
    const auto rows = SummarizeByDrive({"C:", "D:"}, found);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Drive, "C:");
    EXPECT_EQ(rows[0].Count, 2u);
    EXPECT_EQ(rows[0].Bytes, (5ULL << 30) + 2048);
    EXPECT_EQ(KilobytesText(rows[0].Bytes), "5242882 KB");
    EXPECT_EQ(DetailsSizeText(5ULL << 30), "5242880KB");
}

TEST(JunkReport, CheckedRowsMakeTheStatusBar) {
    std::vector<TTempFileInfo> found = {
        {"a", "C:\\a", 3000, 0}, {"b", "d:\\b", 1500, 0}, {"c", "D:\\c", 600, 0}};
    auto rows = SummarizeByDrive({"C:", "D:", "E:"}, found);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].Drive, "D:");
    EXPECT_EQ(rows[1].Count, 2u);
    EXPECT_EQ(KilobytesText(rows[1].Bytes), "2 KB");
    rows[0].Checked = false;
    EXPECT_EQ(CheckedTotals(rows).Count, 2u);
    EXPECT_EQ(CheckedTotals(rows).Kilobytes, 2u);
    rows[0].Checked = true;
    EXPECT_EQ(CheckedTotals(rows).Kilobytes, 4u);  // 2 + 2: each row's shown kilobytes
    EXPECT_EQ(DetailsTotalText(3), "Total: 3");
}

TEST_F(JunkOnDisk, CleaningModesReportEachFile) {
    platform::Shell& shell = machine->shell();
    PutFile(files, "C:\\J\\a.tmp", "a");
    PutFile(files, "C:\\J\\ro.tmp", "r");
    ASSERT_TRUE(files.setAttributes("C:\\J\\ro.tmp", platform::kAttrReadOnly));
    EXPECT_EQ(CleanJunkFile(files, shell, CleanMode::Delete, "C:\\J\\a.tmp", ""), kStatusFileDeleted);
    EXPECT_FALSE(files.fileExists("C:\\J\\a.tmp"));
    EXPECT_EQ(CleanJunkFile(files, shell, CleanMode::Delete, "C:\\J\\ro.tmp", ""), kStatusDeletedError);
    EXPECT_EQ(CleanJunkFile(files, shell, CleanMode::Delete, "C:\\J\\gone.tmp", ""), kStatusDeletedError);

    // Moving two files of one name into one folder keeps both.
    PutFile(files, "C:\\J\\x\\Thumbs.db", "first");
    PutFile(files, "C:\\J\\y\\Thumbs.db", "second");
    testing::MakeFolders(files, "C:\\Dest");
    EXPECT_EQ(CleanJunkFile(files, shell, CleanMode::MoveToFolder, "C:\\J\\x\\Thumbs.db", "C:\\Dest"),
              kStatusFileMoved);
    EXPECT_EQ(CleanJunkFile(files, shell, CleanMode::MoveToFolder, "C:\\J\\y\\Thumbs.db", "C:\\Dest\\"),
              kStatusFileMoved);
    EXPECT_EQ(testing::ReadAll(files, "C:\\Dest\\Thumbs.db"), "first");
    EXPECT_EQ(testing::ReadAll(files, "C:\\Dest\\Thumbs (2).db"), "second");
    EXPECT_FALSE(files.fileExists("C:\\J\\y\\Thumbs.db"));
    EXPECT_EQ(CleanJunkFile(files, shell, CleanMode::MoveToFolder, "C:\\J\\ro.tmp", "C:\\Missing"),
              kStatusMovedError);
    EXPECT_TRUE(files.fileExists("C:\\J\\ro.tmp"));

    // A machine without a recycle bin must not report the file as cleaned.
    PutFile(files, "C:\\J\\r.tmp", "r");
    EXPECT_EQ(CleanJunkFile(files, shell, CleanMode::RecycleBin, "C:\\J\\r.tmp", ""), kStatusDeletedError);
    EXPECT_TRUE(files.fileExists("C:\\J\\r.tmp"));
    EXPECT_TRUE(IsErrorStatus(kStatusMovedError));
    EXPECT_FALSE(IsErrorStatus(kStatusFileMoved));
}

}  // namespace
}  // namespace trenmoor::disk_cleaners
