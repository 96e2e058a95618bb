#include "platform/win32/scoped_registry_redirect.h"

#include <atomic>

#include "platform/win32/registry_links.h"

namespace trenmoor::platform::win32 {
namespace {

constexpr wchar_t kTestRoot[] = L"Software\\TrenmoorTest";
std::atomic<bool> g_redirected{false};
std::atomic<unsigned> g_serial{0};

LSTATUS CreateScratch(const std::wstring& path, UniqueHKey& key) {
    DWORD disposition = 0;
    const LSTATUS rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, key.put(), &disposition);
    // A key left by an earlier run under the same name would not be empty.
    if (rc == ERROR_SUCCESS && disposition != REG_CREATED_NEW_KEY) return ERROR_ALREADY_EXISTS;
    return rc;
}

// Removes the shared test root once nothing of any test is left below it.
void RemoveTestRootIfEmpty() {
    UniqueHKey root;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kTestRoot, 0, KEY_READ, root.put()) != ERROR_SUCCESS) return;
    DWORD subkeys = 0, values = 0;
    if (RegQueryInfoKeyW(root.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        subkeys != 0 || values != 0)
        return;
    root.reset();
    (void)DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, kTestRoot);
}

}  // namespace

ScopedRegistryRedirect::ScopedRegistryRedirect() {
    if (g_redirected.exchange(true)) return;  // another redirection is alive
    scratch_ = std::wstring(kTestRoot) + L"\\redirect-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(g_serial++);
    if (CreateScratch(scratch_ + L"\\HKCU", user_) != ERROR_SUCCESS ||
        CreateScratch(scratch_ + L"\\HKLM", machine_) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, user_.get()) != ERROR_SUCCESS) {
        restore();
        return;
    }
    if (RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_.get()) != ERROR_SUCCESS) {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        restore();
        return;
    }
    active_ = true;
}

ScopedRegistryRedirect::~ScopedRegistryRedirect() {
    if (active_) {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    }
    if (!scratch_.empty()) restore();
}

void ScopedRegistryRedirect::restore() {
    user_.reset();
    machine_.reset();
    // The real HKEY_CURRENT_USER is back, so the scratch path names the scratch keys again.
    (void)DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, scratch_);
    RemoveTestRootIfEmpty();
    scratch_.clear();
    active_ = false;
    g_redirected = false;
}

}  // namespace trenmoor::platform::win32
