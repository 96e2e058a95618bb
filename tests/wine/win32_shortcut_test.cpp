// Shortcut targets through the Win32 backend: real shortcut files written by the shell-link object are
// read back, a file that is no shortcut is refused, and reading never rewrites the shortcut.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/text_encoding.h"
#include "platform/text_file.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"
#include "wine/scratch_folder.h"
#include "wine/shortcut_writer.h"

namespace trenmoor::testing {
namespace {

using platform::win32::Widen;

class Win32Shortcuts : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.created()); }
    void Write(const std::string& lnk, const std::string& target) {
        const platform::win32::ComInit com;
        ASSERT_TRUE(com.usable());
        ASSERT_EQ(WriteShortcut(Widen(lnk).c_str(), Widen(target).c_str()), S_OK) << lnk;
    }
    void Touch(const std::string& path) { ASSERT_TRUE(platform::WriteAllBytes(fs, path, "x")) << path; }

    platform::win32::Win32Shell shell;
    platform::win32::Win32FileSystem fs;
    ScratchFolder dir;
};

TEST_F(Win32Shortcuts, ResolveGivesTheTargetOfPresentAndMissingFilesAndFolders) {
    Touch(dir.path("present.exe"));
    ASSERT_TRUE(fs.createDirectory(dir.path("Folder")));
    struct Case {
        std::string lnk, target;
    };
    const Case cases[] = {
        {"present.lnk", dir.path("present.exe")}, {"missing.lnk", dir.path("gone\\missing.exe")},
        {"folder.lnk", dir.path("Folder")},       {"Grüße.lnk", dir.path("Grüße\\straße.exe")},
        {"CAPS.LNK", dir.path("gone\\caps.exe")},
    };
    for (const Case& c : cases) {
        Write(dir.path(c.lnk), c.target);
        const std::optional<std::string> target = shell.resolveShortcut(dir.path(c.lnk));
        ASSERT_TRUE(target.has_value()) << c.lnk;
        EXPECT_TRUE(platform::EqualsNoCase(*target, c.target)) << c.lnk << " -> " << *target;
    }
}

TEST_F(Win32Shortcuts, ResolveRefusesWhatIsNoShortcutAndLeavesTheFileAsItWas) {
    Touch(dir.path("text.lnk"));
    EXPECT_FALSE(shell.resolveShortcut(dir.path("text.lnk")).has_value());
    EXPECT_FALSE(shell.resolveShortcut(dir.path("absent.lnk")).has_value());
    EXPECT_FALSE(shell.resolveShortcut("").has_value());

    Write(dir.path("kept.lnk"), dir.path("gone\\kept.exe"));
    const std::optional<std::string> before = platform::ReadAllBytes(fs, dir.path("kept.lnk"));
    const auto stampBefore = fs.stat(dir.path("kept.lnk"));
    ASSERT_TRUE(before && stampBefore);
    Sleep(20);
    ASSERT_TRUE(shell.resolveShortcut(dir.path("kept.lnk")).has_value());
    EXPECT_EQ(platform::ReadAllBytes(fs, dir.path("kept.lnk")), before);
    EXPECT_EQ(fs.stat(dir.path("kept.lnk"))->lastWriteTime, stampBefore->lastWriteTime);
}

}  // namespace
}  // namespace trenmoor::testing
