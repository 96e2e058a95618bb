#include "platform/win32/wide.h"

#include "platform/text_encoding.h"

namespace trenmoor::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Widen(std::string_view utf8) {
    const std::u16string u16 = Utf8ToUtf16(utf8);
    return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(std::wstring_view utf16) {
    const std::u16string u16(utf16.begin(), utf16.end());
    return Utf16ToUtf8(u16);
}

std::optional<std::wstring> WidenName(std::string_view utf8) {
    if (utf8.find('\0') != std::string_view::npos) return std::nullopt;
    return Widen(utf8);
}

}  // namespace trenmoor::platform::win32
