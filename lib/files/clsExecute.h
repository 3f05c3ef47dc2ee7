#pragma once
// Starts a program or opens a document, optionally waits for a started program and keeps its
// exit code. EXE, COM and BAT files become processes with the chosen window state, position
// and size; every other file is opened by the shell with its associated program.
#include <windows.h>

#include <string>

namespace kv {

enum enuSysWaitMode : long {
    conSWM_NoWait = 0,    // return at once
    conSWM_Wait = 1,      // wait, keeping the caller's window messages flowing
    conSWM_WaitDead = 2,  // wait, blocking
};

// Passed to the system as the window show command unchanged.
enum enuSysViewMode : long {
    conSVN_Hide = 0,
    conSVN_Normal = 1,
    conSVN_Minimized = 2,
    conSVN_Maximized = 3,
    conSVN_NormalNoFocus = 4,
    conSVN_MinimizedNoFocus = 6,
};

// The start-up record of a process: show command always; position when lngLeft or lngTop is
// not -1; size when lngWidth or lngHeight is not -1.
STARTUPINFOW StartupRecordFor(long lngViewMode, long lngLeft, long lngTop, long lngWidth, long lngHeight);

class clsExecute {
public:
    static constexpr const wchar_t* conModule = L"clsExecute";

    // The exit code of the last program started and waited for; raises -52010 while
    // WaitMode is conSWM_NoWait.
    long ExitCode() const;

    enuSysWaitMode WaitMode() const { return waitMode_; }
    void WaitMode(enuSysWaitMode value) { waitMode_ = value; }
    enuSysViewMode ViewMode() const { return viewMode_; }
    void ViewMode(enuSysViewMode value) { viewMode_ = value; }
    const std::wstring& Program() const { return program_; }
    void Program(const std::wstring& value) { program_ = value; }
    const std::wstring& Parameters() const { return parameters_; }
    void Parameters(const std::wstring& value) { parameters_ = value; }
    const std::wstring& InitDir() const { return initDir_; }
    void InitDir(const std::wstring& value) { initDir_ = value; }
    // Window position and size in pixels; -1 leaves the choice to the system.
    long Top() const { return top_; }
    void Top(long value) { top_ = value; }
    long Left() const { return left_; }
    void Left(long value) { left_ = value; }
    long Width() const { return width_; }
    void Width(long value) { width_ = value; }
    long Height() const { return height_; }
    void Height(long value) { height_ = value; }

    // Non-empty arguments replace Program and Parameters first. Raises -52008 (no program),
    // -52009 (not found), -52011 (the system refused to start it) or the shell's error.
    void Run(const std::wstring& strProgram = L"", const std::wstring& strParameters = L"");

private:
    // Starts an EXE, COM or BAT file; returns the exit code read (0 when not waited).
    long StartProcess(const std::wstring& strProgram) const;
    void OpenDocument(const std::wstring& strDocument) const;

    long exitCode_ = 0;
    enuSysWaitMode waitMode_ = conSWM_NoWait;
    enuSysViewMode viewMode_ = conSVN_Normal;
    std::wstring program_;
    std::wstring parameters_;
    std::wstring initDir_;
    long top_ = -1;
    long left_ = -1;
    long width_ = -1;
    long height_ = -1;
};

}  // namespace kv
