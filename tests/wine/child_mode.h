#pragma once
// The test executable doubles as a child program for the process tests: started with
// "--tm-child=sleep:<ms>" it sleeps and exits 0; with "--tm-child=exit:<code>" it exits with that code.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trenmoor::testing {

inline constexpr std::string_view kChildFlag = "--tm-child=";

inline std::optional<int> RunChildMode(const std::vector<std::string>& args) {
    for (const auto& arg : args) {
        const std::string_view a(arg);
        if (a.substr(0, kChildFlag.size()) != kChildFlag) continue;
        const std::string_view mode = a.substr(kChildFlag.size());
        if (mode.substr(0, 6) == "sleep:") {
            Sleep(static_cast<DWORD>(std::stoul(std::string(mode.substr(6)))));
            return 0;
        }
        if (mode.substr(0, 5) == "exit:") return std::stoi(std::string(mode.substr(5)));
        return 2;
    }
    return std::nullopt;
}

}  // namespace trenmoor::testing
