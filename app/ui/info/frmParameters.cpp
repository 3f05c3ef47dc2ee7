#include "ui/info/frmParameters.h"

#include <commctrl.h>

#include <cstdint>
#include <tuple>
#include <string>
#include <vector>

#include "program/basGlobals.h"
#include "program/basMain.h"

namespace kvr {

namespace {

// A dialog template built in memory (DLGTEMPLATEEX), so the window needs no resource and
// works from the program as well as from any test that links the program's library.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* font, WORD pointSize) {
        Word(1);       // dlgVer
        Word(0xFFFF);  // signature of the extended form
        Dword(0);      // helpID
        Dword(0);      // exStyle
        Dword(style | DS_SETFONT | DS_SHELLFONT);
        countAt_ = data_.size();
        Word(0);  // item count, filled in as items are added
        Word(0);
        Word(0);  // x, y: centred by DS_CENTER
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0);      // no menu
        Word(0);      // the standard dialog class
        Text(L"");    // caption, set at run time
        Word(pointSize);
        Word(FW_NORMAL);
        Word(0);  // italic, charset
        Text(font);
    }

    // classAtom: 0x0080 button, 0x0082 static.
    void Add(WORD classAtom, DWORD style, short x, short y, short cx, short cy, int id,
             const std::wstring& text) {
        while (data_.size() % 4) data_.push_back(0);
        Dword(0);  // helpID
        Dword(0);  // exStyle
        Dword(style | WS_CHILD | WS_VISIBLE);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Dword(static_cast<DWORD>(id));
        Word(0xFFFF);
        Word(classAtom);
        Text(text.c_str());
        Word(0);  // no creation data
        const WORD count = static_cast<WORD>(data_[countAt_] | (data_[countAt_ + 1] << 8)) + 1;
        data_[countAt_] = static_cast<std::uint8_t>(count & 0xFF);
        data_[countAt_ + 1] = static_cast<std::uint8_t>(count >> 8);
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

private:
    void Word(WORD w) {
        data_.push_back(static_cast<std::uint8_t>(w & 0xFF));
        data_.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    void Dword(DWORD d) {
        Word(static_cast<WORD>(d & 0xFFFF));
        Word(static_cast<WORD>(d >> 16));
    }
    void Text(const wchar_t* s) {
        for (; *s; ++s) Word(static_cast<WORD>(*s));
        Word(0);
    }

    std::vector<std::uint8_t> data_;
    size_t countAt_ = 0;
};

constexpr WORD conButton = 0x0080;
constexpr WORD conStatic = 0x0082;

enum class Look { Heading, Title, Text };

struct Label {
    int number;  // LabelN
    Look look;
    short x, y, cx, cy;  // dialog units
    const wchar_t* text;
};

// In the order of the dialog. The dialog is 300 x 318 units; text starts 8 units in.
constexpr Label conLabels[] = {
    {1, Look::Heading, 8, 7, 284, 12, L"Programmparameter"},
    {2, Look::Text, 8, 23, 284, 9, L"Syntax: \"Pfad\\Programmname\" /T:Typ /S:System [/C] [/F]"},
    {3, Look::Text, 8, 35, 284, 17,
     L"\"Pfad/Programm\": Vollständiger Pfad und Dateiname des Programms in Anführungszeichen."},
    {4, Look::Title, 8, 56, 284, 9, L"\"/T:Typ\": Typ des Windows-Neustarts"},
    {5, Look::Text, 20, 66, 272, 9, L"1 = Windows herunterfahren"},
    {6, Look::Text, 20, 75, 272, 9, L"2 = Windows neu starten"},
    {7, Look::Text, 20, 84, 272, 9, L"3 = Benutzer abmelden"},
    {8, Look::Text, 20, 93, 272, 9, L"4 = Dialog mit Auswahlmöglichkeiten anzeigen"},
    {19, Look::Text, 20, 102, 272, 9, L"5 = Standby-Modus"},
    {20, Look::Text, 20, 111, 272, 9, L"6 = Ruhezustand"},
    {21, Look::Text, 20, 120, 272, 9, L"7 = Arbeitsstation sperren"},
    {9, Look::Title, 8, 134, 284, 9, L"\"/S:System\": Zu bootendes System"},
    {10, Look::Text, 20, 144, 272, 41,
     L"Das zu bootende System, so wie es im Bootmenü angezeigt wird. Dieser Parameter ist für die "
     L"Typen 1 und 2 anzugeben. \"Standard\" um das Standardsystem beim nächsten Neustart zu booten. "
     L"Der Text muss in Anführungszeichen eingeschlossen sein. Parameter funktioniert nur in "
     L"Verbindung mit dem Windows NT/2000 Bootmanager."},
    {16, Look::Title, 8, 189, 284, 9, L"\"/C\": Bestätigung"},
    {15, Look::Text, 20, 199, 272, 17,
     L"Wenn angegeben wird vor dem Ausführen der Aktion eine Bestätigung gefordert, außer beim Typ 4."},
    {17, Look::Title, 8, 220, 284, 9, L"\"/F\": Sofort beenden"},
    {18, Look::Text, 20, 230, 272, 17,
     L"Wenn angegeben wird Windows sofort beendet, eventuell nicht gespeicherte Daten gehen verloren."},
    {11, Look::Title, 8, 251, 284, 9, L"Beispiel:"},
    {12, Look::Text, 20, 261, 272, 9,
     L"\"C:\\Programme\\Kelvo Restart\\KVRestart.exe\" /T:1 /S:\"Microsoft Windows 2000\" /C"},
    {13, Look::Title, 8, 275, 284, 9, L"Hinweis:"},
    {14, Look::Text, 20, 285, 272, 17,
     L"Falls einer der Parameter nicht korrekt angegeben wurde oder ein nicht vorhandenes System "
     L"angegeben wurde, wird dieser Dialog angezeigt."},
};

constexpr short conWidth = 300;
constexpr short conHeight = 328;
constexpr short conButtonTop = 308;

HFONT DeriveFont(HFONT base, LONG weight, int heightPercent) {
    LOGFONTW lf{};
    if (!GetObjectW(base ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) return nullptr;
    lf.lfWeight = weight;
    lf.lfHeight = lf.lfHeight * heightPercent / 100;
    return CreateFontIndirectW(&lf);
}

}  // namespace

void frmParameters::Show(bool blnHelpRequested) {
    helpRequested_ = blnHelpRequested;
    DialogTemplate t(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, conWidth, conHeight,
                     L"MS Shell Dlg", 8);
    for (const Label& l : conLabels)
        t.Add(conStatic, SS_LEFT | SS_NOPREFIX, l.x, l.y, l.cx, l.cy, conLabelBase + l.number, l.text);
    t.Add(conButton, BS_ICON | BS_PUSHBUTTON | WS_TABSTOP, 8, conButtonTop, 20, 14, cmdHelp, L"");
    t.Add(conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, conWidth - 58, conButtonTop, 50, 14, cmdCancel, L"OK");

    // Shown without an owner: the program has no other window at this point.
    INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr, DialogProc,
                                        reinterpret_cast<LPARAM>(this));
    if (r == -1) Helper().CreateAPIError(static_cast<long>(GetLastError()), true);
}

void frmParameters::OnInit(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowTextW(hwnd, (helpRequested_ ? VersionGlobal().InfoApplication() + L" - Hilfe zu den Parametern"
                                          : L"Parameterinfo - " + VersionGlobal().InfoApplication())
                             .c_str());

    // The program icon of the executable, when it has one (a test linking the program's
    // library has none).
    for (auto [kind, width, height] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                       std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                 GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED);
        if (icon) SendMessageW(hwnd, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }

    HFONT base = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    boldFont_ = DeriveFont(base, FW_BOLD, 100);
    headingFont_ = DeriveFont(base, FW_BOLD, 125);
    for (const Label& l : conLabels) {
        HFONT f = l.look == Look::Heading ? headingFont_ : l.look == Look::Title ? boldFont_ : nullptr;
        if (f) SendDlgItemMessageW(hwnd, conLabelBase + l.number, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    }

    SetFocus(GetDlgItem(hwnd, cmdCancel));
    // The program's only window: started from a shortcut or a script it comes to the front.
    SetForegroundWindow(hwnd);

    // The picture button: the system's question-mark icon, with its tool tip. Last, since a
    // failure here is reported and the dialog stays usable without them.
    HWND help = GetDlgItem(hwnd, cmdHelp);
    helpIcon_ = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32514) /* IDI_QUESTION */, IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    Helper().CreateAPIError(static_cast<long>(GetLastError()), helpIcon_ == nullptr);
    SendMessageW(help, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(helpIcon_));
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    Helper().CreateAPIError(static_cast<long>(GetLastError()), tip == nullptr);
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(help);
    ti.lpszText = const_cast<wchar_t*>(L"Hilfe anzeigen");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void frmParameters::OnDestroy() {
    if (boldFont_) DeleteObject(boldFont_);
    if (headingFont_) DeleteObject(headingFont_);
    if (helpIcon_) DestroyIcon(helpIcon_);
    boldFont_ = headingFont_ = nullptr;
    helpIcon_ = nullptr;
    hwnd_ = nullptr;
}

INT_PTR CALLBACK frmParameters::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<frmParameters*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    try {
        switch (msg) {
        case WM_INITDIALOG:
            self = reinterpret_cast<frmParameters*>(lParam);
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            self->OnInit(hwnd);
            return FALSE;  // the focus is set already
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
            case cmdCancel:
            case IDCANCEL:  // Esc and the close box
                EndDialog(hwnd, IDOK);
                return TRUE;
            case cmdHelp:
                OpenHelp(hwnd, L"Parameterinfodialog.htm");
                return TRUE;
            }
            break;
        case WM_DESTROY:
            if (self) self->OnDestroy();
            break;
        }
    } catch (const kv::KVError& e) {
        // Nothing may cross into the window manager; the user sees the error instead.
        Helper().ShowError(conProjectName, L"frmParameters", L"DialogProc", e);
    } catch (...) {
        Helper().ShowError(conProjectName, L"frmParameters", L"DialogProc", E_UNEXPECTED, L"Unerwarteter Fehler.");
    }
    return FALSE;
}

}  // namespace kvr
