// make_shortcut <shortcut.lnk> <target>: writes a real shortcut file to the target (which need not
// exist), as an installer would. Exit code 0 when written, 1 when the shell refused, 2 for wrong
// arguments.
#include <windows.h>

#include "../wine/shortcut_writer.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || argv[1][0] == L'\0' || argv[2][0] == L'\0') return 2;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const HRESULT hr = trenmoor::testing::WriteShortcut(argv[1], argv[2]);
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}
