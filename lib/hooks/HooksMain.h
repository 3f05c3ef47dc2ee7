#pragma once
// What KVHooks shares: its project name, its one clsMain, and the shift state of its events.
#include "clsMain.h"

namespace kv {

inline constexpr const wchar_t* conHooksProject = L"KVHooks";

clsMain& HooksMain();

// Bits of the shift state passed with key and mouse events.
inline constexpr long conShiftMask = 1;
inline constexpr long conCtrlMask = 2;
inline constexpr long conAltMask = 4;
inline constexpr long vbWinMask = 8;   // the left Windows key; the right one sets no bit

// The live shift state of the keyboard (asynchronous key states of Shift, Ctrl, Alt and the
// left Windows key).
long GetShiftState();

}  // namespace kv
