#pragma once
// UTF-8 (inside the program) <-> UTF-16 (the W APIs) at the Win32 boundary.
#include <optional>
#include <string>
#include <string_view>

namespace trenmoor::platform::win32 {

[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view utf16);
[[nodiscard]] inline std::string Narrow(const wchar_t* utf16) {
    return utf16 == nullptr ? std::string() : Narrow(std::wstring_view(utf16));
}

// A name or path for an API that reads NUL-terminated text. Text holding a NUL character is refused:
// the API would silently act on the shorter name before it.
[[nodiscard]] std::optional<std::wstring> WidenName(std::string_view utf8);

}  // namespace trenmoor::platform::win32
