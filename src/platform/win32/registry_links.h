#pragma once
// Registry links at the native level: making them, recognising them, and deleting key trees without
// ever following one. Windows' own RegDeleteKeyW and RegDeleteTreeW open the key normally, so on a link
// they would delete (the contents of) its target; everything here opens with REG_OPTION_OPEN_LINK and
// deletes by handle instead.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace trenmoor::platform::win32 {

// Deletes `parent\name` (name may hold several levels; the levels before the last are opened as usual)
// with all its subkeys, children first. A key that is a link is deleted as the link alone. Returns a
// Win32 error code, ERROR_SUCCESS when the key is gone.
[[nodiscard]] LSTATUS DeleteKeyTreeNoFollow(HKEY parent, std::wstring_view name);

// Whether a key opened with REG_OPTION_OPEN_LINK is a registry link (it carries its target in the
// REG_LINK value "SymbolicLinkValue").
[[nodiscard]] bool IsRegistryLink(HKEY openedAsLink);

// The kernel's full name of an open key ("\REGISTRY\USER\S-1-5-...\Software\..."), the form a link
// target is written in.
[[nodiscard]] std::optional<std::wstring> KernelKeyName(HKEY key);

// Creates `parent\name` as a (volatile) link to the key with kernel name `kernelTarget`. Fails when
// the name exists already. Returns a Win32 error code.
[[nodiscard]] LSTATUS CreateRegistryLink(HKEY parent, std::wstring_view name, std::wstring_view kernelTarget);

}  // namespace trenmoor::platform::win32
