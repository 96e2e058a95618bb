// Facts about the running system.
#include <windows.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::platform::win32 {
namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

}  // namespace

OsVersion Win32SystemInfo::osVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // RtlGetVersion tells the truth; GetVersionExW answers what the manifest lets it.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion = ntdll == nullptr ? nullptr
                                                : reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
                                                      GetProcAddress(ntdll, "RtlGetVersion")));
    OsVersion version;
    if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!GetVersionExW(&info)) return version;
#pragma GCC diagnostic pop
    }
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    return version;
}

std::string Win32SystemInfo::userName() {
    wchar_t buffer[257];  // UNLEN + 1
    DWORD size = 257;
    if (!GetUserNameW(buffer, &size) || size == 0) return {};
    std::wstring_view name(buffer, size - 1);  // size counts the terminating NUL
    constexpr size_t kMaxChars = 255;
    if (name.size() > kMaxChars) {
        // Cut by UTF-16 units without splitting a surrogate pair.
        size_t keep = kMaxChars;
        if (name[keep - 1] >= 0xD800 && name[keep - 1] <= 0xDBFF) --keep;
        name = name.substr(0, keep);
    }
    return Narrow(name);
}

}  // namespace trenmoor::platform::win32
