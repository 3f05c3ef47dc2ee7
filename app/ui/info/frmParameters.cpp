#include "ui/info/frmParameters.h"

#include <string>

#include "DialogTemplate.h"
#include "program/basGlobals.h"
#include "program/basMain.h"

namespace kvr {

namespace {

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

kv::OwnedFont DeriveFont(HFONT base, LONG weight, int heightPercent) {
    LOGFONTW lf{};
    if (!GetObjectW(base ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) return kv::OwnedFont();
    lf.lfWeight = weight;
    lf.lfHeight = lf.lfHeight * heightPercent / 100;
    return kv::OwnedFont(CreateFontIndirectW(&lf));
}

}  // namespace

frmParameters::frmParameters() : WindowBase(conProjectName, L"frmParameters") {}

void frmParameters::Show(bool blnHelpRequested) {
    helpRequested_ = blnHelpRequested;
    kv::DialogTemplate t(DS_MODALFRAME | DS_CENTER | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, conWidth,
                         conHeight);
    for (const Label& l : conLabels)
        t.Add(kv::DialogTemplate::conStatic, SS_LEFT | SS_NOPREFIX, 0, l.x, l.y, l.cx, l.cy, conLabelBase + l.number,
              l.text);
    t.Add(kv::DialogTemplate::conButton, BS_ICON | BS_PUSHBUTTON | WS_TABSTOP, 0, 8, conButtonTop, 20, 14, cmdHelp);
    t.Add(kv::DialogTemplate::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, conWidth - 58, conButtonTop, 50, 14,
          cmdCancel, L"OK");

    // Shown without an owner: the program has no other window at this point.
    ShowModal(t.Get(), nullptr);
}

bool frmParameters::OnInit() {
    HWND hwnd = Handle();
    SetWindowTextW(hwnd, (helpRequested_ ? VersionGlobal().InfoApplication() + L" - Hilfe zu den Parametern"
                                          : L"Parameterinfo - " + VersionGlobal().InfoApplication())
                             .c_str());
    // The program icon of the executable, when it has one (a test linking the program's
    // library has none).
    kv::SetProgramIcons(hwnd);

    HFONT base = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    boldFont_ = DeriveFont(base, FW_BOLD, 100);
    headingFont_ = DeriveFont(base, FW_BOLD, 125);
    for (const Label& l : conLabels) {
        HFONT f = l.look == Look::Heading ? headingFont_.Get() : l.look == Look::Title ? boldFont_.Get() : nullptr;
        if (f) SendDlgItemMessageW(hwnd, conLabelBase + l.number, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    }

    SetFocus(Item(cmdCancel));
    // The program's only window: started from a shortcut or a script it comes to the front.
    SetForegroundWindow(hwnd);

    // Last, since a failure here is reported and the dialog stays usable without it.
    help_.Attach(Item(cmdHelp), HelpButton::Picture::System);
    return false;  // the focus is set already
}

bool frmParameters::OnCommand(int id, int, HWND) {
    switch (id) {
        case cmdCancel:
        case IDCANCEL:  // Esc and the close box
            EndModal(IDOK);
            return true;
        case cmdHelp:
            OpenHelp(Handle(), L"Parameterinfodialog.htm");
            return true;
        default:
            return false;
    }
}

}  // namespace kvr
