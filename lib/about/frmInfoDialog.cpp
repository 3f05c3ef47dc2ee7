#include "frmInfoDialog.h"

#include <shellapi.h>

#include <algorithm>

#include "AboutMain.h"
#include "DialogTemplate.h"
#include "LastError.h"
#include "clsSendMessage.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr UINT conFirstInterval = 500;  // ms between the first frames of the animation
constexpr UINT conShortestInterval = 20;
constexpr UINT conCreditsInterval = 30;
constexpr COLORREF conLinkText = RGB(0, 40, 150);
constexpr COLORREF conCreditsColours[] = {RGB(200, 0, 0), RGB(200, 120, 0), RGB(0, 140, 0),
                                          RGB(0, 120, 200), RGB(90, 0, 200), RGB(200, 0, 150)};

RECT ChildRect(HWND dialog, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Place(HWND child, const RECT& r) {
    SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

frmInfoDialog::frmInfoDialog() : WindowBase(conAboutProject, L"frmInfoDialog") {}

void frmInfoDialog::Show(const InfoDialogContent& content, HWND owner) {
    content_ = content;
    using T = DialogTemplate;
    T t(DS_MODALFRAME | DS_CENTER | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 260, 206, conCaption);
    const DWORD label = SS_LEFT | SS_NOTIFY | SS_NOPREFIX;
    t.Add(T::conStatic, SS_OWNERDRAW | SS_NOTIFY, 0, 8, 8, 28, 28, conPicture);
    t.Add(T::conStatic, label, 0, 44, 8, 208, 12, conLblName, content.Program);
    t.Add(T::conStatic, label, 0, 44, 22, 208, 9, conLblVersion, content.Version);
    t.Add(T::conStatic, label, 0, 44, 34, 208, 34, conLblDescription, content.Description);
    t.Add(T::conStatic, label, 0, 44, 70, 208, 9, conLblCopyright, content.Copyright);
    t.Add(T::conStatic, label, 0, 44, 82, 208, 42, conLblAddress, content.Address);
    t.Add(T::conStatic, label, 0, 44, 126, 208, 9, conLblWebsite, content.Website);
    t.Add(T::conStatic, label, 0, 44, 136, 208, 9, conLblEmail, content.EmailAddress);
    t.Add(T::conStatic, label, 0, 8, 150, 244, 32, conLblTerms, content.Terms);
    t.Add(T::conStatic, SS_LEFT | SS_NOPREFIX, 0, 8, 190, 70, 9, conLblSpeed);
    t.Add(T::conStatic, label, 0, 80, 190, 60, 9, conLblReset, L"Zurücksetzen");
    t.Add(T::conStatic, SS_CENTER | SS_NOPREFIX, 0, 8, 0, 244, 12, conLblCredits);
    t.Add(T::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 146, 186, 50, 14, conCmdCredits, L"&Credits");
    t.Add(T::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 202, 186, 50, 14, conCmdClose, L"Schließen");
    ShowModal(t.Get(), owner);
}

bool frmInfoDialog::OnInit() {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)), sizeof(font), &font);
    font.lfWeight = FW_BOLD;
    font.lfHeight = font.lfHeight * 3 / 2;
    titleFont_.Reset(CreateFontIndirectW(&font));
    if (titleFont_) SendMessageW(Item(conLblName), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);

    if (!content_.ShowAddress) {
        // The contact lines close up where the address would be.
        Show(conLblAddress, false);
        const RECT address = ChildRect(Handle(), Item(conLblAddress));
        for (int id : {conLblWebsite, conLblEmail}) {
            RECT r = ChildRect(Handle(), Item(id));
            OffsetRect(&r, 0, address.top - ChildRect(Handle(), Item(conLblWebsite)).top);
            Place(Item(id), r);
        }
    }
    for (int id : {conLblSpeed, conLblReset, conLblCredits}) Show(id, false);
    Show(conCmdCredits, content_.CreditsUnlocked);
    pictureHome_ = ChildRect(Handle(), Item(conPicture));
    closeHome_ = ChildRect(Handle(), Item(conCmdClose));
    SetFocus(Item(conCmdClose));
    return false;
}

std::set<int> frmInfoDialog::Counted() const {
    std::set<int> counted{conPicture, conLblName, conLblVersion, conLblDescription, conLblCopyright, conLblTerms};
    if (content_.ShowAddress) counted.insert(conLblAddress);
    return counted;
}

bool frmInfoDialog::OnCommand(int id, int code, HWND) {
    switch (id) {
        case conCmdClose:
            if (state_ == State::Animating) {
                if (Elapsed() >= static_cast<ULONGLONG>(content_.SpeedCatch)) {
                    StartCredits();  // caught
                } else {
                    DodgePointer(true);
                }
                return true;
            }
            EndModal(IDCANCEL);
            return true;
        case conCmdCredits:
            if (state_ != State::Credits) StartCredits();
            return true;
        case conLblWebsite:
            if (code == STN_CLICKED) {
                wchar_t text[512] = L"";
                GetDlgItemTextW(Handle(), id, text, 512);
                auto result =
                    reinterpret_cast<INT_PTR>(ShellExecuteW(Handle(), nullptr, text, nullptr, nullptr, SW_SHOWNORMAL));
                if (result <= 32) RaiseApiError(result ? static_cast<long>(result) : ERROR_OUTOFMEMORY);
            }
            return true;
        case conLblEmail:
            if (code == STN_CLICKED) {
                clsSendMessage message;
                message.EmailAddress(content_.EmailAddress);
                message.Freeware(content_.Freeware);
                message.Owner(Handle());
                message.Send();
            }
            return true;
        case conLblReset:
            if (code == STN_CLICKED) ResetToNormal();
            return true;
        default:
            if (code == STN_CLICKED || code == STN_DBLCLK) Clicked(id);
            return false;
    }
}

void frmInfoDialog::Clicked(int id) {
    const std::set<int> counted = Counted();
    if (!counted.count(id) || state_ == State::Animating || state_ == State::Credits) return;
    if (state_ == State::Normal) {
        state_ = State::Counting;
        clicked_.clear();
        since_ = GetTickCount64();
        RaiseLastErrorIf(!SetTimer(Handle(), timAllClick, static_cast<UINT>(std::max(1L, content_.SpeedStartTime)), nullptr));
    }
    clicked_.insert(id);
    if (clicked_.size() < counted.size()) return;
    KillTimer(Handle(), timAllClick);
    // Measured as well as timed: a late timer message must not let a slow sequence pass.
    if (Elapsed() <= static_cast<ULONGLONG>(content_.SpeedStartTime)) {
        StartAnimation();
    } else {
        state_ = State::Normal;
        clicked_.clear();
    }
}

void frmInfoDialog::StartAnimation() {
    state_ = State::Animating;
    clicked_.clear();
    since_ = GetTickCount64();
    velocity_ = {content_.SpeedPicture, content_.SpeedPicture};
    interval_ = conFirstInterval;
    frames_ = 0;
    SetCaption(conCmdClose, L"Fang mich");
    SetCaption(conLblSpeed, L"");
    Show(conLblSpeed, true);
    Show(conLblReset, true);
    RaiseLastErrorIf(!SetTimer(Handle(), timAnimation, interval_, nullptr));
    RaiseLastErrorIf(!SetTimer(Handle(), timNewCalculation, 1000, nullptr));
}

bool frmInfoDialog::OnTimer(UINT_PTR id) {
    switch (id) {
        case timAllClick:
            KillTimer(Handle(), timAllClick);
            if (state_ == State::Counting) {
                state_ = State::Normal;
                clicked_.clear();
            }
            return true;
        case timAnimation:
            if (state_ == State::Animating) AnimationFrame();
            else if (state_ == State::Credits) CreditsFrame();
            return true;
        case timNewCalculation: {
            std::wstring text = L"Bilder/s: " + kv::DecimalText(frames_);
            SetCaption(conLblSpeed, text.c_str());
            frames_ = 0;
            return true;
        }
        default:
            return false;
    }
}

void frmInfoDialog::AnimationFrame() {
    ++frames_;
    if (Elapsed() >= static_cast<ULONGLONG>(content_.SpeedEndTime)) {
        StartCredits();
        return;
    }
    RECT client, picture = ChildRect(Handle(), Item(conPicture));
    GetClientRect(Handle(), &client);
    OffsetRect(&picture, velocity_.x, velocity_.y);
    // Bounces off the edges of the window.
    if (picture.left < 0 || picture.right > client.right) {
        velocity_.x = -velocity_.x;
        OffsetRect(&picture, 2 * velocity_.x, 0);
    }
    if (picture.top < 0 || picture.bottom > client.bottom) {
        velocity_.y = -velocity_.y;
        OffsetRect(&picture, 0, 2 * velocity_.y);
    }
    Place(Item(conPicture), picture);
    DodgePointer(false);
    const UINT next = interval_ > conShortestInterval + static_cast<UINT>(std::max(0L, content_.SpeedIntervallTime))
                          ? interval_ - static_cast<UINT>(std::max(0L, content_.SpeedIntervallTime))
                          : conShortestInterval;
    if (next != interval_) {
        interval_ = next;
        SetTimer(Handle(), timAnimation, interval_, nullptr);
    }
}

void frmInfoDialog::DodgePointer(bool blnForce) {
    if (Elapsed() >= static_cast<ULONGLONG>(content_.SpeedCatch) && !blnForce) return;
    HWND button = Item(conCmdClose);
    RECT r = ChildRect(Handle(), button), around = r, client;
    InflateRect(&around, 12, 12);
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(Handle(), &pointer);
    if (!blnForce && !PtInRect(&around, pointer)) return;
    GetClientRect(Handle(), &client);
    const int width = r.right - r.left, height = r.bottom - r.top;
    // To the corner farthest from the pointer.
    const int x = pointer.x < client.right / 2 ? client.right - width - 8 : 8;
    const int y = pointer.y < client.bottom / 2 ? client.bottom - height - 8 : 8;
    Place(button, {x, y, x + width, y + height});
}

void frmInfoDialog::StartCredits() {
    KillTimer(Handle(), timAllClick);
    KillTimer(Handle(), timNewCalculation);
    state_ = State::Credits;
    since_ = GetTickCount64();
    ShowNormalControls(false);
    std::wstring text;
    for (const std::wstring& line : content_.Texts) text += line + L"\r\n";
    SetCaption(conLblCredits, text.c_str());
    RECT client;
    GetClientRect(Handle(), &client);
    HDC dc = GetDC(Item(conLblCredits));
    TEXTMETRICW metrics{};
    {
        SelectedObject font(dc, reinterpret_cast<HFONT>(SendMessageW(Item(conLblCredits), WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc, &metrics);
    }
    ReleaseDC(Item(conLblCredits), dc);
    const int height = static_cast<int>(content_.Texts.size() + 1) * metrics.tmHeight;
    Place(Item(conLblCredits), {8, client.bottom, client.right - 8, client.bottom + height});
    Show(conLblCredits, true);
    Show(conLblReset, true);
    frames_ = 0;
    interval_ = conCreditsInterval;
    RaiseLastErrorIf(!SetTimer(Handle(), timAnimation, interval_, nullptr));
}

void frmInfoDialog::CreditsFrame() {
    ++frames_;
    RECT r = ChildRect(Handle(), Item(conLblCredits));
    OffsetRect(&r, 0, -std::max(1L, content_.SpeedCredits));
    Place(Item(conLblCredits), r);
    InvalidateRect(Item(conLblCredits), nullptr, TRUE);
    if (r.bottom <= 0) EndCredits();
}

void frmInfoDialog::EndCredits() {
    ResetToNormal();
    SetCaption(conCmdClose, L"Weiter");
    // A failed write leaves the credits locked.
    if (UnlockCredits()) {
        content_.CreditsUnlocked = true;
        Show(conCmdCredits, true);
    }
}

void frmInfoDialog::ResetToNormal() {
    for (UINT_PTR id : {timAnimation, timAllClick, timNewCalculation}) KillTimer(Handle(), id);
    state_ = State::Normal;
    clicked_.clear();
    Place(Item(conPicture), pictureHome_);
    Place(Item(conCmdClose), closeHome_);
    SetCaption(conCmdClose, L"Schließen");
    Show(conLblCredits, false);
    Show(conLblSpeed, false);
    Show(conLblReset, false);
    ShowNormalControls(true);
}

void frmInfoDialog::ShowNormalControls(bool blnShow) {
    for (int id : {conPicture, conLblName, conLblVersion, conLblDescription, conLblCopyright, conLblWebsite,
                   conLblEmail, conLblTerms, conCmdClose})
        Show(id, blnShow);
    Show(conLblAddress, blnShow && content_.ShowAddress);
    Show(conCmdCredits, blnShow && content_.CreditsUnlocked);
    Show(conLblSpeed, false);
}

void frmInfoDialog::DrawPicture(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const int cx = item.rcItem.right - item.rcItem.left, cy = item.rcItem.bottom - item.rcItem.top;
    if (content_.Icon) {
        DrawIconEx(item.hDC, item.rcItem.left + (cx - 32) / 2, item.rcItem.top + (cy - 32) / 2, content_.Icon, 32, 32,
                   0, nullptr, DI_NORMAL);
    } else if (content_.Bitmap) {
        BITMAP info{};
        GetObjectW(content_.Bitmap, sizeof(info), &info);
        OwnedMemoryDC source(CreateCompatibleDC(item.hDC));
        if (!source) return;
        SelectedObject selected(source.Get(), content_.Bitmap);
        SetStretchBltMode(item.hDC, HALFTONE);
        StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, cx, cy, source.Get(), 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
    }
}

bool frmInfoDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID != conPicture) return false;
            DrawPicture(item);
            result = TRUE;
            return true;
        }
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (id == conLblWebsite || id == conLblEmail || id == conLblReset) {
                SetTextColor(dc, conLinkText);
            } else if (id == conLblCredits) {
                SetTextColor(dc, conCreditsColours[(frames_ / 8) % std::size(conCreditsColours)]);
            } else {
                return false;
            }
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            return true;
        }
        case WM_SETCURSOR: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
            if (id != conLblWebsite && id != conLblEmail && id != conLblReset) return false;
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
            result = TRUE;
            return true;
        }
        case WM_MOUSEMOVE:
            if (state_ == State::Animating) DodgePointer(false);
            return false;
        case WM_DESTROY:
            for (UINT_PTR id : {timAnimation, timAllClick, timNewCalculation}) KillTimer(Handle(), id);
            return false;
        default:
            return false;
    }
}

}  // namespace kv
