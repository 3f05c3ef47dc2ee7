#include "HooksMain.h"

#include <windows.h>

namespace kv {

clsMain& HooksMain() {
    static clsMain main;
    return main;
}

long GetShiftState() {
    const auto held = [](int key) { return GetAsyncKeyState(key) < 0; };
    return (held(VK_SHIFT) ? conShiftMask : 0) | (held(VK_CONTROL) ? conCtrlMask : 0) |
           (held(VK_MENU) ? conAltMask : 0) | (held(VK_LWIN) ? vbWinMask : 0);
}

}  // namespace kv
