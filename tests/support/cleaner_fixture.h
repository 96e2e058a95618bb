#pragma once
// A simulated machine prepared for registry cleaner tests: registry images loaded from .reg text,
// files created on the C: drive, a scripted user interface, and helpers to run and inspect scans.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_context.h"
#include "common/shared_helpers.h"
#include "platform/text_file.h"
#include "registry_cleaner/cleaner_scan.h"
#include "support/scripted_ui.h"
#include "support/sim_machine.h"

namespace trenmoor::testing {

class CleanerFixture : public ::testing::Test {
  protected:
    CleanerFixture() : ctx(*m, ui) {
        ctx.PlatformKind = kPlatformNT;
        // Every tickMs() call moves 16 ms on, so the 15 ms message budget is met at every entry.
        m->simClock().tickStep = 16;
    }

    void LoadReg(std::string_view text) { ASSERT_TRUE(m->simRegistry().importReg(text)) << text; }
    void LoadRegFile(const std::string& name) {
        std::ifstream in(std::string(TRENMOOR_TEST_DATA) + "/registry_cleaner/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        std::stringstream bytes;
        bytes << in.rdbuf();
        LoadReg(bytes.str());
    }
    // Creates the file (and its folders) on the simulated drive.
    void MakeFile(std::string_view path, std::string_view content = "x") {
        platform::FileSystem& fs = m->files();
        for (size_t at = path.find('\\', 3); at != std::string_view::npos; at = path.find('\\', at + 1)) {
            const std::string folder(path.substr(0, at));
            if (!fs.directoryExists(folder)) {
                ASSERT_TRUE(fs.createDirectory(folder)) << folder;
            }
        }
        ASSERT_TRUE(platform::WriteAllBytes(fs, path, content)) << path;
    }
    // The machine image of the file-reference sections with the files its healthy entries name.
    void LoadFileReferenceMachine() {
        LoadRegFile("file_references.reg");
        for (const char* file :
             {"C:\\Windows\\System32\\present.dll", "C:\\Windows\\System32\\zero.dll",
              "C:\\Windows\\System32\\bin05.dll", "C:\\Windows\\System32\\bin1f.dll",
              "C:\\Windows\\System32\\text3.dll", "C:\\Windows\\System32\\textabc.dll", "C:\\Tools\\good.exe",
              "C:\\Tools\\slash.exe", "C:\\Program Files\\App\\pf.exe", "C:\\Windows\\Fonts\\arial.ttf",
              "C:\\Fonts2\\full.ttf", "C:\\Windows\\Help\\present.hlp"}) {
            MakeFile(file);
        }
    }
    void WriteIgnoreFile(std::string_view text) {
        ASSERT_TRUE(
            platform::WriteAllBytes(m->files(), ProgramFile(m->files(), "TrenmoorIgnores.dat"), text));
    }

    // Runs the scan loop over the given sections.
    void Scan(std::initializer_list<int> sections) {
        registry_cleaner::SectionSelection selected{};
        for (const int n : sections) selected[static_cast<size_t>(n)] = true;
        MessagePump pump(ui, m->clock());
        scan.Run(selected, pump);
    }
    const registry_cleaner::TRegistryContents& Found(int section) const {
        return scan.Contents()[static_cast<size_t>(section)];
    }
    // The values of one field of a section's problems, in collection order.
    template <typename Field>
    std::vector<std::string> Column(int section, Field field) const {
        std::vector<std::string> out;
        for (const auto& item : Found(section)) out.push_back(item.Content.*field);
        return out;
    }

    SimMachine m;
    ScriptedUi ui;
    AppContext ctx;
    registry_cleaner::RegistryScan scan{ctx};
};

}  // namespace trenmoor::testing
