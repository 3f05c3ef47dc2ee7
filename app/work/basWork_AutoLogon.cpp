// Automatic logon: the Windows logon values in the machine part of the registry.
#include "RegistryEnums.h"
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "clsPersonalData.h"
#include "clsRegistry.h"

namespace kvr {

using work::conModule;

namespace {

constexpr long conErrAccessDenied = 5;
// Set while the Windows logon values are the ones this program wrote.
constexpr const wchar_t* conAutoLogonWrittenSetting = L"AutoLogonWritten";

kv::clsRegistry MachineKey(const std::wstring& strPath) {
    kv::clsRegistry registry;
    registry.SetKey(kv::conReg_HKEY_LOCAL_MACHINE, strPath);
    return registry;
}

// The value as text, strMissing when it does not exist.
std::wstring ReadText(kv::clsRegistry& registry, const std::wstring& strName, const std::wstring& strMissing) {
    registry.Default(strMissing);
    return registry.ReadValueByName(strName).ToString();
}

void DeleteIfPresent(kv::clsRegistry& registry, const std::wstring& strName) {
    if (registry.ExistValue(strName)) registry.DeleteValue(strName);
}

// Writes "1" when wanted (at start: when it is set already), else removes the value.
void KeepOrClear(kv::clsRegistry& registry, const std::wstring& strName, bool blnAtStart, bool blnWanted,
                 const kv::Variant& vntSet) {
    std::wstring current = ReadText(registry, strName, L"0");
    if ((blnAtStart && current != L"0") || (!blnAtStart && blnWanted))
        registry.WriteValue(strName, vntSet);
    else
        DeleteIfPresent(registry, strName);
}

// True when the logon values in the Winlogon key are this program's: it noted writing them,
// or (written before it kept that note) they hold its own stored user name and password.
bool AutoLogonWrittenByProgram(kv::clsRegistry& winlogon, const std::wstring& strUserName,
                               const std::wstring& strPassword) {
    if (ReadFlagSetting(conAutoLogonWrittenSetting, conSG_PrgSettings, false)) return true;
    if (strUserName.empty() || ReadText(winlogon, L"AutoAdminLogon", L"0") != L"1") return false;
    return ReadText(winlogon, L"DefaultUserName", L"") == strUserName &&
           ReadText(winlogon, L"DefaultPassword", L"") == strPassword;
}

}  // namespace

std::wstring WinlogonKey() { return IsWindows9x() ? conWinlogonKey9x : conWinlogonKeyNT; }

// Windows 2000 and later keep DontDisplayLastUserName with the policies; the older systems
// have no such key and read it from the Winlogon key, which is where it goes there.
std::wstring DontDisplayKey() { return IsWindows9xOrNT4() ? WinlogonKey() : std::wstring(conPoliciesKey); }

std::wstring NetworkLogonKey() { return IsWindows9xOrNT4() ? std::wstring(conNetworkLogonKey) : std::wstring(); }

bool AutoLogonWriteAllowed() {
    return Forwarded(conModule, L"AutoLogonWriteAllowed", [] {
        kv::clsRegistry winlogon = MachineKey(WinlogonKey());
        bool refused = false;
        try {
            winlogon.WriteValue(L"XXX", L"");
        } catch (const kv::KVError& error) {
            refused = error.Number == conErrAccessDenied;
        }
        try {
            winlogon.DeleteValue(L"XXX");
        } catch (const kv::KVError&) {
            // The probe was not written.
        }
        return !refused;
    });
}

kv::Variant GetDLValue(const kv::Variant& vntValue, const std::wstring& strKeyPath) {
    return Forwarded(conModule, L"GetDLValue", [&]() -> kv::Variant {
        if (work::SameText(strKeyPath, conPoliciesKey)) return static_cast<long>(vntValue.ToLong());
        return vntValue.ToString();
    });
}

void SetAutoLogon(bool blnEnable, bool blnAtStart, bool blnHideUsername, bool blnForceLogon) {
    Forwarded(conModule, L"SetAutoLogon", [&] {
        if (!AutoLogonWriteAllowed()) return;
        const bool olderSystem = IsWindows9xOrNT4();
        kv::clsRegistry winlogon = MachineKey(WinlogonKey());
        kv::clsRegistry hideKey = MachineKey(DontDisplayKey());
        std::wstring userName = ReadTextSetting(L"UserName", conSG_Options, L"");
        std::wstring password = ReadTextSetting(L"Password", conSG_Options, L"");
        std::wstring domain = ReadTextSetting(L"Domain", conSG_Options, L"");
        if (blnAtStart) blnHideUsername = blnForceLogon = false;

        if (blnEnable) {
            if (olderSystem) hideKey.WriteValue(L"DontDisplayLastUserName", L"0");
            winlogon.WriteValue(L"AutoAdminLogon", L"1");
            winlogon.WriteValue(L"DefaultUserName", userName);
            winlogon.WriteValue(L"DefaultPassword", password);
            if (!olderSystem) winlogon.WriteValue(L"DefaultDomainname", domain);
            WriteSetting(conAutoLogonWrittenSetting, conSG_PrgSettings, 1L);
        } else {
            // Only a logon this program set up is taken back; one the user set up elsewhere
            // stays as it is.
            const bool ours = AutoLogonWrittenByProgram(winlogon, userName, password);
            if (ours || !blnAtStart)
                KeepOrClear(hideKey, L"DontDisplayLastUserName", blnAtStart, blnHideUsername,
                            GetDLValue(1L, DontDisplayKey()));
            if (ours) {
                winlogon.WriteValue(L"AutoAdminLogon", L"0");
                DeleteIfPresent(winlogon, L"DefaultPassword");
                WriteSetting(conAutoLogonWrittenSetting, conSG_PrgSettings, 0L);
            }
            // A logon that is off leaves no password behind in our own settings.
            kv::clsRegistry options;
            options.SetApplication(kv::conReg_Aff_User, kv::clsPersonalData().Company(),
                                   VersionGlobal().InfoApplication(), L"Options");
            DeleteIfPresent(options, L"Password");
            if (!ours && blnAtStart) return;
        }

        if (olderSystem) {
            kv::clsRegistry network = MachineKey(NetworkLogonKey());
            KeepOrClear(network, L"MustBeValidated", blnAtStart, blnForceLogon, L"1");
        }
    });
}

}  // namespace kvr
