// The GUI test program (-municode): HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE are redirected to a
// scratch key for the whole run, so the windows read and write settings there and nowhere else.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/views/skin.h"

namespace {

class RegistrySandbox : public ::testing::Environment {
  public:
    void SetUp() override {
        path_ = L"Software\\TrenmoorGuiTests\\" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (path_ + L"\\CU").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &cu_, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (path_ + L"\\LM").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &lm_, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, cu_), ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, lm_), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        if (cu_) RegCloseKey(cu_);
        if (lm_) RegCloseKey(lm_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }

  private:
    std::wstring path_;
    HKEY cu_ = nullptr;
    HKEY lm_ = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    trenmoor::views::skin::InitDpi();
    ::testing::AddGlobalTestEnvironment(new RegistrySandbox);
    return RUN_ALL_TESTS();
}
