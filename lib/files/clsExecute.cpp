#include "clsExecute.h"

#include <shellapi.h>

#include <optional>
#include <vector>

#include "FilePaths.h"
#include "FilesMain.h"
#include "MessagePump.h"
#include "LastError.h"
#include "Owned.h"

namespace kv {

namespace {

// A plain file as a directory listing with normal attributes shows it: no folders, no hidden
// or system files.
bool IsNormalFile(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool HasWildcards(const std::wstring& name) { return name.find_first_of(L"*?") != std::wstring::npos; }

// The first normal file matching a pattern.
std::optional<std::wstring> FirstNormalFile(const std::wstring& pattern) {
    WIN32_FIND_DATAW found{};
    OwnedFindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return std::nullopt;
    do {
        if (IsNormalFile(found.dwFileAttributes)) return std::wstring(found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
    return std::nullopt;
}

// The file a program name stands for, with its full path so that the file checked here is
// the file started (a relative name is otherwise searched along the system's own path).
// A name without extension takes the first file of that name with any extension.
std::optional<std::wstring> ResolveProgram(const std::wstring& program) {
    if (HasWildcards(program)) return std::nullopt;
    std::wstring folder, file, extension;
    FilesMain().SplitFilename(program, folder, file, extension);
    std::wstring resolved = program;
    if (extension.empty()) {
        std::optional<std::wstring> match = FirstNormalFile(folder + file + L".*");
        if (!match) return std::nullopt;
        resolved = folder + *match;
    }
    DWORD attributes = GetFileAttributesW(resolved.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !IsNormalFile(attributes)) return std::nullopt;

    return files::FullPath(resolved);
}

bool IsStartedAsProcess(const std::wstring& program) {
    std::wstring folder, file, extension;
    FilesMain().SplitFilename(program, folder, file, extension);
    CharUpperBuffW(extension.data(), static_cast<DWORD>(extension.size()));
    return extension == L"EXE" || extension == L"COM" || extension == L"BAT";
}

const wchar_t* OrNull(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

// Waits for the process while dispatching the thread's messages, so the caller's windows
// stay responsive. Waiting on the handle rather than polling the exit code neither spins
// nor mistakes a program that ends with code 259 (STILL_ACTIVE) for a running one.
void WaitDispatchingMessages(HANDLE process) {
    files::MessagePump pump;
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) break;
        RaiseLastErrorIf(woken != WAIT_OBJECT_0 + 1);
        pump.DispatchPending();
    }
}

long ReadExitCode(HANDLE process) {
    DWORD code = 0;
    RaiseLastErrorIf(!GetExitCodeProcess(process, &code));
    return static_cast<long>(code);
}

}  // namespace

STARTUPINFOW StartupRecordFor(long lngViewMode, long lngLeft, long lngTop, long lngWidth, long lngHeight) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(lngViewMode);
    if (lngLeft != -1 || lngTop != -1) {
        si.dwFlags |= STARTF_USEPOSITION;
        si.dwX = static_cast<DWORD>(lngLeft);
        si.dwY = static_cast<DWORD>(lngTop);
    }
    if (lngWidth != -1 || lngHeight != -1) {
        si.dwFlags |= STARTF_USESIZE;
        si.dwXSize = static_cast<DWORD>(lngWidth);
        si.dwYSize = static_cast<DWORD>(lngHeight);
    }
    return si;
}

long clsExecute::ExitCode() const {
    try {
        if (waitMode_ == conSWM_NoWait) FilesMain().GenerateError(-52010);
        return exitCode_;
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"ExitCode", e);
    }
}

void clsExecute::Run(const std::wstring& strProgram, const std::wstring& strParameters) {
    try {
        if (!strProgram.empty()) program_ = strProgram;
        if (!strParameters.empty()) parameters_ = strParameters;
        if (program_.empty()) FilesMain().GenerateError(-52008);

        std::optional<std::wstring> resolved = ResolveProgram(program_);
        if (!resolved) FilesMain().GenerateError(-52009, program_);

        if (IsStartedAsProcess(*resolved)) {
            exitCode_ = StartProcess(*resolved);
        } else {
            OpenDocument(*resolved);
        }
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"Run", e);
    }
}

long clsExecute::StartProcess(const std::wstring& strProgram) const {
    STARTUPINFOW si = StartupRecordFor(viewMode_, left_, top_, width_, height_);
    // Quoted, so that a path with blanks cannot start a different program sitting at one of
    // its blanks. CreateProcessW may write into the command line: give it a copy.
    std::wstring line = L"\"" + strProgram + L"\" " + parameters_;
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');

    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                        nullptr, OrNull(initDir_), &si, &pi)) {
        FilesMain().GenerateError(-52011, program_);
    }
    OwnedHandle process(pi.hProcess);
    OwnedHandle thread(pi.hThread);

    switch (waitMode_) {
        case conSWM_Wait:
            WaitDispatchingMessages(process.Get());
            return ReadExitCode(process.Get());
        case conSWM_WaitDead:
            RaiseLastErrorIf(WaitForSingleObject(process.Get(), INFINITE) == WAIT_FAILED);
            return ReadExitCode(process.Get());
        default:
            return 0;
    }
}

void clsExecute::OpenDocument(const std::wstring& strDocument) const {
    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof sei;
    // Failures are raised to the caller, not shown by the shell.
    sei.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    sei.lpFile = strDocument.c_str();
    sei.lpParameters = OrNull(parameters_);
    sei.lpDirectory = OrNull(initDir_);
    sei.nShow = static_cast<int>(viewMode_);
    BOOL opened = ShellExecuteExW(&sei);
    INT_PTR result = reinterpret_cast<INT_PTR>(sei.hInstApp);
    if (opened && result > 32) return;
    // The shell's result code; 0 stands for "out of memory or resources".
    long code = result <= 32 ? static_cast<long>(result) : static_cast<long>(GetLastError());
    if (code == 0) code = ERROR_NOT_ENOUGH_MEMORY;
    RaiseApiError(code);
}

}  // namespace kv
