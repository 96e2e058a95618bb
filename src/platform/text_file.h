#pragma once
// Whole text files as lists of lines (CR LF on write; CR LF, LF or lone CR accepted on read).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace trenmoor::platform {

// The file's lines (text decoded to UTF-8), or nothing when it cannot be read.
std::optional<std::vector<std::string>> LoadLines(FileSystem& fs, std::string_view path);
// Writes the lines, each ended by CR LF, replacing the file. UTF-8 without byte-order mark.
bool SaveLines(FileSystem& fs, std::string_view path, const std::vector<std::string>& lines);

// Whole files as bytes.
std::optional<std::string> ReadAllBytes(FileSystem& fs, std::string_view path);
bool WriteAllBytes(FileSystem& fs, std::string_view path, std::string_view bytes);

}  // namespace trenmoor::platform
