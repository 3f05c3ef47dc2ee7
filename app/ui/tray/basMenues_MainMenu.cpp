// The tray menu: built as data from the settings, shown with clsPopupMenu, and the chosen
// item performed.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "LastError.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "ui/tray/basMenues.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "clsInfoDialog.h"
#include "clsPersonalData.h"
#include "clsSendMessage.h"
#include "ui/clsPopupMenu.h"
#include "ui/options/basOptions.h"
#include "ui/info/frmVersionCheck.h"
#include "ui/tray/frmContextMenues.h"
#include "res/Pictures.h"
#include "DecimalText.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basMenues";
constexpr const wchar_t* conSep = L"mnuSep";

// The entries of the submenus and the bottom part. Entries whose window does not exist yet
// (options pages, version check, contact, info) are shown disabled: never an entry that
// does nothing.
struct FixedEntry {
    const wchar_t* parent;
    long icon;
    const wchar_t* name;
    const wchar_t* caption;
    bool enabled;
    const wchar_t* page;  // web page opened by the entry, nullptr for none
};

constexpr FixedEntry conFixedPart[] = {
    {L"", conMI_None, conSep, L"-Funktionen", true, nullptr},
    {L"", conMI_Options, L"mnuFunctions", L"&Funktionen", true, nullptr},
    {L"mnuFunctions", conMI_None, conSep, L"-Konfiguration", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFView", L"&Herunterfahrdialog konfigurieren...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFViewMenu", L"&Menü konfigurieren...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFStandard", L"&Standardsystem festlegen...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFAutodialog", L"&Autodialog konfigurieren...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFAutologon", L"Automatisches &Einloggen...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFshortcuts", L"&Tastenkürzel definieren...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFOptions", L"Sonstige &Optionen festlegen...", true, nullptr},
    {L"mnuFunctions", conMI_None, conSep, L"-Funktionen", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFLinks", L"&Verknüpfung erstellen...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFTimedAction", L"&Zeitgesteuertes Herunterfahren...", true, nullptr},
    {L"mnuFunctions", conMI_None, L"mnuFRemoteShutdown", L"&Ferngesteuertes Herunterfahren...", true, nullptr},
    {L"", conMI_Options, L"mnuOptions", L"&Optionen...", true, nullptr},
    {L"", conMI_None, conSep, L"-Online", true, nullptr},
    {L"", conMI_None, L"mnuInternet", L"&Im Internet", true, nullptr},
    {L"mnuInternet", conMI_None, conSep, L"-Version", true, nullptr},
    {L"mnuInternet", conMI_None, L"mnuICheckVersion", L"&Auf neue Version prüfen...", true, nullptr},
    {L"mnuInternet", conMI_None, L"mnuIVersionInfo", L"&Versionsinfo", true, L"kelvorestart_d_versionsinfo.html"},
    {L"mnuInternet", conMI_None, L"mnuIDownload", L"&Aktuelle Version herunterladen", true,
     L"kelvorestart_d_download.html"},
    {L"mnuInternet", conMI_None, conSep, L"-Support", true, nullptr},
    {L"mnuInternet", conMI_None, L"mnuIFAQ", L"&FAQ", true, L"kelvorestart_d_faq.html"},
    {L"mnuInternet", conMI_None, L"mnuISupport", L"&Support", true, L"kelvorestart_d_support.html"},
    {L"mnuInternet", conMI_None, L"mnuINewsletter", L"&Newsletter", true, L"kelvorestart_d_newsletter.html"},
    {L"mnuInternet", conMI_None, conSep, L"-Website", true, nullptr},
    {L"mnuInternet", conMI_None, L"mnuIWebsite", L"&Kelvo Restart", true, L""},
    {L"", conMI_None, conSep, L"-Hilfe", true, nullptr},
    {L"", conMI_None, L"mnuContact", L"&Kontakt...", true, nullptr},
    {L"", conMI_Help, L"mnuHelp", L"&Hilfe...", true, nullptr},
    {L"", conMI_Info, L"mnuInfo", L"I&nfo...", true, nullptr},
    {L"", conMI_None, conSep, L"-Beenden", true, nullptr},
    {L"", conMI_None, L"mnuQuit", L"&Beenden", true, nullptr},
};

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// A text from the settings shown as it is: a "&" in a system name is no access key.
std::wstring Literal(const std::wstring& strText) {
    std::wstring shown;
    for (wchar_t c : strText) {
        if (c == L'&') shown += L'&';
        shown += c;
    }
    return shown;
}

std::vector<std::wstring> MenuOptions(const std::wstring& strList) { return work::SplitItems(strList); }

MenuEntry Entry(const std::wstring& strParent, long lngIcon, const std::wstring& strName,
                const std::wstring& strCaption, bool blnEnabled = true) {
    MenuEntry entry;
    entry.Parent = strParent;
    entry.Icon = lngIcon;
    entry.Name = strName;
    entry.Caption = strCaption;
    entry.Enabled = blnEnabled;
    return entry;
}

long MenuIconOf(const std::wstring& strActionText) {
    if (GetActionType(strActionText) == conAT_ShowMain) return conMI_EndDialog;
    return MenuIconOfListIcon(GetActionIcon(strActionText));
}

// The caption of a shutdown or restart entry: the system after ": ".
std::wstring SystemCaption(const std::wstring& strActionText) {
    size_t separator = strActionText.find(conSystemSeparator);
    // An entry without a system keeps its whole text rather than losing its first letter.
    if (separator == std::wstring::npos) return strActionText;
    return strActionText.substr(separator + wcslen(conSystemSeparator));
}

void AddActionGroups(MenuLayout& menu) {
    const std::wstring& visible = State().VisibleMenuOptions;
    std::vector<std::wstring> groups[3];  // shutdown, restart, other; each in list order
    if (visible.empty()) {
        groups[2].push_back(conActionShowMain);
    } else {
        for (const std::wstring& entry : MenuOptions(visible)) {
            // Grouped by the action it performs, so the heading and the action never disagree.
            switch (GetActionType(entry)) {
                case conAT_ShutDown: groups[0].push_back(entry); break;
                case conAT_Restart: groups[1].push_back(entry); break;
                default: groups[2].push_back(entry); break;
            }
        }
    }

    const bool otherFirst = groups[0].empty() && groups[1].empty();
    const std::wstring titles[3] = {std::wstring(L"-") + conActionShutDown, std::wstring(L"-") + conActionRestart,
                                    otherFirst ? L"-Windows beenden" : L"-Andere"};
    const wchar_t* names[3] = {L"mnuShutdown", L"mnuReboot", L"mnuOther"};
    const std::wstring standard = GetStandardMenu();

    for (int g = 0; g < 3; ++g) {
        if (groups[g].empty()) continue;
        menu.Items.push_back(Entry(L"", conMI_None, conSep, titles[g]));
        long index = 0;
        for (const std::wstring& entry : groups[g]) {
            MenuEntry item = Entry(L"", MenuIconOf(entry), names[g] + kv::DecimalText(index++), L"");
            if (g < 2) {
                item.Caption = Literal(SystemCaption(entry));
            } else if (entry == conActionShowMain) {
                item.Caption = L"&" + entry;
            } else {
                item.Caption = Literal(entry);
            }
            item.ActionText = entry;
            if (menu.DefaultItem.empty() && entry == standard) menu.DefaultItem = item.Name;
            menu.Items.push_back(std::move(item));
        }
    }
}

// The options page a configuration entry opens (0: the page used last); -1 for other entries.
long OptionsPageOf(const std::wstring& strName) {
    static const std::pair<const wchar_t*, long> pages[] = {
        {L"mnuFView", 1},       {L"mnuFViewMenu", 2},    {L"mnuFStandard", 3},       {L"mnuFAutodialog", 4},
        {L"mnuFTimedAction", 5}, {L"mnuFAutologon", 6},  {L"mnuFLinks", 7},          {L"mnuFRemoteShutdown", 8},
        {L"mnuFshortcuts", 9},  {L"mnuFOptions", 10},    {L"mnuOptions", 0},
    };
    for (const auto& [name, page] : pages)
        if (SameName(name, strName)) return page;
    return -1;
}

const FixedEntry* FixedEntryNamed(const std::wstring& strName) {
    for (const FixedEntry& entry : conFixedPart)
        if (SameName(entry.name, strName) && entry.caption[0] != L'-') return &entry;
    return nullptr;
}

// A message to the maker's support address.
void OpenContact() {
    kv::clsSendMessage message;
    message.EmailAddress(kv::clsPersonalData().EmailAddress());
    message.Freeware(true);
    message.Owner(TrayWindow());
    message.Send();
}

void ShowInfo() {
    wchar_t program[MAX_PATH] = L"";
    kv::RaiseLastErrorIf(!GetModuleFileNameW(nullptr, program, MAX_PATH));
    SYSTEMTIME now;
    GetLocalTime(&now);
    kv::clsInfoDialog info;
    info.CopyrightEndYear(kv::DecimalText(now.wYear));
    if (HICON icon = kv::ProgramIcon(32)) info.Picture(icon);
    info.CopyrightStartYear(2001);
    info.VersionDate(program);
    info.Description(L"Ein Werkzeug rund um das Booten von Windows mit vielen Optionen, Zeitsteuerung, Bestimmung "
                     L"des zu startenden Systems, Anlegen von Verknüpfungen, automatisches Einloggen, "
                     L"Fernsteuerung, Tastenkürzel...");
    info.Website(kv::clsPersonalData().Website());
    info.EmailAddress(kv::clsPersonalData().EmailAddress());
    info.Freeware(true);
    info.SupressAddress(true);
    info.Owner(TrayWindow());
    info.Show();
}

}  // namespace

MenuLayout BuildMainMenu() {
    return Forwarded(conModule, L"BuildMainMenu", [] {
        MenuLayout menu;
        AddActionGroups(menu);

        const ProgramState& state = State();
        menu.Items.push_back(Entry(L"", conMI_None, conSep, L"- "));
        MenuEntry quitImmediate = Entry(L"", conMI_None, L"mnuQuitImmediate",
                                        state.QuitImmediate ? L"&Sofort beenden aus" : L"&Sofort beenden",
                                        state.AllowUnsaveQuit);
        quitImmediate.Checked = state.AllowUnsaveQuit && state.QuitImmediate;
        menu.Items.push_back(std::move(quitImmediate));

        for (const FixedEntry& entry : conFixedPart)
            menu.Items.push_back(Entry(entry.parent, entry.icon, entry.name, entry.caption, entry.enabled));
        return menu;
    });
}

void ExecuteMainMenuItem(const MenuLayout& menu, const std::wstring& strName) {
    Forwarded(conModule, L"ExecuteMainMenuItem", [&] {
        if (strName.empty()) return;
        auto item = std::find_if(menu.Items.begin(), menu.Items.end(), [&](const MenuEntry& entry) {
            return entry.Caption.rfind(L"-", 0) != 0 && SameName(entry.Name, strName);
        });
        if (item == menu.Items.end() || !item->Enabled) return;

        if (!item->ActionText.empty()) {
            RebootWindows(item->ActionText, TrayForceFlag());
        } else if (SameName(strName, L"mnuQuitImmediate")) {
            SetQuitImmediate();
        } else if (const long page = OptionsPageOf(strName); page >= 0) {
            OpenOptions(page);
        } else if (SameName(strName, L"mnuICheckVersion")) {
            OpenVersionCheck();
        } else if (SameName(strName, L"mnuContact")) {
            OpenContact();
        } else if (SameName(strName, L"mnuInfo")) {
            ShowInfo();
        } else if (SameName(strName, L"mnuHelp")) {
            OpenHelp(TrayWindow(), L"");
        } else if (SameName(strName, L"mnuQuit")) {
            Quit();
            // Ends the resident message loop; QuitFlag (set by Quit) tells it this is the end.
            PostQuitMessage(0);
        } else if (const FixedEntry* fixed = FixedEntryNamed(strName); fixed && fixed->page) {
            OpenWebsite(fixed->page);
        }
    });
}

void ShowMainMenu() {
    // A click on the icon while the menu is open must not open a second one.
    static bool open = false;
    if (open) return;
    Shown(conModule, L"ShowMainMenu", [] {
        MenuLayout layout = BuildMainMenu();
        std::wstring chosen;
        {
            struct Opened {
                Opened() { open = true; }
                ~Opened() { open = false; }
            } opened;
            clsPopupMenu menu(TrayWindow(), imgListMenues(), true, false);
            for (const MenuEntry& entry : layout.Items) {
                clsPopupMenuItem& item = menu.Add(entry.Parent, entry.Icon, entry.Name, entry.Caption);
                item.Enabled(entry.Enabled);
                item.Checked(entry.Checked);
            }
            menu.SetDefault(layout.DefaultItem);
            POINT at{};
            kv::RaiseLastErrorIf(!GetCursorPos(&at));
            chosen = menu.Popup(at.x, at.y);
        }
        ExecuteMainMenuItem(layout, chosen);
    });
}

void SetQuitImmediate() {
    Shown(conModule, L"SetQuitImmediate", [] {
        ProgramState& state = State();
        state.QuitImmediate = !state.QuitImmediate;
        WriteSetting(L"QuitImmediate", conSG_Options, kv::Variant(state.QuitImmediate));
    });
}

std::wstring WebsiteAddress(const std::wstring& strPage) {
    return kv::clsPersonalData().Website() + L"/" + strPage;
}

void OpenWebsite(const std::wstring& strPage) {
    Shown(conModule, L"OpenWebsite", [&] {
        const std::wstring address = WebsiteAddress(strPage);
        auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(TrayWindow(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        // At most 32 is a failure; the small numbers are Windows error codes.
        if (result <= 32) Helper().CreateAPIError(static_cast<long>(result ? result : ERROR_OUTOFMEMORY), true);
    });
}

}  // namespace kvr
