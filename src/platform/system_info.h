#pragma once
// Facts about the running system: platform, version, user.
#include <cstdint>
#include <string>

namespace trenmoor::platform {

struct OsVersion {
    uint32_t platformId = 2;  // 0 Win32s, 1 Windows 95/98/Me, 2 NT family
    uint32_t major = 0, minor = 0, build = 0;
};

class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    [[nodiscard]] virtual OsVersion osVersion() = 0;
    [[nodiscard]] virtual std::string userName() = 0;  // at most 255 characters
};

}  // namespace trenmoor::platform
