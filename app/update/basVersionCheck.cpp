#include "update/basVersionCheck.h"

#include <cmath>
#include <cstdio>

#include "LastError.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "ui/info/frmVersionCheck.h"
#include "update/HttpTransfer.h"
#include "update/VersionFile.h"
#include "DecimalText.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basVersionCheck";
constexpr double conMsPerDay = 8.64e7;
constexpr double conDaysFrom1601To1899 = 109205;  // 1 January 1601 to 30 December 1899

std::wstring g_transferError;
bool g_quitStep = false;

// A running check must not outlive the program's end.
void CancelOnQuit() {
    if (g_quitStep) return;
    g_quitStep = true;
    AddQuitStep([] {
        g_quitStep = false;
        CancelVersionCheck();
    });
}

// One attempt: the file's text when the answer is the version file.
std::optional<std::wstring> FetchVersionFile(const std::wstring& strUrl, bool& blnCancelled) {
    HttpAnswer answer = HttpGet(strUrl, conVersionFileMaxBytes);
    blnCancelled = answer.Cancelled;
    if (answer.Cancelled) return std::nullopt;
    if (answer.ErrorCode != 0) {
        g_transferError = kv::DecimalText(answer.ErrorCode) + L": " + answer.ErrorText;
        return std::nullopt;
    }
    if (answer.StatusCode < 200 || answer.StatusCode > 299) {
        g_transferError = kv::DecimalText(answer.StatusCode) + L": " + answer.StatusText;
        return std::nullopt;
    }
    // A version file is small; a longer answer is something else, whatever its start says.
    if (answer.TooLarge) return std::nullopt;
    std::optional<std::wstring> text = VersionFileText(answer.Body);
    if (!text || !HasDownloadMark(*text, VersionGlobal().InfoApplication())) return std::nullopt;
    return text;
}

}  // namespace

std::wstring VersionServerAddress(const std::wstring& strPath) {
    std::wstring server = ReadTextSetting(L"CheckVersionServer", conSG_PrgSettings, conVersionServerDefault);
    while (!server.empty() && server.back() == L'/') server.pop_back();
    return server + strPath;
}

bool CheckVersion(bool& blnNewer, std::wstring& strServerVersion, std::wstring& strAdditionalInfo) {
    bool failed = true;
    blnNewer = false;
    Shown(conModule, L"CheckVersion", [&] {
        CancelOnQuit();
        // Each check reports its own failure, not one of an earlier check.
        g_transferError.clear();
        const std::wstring url = VersionServerAddress(conVersionFilePath);
        std::optional<std::wstring> text;
        for (int attempt = 0; attempt < conVersionCheckAttempts && !text; ++attempt) {
            bool cancelled = false;
            text = FetchVersionFile(url, cancelled);
            if (cancelled) return;
        }
        if (!text) return;

        const VersionFileInfo info = ReadVersionFile(*text);
        const kv::clsVersionGlobal& own = VersionGlobal();
        strServerVersion = info.VersionText + L"  (" + ShortDateText(info.ReleaseDate) + L")";
        strAdditionalInfo = info.AdditionalInfo;
        blnNewer = VersionNumber(info.Major, info.Minor, info.Build) >
                   VersionNumber(own.InfoMajorVersion(), own.InfoMinorVersion(), own.InfoBuild());
        failed = false;
    });
    return failed;
}

void CancelVersionCheck() { CancelHttpTransfers(); }

std::wstring TransferErrorText() { return g_transferError; }
void ClearTransferErrorText() { g_transferError.clear(); }

void CheckVersionStartup() {
    Shown(conModule, L"CheckVersionStartup", [] {
        if (!ReadFlagSetting(L"CheckVersionOnStartup", conSG_PrgSettings, false)) return;
        const std::wstring last = ReadTextSetting(L"CheckVersionLastInfo", conSG_PrgSettings, L"");
        bool newer = false;
        std::wstring serverVersion, additionalInfo;
        if (CheckVersion(newer, serverVersion, additionalInfo)) return;
        // The program may have ended while the check ran.
        if (State().QuitFlag) return;
        if (!newer && additionalInfo == last) return;
        OpenVersionCheck();
        CheckVersionDialog();
        WriteSetting(L"CheckVersionLastInfo", conSG_PrgSettings, kv::Variant(additionalInfo));
    });
}

std::wstring OwnVersionText() {
    const kv::clsVersionGlobal& own = VersionGlobal();
    wchar_t build[16];
    wsprintfW(build, L"%03ld", static_cast<long>(own.InfoBuild()));
    return kv::DecimalText(own.InfoMajorVersion()) + L"." + kv::DecimalText(own.InfoMinorVersion()) + L" Build " +
           build + L"  (" + ShortDateText(GetFileDate()) + L")";
}

kv::Date GetFileDate() {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(ProgramFileName().c_str(), GetFileExInfoStandard, &data)) return kv::Date{};
    std::optional<kv::Date> written = Win32ToVbTime(data.ftLastWriteTime);
    return written ? kv::Date{std::floor(written->value)} : kv::Date{};
}

std::optional<kv::Date> Win32ToVbTime(const FILETIME& ftTime) {
    if (ftTime.dwLowDateTime == 0 && ftTime.dwHighDateTime == 0) return std::nullopt;
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&ftTime, &local)) return std::nullopt;
    return FileTimeToDate(local);
}

kv::Date FileTimeToDate(const FILETIME& ftTime) {
    const ULONGLONG ticks = (static_cast<ULONGLONG>(ftTime.dwHighDateTime) << 32) | ftTime.dwLowDateTime;
    return kv::Date{static_cast<double>(ticks / 10000) / conMsPerDay - conDaysFrom1601To1899};
}

FILETIME DateToFileTime(kv::Date dtmDate) {
    const double ms = (dtmDate.value + conDaysFrom1601To1899) * conMsPerDay;
    const ULONGLONG ticks = ms <= 0 ? 0 : static_cast<ULONGLONG>(std::llround(ms)) * 10000;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::wstring ShortDateText(kv::Date dtmDate) {
    return Forwarded(conModule, L"ShortDateText", [&] {
        const FILETIME day = DateToFileTime(kv::Date{std::floor(dtmDate.value)});
        SYSTEMTIME st{};
        kv::RaiseLastErrorIf(!FileTimeToSystemTime(&day, &st));
        wchar_t text[128] = {};
        kv::RaiseLastErrorIf(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, 128) == 0);
        return std::wstring(text);
    });
}

}  // namespace kvr
