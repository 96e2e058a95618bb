// Child processes started by command line.
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::platform::win32 {

ChildResult Win32ProcessRunner::run(std::string_view commandLine, bool hidden, uint32_t timeoutMs) {
    ChildResult result;
    const auto wide = WidenName(commandLine);
    if (!wide || wide->empty()) return result;
    // CreateProcessW may write into the command line, so it gets a private copy.
    std::vector<wchar_t> line(wide->begin(), wide->end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    DWORD flags = 0;
    if (hidden) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        flags |= CREATE_NO_WINDOW;  // console programs ignore SW_HIDE and would open a console window
    }
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                        &info))
        return result;
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
    result.started = true;
    if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) return result;  // left running
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode)) return result;
    result.finished = true;
    result.exitCode = exitCode;
    return result;
}

}  // namespace trenmoor::platform::win32
