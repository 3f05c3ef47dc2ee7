// The actions, their text form and the list of entries the windows offer.
#include "program/basGlobals.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "work/basWorkText.h"

namespace kvr {

using work::ContainsText;
using work::conModule;

std::wstring ActionName(long lngActionType) {
    switch (lngActionType) {
        case conAT_ShutDown: return conActionShutDown;
        case conAT_Restart: return conActionRestart;
        case conAT_LogOff: return conActionLogOff;
        case conAT_ShowMain: return conActionShowMain;
        case conAT_Standby: return conActionStandby;
        case conAT_Hibernate: return conActionHibernate;
        case conAT_Lock: return conActionLock;
        default: return L"";
    }
}

long GetActionType(const std::wstring& strActionText) {
    // Only the display part counts: a boot system called, say, "XP Sperren" must not turn a
    // restart into it into locking the workstation. Within that part the last display text
    // in type order that occurs wins.
    std::wstring display = strActionText.substr(0, strActionText.find(L':'));
    long type = conAT_None;
    for (long candidate = conAT_ShutDown; candidate <= conAT_Lock; ++candidate) {
        if (ContainsText(display, ActionName(candidate))) type = candidate;
    }
    return type;
}

bool GetActionSystem(const std::wstring& strActionText, std::wstring& strSystem) {
    size_t colon = strActionText.find(L':');
    if (colon == std::wstring::npos) {
        strSystem.clear();
        return false;
    }
    strSystem = work::Trimmed(strActionText.substr(colon + 1));
    return true;
}

long GetActionIcon(const std::wstring& strActionText) {
    switch (long type = GetActionType(strActionText)) {
        case conAT_ShutDown:
        case conAT_Restart:
        case conAT_LogOff: return type;
        case conAT_Standby:
        case conAT_Hibernate:
        case conAT_Lock: return type - 1;
        default: return 0;
    }
}

std::wstring MakeActionText(long lngActionType, const std::wstring& strSystem) {
    std::wstring text = ActionName(lngActionType);
    if (!strSystem.empty()) text += conSystemSeparator + strSystem;
    return text;
}

std::vector<std::wstring> GetQuitOptions(bool blnSystemsOnly) {
    return Forwarded(conModule, L"GetQuitOptions", [&] {
        std::wstring bootIni = GetBootIniLocation();
        if (bootIni.empty()) return std::vector<std::wstring>{conActionShutDown, conActionRestart, conActionLogOff};

        std::vector<std::wstring> systems;
        for (work::BootEntry& entry : work::OperatingSystems(bootIni)) {
            if (!entry.Name.empty()) systems.push_back(std::move(entry.Name));
        }
        if (blnSystemsOnly) return systems;

        std::vector<std::wstring> options;
        for (long type : {conAT_ShutDown, conAT_Restart}) {
            options.push_back(MakeActionText(type, conStandardSystemName));
            for (const std::wstring& system : systems) options.push_back(MakeActionText(type, system));
            options.push_back(L"");
        }
        options.push_back(conActionLogOff);
        if (!IsOS(kv::conWV_Windows95, kv::conWV_WindowsNT4)) {
            options.push_back(L"");
            options.push_back(conActionStandby);
            if (!IsOS(kv::conWV_Windows98)) options.push_back(conActionHibernate);
        }
        if (!IsWindows9xOrNT4()) options.push_back(conActionLock);
        return options;
    });
}

}  // namespace kvr
