#pragma once
// A real report-style list view on a visible top-level window, for the list-view tests and
// for the script client's host.
#include <windows.h>
#include <commctrl.h>

namespace kv::test {

class ListViewWindow {
public:
    explicit ListViewWindow(const wchar_t* name = L"lstTest", int x = 40, int y = 40) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"KVListViewTestHost";
        RegisterClassW(&wc);
        frame = CreateWindowExW(0, wc.lpszClassName, L"List view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 560,
                                300, nullptr, nullptr, wc.hInstance, nullptr);
        list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, name, WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 520,
                               230, frame, reinterpret_cast<HMENU>(1), wc.hInstance, nullptr);
    }
    ~ListViewWindow() {
        if (IsWindow(frame)) DestroyWindow(frame);
    }
    ListViewWindow(const ListViewWindow&) = delete;
    ListViewWindow& operator=(const ListViewWindow&) = delete;

    HWND frame = nullptr;
    HWND list = nullptr;
};

}  // namespace kv::test
