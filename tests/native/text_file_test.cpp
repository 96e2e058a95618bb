// Whole text files as lines and whole files as bytes.
#include <gtest/gtest.h>

#include "platform/text_file.h"
#include "support/sim_machine.h"

namespace trenmoor::platform {
namespace {

TEST(TextFile, LinesSplitAtEveryLineEndAndAreWrittenWithCrLf) {
    testing::SimMachine m;
    struct Case {
        const char* title;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case table[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"LF and lone CR", "a\nb\rc", {"a", "b", "c"}},
        {"empty lines kept", "a\r\n\r\n\nb\r\n\r\n", {"a", "", "", "b", ""}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"empty file", "", {}},
        {"Windows-1252", "caf\xE9\r\n", {"café"}},
        {"UTF-16 with mark", std::string("\xFF\xFEx\0\r\0\n\0y\0", 10), {"x", "y"}},
        {"UTF-8 with mark", "\xEF\xBB\xBFGrüße\r\n", {"Grüße"}},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(WriteAllBytes(m->files(), "C:\\t.txt", c.bytes));
        const auto lines = LoadLines(m->files(), "C:\\T.TXT");
        ASSERT_TRUE(lines.has_value());
        EXPECT_EQ(*lines, c.lines);
    }
    EXPECT_FALSE(LoadLines(m->files(), "C:\\missing.txt").has_value());

    ASSERT_TRUE(SaveLines(m->files(), "C:\\out.txt", {"first", "", "Grüße"}));
    EXPECT_EQ(ReadAllBytes(m->files(), "C:\\out.txt"), "first\r\n\r\nGrüße\r\n");
    ASSERT_TRUE(SaveLines(m->files(), "C:\\out.txt", {}));
    EXPECT_EQ(ReadAllBytes(m->files(), "C:\\out.txt"), "");
    EXPECT_FALSE(SaveLines(m->files(), "C:\\NoDir\\out.txt", {"x"}));
}

TEST(TextFile, WholeFilesAsBytes) {
    testing::SimMachine m;
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31);
    ASSERT_TRUE(WriteAllBytes(m->files(), "C:\\big.bin", big));
    EXPECT_EQ(ReadAllBytes(m->files(), "C:\\BIG.BIN"), big);
    ASSERT_TRUE(WriteAllBytes(m->files(), "C:\\big.bin", "short"));
    EXPECT_EQ(ReadAllBytes(m->files(), "C:\\big.bin"), "short");  // replaced, not overlaid
    EXPECT_FALSE(ReadAllBytes(m->files(), "C:\\none.bin").has_value());
    EXPECT_FALSE(ReadAllBytes(m->files(), "C:\\Windows").has_value());
    EXPECT_FALSE(WriteAllBytes(m->files(), "C:\\Windows", "x"));
}

}  // namespace
}  // namespace trenmoor::platform
