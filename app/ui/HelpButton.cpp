#include "ui/HelpButton.h"

#include <commctrl.h>

#include "LastError.h"
#include "WindowBase.h"
#include "res/Pictures.h"

namespace kvr {

namespace {

kv::OwnedIcon QuestionMark(int size) {
    // Loaded without LR_SHARED: a copy of the system's icon at that size, the caller's to own.
    return kv::OwnedIcon(
        static_cast<HICON>(LoadImageW(nullptr, IDI_QUESTION, IMAGE_ICON, size, size, 0)));
}

}  // namespace

void HelpButton::Attach(HWND button, Picture picture) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    icon_ = picture == Picture::Program ? kv::LoadPicture(IDI_MENU_HELP, size) : kv::OwnedIcon();
    if (!icon_) icon_ = QuestionMark(size);
    if (icon_) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_.Get()));

    // Owned by the dialog, the tool tip goes with it.
    HWND dialog = GetParent(button);
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, kv::CodeModule(), nullptr);
    kv::RaiseLastErrorIf(tip == nullptr);
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = dialog;
    ti.uId = reinterpret_cast<UINT_PTR>(button);
    ti.lpszText = const_cast<wchar_t*>(L"Hilfe anzeigen");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace kvr
