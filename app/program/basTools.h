#pragma once
// Small routines many parts of the program share: the settings procedures, time and date
// helpers, the computer name, the Windows version test and the sizable window border.
#include <windows.h>

#include <string>
#include <vector>

#include "KVError.h"

#include "Variant.h"
#include "clsOperatingSystemInfo.h"

namespace kvr {

// Where ReadSetting/WriteSetting look.
enum enuSettingGroup : long {
    conSG_Options = 0,        // HKCU\software\<company>\<application>\Options
    conSG_PrgSettings = 1,    // ...\PrgSettings
    conSG_Autostart = 2,      // HKCU\Software\Microsoft\Windows\CurrentVersion\Run
    conSG_WinLogon = 3,       // HKLM, the Windows logon key of this Windows (read only)
    conSG_NetworkLogon = 4,   // HKLM\Network\Logon (read only)
};

inline constexpr const wchar_t* conRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* conWinlogonKey9x = L"Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
inline constexpr const wchar_t* conWinlogonKeyNT = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr const wchar_t* conPoliciesKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr const wchar_t* conNetworkLogonKey = L"Network\\Logon";

// The stored value, or vntDefault when the key or the value does not exist. Strings come
// back as text, numbers (and flags) as 32-bit integers.
kv::Variant ReadSetting(const std::wstring& strName, long lngGroup, const kv::Variant& vntDefault);
// Stores the value in group 0 or 1 (a Boolean as 1 or 0). Group 2 is the autostart entry:
// the empty text removes the value strName, any other value writes the program's full
// file name under strName. Groups 3 and 4 are not written here.
void WriteSetting(const std::wstring& strName, long lngGroup, const kv::Variant& vntValue);

// Typed reads of the program's own settings (groups 0 and 1). A value that cannot be read,
// is of the wrong type or fails the check (a text that is no time, a number out of range)
// reads as the default, which is written back in its place: one bad value never stops the
// program. The names so repaired are kept for TakeRepairedSettings.
std::wstring ReadTextSetting(const std::wstring& strName, long lngGroup, const std::wstring& strDefault);
long ReadNumberSetting(const std::wstring& strName, long lngGroup, long lngDefault, long lngMin = -2147483647L - 1,
                       long lngMax = 2147483647L);
bool ReadFlagSetting(const std::wstring& strName, long lngGroup, bool blnDefault);
// The one way of these reads: the stored value through convert, which raises a KVError for
// a value it cannot take; then the default, stored in its place.
template <class Convert>
auto ReadSettingAs(const std::wstring& strName, long lngGroup, const kv::Variant& vntDefault, Convert convert)
    -> decltype(convert(vntDefault));
// A text setting that convert turns into a value (a time, a date), as above.
template <class Convert>
auto ReadConvertedSetting(const std::wstring& strName, long lngGroup, const std::wstring& strDefault,
                          Convert convert) -> decltype(convert(strDefault));
// A setting's value as text: a string or a number; anything else raises 13.
std::wstring SettingText(const kv::Variant& vntValue);
// The names of the settings repaired since the last call, in the order they were met.
std::vector<std::wstring> TakeRepairedSettings();
// Stores the default in place of a bad value and notes the name (a failing write is left
// to the next start: the default is used either way).
void RepairSetting(const std::wstring& strName, long lngGroup, const kv::Variant& vntDefault);

template <class Convert>
auto ReadSettingAs(const std::wstring& strName, long lngGroup, const kv::Variant& vntDefault, Convert convert)
    -> decltype(convert(vntDefault)) {
    try {
        return convert(ReadSetting(strName, lngGroup, vntDefault));
    } catch (const kv::KVError&) {
        RepairSetting(strName, lngGroup, vntDefault);
        return convert(vntDefault);
    }
}

template <class Convert>
auto ReadConvertedSetting(const std::wstring& strName, long lngGroup, const std::wstring& strDefault,
                          Convert convert) -> decltype(convert(strDefault)) {
    return ReadSettingAs(strName, lngGroup, kv::Variant(strDefault),
                         [&](const kv::Variant& value) { return convert(SettingText(value)); });
}

// The program folder, "\", the executable name and ".exe".
std::wstring ProgramFileName();

// hh:mm:ss of the absolute count in the regional time format (a date part in front from
// 24 hours on, as the time value then carries into a date).
std::wstring ConvertToHHMMSS(long lngSeconds);
// Seconds since midnight of the time of day in the value.
long ConvertToSeconds(kv::Date dtmTime);
// The number of days of the month; Empty (after showing the error) when it cannot be
// computed.
kv::Variant GetMonthDays(long lngMonth, long lngYear);
// The local computer name ("" when the system gives none).
std::wstring GetComputer();
// 1 for Monday ... 7 for Sunday; 0 (after showing the error) for a value that is no date.
long GetWeekdayNumber(kv::Date dtmDate);
// True when the running Windows is one of the given versions (kv::conWV_..., 0 = not given).
bool IsOS(long lngVersion1, long lngVersion2 = 0, long lngVersion3 = 0, long lngVersion4 = 0);
// Windows 95, 98 or ME.
bool IsWindows9x();
// Windows 95, 98, ME or NT 4, the systems before Windows 2000 the program knows.
bool IsWindows9xOrNT4();
// Adds the sizable frame (WS_THICKFRAME) to the window's style.
void SetResizableBorder(HWND frmForm);

// Date helpers over OLE automation dates (the platform's own conversions).
kv::Date MakeDate(long lngYear, long lngMonth, long lngDay);
kv::Date MakeTime(long lngHour, long lngMinute, long lngSecond);
SYSTEMTIME ToSystemTime(kv::Date dtmValue);

}  // namespace kvr
