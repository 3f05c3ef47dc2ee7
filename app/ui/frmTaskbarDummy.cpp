// The window that lends the dialogs a taskbar button.
#include "ui/frmTaskbarDummy.h"

#include "program/basGlobals.h"
#include "program/basMain.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"frmTaskbarDummy";
constexpr const wchar_t* conClassName = L"KVRestartTaskbarDummy";
constexpr UINT conMsgForward = WM_APP + 20;  // bring the owned dialog forward
// Where the window sits while shown: only its taskbar button is meant to be seen.
constexpr int conOffScreen = -32000;

struct DummyState {
    HWND window = nullptr;
    bool quitStep = false;
    std::function<void()> unloads[2];  // by enuFrontDialog
};

DummyState& Dummy() {
    static DummyState state;
    return state;
}

// The dialog the window stands for: the owned window active last, else any visible one.
HWND OwnedDialog(HWND hwnd) {
    HWND popup = GetLastActivePopup(hwnd);
    if (popup && popup != hwnd && IsWindowVisible(popup)) return popup;
    struct Search {
        HWND owner;
        HWND found;
    } search{hwnd, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (GetWindow(candidate, GW_OWNER) != s->owner || !IsWindowVisible(candidate)) return TRUE;
            s->found = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT CALLBACK DummyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            // Activated from its taskbar button: the dialog it stands for is what the user wants.
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(hwnd, conMsgForward, 0, 0);
            break;
        case conMsgForward:
            if (HWND dialog = OwnedDialog(hwnd)) SetForegroundWindow(dialog);
            return 0;
        case WM_CLOSE:
            Shown(conModule, L"Form_Unload", [] { UnloadTaskbarDummy(); });
            return 0;
        case WM_NCDESTROY:
            if (Dummy().window == hwnd) Dummy().window = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterDummyClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DummyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = conClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
    registered = true;
}

}  // namespace

HWND LoadTaskbarDummy() {
    return Forwarded(conModule, L"Load", [] {
        DummyState& dummy = Dummy();
        if (dummy.window) return dummy.window;
        RegisterDummyClass();
        dummy.window = CreateWindowExW(WS_EX_APPWINDOW, conClassName, conProjectName,
                                       WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, conOffScreen,
                                       conOffScreen, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!dummy.window) Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
        if (!dummy.quitStep) {
            dummy.quitStep = true;
            AddQuitStep([] {
                Dummy().quitStep = false;
                UnloadTaskbarDummy();
            });
        }
        return dummy.window;
    });
}

HWND TaskbarDummy() { return Dummy().window; }

void ShowTaskbarDummy(const std::wstring& strCaption) {
    Forwarded(conModule, L"Show", [&] {
        HWND window = LoadTaskbarDummy();
        const std::wstring caption = strCaption.empty() ? std::wstring(conProjectName) : strCaption;
        if (!SetWindowTextW(window, caption.c_str())) Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
        SetWindowPos(window, nullptr, conOffScreen, conOffScreen, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(window, SW_SHOWNOACTIVATE);
    });
}

void HideTaskbarDummy() {
    if (HWND window = TaskbarDummy()) ShowWindow(window, SW_HIDE);
}

void SetTaskbarDummyUnload(enuFrontDialog dlg, std::function<void()> unload) {
    if (dlg == conFD_Options || dlg == conFD_VersionCheck) Dummy().unloads[dlg] = std::move(unload);
}

void UnloadTaskbarDummy() {
    Forwarded(conModule, L"Unload", [] {
        DummyState& dummy = Dummy();
        // Taken out first: a dialog's unloading removes its own registration.
        for (auto& slot : dummy.unloads) {
            std::function<void()> unload = std::move(slot);
            slot = nullptr;
            if (unload) unload();
        }
        if (HWND window = dummy.window) {
            dummy.window = nullptr;
            DestroyWindow(window);
        }
    });
}

}  // namespace kvr
