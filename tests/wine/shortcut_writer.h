#pragma once
// Writes a real shortcut file (".lnk") through the shell-link object, as an installer would. Shared by
// the Wine tests and the make_shortcut tool. COM must be initialised on the calling thread.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shobjidl.h>

namespace trenmoor::testing {

// S_OK when `lnkPath` now holds a shortcut to `target`.
inline HRESULT WriteShortcut(const wchar_t* lnkPath, const wchar_t* target) {
    IShellLinkW* link = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link));
    if (FAILED(hr)) return hr;
    IPersistFile* file = nullptr;
    hr = link->SetPath(target);
    if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) {
        hr = file->Save(lnkPath, TRUE);
        file->Release();
    }
    link->Release();
    return hr;
}

}  // namespace trenmoor::testing
