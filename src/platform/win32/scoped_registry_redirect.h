#pragma once
// For tests: while alive, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this process point at two fresh,
// empty scratch keys (RegOverridePredefKey); on destruction the real keys come back and the scratch keys
// are deleted. HKEY_CLASSES_ROOT and other processes (regedit started as a child) are not redirected;
// system code in this process that reads machine settings through HKEY_LOCAL_MACHINE (shell, COM) sees
// the empty scratch key meanwhile, so tests keep such calls outside the redirection.
// One redirection at a time: a second one made while another lives stays inactive.
#include <string>

#include "platform/win32/unique_handle.h"

namespace trenmoor::platform::win32 {

class ScopedRegistryRedirect {
  public:
    ScopedRegistryRedirect();
    ~ScopedRegistryRedirect();
    ScopedRegistryRedirect(const ScopedRegistryRedirect&) = delete;
    ScopedRegistryRedirect& operator=(const ScopedRegistryRedirect&) = delete;

    // Whether both keys are redirected.
    [[nodiscard]] bool active() const { return active_; }
    // Where the redirected keys live, relative to the real HKEY_CURRENT_USER ("Software\TrenmoorTest\...").
    [[nodiscard]] const std::wstring& scratchPath() const { return scratch_; }

  private:
    void restore();

    std::wstring scratch_;
    UniqueHKey user_;
    UniqueHKey machine_;
    bool active_ = false;
};

}  // namespace trenmoor::platform::win32
