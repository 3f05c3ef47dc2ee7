#include "program/basTools.h"

#include <oleauto.h>

#include <cmath>

#include "LastError.h"
#include "RegistryEnums.h"
#include "program/basGlobals.h"
#include "clsPersonalData.h"
#include "clsRegistry.h"
#include "clsSystemInfo.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basTools";

// Points the registry object at the key of a settings group (at nothing for other numbers).
void SelectGroup(kv::clsRegistry& registry, const std::wstring& strName, long lngGroup) {
    switch (lngGroup) {
        case conSG_Options:
        case conSG_PrgSettings:
            registry.SetApplication(kv::conReg_Aff_User, kv::clsPersonalData().Company(),
                                    VersionGlobal().InfoApplication(),
                                    lngGroup == conSG_Options ? L"Options" : L"PrgSettings", L"");
            return;
        case conSG_Autostart:
            registry.SetKey(kv::conReg_HKEY_CURRENT_USER, conRunKey);
            return;
        case conSG_WinLogon:
            // Windows 2000 and later keep this one value with the policies.
            if (strName == L"DontDisplayLastUserName" && !IsWindows9xOrNT4())
                registry.SetKey(kv::conReg_HKEY_LOCAL_MACHINE, conPoliciesKey);
            else
                registry.SetKey(kv::conReg_HKEY_LOCAL_MACHINE, IsWindows9x() ? conWinlogonKey9x : conWinlogonKeyNT);
            return;
        case conSG_NetworkLogon:
            registry.SetKey(kv::conReg_HKEY_LOCAL_MACHINE, conNetworkLogonKey);
            return;
        default:
            return;
    }
}

}  // namespace

// ---- Settings ----

kv::Variant ReadSetting(const std::wstring& strName, long lngGroup, const kv::Variant& vntDefault) {
    return Forwarded(conModule, L"ReadSetting", [&] {
        kv::clsRegistry registry;
        SelectGroup(registry, strName, lngGroup);
        registry.Default(vntDefault);
        return registry.ReadValueByName(strName);
    });
}

void WriteSetting(const std::wstring& strName, long lngGroup, const kv::Variant& vntValue) {
    Forwarded(conModule, L"WriteSetting", [&] {
        kv::clsRegistry registry;
        if (lngGroup == conSG_Autostart) {
            SelectGroup(registry, strName, lngGroup);
            if (vntValue.IsString() && vntValue.Get<std::wstring>().empty()) {
                if (registry.ExistValue(strName)) registry.DeleteValue(strName);
                return;
            }
            registry.WriteValue(strName, ProgramFileName());
            return;
        }
        if (lngGroup != conSG_Options && lngGroup != conSG_PrgSettings) return;
        SelectGroup(registry, strName, lngGroup);
        // Flags are stored as 1 and 0, never as a Boolean's internal true.
        if (vntValue.IsBoolean())
            registry.WriteValue(strName, static_cast<long>(vntValue.Get<bool>() ? 1 : 0));
        else
            registry.WriteValue(strName, vntValue);
    });
}

namespace {

std::vector<std::wstring>& RepairedSettings() {
    static std::vector<std::wstring> names;
    return names;
}

}  // namespace

std::wstring SettingText(const kv::Variant& vntValue) {
    // A number is a fair text (a value typed in by hand); binary data is not.
    if (!vntValue.IsString() && !vntValue.IsNumeric()) throw kv::KVError(13, L"Type mismatch");
    return vntValue.ToString();
}

void RepairSetting(const std::wstring& strName, long lngGroup, const kv::Variant& vntDefault) {
    try {
        WriteSetting(strName, lngGroup, vntDefault);
    } catch (const kv::KVError&) {
        // Not writable now: the default serves this run, the repair waits for the next.
    }
    std::vector<std::wstring>& names = RepairedSettings();
    for (const std::wstring& name : names) {
        if (name == strName) return;
    }
    names.push_back(strName);
}

std::vector<std::wstring> TakeRepairedSettings() {
    std::vector<std::wstring> names;
    names.swap(RepairedSettings());
    return names;
}

std::wstring ReadTextSetting(const std::wstring& strName, long lngGroup, const std::wstring& strDefault) {
    return ReadSettingAs(strName, lngGroup, strDefault, SettingText);
}

long ReadNumberSetting(const std::wstring& strName, long lngGroup, long lngDefault, long lngMin, long lngMax) {
    return ReadSettingAs(strName, lngGroup, lngDefault, [&](const kv::Variant& value) {
        const long number = value.IsNumeric() ? value.ToLong() : kv::Variant(SettingText(value)).ToLong();
        if (number < lngMin || number > lngMax) throw kv::KVError(6, L"Overflow");
        return number;
    });
}

bool ReadFlagSetting(const std::wstring& strName, long lngGroup, bool blnDefault) {
    return ReadNumberSetting(strName, lngGroup, blnDefault ? 1L : 0L) != 0;
}

std::wstring ProgramFileName() {
    return Forwarded(conModule, L"ProgramFileName", [] {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            kv::RaiseLastErrorIf(n == 0);
            if (n < path.size()) {
                path.resize(n);
                break;
            }
            path.resize(path.size() * 2);
        }
        // Folder and name without its extension, then ".exe" as the program's name has it.
        size_t slash = path.find_last_of(L'\\');
        size_t dot = path.find_last_of(L'.');
        if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.resize(dot);
        return path + L".exe";
    });
}

// ---- Dates and times ----

kv::Date MakeDate(long lngYear, long lngMonth, long lngDay) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(lngYear);
    st.wMonth = static_cast<WORD>(lngMonth);
    st.wDay = static_cast<WORD>(lngDay);
    double value = 0;
    if (lngYear < 100 || lngYear > 9999 || !SystemTimeToVariantTime(&st, &value))
        Helper().CreateAPIError(ERROR_INVALID_PARAMETER, true);
    return kv::Date{value};
}

kv::Date MakeTime(long lngHour, long lngMinute, long lngSecond) {
    return kv::Date{(lngHour * 3600.0 + lngMinute * 60.0 + lngSecond) / 86400.0};
}

SYSTEMTIME ToSystemTime(kv::Date dtmValue) {
    SYSTEMTIME st{};
    if (!VariantTimeToSystemTime(dtmValue.value, &st)) Helper().CreateAPIError(ERROR_INVALID_PARAMETER, true);
    return st;
}

std::wstring ConvertToHHMMSS(long lngSeconds) {
    return Forwarded(conModule, L"ConvertToHHMMSS", [&] {
        long long total = std::llabs(static_cast<long long>(lngSeconds));
        long hours = static_cast<long>(total / 3600);
        long minutes = static_cast<long>(total % 3600 / 60);
        long seconds = static_cast<long>(total % 60);
        kv::Date value = MakeTime(hours, minutes, seconds);
        SYSTEMTIME st = ToSystemTime(value);

        wchar_t text[128] = {};
        kv::RaiseLastErrorIf(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, 128) == 0);
        std::wstring result = text;
        // From a whole day on the time value carries into a date, which then comes first.
        if (hours >= 24) {
            wchar_t date[128] = {};
            kv::RaiseLastErrorIf(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128) == 0);
            result = std::wstring(date) + L" " + result;
        }
        return result;
    });
}

long ConvertToSeconds(kv::Date dtmTime) {
    return Forwarded(conModule, L"ConvertToSeconds", [&] {
        SYSTEMTIME st = ToSystemTime(dtmTime);
        return static_cast<long>(st.wHour) * 3600 + st.wMinute * 60 + st.wSecond;
    });
}

kv::Variant GetMonthDays(long lngMonth, long lngYear) {
    kv::Variant days;
    Shown(conModule, L"GetMonthDays", [&] {
        // The day before the first of the following month (months beyond 12 run on).
        long month = lngMonth + 1;
        long year = lngYear + (month - 1 >= 0 ? (month - 1) / 12 : (month - 12) / 12);
        month = ((month - 1) % 12 + 12) % 12 + 1;
        kv::Date first = MakeDate(year, month, 1);
        days = static_cast<long>(ToSystemTime(kv::Date{first.value - 1}).wDay);
    });
    return days;
}

std::wstring GetComputer() {
    return Forwarded(conModule, L"GetComputer", [] {
        wchar_t name[255] = {};
        DWORD size = 255;
        kv::RaiseLastErrorIf(!GetComputerNameW(name, &size));
        return std::wstring(name, size);
    });
}

long GetWeekdayNumber(kv::Date dtmDate) {
    long weekday = 0;
    Shown(conModule, L"GetWeekdayNumber", [&] {
        // The platform counts Sunday as 0.
        WORD day = ToSystemTime(dtmDate).wDayOfWeek;
        weekday = day == 0 ? 7 : day;
    });
    return weekday;
}

bool IsOS(long lngVersion1, long lngVersion2, long lngVersion3, long lngVersion4) {
    return Forwarded(conModule, L"IsOS", [&] {
        kv::clsSystemInfo info;
        for (long version : {lngVersion1, lngVersion2, lngVersion3, lngVersion4}) {
            if (version != 0 && info.OperatingSystem()->IsOS(version)) return true;
        }
        return false;
    });
}

bool IsWindows9x() { return IsOS(kv::conWV_Windows95, kv::conWV_Windows98, kv::conWV_WindowsME); }

bool IsWindows9xOrNT4() {
    return IsOS(kv::conWV_Windows95, kv::conWV_Windows98, kv::conWV_WindowsME, kv::conWV_WindowsNT4);
}

void SetResizableBorder(HWND frmForm) {
    Forwarded(conModule, L"SetResizableBorder", [&] {
        SetLastError(0);
        LONG_PTR style = GetWindowLongPtrW(frmForm, GWL_STYLE);
        kv::RaiseLastErrorIf(style == 0 && GetLastError() != 0);
        SetLastError(0);
        LONG_PTR previous = SetWindowLongPtrW(frmForm, GWL_STYLE, style | WS_THICKFRAME);
        kv::RaiseLastErrorIf(previous == 0 && GetLastError() != 0);
    });
}

}  // namespace kvr
