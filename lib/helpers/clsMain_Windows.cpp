// Window helpers: option buttons, the close button, z-order, focus, forms, keys, screen.
#include <algorithm>

#include "MessageBoxSeam.h"
#include "clsMain.h"
#include "clsMainInternal.h"

namespace kv {

namespace {

void RequireWindow(HWND window) {
    if (!IsWindow(window)) RaiseApiError(ERROR_INVALID_WINDOW_HANDLE);
}

HMENU SystemMenu(HWND window) {
    RequireWindow(window);
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) RaiseLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    if (GetClassNameW(window, name, 256) == 0) RaiseLastError(ERROR_INVALID_WINDOW_HANDLE);
    return name;
}

struct KeyName {
    const wchar_t* name;
    WORD vk;
};

constexpr KeyName kKeyNames[] = {
    {L"TAB", 9},         {L"BACKSPACE", 8},    {L"BREAK", 19},   {L"CAPSLOCK", 20}, {L"DEL", 46},
    {L"DOWN", 40},       {L"END", 35},         {L"ENTER", 13},   {L"ESC", 27},      {L"HOME", 36},
    {L"INS", 45},        {L"LEFT", 37},        {L"NUMLOCK", 144}, {L"PGDN", 34},    {L"PGUP", 33},
    {L"PRTSC", 42},      {L"RIGHT", 39},       {L"SCROLLLOCK", 145}, {L"UP", 38},   {L"F1", 112},
    {L"F2", 113},        {L"F3", 114},         {L"F4", 115},     {L"F5", 116},      {L"F6", 117},
    {L"F7", 118},        {L"F8", 119},         {L"F9", 120},     {L"F10", 121},     {L"F11", 122},
    {L"F12", 123},
};

INPUT KeyEvent(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

}  // namespace

namespace detail {

long FirstSetOption(long count, const std::function<bool(long)>& isSet) {
    for (long i = 0; i < count; ++i)
        if (i == count - 1 || isSet(i)) return i;
    return count - 1;
}

}  // namespace detail

long clsMain::GetSelectedOption(const std::vector<HWND>& ctlOption) {
    return detail::Guarded(L"GetSelectedOption", [&] {
        return detail::FirstSetOption(static_cast<long>(ctlOption.size()), [&](long i) {
            RequireWindow(ctlOption[static_cast<size_t>(i)]);
            return SendMessageW(ctlOption[static_cast<size_t>(i)], BM_GETCHECK, 0, 0) == BST_CHECKED;
        });
    });
}

void clsMain::SetSelectedOption(const std::vector<HWND>& ctlOption, long lngIndex) {
    detail::Guarded(L"SetSelectedOption", [&] {
        if (lngIndex < 0 || lngIndex >= static_cast<long>(ctlOption.size()))
            throw KVError(9, L"Subscript out of range");
        // As with option buttons, choosing one clears the others of the group.
        for (size_t i = 0; i < ctlOption.size(); ++i) {
            RequireWindow(ctlOption[i]);
            SendMessageW(ctlOption[i], BM_SETCHECK,
                         i == static_cast<size_t>(lngIndex) ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    });
}

void clsMain::DisableXButton(HWND frmForm) {
    detail::Guarded(L"DisableXButton", [&] {
        HMENU menu = SystemMenu(frmForm);
        const UINT id = GetMenuItemID(menu, 6);
        // Disabled already: the saved identifier must not become the placeholder's.
        if (id == conDisabledCloseId) return;
        if (id == static_cast<UINT>(-1)) RaiseApiError(ERROR_MENU_ITEM_NOT_FOUND);
        wchar_t text[256] = {};
        GetMenuStringW(menu, 6, text, 256, MF_BYPOSITION);
        if (!ModifyMenuW(menu, 6, MF_BYPOSITION | MF_STRING | MF_GRAYED, conDisabledCloseId, L""))
            RaiseLastError();
        savedCloseItemId_ = static_cast<long>(id);
        savedCloseItemText_ = text;
        DrawMenuBar(frmForm);  // only a repaint request; windows without a menu bar have none to draw
    });
}

void clsMain::EnableXButton(HWND frmForm) {
    detail::Guarded(L"EnableXButton", [&] {
        HMENU menu = SystemMenu(frmForm);
        if (GetMenuState(menu, conDisabledCloseId, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
        // Another object disabled it: the close command is the system's own.
        const UINT id = savedCloseItemId_ != 0 ? static_cast<UINT>(savedCloseItemId_) : SC_CLOSE;
        if (!ModifyMenuW(menu, conDisabledCloseId, MF_BYCOMMAND | MF_STRING | MF_ENABLED, id,
                         savedCloseItemText_.c_str()))
            RaiseLastError();
        DrawMenuBar(frmForm);
    });
}

void clsMain::WindowOnTop(HWND frmForm, long lngState) {
    detail::Guarded(L"WindowOnTop", [&] {
        HWND after = lngState == conSysWindowOnTop ? HWND_TOPMOST : HWND_NOTOPMOST;
        if (!SetWindowPos(frmForm, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE))
            RaiseLastError();
    });
}

void clsMain::SetForgroundForm(HWND frmForm) {
    detail::Guarded(L"SetForgroundForm", [&] {
        RequireWindow(frmForm);
        HWND foreground = GetForegroundWindow();
        const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
        const DWORD formThread = GetWindowThreadProcessId(frmForm, nullptr);
        if (foregroundThread == 0 || foregroundThread == formThread) {
            SetForegroundWindow(frmForm);
            return;
        }
        ShowWindow(frmForm, SW_HIDE);
        const BOOL attached = AttachThreadInput(foregroundThread, formThread, TRUE);
        SetForegroundWindow(frmForm);
        if (attached) AttachThreadInput(foregroundThread, formThread, FALSE);
        ShowWindow(frmForm, SW_SHOW);
    });
}

bool clsMain::SetFocus(HWND objControl) {
    if (!IsWindow(objControl) || !IsWindowVisible(objControl) || !IsWindowEnabled(objControl)) return false;
    ::SetFocus(objControl);
    return true;
}

bool clsMain::FormOpen(HWND frmForm, const std::vector<HWND>& frmForms) {
    return detail::Guarded(L"FormOpen", [&] {
        const std::wstring type = ClassName(frmForm);
        return std::any_of(frmForms.begin(), frmForms.end(), [&](HWND form) {
            return IsWindow(form) && CompareStringOrdinal(ClassName(form).c_str(), -1, type.c_str(), -1, TRUE) ==
                                         CSTR_EQUAL;
        });
    });
}

std::vector<HWND> clsMain::ThreadForms() {
    std::vector<HWND> forms;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&forms));
    return forms;
}

bool clsMain::IsFormLoaded(HWND frmForm, const std::vector<HWND>& colForms) {
    return frmForm && std::find(colForms.begin(), colForms.end(), frmForm) != colForms.end();
}

void clsMain::SendKey(const std::wstring& strKey) {
    detail::Guarded(L"SendKey", [&] {
        std::wstring text = strKey;
        std::vector<WORD> modifiers;
        auto addModifier = [&](WORD vk) {
            if (std::find(modifiers.begin(), modifiers.end(), vk) == modifiers.end()) modifiers.push_back(vk);
        };
        if (text.size() >= 2 && text.front() == L'{' && text.back() == L'}') {
            text = text.substr(1, text.size() - 2);
            const wchar_t lead = text.empty() ? 0 : text[0];
            if (lead == L'+' || lead == L'^' || lead == L'%') {
                addModifier(lead == L'+' ? VK_SHIFT : lead == L'^' ? VK_CONTROL : VK_MENU);
                text.erase(0, 1);
            }
        }

        WORD vk = 0;
        if (!text.empty()) {
            const std::wstring name = detail::UpperCase(text);
            auto known = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                      [&](const KeyName& k) { return name == k.name; });
            const wchar_t c = name[0];
            if (known != std::end(kKeyNames)) {
                vk = known->vk;
            } else if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) {
                vk = c;  // letters and digits are their own key codes
                if (text[0] >= L'A' && text[0] <= L'Z') addModifier(VK_SHIFT);
            } else {
                // Other characters: their code is not their key (46 "." would be Delete).
                const SHORT scan = VkKeyScanW(text[0]);
                if (scan == -1) throw KVError(5, L"Invalid procedure call or argument");
                vk = LOBYTE(scan);
                if (HIBYTE(scan) & 1) addModifier(VK_SHIFT);
                if (HIBYTE(scan) & 2) addModifier(VK_CONTROL);
                if (HIBYTE(scan) & 4) addModifier(VK_MENU);
            }
        }

        std::vector<INPUT> events;
        for (WORD m : modifiers) events.push_back(KeyEvent(m, false));
        if (vk) {
            events.push_back(KeyEvent(vk, false));
            events.push_back(KeyEvent(vk, true));
        }
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) events.push_back(KeyEvent(*m, true));
        if (events.empty()) return;
        if (SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) != events.size())
            RaiseLastError(ERROR_ACCESS_DENIED);
    });
}

HWND clsMain::SearchWindow(const std::wstring& strTitle, bool blnWholeMatch, bool blnCaseSensitive) {
    struct Search {
        std::wstring title;
        bool whole, caseSensitive;
        HWND found = nullptr;
    } search{blnCaseSensitive ? strTitle : detail::UpperCase(strTitle), blnWholeMatch, blnCaseSensitive};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            const int length = GetWindowTextLengthW(window);
            std::wstring title(static_cast<size_t>(length) + 1, L'\0');
            title.resize(static_cast<size_t>(GetWindowTextW(window, title.data(), length + 1)));
            if (!s->caseSensitive) title = detail::UpperCase(title);
            const bool match = s->whole ? title == s->title : title.find(s->title) != std::wstring::npos;
            if (!match) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void clsMain::GetDesktopSize(long& lngDesktopWidth, long& lngDesktopHeight, long& lngTaskbarWidth,
                             long& lngTaskbarHeight) {
    detail::Guarded(L"GetDesktopSize", [&] {
        RECT work{};
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) RaiseLastError();
        lngDesktopWidth = GetSystemMetrics(SM_CXSCREEN);
        lngDesktopHeight = GetSystemMetrics(SM_CYSCREEN);
        lngTaskbarWidth = lngDesktopWidth - (work.right - work.left);
        lngTaskbarHeight = lngDesktopHeight - (work.bottom - work.top);
    });
}

void clsMain::WarningBox(const std::wstring& strText) {
    MessageBoxes().Show(nullptr, strText, L"Warnung", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace kv
