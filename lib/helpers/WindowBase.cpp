#include "WindowBase.h"

#include "LastError.h"
#include "clsMain.h"

namespace kv {

namespace {

constexpr int conTwipsPerInch = 1440;
constexpr int conProgramIconId = 1;

// What a handler's error that is no KVError shows: a fault of ours, not the user's.
constexpr long conUnexpectedNumber = E_UNEXPECTED;
constexpr const wchar_t* conUnexpectedText = L"Unerwarteter Fehler.";

// The messages a dialog procedure answers directly; every other answer goes through
// DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) {
    switch (msg) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

long ScreenDpi(int index) {
    WindowDC screen(nullptr);
    const long dpi = screen ? GetDeviceCaps(screen.Get(), index) : 0;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

HINSTANCE CodeModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CodeModule), &module);
    return module;
}

WindowBase::WindowBase(std::wstring project, std::wstring module)
    : project_(std::move(project)), module_(std::move(module)) {}

WindowBase::~WindowBase() {
    if (!hwnd_ || (kind_ != Kind::Window && kind_ != Kind::Dialog)) return;
    HWND hwnd = hwnd_;
    // The window's last messages go to the default processing only.
    SetWindowLongPtrW(hwnd, kind_ == Kind::Dialog ? DWLP_USER : GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    kind_ = Kind::None;
    DestroyWindow(hwnd);
}

void WindowBase::Bind(HWND hwnd, Kind kind) noexcept {
    hwnd_ = hwnd;
    kind_ = kind;
}

void WindowBase::Unbind() noexcept {
    hwnd_ = nullptr;
    kind_ = Kind::None;
    OnFinalMessage();
}

// ---- Windows ----

void WindowBase::RegisterWindowClass(WNDCLASSEXW wc) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowBase::WindowProc;
    if (!wc.hInstance) wc.hInstance = CodeModule();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastError();
}

void WindowBase::Create(DWORD exStyle, const wchar_t* className, const std::wstring& title, DWORD style, int x,
                        int y, int cx, int cy, HWND parent, HMENU menuOrId, HINSTANCE instance) {
    if (hwnd_) RaiseApiError(ERROR_ALREADY_EXISTS);  // one window per object
    createError_ = nullptr;
    creating_ = true;
    HWND hwnd = CreateWindowExW(exStyle, className, title.c_str(), style, x, y, cx, cy, parent, menuOrId, instance,
                                this);
    const DWORD failure = GetLastError();
    creating_ = false;
    if (hwnd) return;
    if (std::exception_ptr error = std::exchange(createError_, nullptr)) std::rethrow_exception(error);
    SetLastError(failure);
    RaiseLastError(ERROR_CANNOT_MAKE);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE && !self) {
        self = static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->Bind(hwnd, Kind::Window);
        }
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) find no object.
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    const bool handled = Route(self, msg, wParam, lParam, result, L"WindowProc");
    if (!handled) result = DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->Unbind();
    }
    return result;
}

// ---- Dialogs ----

INT_PTR WindowBase::ShowModal(const DLGTEMPLATE* dialog, HWND owner, HINSTANCE instance) {
    if (hwnd_) RaiseApiError(ERROR_ALREADY_EXISTS);
    INT_PTR result = DialogBoxIndirectParamW(instance, dialog, owner, &WindowBase::DialogProc,
                                             reinterpret_cast<LPARAM>(this));
    RaiseLastErrorIf(result == -1, ERROR_CANNOT_MAKE);
    return result;
}

void WindowBase::CreateModeless(const DLGTEMPLATE* dialog, HWND owner, HINSTANCE instance) {
    if (hwnd_) RaiseApiError(ERROR_ALREADY_EXISTS);
    HWND hwnd = CreateDialogIndirectParamW(instance, dialog, owner, &WindowBase::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    RaiseLastErrorIf(hwnd == nullptr, ERROR_CANNOT_MAKE);
}

void WindowBase::EndModal(INT_PTR result) {
    if (hwnd_) RaiseLastErrorIf(!EndDialog(hwnd_, result));
}

void WindowBase::Destroy() {
    if (hwnd_) RaiseLastErrorIf(!DestroyWindow(hwnd_));
}

INT_PTR CALLBACK WindowBase::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (msg == WM_INITDIALOG && !self) {
        self = reinterpret_cast<WindowBase*>(lParam);
        if (self) {
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            self->Bind(hwnd, Kind::Dialog);
        }
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object.
    if (!self) return FALSE;

    LRESULT result = 0;
    const bool handled = Route(self, msg, wParam, lParam, result, L"DialogProc");
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->Unbind();
        return FALSE;
    }
    if (!handled) return msg == WM_INITDIALOG ? TRUE : FALSE;
    if (AnswersDirectly(msg)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// ---- Dispatch ----

bool WindowBase::Route(WindowBase* self, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                       const wchar_t* procedure) noexcept {
    try {
        return self->Dispatch(msg, wParam, lParam, result);
    } catch (...) {
        if (msg == WM_CREATE && self->creating_) {
            // Creation fails; Create raises the error to its caller.
            self->createError_ = std::current_exception();
            result = -1;
            return true;
        }
        self->Report(procedure, std::current_exception());
        return false;
    }
}

bool WindowBase::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    bool handled = false;
    switch (msg) {
        case WM_CREATE:
            if (kind_ == Kind::Window) {
                result = OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam)) ? 0 : -1;
                return true;
            }
            break;
        case WM_INITDIALOG:
            if (kind_ == Kind::Dialog) {
                result = OnInit() ? TRUE : FALSE;
                return true;
            }
            break;
        case WM_COMMAND:
            handled = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            break;
        case WM_NOTIFY:
            handled = OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
            break;
        case WM_TIMER:
            handled = OnTimer(static_cast<UINT_PTR>(wParam));
            break;
        case WM_SIZE:
            handled = OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        default:
            break;
    }
    if (handled) return true;
    result = 0;
    return HandleMessage(msg, wParam, lParam, result);
}

void WindowBase::Report(const wchar_t* procedure, std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const KVError& e) {
            OnError(procedure, e);
        } catch (...) {
            OnError(procedure, KVError(conUnexpectedNumber, conUnexpectedText));
        }
    } catch (...) {
        // Showing failed as well; there is no one left to tell.
    }
}

bool WindowBase::OnCreate(const CREATESTRUCTW&) { return true; }
bool WindowBase::OnInit() { return true; }
bool WindowBase::OnCommand(int, int, HWND) { return false; }
bool WindowBase::OnNotify(const NMHDR&, LRESULT&) { return false; }
bool WindowBase::OnTimer(UINT_PTR) { return false; }
bool WindowBase::OnSize(UINT, int, int) { return false; }
void WindowBase::OnDestroy() {}
bool WindowBase::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
void WindowBase::OnFinalMessage() {}

void WindowBase::OnError(const wchar_t* procedure, const KVError& error) {
    clsMain().ShowError(project_, module_, procedure, error);
}

// ---- Shared window helpers ----

long ScreenDpiX() {
    static const long dpi = ScreenDpi(LOGPIXELSX);
    return dpi;
}

long ScreenDpiY() {
    static const long dpi = ScreenDpi(LOGPIXELSY);
    return dpi;
}

long TwipsToPixelsX(long lngTwips) { return MulDiv(lngTwips, ScreenDpiX(), conTwipsPerInch); }
long TwipsToPixelsY(long lngTwips) { return MulDiv(lngTwips, ScreenDpiY(), conTwipsPerInch); }
long PixelsToTwipsX(long lngPixels) { return MulDiv(lngPixels, conTwipsPerInch, ScreenDpiX()); }
long PixelsToTwipsY(long lngPixels) { return MulDiv(lngPixels, conTwipsPerInch, ScreenDpiY()); }

HICON ProgramIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(conProgramIconId), IMAGE_ICON, size, size, LR_SHARED));
}

void SetProgramIcons(HWND window) {
    if (HICON big = ProgramIcon(GetSystemMetrics(SM_CXICON)))
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (HICON little = ProgramIcon(GetSystemMetrics(SM_CXSMICON)))
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
}

OwnedIcon LoadPicture(int id, int size) {
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

}  // namespace kv
