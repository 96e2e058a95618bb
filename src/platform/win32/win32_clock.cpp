// Time from the system clock.
#include <windows.h>

#include "platform/win32/win32_backends.h"

namespace trenmoor::platform::win32 {
namespace {

DateTime ToDateTime(const SYSTEMTIME& st) {
    DateTime dt;
    dt.year = st.wYear;
    dt.month = st.wMonth;
    dt.day = st.wDay;
    dt.hour = st.wHour;
    dt.minute = st.wMinute;
    dt.second = st.wSecond;
    dt.millisecond = st.wMilliseconds;
    dt.dayOfWeek = st.wDayOfWeek;
    return dt;
}

}  // namespace

FileTime Win32Clock::nowUtc() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

DateTime Win32Clock::localNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return ToDateTime(st);
}

std::optional<DateTime> Win32Clock::toLocal(FileTime utc) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(utc);
    ft.dwHighDateTime = static_cast<DWORD>(utc >> 32);
    SYSTEMTIME universal, local;
    // Daylight saving as it was at that moment, not as it is now.
    if (!FileTimeToSystemTime(&ft, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return std::nullopt;
    return ToDateTime(local);
}

uint64_t Win32Clock::tickMs() {
    return GetTickCount64();
}

}  // namespace trenmoor::platform::win32
