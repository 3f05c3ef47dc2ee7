#pragma once
// The pictures of KVRestart.exe (drawn by make_pictures.py, embedded by Pictures.rc) and the
// order of the two image lists built from them. Plain #defines, so the resource compiler
// reads this header too.

// Action icons of the main window's list, in list-icon order (list icon n = index n - 1).
#define IDI_ACTION_SHUTDOWN   101  // "Herunterfahren"     list icon 1
#define IDI_ACTION_RESTART    102  // "Neu starten"        list icon 2
#define IDI_ACTION_LOGOFF     103  // "Neu anmelden"       list icon 3
#define IDI_ACTION_STANDBY    104  // "Standby-Modus"      list icon 4
#define IDI_ACTION_HIBERNATE  105  // "Ruhezustand"        list icon 5
#define IDI_ACTION_LOCK       106  // "Sperren"            list icon 6
#define IDI_ACTION_ENDDIALOG  107  // "Windows beenden..." list icon 7 (options lists)

// Icons only the menus use.
#define IDI_MENU_OPTIONS      121  // "&Optionen...", "&Funktionen"
#define IDI_MENU_SELECTALL    122  // "&Alles auswählen"
#define IDI_MENU_SELECTNONE   123  // "&Keine Auswahl"
#define IDI_MENU_HELP         124  // "&Hilfe..."
#define IDI_MENU_INFO         125  // "I&nfo..."

// The program picture (16, 32, 48 and 64 pixels; splash screen and info dialog) and the
// sizing grip drawn at the lower right of sizable windows.
#define IDI_PROGRAM_PICTURE   130
#define IDI_SIZEGRIP          131

#ifndef RC_INVOKED
namespace kvr {

// imgList of the main window and of the options lists: index = list icon - 1.
inline constexpr int conActionImageList[] = {
    IDI_ACTION_SHUTDOWN, IDI_ACTION_RESTART, IDI_ACTION_LOGOFF, IDI_ACTION_STANDBY,
    IDI_ACTION_HIBERNATE, IDI_ACTION_LOCK, IDI_ACTION_ENDDIALOG,
};

// imgListMenues: the index of each picture, as clsPopupMenu takes it (0-based). The select
// icons are the list's third and fourth pictures, as the list context menus count them.
enum enuMenuIcon : long {
    conMI_None = -1,
    conMI_EndDialog = 0,
    conMI_Options = 1,
    conMI_SelectAll = 2,
    conMI_SelectNone = 3,
    conMI_Shutdown = 4,   // list icons 1..6 follow in their order: index = list icon + 3
    conMI_Restart = 5,
    conMI_Logoff = 6,
    conMI_Standby = 7,
    conMI_Hibernate = 8,
    conMI_Lock = 9,
    conMI_Help = 10,
    conMI_Info = 11,
};
inline constexpr int conMenuImageList[] = {
    IDI_ACTION_ENDDIALOG, IDI_MENU_OPTIONS, IDI_MENU_SELECTALL, IDI_MENU_SELECTNONE,
    IDI_ACTION_SHUTDOWN, IDI_ACTION_RESTART, IDI_ACTION_LOGOFF, IDI_ACTION_STANDBY,
    IDI_ACTION_HIBERNATE, IDI_ACTION_LOCK, IDI_MENU_HELP, IDI_MENU_INFO,
};

// The menu icon of an action's list icon (1..7); conMI_None for 0 (no action).
constexpr long MenuIconOfListIcon(long lngListIcon) {
    if (lngListIcon >= 1 && lngListIcon <= 6) return conMI_Shutdown + lngListIcon - 1;
    return lngListIcon == 7 ? conMI_EndDialog : conMI_None;
}

}  // namespace kvr
#endif
