#pragma once
// Owners of what Windows hands out: each frees what it holds exactly once, when it goes or is
// given something else. They move and never copy; a moved-from owner holds nothing.
//
//   OwnedHandle      CloseHandle          (events, processes, threads, files, mutexes)
//   OwnedFindHandle  FindClose            (FindFirstFile; empty is INVALID_HANDLE_VALUE)
//   OwnedKey         RegCloseKey          (never a predefined root such as HKEY_CURRENT_USER)
//   OwnedIcon        DestroyIcon          (never an icon loaded with LR_SHARED)
//   OwnedGdi<T>      DeleteObject         (OwnedFont, OwnedBitmap, OwnedBrush, OwnedPen, ...)
//   OwnedMemoryDC    DeleteDC             (CreateCompatibleDC)
//   OwnedImageList   ImageList_Destroy
//   OwnedWindow      DestroyWindow
//   OwnedLibrary     FreeLibrary
//   WindowDC         GetDC ... ReleaseDC, as one owner
//   PaintDC          BeginPaint ... EndPaint
//   SelectedObject   SelectObject ... SelectObject(previous)
//   OleInitialization  OleInitialize ... OleUninitialize
//
// An owner goes with no error: what frees a resource has no failure anyone could act on.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <utility>

namespace kv {

// Traits: T is the handle type; Empty() what "nothing" is; Free(value) frees a held value.
template <class Traits>
class Owned {
public:
    using Type = typename Traits::Type;

    Owned() noexcept : value_(Traits::Empty()) {}
    explicit Owned(Type value) noexcept : value_(value) {}
    Owned(Owned&& other) noexcept : value_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { Reset(); }

    Type Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Empty(); }

    // Gives the value up without freeing it.
    [[nodiscard]] Type Release() noexcept { return std::exchange(value_, Traits::Empty()); }
    // Frees what is held and holds value instead.
    void Reset(Type value = Traits::Empty()) noexcept {
        Type old = std::exchange(value_, value);
        if (old != Traits::Empty()) Traits::Free(old);
    }
    // For calls that hand the value out through a pointer (RegOpenKeyEx): frees what is held
    // and gives the address to fill.
    Type* Receive() noexcept {
        Reset();
        return &value_;
    }

private:
    Type value_;
};

namespace owned {

struct Handle {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept {
        // The failure value of CreateFile and friends is nothing to close either.
        if (value != INVALID_HANDLE_VALUE) CloseHandle(value);
    }
};
struct FindHandle {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Free(Type value) noexcept { FindClose(value); }
};
struct Key {
    using Type = HKEY;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { RegCloseKey(value); }
};
struct Icon {
    using Type = HICON;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { DestroyIcon(value); }
};
template <class T>
struct Gdi {
    using Type = T;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { DeleteObject(value); }
};
struct MemoryDC {
    using Type = HDC;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { DeleteDC(value); }
};
struct ImageList {
    using Type = HIMAGELIST;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { ImageList_Destroy(value); }
};
struct Window {
    using Type = HWND;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept {
        // The window may have gone with its parent or owner already.
        if (IsWindow(value)) DestroyWindow(value);
    }
};
struct Library {
    using Type = HMODULE;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { FreeLibrary(value); }
};
struct Hook {
    using Type = HHOOK;
    static Type Empty() noexcept { return nullptr; }
    static void Free(Type value) noexcept { UnhookWindowsHookEx(value); }
};

}  // namespace owned

using OwnedHandle = Owned<owned::Handle>;
using OwnedFindHandle = Owned<owned::FindHandle>;
using OwnedKey = Owned<owned::Key>;
using OwnedIcon = Owned<owned::Icon>;
template <class T>
using OwnedGdi = Owned<owned::Gdi<T>>;
using OwnedFont = OwnedGdi<HFONT>;
using OwnedBitmap = OwnedGdi<HBITMAP>;
using OwnedBrush = OwnedGdi<HBRUSH>;
using OwnedPen = OwnedGdi<HPEN>;
using OwnedMemoryDC = Owned<owned::MemoryDC>;
using OwnedImageList = Owned<owned::ImageList>;
using OwnedWindow = Owned<owned::Window>;
using OwnedLibrary = Owned<owned::Library>;
using OwnedHook = Owned<owned::Hook>;

// A window's device context (the screen's for nullptr), released to the same window.
class WindowDC {
public:
    WindowDC() noexcept = default;
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    WindowDC(WindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this != &other) {
            Reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { Reset(); }

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    void Reset() noexcept {
        if (dc_) ReleaseDC(window_, dc_);
        dc_ = nullptr;
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// One WM_PAINT's painting: BeginPaint, EndPaint when done. Lives inside the handler only.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() {
        // EndPaint also when BeginPaint gave no DC: it shows the caret again.
        EndPaint(window_, &paint_);
    }

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    const PAINTSTRUCT& Info() const noexcept { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a DC for a while; what was selected before comes back. The object
// itself stays its owner's: select it before, and let it go after, this scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// OLE for the calling thread for the life of the scope. Every successful OleInitialize
// (S_FALSE, already initialised, included) is matched by one OleUninitialize.
class OleInitialization {
public:
    OleInitialization() noexcept : result_(OleInitialize(nullptr)) {}
    OleInitialization(OleInitialization&& other) noexcept : result_(std::exchange(other.result_, E_FAIL)) {}
    OleInitialization& operator=(OleInitialization&& other) noexcept {
        if (this != &other) {
            Reset();
            result_ = std::exchange(other.result_, E_FAIL);
        }
        return *this;
    }
    OleInitialization(const OleInitialization&) = delete;
    OleInitialization& operator=(const OleInitialization&) = delete;
    ~OleInitialization() { Reset(); }

    // What OleInitialize answered; a failure leaves nothing to undo.
    HRESULT Result() const noexcept { return result_; }
    bool Succeeded() const noexcept { return SUCCEEDED(result_); }
    // Ends OLE for the thread now rather than at the end of the scope.
    void Reset() noexcept {
        if (SUCCEEDED(result_)) OleUninitialize();
        result_ = E_FAIL;
    }

private:
    HRESULT result_;
};

}  // namespace kv
