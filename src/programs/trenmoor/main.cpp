// Trenmoor.exe: one instance per session (mutex "Trenmoor"), settings, the data module, the main window
// and its message loop.
#include <windows.h>

#include <commctrl.h>

#include "app/data_module.h"
#include "app/views/dm_view.h"
#include "app/views/skin.h"
#include "app/views/trenmoor_form.h"
#include "app/views/win32_ui.h"
#include "common/app_context.h"
#include "common/settings.h"
#include "platform/win32/win32_platform.h"

namespace {

// The single-instance mutex, released when the process ends.
class InstanceMutex {
  public:
    InstanceMutex()
        : handle_(CreateMutexW(nullptr, FALSE, L"Trenmoor")),
          existed_(GetLastError() == ERROR_ALREADY_EXISTS) {}
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;
    ~InstanceMutex() {
        if (handle_) CloseHandle(handle_);
    }
    bool AnotherInstanceRuns() const { return existed_; }

  private:
    HANDLE handle_;
    bool existed_;
};

int RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return got == 0 ? static_cast<int>(msg.wParam) : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const InstanceMutex mutex;
    if (mutex.AnotherInstanceRuns()) return 0;  // the first instance is not disturbed

    SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    trenmoor::views::skin::InitDpi();

    trenmoor::platform::win32::Win32Platform machine;
    trenmoor::views::Win32Ui ui;
    trenmoor::AppContext ctx(machine, ui);
    trenmoor::LoadSettings(machine.registry(), ctx.settings);

    trenmoor::TDM dm(ctx);
    if (dm.TerminateRequested()) return 0;
    trenmoor::views::TDMView dmView(dm);

    trenmoor::views::TTrenmoorForm form(ctx, dm, dmView);
    if (!form.Handle()) return 1;
    ui.Owner = form.Handle();
    form.OnDestroyed = [] { PostQuitMessage(0); };
    form.Show();
    return RunMessageLoop();
}
