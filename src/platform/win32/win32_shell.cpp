// Shell verbs, recycle-bin deletion and shortcut targets.
#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <shobjidl.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::platform::win32 {
namespace {

int ShowCommand(ShowMode show) {
    switch (show) {
        case ShowMode::Hidden:
            return SW_HIDE;
        case ShowMode::Minimized:
            return SW_SHOWMINIMIZED;
        case ShowMode::Maximized:
            return SW_SHOWMAXIMIZED;
        case ShowMode::Normal:
            break;
    }
    return SW_SHOWNORMAL;
}

// An optional text argument: empty means "none" (null pointer) to the shell.
const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool Win32Shell::execute(std::string_view verb, std::string_view target, std::string_view parameters,
                         std::string_view directory, ShowMode show) {
    const auto wideVerb = WidenName(verb);
    const auto wideTarget = WidenName(target);
    const auto wideParameters = WidenName(parameters);
    const auto wideDirectory = WidenName(directory);
    if (!wideVerb || !wideTarget || !wideParameters || !wideDirectory || wideTarget->empty()) return false;
    const ComInit com;  // some verbs are carried out by shell extensions
    const HINSTANCE result =
        ShellExecuteW(nullptr, OrNull(*wideVerb), wideTarget->c_str(), OrNull(*wideParameters),
                      OrNull(*wideDirectory), ShowCommand(show));
    return reinterpret_cast<INT_PTR>(result) > 32;  // values up to 32 are error codes
}

int Win32Shell::recycle(std::string_view path) {
    const auto widePath = WidenName(path);
    // The shell reads wildcards in the source list, which would turn one name into many files.
    if (!widePath || widePath->empty() || widePath->find_first_of(L"*?") != std::wstring::npos)
        return ERROR_INVALID_PARAMETER;
    std::wstring from = *widePath;
    from.push_back(L'\0');  // the source list ends with two NULs (c_str() adds the second)
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI;  // 0x450
    const int result = SHFileOperationW(&op);
    if (result == 0 && op.fAnyOperationsAborted) return ERROR_CANCELLED;  // nothing was recycled
    return result;
}

std::optional<std::string> Win32Shell::resolveShortcut(std::string_view lnkPath) {
    const auto widePath = WidenName(lnkPath);
    if (!widePath || widePath->empty()) return std::nullopt;
    const ComInit com;
    if (!com.usable()) return std::nullopt;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.putVoid())))
        return std::nullopt;
    const ComPtr<IPersistFile> file = link.as<IPersistFile>(IID_IPersistFile);
    // Read-only: looking at a shortcut never rewrites it.
    if (!file || FAILED(file->Load(widePath->c_str(), STGM_READ))) return std::nullopt;
    wchar_t target[MAX_PATH] = {};
    // S_FALSE with an empty buffer: the shortcut points at a shell item, not at a path.
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) return std::string();
    return Narrow(target);
}

}  // namespace trenmoor::platform::win32
