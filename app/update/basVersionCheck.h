#pragma once
// The version check: the version file fetched from the product web server, its version
// compared with the program's own, the automatic check at start-up. Its window is
// ui/info/frmVersionCheck.
#include <windows.h>

#include <optional>
#include <string>

#include "Variant.h"

namespace kvr {

// The product web server: the setting CheckVersionServer (PrgSettings), else this address.
inline constexpr const wchar_t* conVersionServerDefault = L"https://www.tormel.example";
inline constexpr const wchar_t* conVersionFilePath = L"/download/kelvorestart/version.txt";
inline constexpr const wchar_t* conSetupPath = L"/download/kelvorestart/KelvoRestartSetup.exe";
// Attempts of one check: a server answering something else than the version file is asked
// again.
inline constexpr int conVersionCheckAttempts = 3;

// The server's address (without a closing "/") + strPath.
std::wstring VersionServerAddress(const std::wstring& strPath);

// Fetches and reads the version file. False when the outputs are valid: blnNewer when the
// server's version is greater than the program's own, the server version as shown
// (version text, two blanks, the release date in brackets) and line 5 of the file. True
// when the check failed (or was cancelled); an error inside (a malformed file) is shown.
bool CheckVersion(bool& blnNewer, std::wstring& strServerVersion, std::wstring& strAdditionalInfo);
// Cancels a running CheckVersion: it returns at once, as failed.
void CancelVersionCheck();

// What the last failed transfer reported: its code, ": " and its text ("" when none).
std::wstring TransferErrorText();
void ClearTransferErrorText();

// The automatic check with CheckVersionOnStartup on: the dialog is opened (and checks again
// visibly) only for a newer version or an additional information not presented before; a
// failure stays silent.
void CheckVersionStartup();

// The program's own version as shown: "major.minor Build bbb  (file date)".
std::wstring OwnVersionText();
// The last-write date of the program file, the date part only; the zero date when unreadable.
kv::Date GetFileDate();
// A file time (100 ns since 1601, UTC) as a local date and time; nothing for a zero time.
std::optional<kv::Date> Win32ToVbTime(const FILETIME& ftTime);
// A count of 100 ns since 1601 as a date value and back, as it stands (no time zone). Dates
// travel through kernel32's file times here: the first call of a delay-loaded function with a
// floating-point argument (oleaut32's VariantTimeToSystemTime) receives a wrong value.
kv::Date FileTimeToDate(const FILETIME& ftTime);
FILETIME DateToFileTime(kv::Date dtmDate);
// The date part in the regional short form.
std::wstring ShortDateText(kv::Date dtmDate);

}  // namespace kvr
