#pragma once
// The action engine: the actions and their text form, performing an action on this
// computer, the boot system of the next start (boot.ini) and automatic logon.
#include <string>
#include <vector>

#include "Variant.h"

namespace kvr {

// ---- Actions and their text form (ActionText) ----

enum enuActionType : long {
    conAT_None = 0,
    conAT_ShutDown = 1,
    conAT_Restart = 2,
    conAT_LogOff = 3,
    conAT_ShowMain = 4,
    conAT_Standby = 5,
    conAT_Hibernate = 6,
    conAT_Lock = 7,
};

inline constexpr const wchar_t* conActionShutDown = L"Herunterfahren";
inline constexpr const wchar_t* conActionRestart = L"Neu starten";
inline constexpr const wchar_t* conActionLogOff = L"Neu anmelden";
inline constexpr const wchar_t* conActionShowMain = L"Windows beenden...";
inline constexpr const wchar_t* conActionStandby = L"Standby-Modus";
inline constexpr const wchar_t* conActionHibernate = L"Ruhezustand";
inline constexpr const wchar_t* conActionLock = L"Sperren";
// Between the action and the boot system of an ActionText.
inline constexpr const wchar_t* conSystemSeparator = L": ";
// The boot system name that stands for the user's standard system.
inline constexpr const wchar_t* conStandardSystemName = L"Standard";

// The display text of an action type 1-7; "" for any other number.
std::wstring ActionName(long lngActionType);
// The action an ActionText names (conAT_None when none). The display text is looked for in
// the part before the first ":", so a boot system name never changes the action.
long GetActionType(const std::wstring& strActionText);
// True when the text names a boot system: strSystem receives everything after the first
// ":", trimmed.
bool GetActionSystem(const std::wstring& strActionText, std::wstring& strSystem);
// The 1-based list icon of the action the text names; 0 for none (and for type 4).
long GetActionIcon(const std::wstring& strActionText);
// The action name alone, or name + ": " + system.
std::wstring MakeActionText(long lngActionType, const std::wstring& strSystem = L"");

// The entries the windows offer, in order ("" is a separator); with blnSystemsOnly the
// boot system names alone.
std::vector<std::wstring> GetQuitOptions(bool blnSystemsOnly);

// ---- Performing an action on this computer ----

inline constexpr const wchar_t* conShutdownPrivilege = L"SeShutdownPrivilege";

// Performs the action of the ActionText, blnForce ending Windows without waiting for
// programs. Shutdown, restart and log-off tear the program down first (Quit); when
// Windows refuses, the message "Windows konnte nicht beendet werden (code)." follows and
// the resident program rebuilds itself (RunMain(False)), while any other run ends there.
// Standby, hibernate and lock leave the program running; their failures are raised.
void RebootWindows(const std::wstring& strActionText, const bool& blnForce);
// The ExitWindowsEx flags for type 1-3 (before force is added); 0 for other types.
unsigned ExitFlagsFor(long lngActionType, bool blnSwitchOff);
// Enables the privilege in the token of this process. All three steps run; the first
// failure is raised after them.
void EnableShutDown(const std::wstring& strPrivilege);
// Ends the Windows 9x shell (forced exits only).
void KillProgramManager();

// ---- Boot system of the next start (boot.ini) ----

inline constexpr const wchar_t* conBootIniBackup = L"boot.ini_kelvorestart_backup.bak";
inline constexpr const wchar_t* conBootLoaderSection = L"boot loader";
inline constexpr long conDefaultBootTimeOut = 30;

// The first "Boot.ini" in the root of C:, D:, ... while the drives are fixed disks; "".
std::wstring GetBootIniLocation();
bool BootIniExitst();
// True unless boot.ini can be opened for appending (nothing is written).
bool IsBootIniWriteProtected();
// The display name of the current boot default ("" when unknown).
std::wstring GetStandardOption();
// Errors of writing the boot default.
inline constexpr long conErrUnknownSystem = -52201;        // no system of that name
inline constexpr long conErrAmbiguousSystem = -52202;      // the name fits several systems
inline constexpr long conErrBootIniWriteProtected = -52203;
inline constexpr long conErrNoBootLoaderSection = -52204;

// "Standard" always; otherwise a name that selects one system (see SetStandardSystem).
bool CheckSystem(const std::wstring& strSystem);
// Makes the named system the boot default. An exact name wins (of equal names, the current
// default stays); else the one system whose line contains the name. "Standard" is the
// user's standard system, and without one the default stays. Nothing happens without
// boot.ini or when the system is the default already; an unknown or ambiguous name, a
// write-protected boot.ini or a failed write raise an error and leave the file as it was.
void SetStandardSystem(const std::wstring& strSystem);
// boot.ini's bytes with one value of its first [boot loader] section set: that value's line
// replaced (or a line added after the section's header), every other byte as it was.
std::string WithBootLoaderValue(const std::string& strFile, const std::string& strKey, const std::string& strValue);
// The boot menu time in seconds; 30 when unknown.
long GetTimeOut();
void WriteTimeOut(long lngSeconds);
// First-run work: boot.ini backup and its messages, autostart entry, RunFirstTime = 0,
// SwitchOff. False (after showing the error) when it failed.
bool RunFirstTime();
// Opens boot.ini in its associated program, its hidden and system attributes cleared.
void EditBootIni();

// ---- Automatic logon ----

// Writes (blnEnable) or takes back the Windows logon values. At start both options count
// as not wanted; from the options dialog blnHideUsername and blnForceLogon are its ticks
// "Benutzername verbergen" and "Logon erzwingen".
void SetAutoLogon(bool blnEnable, bool blnAtStart, bool blnHideUsername = false, bool blnForceLogon = false);
// False exactly when writing the Winlogon key is refused (error 5).
bool AutoLogonWriteAllowed();
// The value as a 32-bit number for the Policies key, else as text.
kv::Variant GetDLValue(const kv::Variant& vntValue, const std::wstring& strKeyPath);
// The keys of this Windows: Winlogon; the key holding DontDisplayLastUserName (Policies
// on Windows 2000 and later, else the Winlogon key); "Network\Logon" on 9x and NT 4, else "".
std::wstring WinlogonKey();
std::wstring DontDisplayKey();
std::wstring NetworkLogonKey();

}  // namespace kvr
