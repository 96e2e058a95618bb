// post_window_message <class> <title> <message>: posts a message (decimal or 0x hex) to the top-level
// window of that class and title, as another program would. Exit code 0 when posted, 1 when no such
// window exists, 2 for wrong arguments.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    wchar_t* end = nullptr;
    const unsigned long message = std::wcstoul(argv[3], &end, 0);
    if (end == argv[3] || *end != L'\0') return 2;
    HWND target = FindWindowW(argv[1], argv[2]);
    if (!target) return 1;
    return PostMessageW(target, static_cast<UINT>(message), 0, 0) ? 0 : 1;
}
