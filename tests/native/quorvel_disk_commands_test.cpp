// Quorvel's disk-cleaner commands on the simulated machine: usage errors, exit codes and exact JSON.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "support/disk_tree.h"
#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor::cli {
namespace {

using trenmoor::testing::PutFile;

class QuorvelDisk : public ::testing::Test {
  protected:
    struct Result {
        int rc;
        std::string out, err;
    };
    Result run(std::vector<std::string> args) {
        std::ostringstream out, err;
        CliIo io{out, err};
        const int rc = RunCommandLine(ctx, args, io);
        return {rc, out.str(), err.str()};
    }

    trenmoor::testing::SimMachine machine;
    trenmoor::testing::ScriptedUi ui;
    AppContext ctx{*machine, ui};
    platform::FileSystem& files = machine->files();
};

TEST_F(QuorvelDisk, WrongUsageExitsTwoWithUsageOnStderr) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"nonsense"},
        {"junk"},
        {"junk", "sweep"},
        {"junk", "scan", "--bogus"},
        {"junk", "scan", "extra"},
        {"junk", "scan", "--json=yes"},
        {"junk", "clean"},
        {"junk", "clean", "--mode", "zap"},
        {"junk", "clean", "--mode", "move"},
        {"junk", "clean", "--mode", "delete", "--dest", "C:\\x"},
        {"duplicates"},
        {"duplicates", "C:\\", "--min-kb", "ten"},
        {"duplicates", "C:\\", "--min-kb"},
        {"duplicates", "C:\\", "--filter", "books"},
        {"shred"},
        {"shred", "--level", "fast", "C:\\x"},
    };
    for (const auto& args : cases) {
        const Result r = run(args);
        const std::string what = args.empty() ? "(none)" : args[0] + (args.size() > 1 ? " " + args[1] : "");
        EXPECT_EQ(r.rc, kExitUsage) << what;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << what;
        EXPECT_TRUE(r.out.empty()) << what;
    }
}

TEST_F(QuorvelDisk, WhatCannotWorkExitsOne) {
    const std::vector<std::vector<std::string>> cases = {
        {"junk", "scan", "--drives", "Q:"},
        {"junk", "clean", "--mode", "move", "--dest", "C:\\NoSuchFolder"},
        {"duplicates", "C:\\NoSuchFolder"},
        {"shred", "C:\\NoSuchFile.txt"},
    };
    for (const auto& args : cases) EXPECT_EQ(run(args).rc, kExitFailed) << args[1];
}

TEST_F(QuorvelDisk, JunkScanJson) {
    PutFile(files, "C:\\T\\a.tmp", "abc");
    PutFile(files, "C:\\T\\sub\\Thumbs.db", "12345");
    PutFile(files, "C:\\T\\keep.txt", "k");
    const Result r = run({"junk", "scan", "--drives", "C:\\T\\sub,C:\\T\\a.tmp\\..\\nothing", "--json"});
    EXPECT_EQ(r.rc, kExitFailed);  // the second root does not exist
    const Result ok = run({"junk", "scan", "--drives=C:\\T", "--json"});
    EXPECT_EQ(ok.rc, kExitOk) << ok.err;
    // Files come folder by folder: the folder's own files before its subfolders.
    EXPECT_EQ(ok.out,
              "{\"files\":[{\"path\":\"C:\\\\T\\\\a.tmp\",\"size\":3,\"pattern\":\"*.tmp\"},"
              "{\"path\":\"C:\\\\T\\\\sub\\\\Thumbs.db\",\"size\":5,\"pattern\":\"thumbs.db\"}],"
              "\"count\":2,\"bytes\":8}\n");
}

TEST_F(QuorvelDisk, JunkCleanMovesIntoOneFolder) {
    PutFile(files, "C:\\T\\a\\x.log", "1");
    PutFile(files, "C:\\T\\b\\x.log", "2");
    trenmoor::testing::MakeFolders(files, "C:\\Bin");
    const Result r =
        run({"junk", "clean", "--mode", "move", "--dest", "C:\\Bin", "--drives", "C:\\T", "--json"});
    EXPECT_EQ(r.rc, kExitOk) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"files\":[{\"path\":\"C:\\\\T\\\\a\\\\x.log\",\"status\":\"File Moved\"},"
        "{\"path\":\"C:\\\\T\\\\b\\\\x.log\",\"status\":\"File Moved\"}],\"cleaned\":2,\"failed\":0}\n");
    EXPECT_EQ(trenmoor::testing::ReadAll(files, "C:\\Bin\\x.log"), "1");
    EXPECT_EQ(trenmoor::testing::ReadAll(files, "C:\\Bin\\x (2).log"), "2");

    PutFile(files, "C:\\T\\c.bak", "3");
    const Result d = run({"junk", "clean", "--mode", "delete", "--drives", "C:\\T"});
    EXPECT_EQ(d.out, "C:\\T\\c.bak\tFile Deleted\n1 cleaned, 0 failed\n");
    EXPECT_FALSE(files.fileExists("C:\\T\\c.bak"));
}

TEST_F(QuorvelDisk, DuplicatesJson) {
    PutFile(files, "C:\\D\\a\\same.txt", "12345");
    PutFile(files, "C:\\D\\b\\same.txt", "12345");
    PutFile(files, "C:\\D\\b\\other.txt", "x");
    const Result r = run({"duplicates", "C:\\D", "--same-content", "--json"});
    EXPECT_EQ(r.rc, kExitOk) << r.err;
    EXPECT_EQ(r.out.rfind("{\"groups\":[{\"name\":\"same.txt\",\"files\":[{\"path\":\"C:\\\\D\\\\", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("\"size\":5,\"modified\":\""), std::string::npos);
    EXPECT_NE(r.out.find("\"created\":\""), std::string::npos);
    EXPECT_NE(r.out.find("C:\\\\D\\\\a\\\\same.txt"), std::string::npos);
    EXPECT_NE(r.out.find("C:\\\\D\\\\b\\\\same.txt"), std::string::npos);
    EXPECT_EQ(r.out.find("other.txt"), std::string::npos);
    EXPECT_NE(r.out.find("],\"groupCount\":1,\"fileCount\":2}\n"), std::string::npos);

    const Result none = run({"duplicates", "C:\\D", "--filter", "music", "--json"});
    EXPECT_EQ(none.out, "{\"groups\":[],\"groupCount\":0,\"fileCount\":0}\n");
}

TEST_F(QuorvelDisk, ShredJsonNamesEveryItem) {
    PutFile(files, "C:\\S\\secret.txt", "secret");
    const Result r = run({"shred", "--level", "safe", "C:\\S\\secret.txt", "C:\\S\\missing.txt"});
    EXPECT_EQ(r.rc, kExitFailed);
    EXPECT_EQ(r.out,
              "{\"items\":[{\"path\":\"C:\\\\S\\\\secret.txt\",\"status\":\"Shredded\",\"ok\":true},"
              "{\"path\":\"C:\\\\S\\\\missing.txt\",\"status\":\"Shred Error: not found\",\"ok\":false}]}\n");
    EXPECT_FALSE(files.fileExists("C:\\S\\secret.txt"));
    EXPECT_EQ(run({"shred", "C:\\S"}).rc, kExitOk);
    EXPECT_FALSE(files.directoryExists("C:\\S"));
}

TEST(QuorvelMachineOptions, DriveMappings) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        std::vector<std::pair<char, std::string>> drives;
        std::vector<std::string> rest;
    };
    const Case cases[] = {
        {{"--drive", "C=/tmp/x", "junk", "scan"}, true, {{'C', "/tmp/x"}}, {"junk", "scan"}},
        {{"junk", "--drive=d:=/a", "scan", "--drive", "E=/b=c"},
         true,
         {{'D', "/a"}, {'E', "/b=c"}},
         {"junk", "scan"}},
        {{"--drive"}, false, {}, {}},
        {{"--drive", "C"}, false, {}, {}},
        {{"--drive", "CC=/x"}, false, {}, {}},
        {{"--drive", "1=/x"}, false, {}, {}},
        {{"--drive", "C="}, false, {}, {}},
    };
    for (const Case& c : cases) {
        auto args = c.args;
        MachineOptions o;
        std::string problem;
        EXPECT_EQ(ExtractMachineOptions(args, o, problem), c.ok) << c.args.back();
        if (!c.ok) {
            EXPECT_FALSE(problem.empty());
            continue;
        }
        EXPECT_EQ(o.drives, c.drives);
        EXPECT_EQ(args, c.rest);
    }
}

}  // namespace
}  // namespace trenmoor::cli
