#include "platform/win32/registry_links.h"

#include <vector>

#include "platform/win32/unique_handle.h"

namespace trenmoor::platform::win32 {
namespace {

using NtStatus = LONG;
using NtDeleteKeyFn = NtStatus(NTAPI*)(HANDLE);
using NtQueryKeyFn = NtStatus(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
using RtlNtStatusToDosErrorFn = ULONG(NTAPI*)(NtStatus);

constexpr int kKeyNameInformation = 3;
constexpr int kMaxDepth = 512;  // deeper than the registry allows; stops a corrupted hive from looping
constexpr wchar_t kLinkValueName[] = L"SymbolicLinkValue";

// ntdll is in every process; its entry points are looked up once.
template <typename Fn>
Fn NtdllEntry(const char* name) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return nullptr;
    // Through void* because function-pointer casts between unrelated types draw a warning.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

LSTATUS DeleteByHandle(HKEY key) {
    static const auto ntDeleteKey = NtdllEntry<NtDeleteKeyFn>("NtDeleteKey");
    static const auto toDosError = NtdllEntry<RtlNtStatusToDosErrorFn>("RtlNtStatusToDosError");
    if (ntDeleteKey == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
    const NtStatus status = ntDeleteKey(key);
    if (status >= 0) return ERROR_SUCCESS;
    return toDosError != nullptr ? static_cast<LSTATUS>(toDosError(status)) : ERROR_ACCESS_DENIED;
}

// The subkey names of `key` at this moment.
LSTATUS SubkeyNames(HKEY key, std::vector<std::wstring>& names) {
    DWORD maxLen = 0;
    LSTATUS rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &maxLen, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    std::vector<wchar_t> buffer(maxLen + 1);
    for (DWORD index = 0;;) {
        DWORD len = static_cast<DWORD>(buffer.size());
        rc = RegEnumKeyExW(key, index, buffer.data(), &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (rc == ERROR_MORE_DATA) {  // a longer name appeared since the size was asked
            buffer.resize(buffer.size() * 2 + 256);
            continue;
        }
        if (rc != ERROR_SUCCESS) return rc;
        names.emplace_back(buffer.data(), len);
        ++index;
    }
}

LSTATUS DeleteTree(HKEY parent, const std::wstring& name, int depth) {
    if (depth > kMaxDepth) return ERROR_CANTWRITE;
    UniqueHKey key;
    LSTATUS rc = RegOpenKeyExW(parent, name.c_str(), REG_OPTION_OPEN_LINK,
                               DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key.put());
    if (rc != ERROR_SUCCESS) return rc;
    if (IsRegistryLink(key.get())) {
        rc = DeleteByHandle(key.get());
        if (rc == ERROR_SUCCESS) return rc;
        // Not a real link after all (a plain key may carry such a value); opened as a link, its own
        // children are still the only ones enumerated below, so deleting them follows nothing.
    }
    std::vector<std::wstring> children;
    rc = SubkeyNames(key.get(), children);
    if (rc != ERROR_SUCCESS) return rc;
    for (const auto& child : children) {
        rc = DeleteTree(key.get(), child, depth + 1);
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;  // gone meanwhile is fine
    }
    return DeleteByHandle(key.get());
}

}  // namespace

bool IsRegistryLink(HKEY openedAsLink) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    const LSTATUS rc = RegQueryValueExW(openedAsLink, kLinkValueName, nullptr, &type, nullptr, &size);
    return (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) && type == REG_LINK;
}

LSTATUS DeleteKeyTreeNoFollow(HKEY parent, std::wstring_view name) {
    while (!name.empty() && name.back() == L'\\') name.remove_suffix(1);
    if (name.empty() || name.find(L'\0') != std::wstring_view::npos) return ERROR_INVALID_PARAMETER;
    const size_t split = name.rfind(L'\\');
    if (split == std::wstring_view::npos) return DeleteTree(parent, std::wstring(name), 0);
    UniqueHKey base;
    const std::wstring basePath(name.substr(0, split));
    const LSTATUS rc = RegOpenKeyExW(parent, basePath.c_str(), 0, KEY_READ, base.put());
    if (rc != ERROR_SUCCESS) return rc;
    return DeleteTree(base.get(), std::wstring(name.substr(split + 1)), 0);
}

std::optional<std::wstring> KernelKeyName(HKEY key) {
    static const auto ntQueryKey = NtdllEntry<NtQueryKeyFn>("NtQueryKey");
    if (ntQueryKey == nullptr) return std::nullopt;
    std::vector<ULONG> buffer(1024);  // ULONG-aligned: KEY_NAME_INFORMATION starts with a ULONG length
    for (int attempt = 0; attempt < 4; ++attempt) {
        ULONG needed = 0;
        const ULONG bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG));
        const NtStatus status = ntQueryKey(key, kKeyNameInformation, buffer.data(), bytes, &needed);
        if (status >= 0) {
            const ULONG nameBytes = buffer[0];
            if (nameBytes > bytes - sizeof(ULONG)) return std::nullopt;
            return std::wstring(reinterpret_cast<const wchar_t*>(buffer.data() + 1),
                                nameBytes / sizeof(wchar_t));
        }
        if (needed <= bytes) return std::nullopt;
        buffer.resize(needed / sizeof(ULONG) + 1);
    }
    return std::nullopt;
}

LSTATUS CreateRegistryLink(HKEY parent, std::wstring_view name, std::wstring_view kernelTarget) {
    if (name.find(L'\0') != std::wstring_view::npos) return ERROR_INVALID_PARAMETER;
    const std::wstring linkName(name);
    UniqueHKey link;
    DWORD disposition = 0;
    LSTATUS rc =
        RegCreateKeyExW(parent, linkName.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, link.put(), &disposition);
    if (rc != ERROR_SUCCESS) return rc;
    if (disposition != REG_CREATED_NEW_KEY) return ERROR_ALREADY_EXISTS;  // an existing key is not ours
    // The target is stored without a terminating NUL.
    rc = RegSetValueExW(link.get(), kLinkValueName, 0, REG_LINK,
                        reinterpret_cast<const BYTE*>(kernelTarget.data()),
                        static_cast<DWORD>(kernelTarget.size() * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS) (void)DeleteByHandle(link.get());  // no half-made link left behind
    return rc;
}

}  // namespace trenmoor::platform::win32
