// The references the benchmarks measure the program against: an empty Windows program, the
// same importing user32, and one that shows a single window and waits in its message loop.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#if defined(KV_BENCH_WINDOW)
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    };
    wc.hInstance = instance;
    wc.lpszClassName = L"KVBenchWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"KVBenchWindow", L"Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                              CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
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
