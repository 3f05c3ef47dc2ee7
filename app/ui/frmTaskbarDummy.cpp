// The window that lends the dialogs a taskbar button.
#include "ui/frmTaskbarDummy.h"

#include "LastError.h"
#include "WindowBase.h"
#include "program/basGlobals.h"
#include "program/basMain.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"frmTaskbarDummy";
constexpr const wchar_t* conClassName = L"KVRestartTaskbarDummy";
constexpr UINT conMsgForward = WM_APP + 20;  // bring the owned dialog forward
// Where the window sits while shown: only its taskbar button is meant to be seen.
constexpr int conOffScreen = -32000;

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

class frmTaskbarDummy : public kv::WindowBase {
public:
    frmTaskbarDummy() : WindowBase(conProjectName, conModule) {}

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override;
    void OnFinalMessage() override;
};

struct DummyState {
    // The loaded window; nullptr from the moment it is being unloaded.
    HWND window = nullptr;
    bool quitStep = false;
    std::function<void()> unloads[2];  // by enuFrontDialog
    frmTaskbarDummy form;
};

DummyState& Dummy() {
    static DummyState state;
    return state;
}

bool frmTaskbarDummy::HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_ACTIVATE:
            // Activated from its taskbar button: the dialog it stands for is what the user wants.
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(Handle(), conMsgForward, 0, 0);
            return false;
        case conMsgForward:
            if (HWND dialog = OwnedDialog(Handle())) SetForegroundWindow(dialog);
            result = 0;
            return true;
        case WM_CLOSE:
            Shown(conModule, L"Form_Unload", [] { UnloadTaskbarDummy(); });
            result = 0;
            return true;
        default:
            return false;
    }
}

void frmTaskbarDummy::OnFinalMessage() {
    // Destroyed by someone else than UnloadTaskbarDummy (its owner went).
    Dummy().window = nullptr;
}

void RegisterDummyClass() {
    WNDCLASSEXW wc{};
    wc.lpszClassName = conClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    // Shared icons: nothing frees them.
    wc.hIcon = kv::ProgramIcon(GetSystemMetrics(SM_CXICON));
    wc.hIconSm = kv::ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    kv::WindowBase::RegisterWindowClass(wc);
}

}  // namespace

HWND LoadTaskbarDummy() {
    return Forwarded(conModule, L"Load", [] {
        DummyState& dummy = Dummy();
        if (dummy.window) return dummy.window;
        RegisterDummyClass();
        dummy.form.Create(WS_EX_APPWINDOW, conClassName, conProjectName,
                          WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, conOffScreen, conOffScreen, 0, 0);
        dummy.window = dummy.form.Handle();
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
        kv::RaiseLastErrorIf(!SetWindowTextW(window, caption.c_str()));
        SetWindowPos(window, nullptr, conOffScreen, conOffScreen, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(window, SW_SHOWNOACTIVATE);
    });
}

void HideTaskbarDummy() {
    if (HWND window = TaskbarDummy()) ShowWindow(window, SW_HIDE);
}

void ReleaseTaskbarDummy(HWND hwndClosing) {
    HWND dummy = TaskbarDummy();
    if (!dummy) return;
    struct Search {
        HWND owner, except;
        bool found;
    } search{dummy, hwndClosing, false};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (candidate == s->except || GetWindow(candidate, GW_OWNER) != s->owner || !IsWindowVisible(candidate))
                return TRUE;
            s->found = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) HideTaskbarDummy();
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
        if (dummy.window) {
            dummy.window = nullptr;
            dummy.form.Destroy();
        }
    });
}

}  // namespace kvr
