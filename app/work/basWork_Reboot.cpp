// Performing an action on this computer: ending the session, standby and hibernate,
// locking the workstation, and the shutdown privilege they need.
#include <windows.h>

#include "LastError.h"
#include "MessageBoxSeam.h"
#include "work/SessionControl.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "work/EngineHooks.h"
#include "work/basWork.h"
#include "work/basWorkText.h"
#include "DecimalText.h"

namespace kvr {

using work::conModule;

namespace {

constexpr DWORD conTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;  // 40


// The privilege for an action of this computer. A failure here is not shown on its own:
// the Windows call that needs the privilege then fails and reports its own error.
void RequestShutdownPrivilege() {
    try {
        EnableShutDown(conShutdownPrivilege);
    } catch (const kv::KVError&) {
    }
}

void RaiseFailure(BOOL blnResult) { kv::RaiseLastErrorIf(blnResult == FALSE); }

// Standby (blnSuspend) or hibernate. Newer Windows no longer offer SetSystemPowerState,
// or offer it without support; they are reached through the current suspend call.
void SuspendSystem(bool blnSuspend, bool blnForce) {
    ISessionControl& session = SessionControl();
    if (session.HasSetSystemPowerState()) {
        BOOL done = session.SetSystemPowerState(blnSuspend ? TRUE : FALSE, blnForce ? TRUE : FALSE);
        DWORD error = GetLastError();
        if (done || (error != ERROR_NOT_SUPPORTED && error != ERROR_CALL_NOT_IMPLEMENTED)) {
            SetLastError(error);
            RaiseFailure(done);
            return;
        }
    }
    RaiseFailure(session.SetSuspendState(blnSuspend ? FALSE : TRUE, blnForce ? TRUE : FALSE, FALSE));
}

// Shutdown, restart or log-off: the program goes first, then Windows is asked.
void EndSession(unsigned uFlags, bool blnForce) {
    bool windows9x = IsWindows9x();
    Quit();
    if (!windows9x) RequestShutdownPrivilege();
    if (blnForce) {
        uFlags |= EWX_FORCE;
        if (windows9x) {
            // The forced exit ends the shell as well, so a shell that will not go is no reason
            // to stop here.
            try {
                KillProgramManager();
            } catch (const kv::KVError&) {
            }
        }
    }
    if (SessionControl().ExitWindowsEx(uFlags, 0)) return;

    DWORD error = GetLastError();
    kv::MessageBoxes().Show(nullptr, L"Windows konnte nicht beendet werden (" + kv::DecimalText(error) + L").",
                            VersionGlobal().InfoApplication(), MB_OK | MB_ICONEXCLAMATION);
    // A command-line run ends here: rebuilding it would read the same command line and try
    // the same action again, without end. The resident program (and the main window of
    // dialog mode) comes back as if started anew.
    if (State().Mode != RunMode::CommandLine && Hooks().RebuildAfterRefusedExit) Hooks().RebuildAfterRefusedExit();
}

}  // namespace

unsigned ExitFlagsFor(long lngActionType, bool blnSwitchOff) {
    switch (lngActionType) {
        case conAT_ShutDown: return blnSwitchOff ? EWX_SHUTDOWN | EWX_POWEROFF : EWX_SHUTDOWN;
        case conAT_Restart: return EWX_SHUTDOWN | EWX_REBOOT;
        default: return EWX_LOGOFF;
    }
}

void RebootWindows(const std::wstring& strActionText, const bool& blnForce) {
    Forwarded(conModule, L"RebootWindows", [&] {
        long type = GetActionType(strActionText);
        // The boot system is written first, whatever the action, and stays written.
        std::wstring system;
        if (GetActionSystem(strActionText, system)) SetStandardSystem(system);

        switch (type) {
            case conAT_ShutDown:
            case conAT_Restart:
            case conAT_LogOff:
                EndSession(ExitFlagsFor(type, State().SwitchOff), blnForce);
                break;
            case conAT_Standby:
            case conAT_Hibernate:
                if (!IsWindows9x()) RequestShutdownPrivilege();
                SuspendSystem(type == conAT_Standby, blnForce);
                break;
            case conAT_Lock:
                RaiseFailure(SessionControl().LockWorkStation());
                break;
            case conAT_ShowMain:
                if (Hooks().ShowMainWindow) Hooks().ShowMainWindow();
                break;
            default:  // no action named
                break;
        }
    });
}

void EnableShutDown(const std::wstring& strPrivilege) {
    Forwarded(conModule, L"EnableShutDown", [&] {
        ISessionControl& session = SessionControl();
        // All three steps run whatever fails; the first failure is raised at the end.
        DWORD firstError = ERROR_SUCCESS;
        auto note = [&](bool failed) {
            DWORD error = GetLastError();
            if (failed && firstError == ERROR_SUCCESS) firstError = error ? error : ERROR_GEN_FAILURE;
        };

        HANDLE token = nullptr;
        note(!session.OpenProcessToken(conTokenAccess, &token));

        LUID luid{};
        note(!session.LookupPrivilegeValue(L"", strPrivilege, &luid));

        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Luid = luid;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        TOKEN_PRIVILEGES previous{};
        DWORD previousLength = 0;
        BOOL adjusted = session.AdjustTokenPrivileges(token, FALSE, &wanted, sizeof wanted, &previous, &previousLength);
        // Success with ERROR_NOT_ALL_ASSIGNED: the token does not hold the privilege at all.
        note(!adjusted || GetLastError() == ERROR_NOT_ALL_ASSIGNED);

        if (token) session.CloseToken(token);
        if (firstError != ERROR_SUCCESS) kv::RaiseApiError(static_cast<long>(firstError));
    });
}

void KillProgramManager() {
    Forwarded(conModule, L"KillProgramManager", [] { RaiseFailure(SessionControl().EndProgramManager()); });
}

}  // namespace kvr
