// Binds the registry contract to the real registry: a fresh scratch key under
// HKEY_CURRENT_USER\Software\TrenmoorTest, removed with everything below it afterwards.
#include <windows.h>

#include <atomic>
#include <string>

#include "contract/registry_contract.h"
#include "platform/win32/registry_links.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::testing {
namespace {

using platform::win32::UniqueHKey;

std::atomic<unsigned> g_serial{0};

class Win32ContractEnvironment final : public ContractEnvironment {
  public:
    Win32ContractEnvironment()
        : scratch_("Software\\TrenmoorTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(g_serial++)) {
        // Whatever an aborted earlier run left under this name goes first: the key must start empty.
        (void)platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, platform::win32::Widen(scratch_));
        UniqueHKey key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, platform::win32::Widen(scratch_).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
            scratch_.clear();  // the suite's set-up fails on an empty scratch path
    }

    ~Win32ContractEnvironment() override {
        if (!scratch_.empty())
            (void)platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, platform::win32::Widen(scratch_));
        // The shared test root goes too once no other test has anything left below it.
        UniqueHKey root;
        DWORD subkeys = 1;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\TrenmoorTest", 0, KEY_READ, root.put()) ==
                ERROR_SUCCESS &&
            RegQueryInfoKeyW(root.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
            subkeys == 0) {
            root.reset();
            (void)platform::win32::DeleteKeyTreeNoFollow(HKEY_CURRENT_USER, L"Software\\TrenmoorTest");
        }
    }

    platform::Registry& registry() override { return registry_; }
    std::string scratchPath() override { return scratch_; }

    // Wine identifies itself through an export of ntdll that Windows does not have.
    bool valuesKeepCreationOrder() override {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
    }

    // A link is made as Windows makes one: a key created with REG_OPTION_CREATE_LINK whose REG_LINK value
    // "SymbolicLinkValue" holds the kernel name of the target ("\REGISTRY\USER\<SID>\...").
    bool canCreateLink(const std::string& linkPath, const std::string& targetPath) override {
        UniqueHKey target;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, platform::win32::Widen(targetPath).c_str(), 0, KEY_READ,
                          target.put()) != ERROR_SUCCESS)
            return false;
        const auto kernelName = platform::win32::KernelKeyName(target.get());
        if (!kernelName) return false;
        return platform::win32::CreateRegistryLink(HKEY_CURRENT_USER, platform::win32::Widen(linkPath),
                                                   *kernelName) == ERROR_SUCCESS;
    }

  private:
    platform::win32::Win32Registry registry_;
    std::string scratch_;
};

}  // namespace

std::unique_ptr<ContractEnvironment> MakeContractEnvironment() {
    return std::make_unique<Win32ContractEnvironment>();
}

}  // namespace trenmoor::testing
