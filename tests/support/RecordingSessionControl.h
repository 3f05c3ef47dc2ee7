#pragma once
// Stands in for the session-control seam: records every call with its arguments and
// answers with a configurable result and error code per operation, or per operation and
// machine (success and error 0 unless told otherwise).
// With LogFile set, every call is also appended to that file as one line of text (for a
// test build of the program that runs as its own process).
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "StandIn.h"
#include "work/SessionControl.h"

namespace kvtest {

// Appends one line, UTF-8, to the file; opened and closed each time so that the line is
// there even if the program ends the next moment.
inline void AppendLogLine(const std::wstring& path, const std::wstring& line) {
    FILE* file = _wfopen(path.c_str(), L"ab");
    if (!file) return;
    int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), n, nullptr, nullptr);
    std::fprintf(file, "%s\n", utf8.c_str());
    std::fclose(file);
}

struct SessionCall {
    std::string name;                  // the operation, e.g. "ExitWindowsEx"
    std::vector<unsigned long> numbers;  // its numeric arguments in order
    std::vector<std::wstring> texts;   // its text arguments in order

    // name(n1, n2, "t1", ...) as one line.
    std::wstring ToText() const {
        std::wstring line(name.begin(), name.end());
        line += L"(";
        bool first = true;
        for (unsigned long n : numbers) {
            line += (first ? L"" : L", ") + std::to_wstring(n);
            first = false;
        }
        for (const std::wstring& t : texts) {
            line += (first ? L"\"" : L", \"") + t + L"\"";
            first = false;
        }
        return line + L")";
    }
};

struct SessionAnswer {
    BOOL result = TRUE;
    DWORD error = 0;
};

class RecordingSessionControl : public StandIn<kvr::ISessionControl, kvr::SetSessionControl> {
public:
    // The LUID handed out for every privilege name, and the token handle given out.
    static constexpr DWORD kPrivilegeLuid = 19;
    static inline const HANDLE kToken = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x4711));

    // Configures the answer of one operation (by its name as recorded).
    void Answer(const std::string& operation, BOOL result, DWORD error = 0) { answers[operation] = {result, error}; }
    // The answer of one operation when its first text argument is strText (a machine name);
    // it goes before the operation's general answer.
    void AnswerFor(const std::string& operation, const std::wstring& strText, BOOL result, DWORD error = 0) {
        textAnswers[{operation, strText}] = {result, error};
    }

    // The names of the recorded calls, in order.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const SessionCall& c : calls) names.push_back(c.name);
        return names;
    }
    // The recorded calls of one operation.
    std::vector<SessionCall> CallsOf(const std::string& operation) const {
        std::vector<SessionCall> found;
        for (const SessionCall& c : calls)
            if (c.name == operation) found.push_back(c);
        return found;
    }

    BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason) override {
        return Record({"ExitWindowsEx", {uFlags, dwReason}, {}});
    }
    bool HasSetSystemPowerState() override { return hasSetSystemPowerState; }
    BOOL SetSystemPowerState(BOOL fSuspend, BOOL fForce) override {
        return Record({"SetSystemPowerState", {Flag(fSuspend), Flag(fForce)}, {}});
    }
    BOOL SetSuspendState(BOOL bHibernate, BOOL bForce, BOOL bWakeupEventsDisabled) override {
        return Record({"SetSuspendState", {Flag(bHibernate), Flag(bForce), Flag(bWakeupEventsDisabled)}, {}});
    }
    BOOL LockWorkStation() override { return Record({"LockWorkStation", {}, {}}); }
    BOOL OpenProcessToken(DWORD dwDesiredAccess, HANDLE* phToken) override {
        BOOL ok = Record({"OpenProcessToken", {dwDesiredAccess}, {}});
        *phToken = ok ? kToken : nullptr;
        return ok;
    }
    BOOL LookupPrivilegeValue(const std::wstring& strSystemName, const std::wstring& strName, LUID* pLuid) override {
        BOOL ok = Record({"LookupPrivilegeValue", {}, {strSystemName, strName}});
        pLuid->LowPart = ok ? kPrivilegeLuid : 0;
        pLuid->HighPart = 0;
        return ok;
    }
    // Recorded numbers: token, disable-all flag, privilege count, LUID of the first entry,
    // its attributes, buffer length, whether both previous-state buffers were given.
    BOOL AdjustTokenPrivileges(HANDLE hToken, BOOL bDisableAllPrivileges, TOKEN_PRIVILEGES* pNewState,
                               DWORD dwBufferLength, TOKEN_PRIVILEGES* pPreviousState,
                               DWORD* pdwReturnLength) override {
        unsigned long count = pNewState ? pNewState->PrivilegeCount : 0;
        unsigned long luid = count ? pNewState->Privileges[0].Luid.LowPart : 0;
        unsigned long attributes = count ? pNewState->Privileges[0].Attributes : 0;
        return Record({"AdjustTokenPrivileges",
                       {static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hToken)), Flag(bDisableAllPrivileges),
                        count, luid, attributes, dwBufferLength,
                        Flag(pPreviousState != nullptr && pdwReturnLength != nullptr)},
                       {}});
    }
    BOOL CloseToken(HANDLE hToken) override {
        return Record({"CloseToken", {static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hToken))}, {}});
    }
    // Recorded numbers: delay, force flag, reboot flag, reason; texts: machine, message.
    BOOL InitiateSystemShutdownEx(const std::wstring& strMachineName, const std::wstring& strMessage,
                                  DWORD dwTimeout, BOOL bForceAppsClosed, BOOL bRebootAfterShutdown,
                                  DWORD dwReason) override {
        return Record({"InitiateSystemShutdownEx",
                       {dwTimeout, Flag(bForceAppsClosed), Flag(bRebootAfterShutdown), dwReason},
                       {strMachineName, strMessage}});
    }
    BOOL AbortSystemShutdown(const std::wstring& strMachineName) override {
        return Record({"AbortSystemShutdown", {}, {strMachineName}});
    }
    BOOL EndProgramManager() override { return Record({"EndProgramManager", {}, {}}); }

    std::vector<SessionCall> calls;
    std::map<std::string, SessionAnswer> answers;
    std::map<std::pair<std::string, std::wstring>, SessionAnswer> textAnswers;
    bool hasSetSystemPowerState = true;
    std::wstring LogFile;

private:
    static unsigned long Flag(BOOL value) { return value ? 1 : 0; }

    BOOL Record(SessionCall call) {
        if (!LogFile.empty()) AppendLogLine(LogFile, call.ToText());
        calls.push_back(std::move(call));
        SessionAnswer answer;
        const SessionCall& recorded = calls.back();
        auto found = answers.find(recorded.name);
        if (found != answers.end()) answer = found->second;
        if (!recorded.texts.empty()) {
            auto forText = textAnswers.find({recorded.name, recorded.texts.front()});
            if (forText != textAnswers.end()) answer = forText->second;
        }
        SetLastError(answer.error);
        return answer.result;
    }
};

}  // namespace kvtest
