#pragma once
// Program-wide state of one run, read and written by the modules of the program.
// Everything runs on the one user-interface thread, so nothing here is locked.
#include <string>

namespace kvr {

enum class RunMode {
    Resident,      // no command line: tray icon and timers
    CommandLine,   // one action from the command line, then the end
    Dialog,        // /T:4: the main window, then the end
};

struct ProgramState {
    RunMode Mode = RunMode::Resident;
    bool QuitFlag = false;
    // Settings held for the run (their registry names and defaults live with ReadSetting).
    bool SwitchOff = false;
};

ProgramState& State();

}  // namespace kvr
