#pragma once
// A byte stream on a file opened with CreateFileW.
#include <memory>
#include <string_view>

#include "platform/file_system.h"

namespace trenmoor::platform::win32 {

// nullptr when the file cannot be opened (missing for Read/ReadWrite, locked, no rights, bad path).
[[nodiscard]] std::unique_ptr<FileStream> OpenWin32Stream(std::string_view path, OpenMode mode);

}  // namespace trenmoor::platform::win32
