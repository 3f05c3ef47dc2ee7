#pragma once
// The hotkey manager: every key release of the desktop, from the system hook, goes to
// HandleKeys with the shift state of its moment. One exists while the program runs resident.
#include "clsSystemHook.h"

namespace kvr {

class clsKeyHook final : private kv::clsSystemHookEvents {
public:
    clsKeyHook();   // switches the keyboard hook on (never the mouse)

private:
    void KeyDown(long lngKeyCode, long lngShift) override;
    void KeyUp(long lngKeyCode, long lngShift) override;

    kv::clsSystemHook mobjKeys;
};

// Creates the manager once (a rebuild after a refused exit keeps it) and loads the hotkeys;
// the next Quit releases both.
void StartKeyHook();
bool KeyHookRunning();

}  // namespace kvr
