#pragma once
// Everything that ends, suspends or locks a Windows session, behind one small interface.
// A real call would end the whole session (under Wine: every process of the prefix), so
// tests install a recording implementation; the product always uses the real one.
//
// Each operation keeps the contract of the Windows call it stands for: the result as the
// call gives it, and on failure the reason in the thread's last-error value.
#include <windows.h>

#include <string>

namespace kvr {

class ISessionControl {
public:
    virtual ~ISessionControl() = default;

    // ExitWindowsEx.
    virtual BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) = 0;

    // Whether the running Windows offers SetSystemPowerState at all (newer systems do not).
    virtual bool HasSetSystemPowerState() = 0;
    // SetSystemPowerState: fSuspend TRUE = standby, FALSE = hibernate.
    virtual BOOL SetSystemPowerState(BOOL fSuspend, BOOL fForce) = 0;
    // SetSuspendState of the power profile library, the current suspend call.
    virtual BOOL SetSuspendState(BOOL bHibernate, BOOL bForce, BOOL bWakeupEventsDisabled) = 0;

    // LockWorkStation.
    virtual BOOL LockWorkStation() = 0;

    // The privilege steps: OpenProcessToken on the current process, LookupPrivilegeValue
    // (an empty system name means the local system), AdjustTokenPrivileges, and closing
    // the token handle again.
    virtual BOOL OpenProcessToken(DWORD dwDesiredAccess, HANDLE* phToken) = 0;
    virtual BOOL LookupPrivilegeValue(const std::wstring& strSystemName, const std::wstring& strName,
                                      LUID* pLuid) = 0;
    virtual BOOL AdjustTokenPrivileges(HANDLE hToken, BOOL bDisableAllPrivileges, TOKEN_PRIVILEGES* pNewState,
                                       DWORD dwBufferLength, TOKEN_PRIVILEGES* pPreviousState,
                                       DWORD* pdwReturnLength) = 0;
    virtual BOOL CloseToken(HANDLE hToken) = 0;

    // Remote shutdown: InitiateSystemShutdownEx (the machine name with its leading "\\";
    // where Windows lacks the Ex call, InitiateSystemShutdown without the reason) and
    // AbortSystemShutdown.
    virtual BOOL InitiateSystemShutdownEx(const std::wstring& strMachineName, const std::wstring& strMessage,
                                          DWORD dwTimeout, BOOL bForceAppsClosed, BOOL bRebootAfterShutdown,
                                          DWORD dwReason) = 0;
    virtual BOOL AbortSystemShutdown(const std::wstring& strMachineName) = 0;

    // Ends the Windows 9x shell: the process owning the top-level window of class
    // "progman" titled "program manager" is terminated with exit code 1. TRUE when there
    // was no such window or no handle to its process (nothing to end), or the process was
    // terminated; FALSE, with the last error set, when terminating it failed.
    virtual BOOL EndProgramManager() = 0;
};

// The implementation in use (the real Windows calls unless a test installed another).
ISessionControl& SessionControl();
// Installs a replacement; nullptr restores the real calls. Returns the previous one
// (nullptr when that was the real one).
ISessionControl* SetSessionControl(ISessionControl* replacement);

}  // namespace kvr
