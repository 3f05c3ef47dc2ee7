#pragma once
// The one base of every window and dialog. One static procedure for windows (this object
// travels in lpCreateParams and is kept from WM_NCCREATE), one for dialogs (in the lParam of
// WM_INITDIALOG), and WindowSubclass for a window somebody else created; all three forward to
// the same virtual handlers. Nothing a handler raises reaches user32: the base hands it to
// OnError, which shows it the error convention's way unless a window says otherwise.
//
// A window:   class frmX : public kv::WindowBase
//               frmX() : WindowBase(L"KVRestart", L"frmX") {}
//               bool OnCreate(const CREATESTRUCTW&) override;   // build the controls
//               bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) override;
//             WindowBase::RegisterWindowClass(wc) once, then Create(...).
// A dialog:   same base; OnInit instead of OnCreate; ShowModal(template, owner) or
//             CreateModeless(template, owner), the template from kv::DialogTemplate.
// A control:  class X : public kv::WindowSubclass; Attach(hwnd) ... Detach().
//
// Reserved by the base: GWLP_USERDATA of its windows, DWLP_USER of its dialogs.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <string>

#include "KVError.h"
#include "Owned.h"

namespace kv {

// The module this code is linked into (the program, or a component DLL): its window classes
// and its dialogs' controls belong to it.
HINSTANCE CodeModule();

class WindowBase {
public:
    // project and module name the place an error was raised, as ShowError shows it.
    WindowBase(std::wstring project, std::wstring module);
    // A window still there is destroyed, without calling this object's handlers any more (a
    // derived class is gone by now); a window that needs OnDestroy destroys itself first.
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const noexcept { return hwnd_; }
    HWND Item(int id) const noexcept { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }

    // ---- Windows ----
    // Registers a window class with WindowProc as its procedure (cbSize, the procedure and,
    // when not given, the instance are filled in). A class already registered is no error.
    static void RegisterWindowClass(WNDCLASSEXW wc);
    // Creates this object's window of such a class. When OnCreate raises, creation fails and
    // its error is raised here, not shown: the caller finds no window and decides.
    void Create(DWORD exStyle, const wchar_t* className, const std::wstring& title, DWORD style, int x, int y,
                int cx, int cy, HWND parent = nullptr, HMENU menuOrId = nullptr, HINSTANCE instance = CodeModule());

    // ---- Dialogs ----
    // A modal dialog: runs until EndModal and answers its result.
    INT_PTR ShowModal(const DLGTEMPLATE* dialog, HWND owner, HINSTANCE instance = CodeModule());
    void CreateModeless(const DLGTEMPLATE* dialog, HWND owner, HINSTANCE instance = CodeModule());
    void EndModal(INT_PTR result);

    // Destroys the window (or modeless dialog) now; its handlers still see WM_DESTROY.
    void Destroy();

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // Each handler answers whether it handled the message; an unhandled one goes on to
    // HandleMessage, then to the default processing.

    // WM_CREATE of a window. False (or an error) makes creation fail.
    virtual bool OnCreate(const CREATESTRUCTW& create);
    // WM_INITDIALOG of a dialog. True lets the dialog manager give the focus to the first
    // control; answer false after setting it yourself. An error raised here is shown and
    // the dialog stays.
    virtual bool OnInit();
    virtual bool OnCommand(int id, int code, HWND control);
    // result is what WM_NOTIFY answers (custom draw stages, refusals).
    virtual bool OnNotify(const NMHDR& header, LRESULT& result);
    virtual bool OnTimer(UINT_PTR id);
    // kind: SIZE_RESTORED, SIZE_MINIMIZED, ...; the client area's new size.
    virtual bool OnSize(UINT kind, int cx, int cy);
    // WM_DESTROY: the controls are still there. The default processing follows.
    virtual void OnDestroy();
    // Every other message, and those the handlers above left.
    virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After the window's last message; Handle() is nullptr already. The object may delete
    // itself here.
    virtual void OnFinalMessage();
    // An error a handler raised (anything else arrives as E_UNEXPECTED). The default shows it
    // through clsMain::ShowError with this window's project and module and the procedure's
    // name ("WindowProc", "DialogProc", "SubclassProc").
    virtual void OnError(const wchar_t* procedure, const KVError& error);

    // What the procedures share: the handlers for one message, with the one catch.
    enum class Kind { None, Window, Dialog, Subclass };
    static bool Route(WindowBase* self, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result,
                      const wchar_t* procedure) noexcept;
    void Bind(HWND hwnd, Kind kind) noexcept;
    // The window goes (WM_NCDESTROY): Handle() becomes nullptr, then OnFinalMessage.
    void Unbind() noexcept;
    Kind BoundAs() const noexcept { return kind_; }

private:
    bool Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Report(const wchar_t* procedure, std::exception_ptr error) noexcept;

    std::wstring project_, module_;
    HWND hwnd_ = nullptr;
    Kind kind_ = Kind::None;
    bool creating_ = false;
    std::exception_ptr createError_;
};

// An existing window (a control, or a window of another part) with this object's handlers
// in front of its own procedure, through the common controls' subclassing; what the
// handlers leave goes on to that procedure.
class WindowSubclass : public WindowBase {
public:
    using WindowBase::WindowBase;
    ~WindowSubclass() override;

    void Attach(HWND window);
    // Also when the window goes first (WM_NCDESTROY detaches by itself).
    void Detach() noexcept;

    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
};

// ---- Shared window helpers ----

// The screen's resolution, read once: the program is system-DPI aware and sizes its windows
// from the resolution at start.
long ScreenDpiX();
long ScreenDpiY();
// Twips (1/1440 inch) to pixels and back, at that resolution.
long TwipsToPixelsX(long lngTwips);
long TwipsToPixelsY(long lngTwips);
long PixelsToTwipsX(long lngPixels);
long PixelsToTwipsY(long lngPixels);

// The executable's icon resource 1 (the program's icon) at that size, shared: never destroy
// it. nullptr when the executable has none (a test program).
HICON ProgramIcon(int size);
// The program's icon as the window's large and small icon (nothing when there is none).
void SetProgramIcons(HWND window);
// An icon resource of the executable at that size, for the caller to own; empty when the
// executable has none.
OwnedIcon LoadPicture(int id, int size);

}  // namespace kv
