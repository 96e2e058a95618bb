#pragma once
// UTF-8 inside, UTF-16 at the Windows boundary and in registry data; legacy 8-bit text read as
// Windows-1252 when it is not valid UTF-8.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trenmoor::platform {

std::u16string Utf8ToUtf16(std::string_view utf8);   // invalid bytes become U+FFFD
std::string Utf16ToUtf8(std::u16string_view utf16);  // lone surrogates become U+FFFD
bool IsValidUtf8(std::string_view bytes);
std::string Cp1252ToUtf8(std::string_view bytes);
// Best effort for text files of unknown origin: UTF-16LE/BE or UTF-8 byte-order marks are honoured,
// valid UTF-8 is kept, anything else is read as Windows-1252.
std::string DecodeText(std::string_view bytes);

// Registry string data (UTF-16LE bytes, terminator optional) <-> UTF-8. Stops at the first NUL.
std::string RegBytesToUtf8(const std::vector<uint8_t>& data);
// The same for data seen in place (an enumeration's buffer).
std::string RegBytesViewToUtf8(std::span<const uint8_t> data);
std::vector<uint8_t> Utf8ToRegBytes(std::string_view utf8);  // with the terminating NUL
// REG_MULTI_SZ data <-> list of strings.
std::vector<std::string> RegBytesToMultiString(const std::vector<uint8_t>& data);
std::vector<uint8_t> MultiStringToRegBytes(const std::vector<std::string>& items);

// Case folding as Windows compares names (upper case of each UTF-16 unit, simple mapping).
char16_t UpperChar16(char16_t c);
std::string UpperUtf8(std::string_view utf8);
// <0, 0, >0 comparing case-insensitively by upper-cased UTF-16 units (the registry's sort order).
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace trenmoor::platform
