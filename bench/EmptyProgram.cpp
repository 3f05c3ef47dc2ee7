// The references the benchmarks measure the program against: an empty Windows program, the
// same importing user32, one that shows a single window and waits in its message loop, and
// (KV_BENCH_TRAY) the least a tray program needs: a hidden window and an icon in the
// notification area (under Wine the icon alone brings shell32 and the common controls).
#include <windows.h>
#if defined(KV_BENCH_TRAY)
#include <shellapi.h>
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#if defined(KV_BENCH_WINDOW) || defined(KV_BENCH_TRAY)
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    };
    wc.hInstance = instance;
    wc.lpszClassName = L"KVBenchWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
#if defined(KV_BENCH_TRAY)
    const DWORD visible = 0;
#else
    const DWORD visible = WS_VISIBLE;
#endif
    HWND hwnd = CreateWindowW(L"KVBenchWindow", L"Bench", WS_OVERLAPPEDWINDOW | visible, CW_USEDEFAULT,
                              CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
#if defined(KV_BENCH_TRAY)
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = hwnd;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(icon.szTip, L"Bench");
    Shell_NotifyIconW(NIM_ADD, &icon);
#endif
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
#elif defined(KV_BENCH_USER32)
    (void)instance;
    // One real call, so the import is not dropped.
    if (GetSystemMetrics(SM_CXSCREEN) < 0) return 1;
#else
    (void)instance;
#endif
    return 0;
}
