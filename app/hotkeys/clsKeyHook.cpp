#include "hotkeys/clsKeyHook.h"

#include <memory>

#include "hotkeys/basShortcuts.h"
#include "program/basGlobals.h"
#include "program/basMain.h"

namespace kvr {

namespace {
std::unique_ptr<clsKeyHook> g_keyHook;
}

clsKeyHook::clsKeyHook() : mobjKeys(this) { mobjKeys.EnableKeyBoard(true); }

void clsKeyHook::KeyDown(long lngKeyCode, long) { NoteKeyDown(lngKeyCode); }

// An action performed here may end the program and this object with it: nothing follows.
void clsKeyHook::KeyUp(long lngKeyCode, long lngShift) { HandleKeys(lngKeyCode, lngShift); }

void StartKeyHook() {
    Forwarded(L"basMain", L"StartKeyHook", [] {
        if (!g_keyHook) {
            g_keyHook = std::make_unique<clsKeyHook>();
            AddQuitStep([] {
                DiscardShortcuts();
                g_keyHook.reset();
            });
        }
        ReadShortcuts();
    });
}

bool KeyHookRunning() { return g_keyHook != nullptr; }

}  // namespace kvr
