#include "work/SessionControl.h"

#include <map>
#include <string>

#include "Owned.h"

namespace kvr {

namespace {

// A function of a system library looked up at run time: the power calls are missing from
// some Windows versions, and a program that linked them directly would not start there.
template <class Fn>
Fn SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) {
        // A library loaded here stays for the program's life: its functions are called later.
        static std::map<std::wstring, kv::OwnedLibrary> loaded;
        kv::OwnedLibrary& held = loaded[library];
        if (!held) held.Reset(LoadLibraryW(library));
        module = held.Get();
    }
    if (!module) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using SetSystemPowerStateFn = BOOL(WINAPI*)(BOOL, BOOL);
using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
using InitiateSystemShutdownExFn = BOOL(WINAPI*)(LPWSTR, LPWSTR, DWORD, BOOL, BOOL, DWORD);

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

class RealSessionControl : public ISessionControl {
public:
    BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) override { return ::ExitWindowsEx(uFlags, dwReason); }

    bool HasSetSystemPowerState() override { return PowerState() != nullptr; }

    BOOL SetSystemPowerState(BOOL fSuspend, BOOL fForce) override {
        SetSystemPowerStateFn fn = PowerState();
        if (!fn) {
            SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
            return FALSE;
        }
        return fn(fSuspend, fForce);
    }

    BOOL SetSuspendState(BOOL bHibernate, BOOL bForce, BOOL bWakeupEventsDisabled) override {
        auto fn = SystemFunction<SetSuspendStateFn>(L"powrprof.dll", "SetSuspendState");
        if (!fn) {
            SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
            return FALSE;
        }
        return fn(bHibernate != FALSE, bForce != FALSE, bWakeupEventsDisabled != FALSE) ? TRUE : FALSE;
    }

    BOOL LockWorkStation() override { return ::LockWorkStation(); }

    BOOL OpenProcessToken(DWORD dwDesiredAccess, HANDLE* phToken) override {
        return ::OpenProcessToken(GetCurrentProcess(), dwDesiredAccess, phToken);
    }

    BOOL LookupPrivilegeValue(const std::wstring& strSystemName, const std::wstring& strName, LUID* pLuid) override {
        return ::LookupPrivilegeValueW(OrNull(strSystemName), strName.c_str(), pLuid);
    }

    BOOL AdjustTokenPrivileges(HANDLE hToken, BOOL bDisableAllPrivileges, TOKEN_PRIVILEGES* pNewState,
                               DWORD dwBufferLength, TOKEN_PRIVILEGES* pPreviousState,
                               DWORD* pdwReturnLength) override {
        return ::AdjustTokenPrivileges(hToken, bDisableAllPrivileges, pNewState, dwBufferLength, pPreviousState,
                                       pdwReturnLength);
    }

    BOOL CloseToken(HANDLE hToken) override { return CloseHandle(hToken); }

    BOOL InitiateSystemShutdownEx(const std::wstring& strMachineName, const std::wstring& strMessage,
                                  DWORD dwTimeout, BOOL bForceAppsClosed, BOOL bRebootAfterShutdown,
                                  DWORD dwReason) override {
        std::wstring machine = strMachineName, message = strMessage;  // the call wants writable texts
        wchar_t* machineArg = machine.empty() ? nullptr : machine.data();
        wchar_t* messageArg = message.empty() ? nullptr : message.data();
        // Windows 2000 has no reasons yet.
        auto withReason = SystemFunction<InitiateSystemShutdownExFn>(L"advapi32.dll", "InitiateSystemShutdownExW");
        if (!withReason)
            return ::InitiateSystemShutdownW(machineArg, messageArg, dwTimeout, bForceAppsClosed, bRebootAfterShutdown);
        return withReason(machineArg, messageArg, dwTimeout, bForceAppsClosed, bRebootAfterShutdown, dwReason);
    }

    BOOL AbortSystemShutdown(const std::wstring& strMachineName) override {
        std::wstring machine = strMachineName;
        return ::AbortSystemShutdownW(machine.empty() ? nullptr : machine.data());
    }

    BOOL EndProgramManager() override {
        HWND shell = FindWindowW(L"progman", L"program manager");
        if (!shell) return TRUE;
        DWORD processId = 0;
        GetWindowThreadProcessId(shell, &processId);
        kv::OwnedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
        if (!process) return TRUE;
        BOOL ended = TerminateProcess(process.Get(), 1);
        DWORD error = GetLastError();
        process.Reset();
        SetLastError(error);
        return ended;
    }

private:
    static SetSystemPowerStateFn PowerState() {
        return SystemFunction<SetSystemPowerStateFn>(L"kernel32.dll", "SetSystemPowerState");
    }
};

RealSessionControl g_real;
ISessionControl* g_current = &g_real;

}  // namespace

ISessionControl& SessionControl() { return *g_current; }

ISessionControl* SetSessionControl(ISessionControl* replacement) {
    ISessionControl* previous = g_current;
    g_current = replacement ? replacement : &g_real;
    return previous == &g_real ? nullptr : previous;
}

}  // namespace kvr
