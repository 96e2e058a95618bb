// Entry of the Wine test executable: wide arguments (-municode) handed to GoogleTest as UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "wine/child_mode.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(trenmoor::platform::win32::Narrow(argv[i]));
    if (const auto code = trenmoor::testing::RunChildMode(args)) return *code;
    std::vector<char*> pointers;
    for (auto& arg : args) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    int count = argc;
    ::testing::InitGoogleTest(&count, pointers.data());
    return RUN_ALL_TESTS();
}
