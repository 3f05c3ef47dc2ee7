#pragma once
// Key codes of the hotkeys: six digits, the virtual key (3), "0", the shift state (2), and
// the German text the options page shows for them.
#include <string>

namespace kvr {

// Shift-state bits of a key code (as the system hook reports them).
inline constexpr long conKS_Shift = 1;
inline constexpr long conKS_Ctrl = 2;
inline constexpr long conKS_Alt = 4;
inline constexpr long conKS_Win = 8;

std::wstring CreateKeyCode(long lngKeyCode, long lngShift);
// The display text, e.g. "Strg + Alt + F1"; raises error 5 for a code that is not six digits.
std::wstring KeycodeToString(const std::wstring& strKeyCode);
// The inverse; "" for "". Raises error 5 for a key name it does not know.
std::wstring StringToKeycode(const std::wstring& strText);

// Whether a stored code has the six-digit form with a key up to 255 and a shift state up to 15.
bool IsKeyCode(const std::wstring& strKeyCode);
// The value two codes are compared by: a modifier used as the main key never counts its own
// bit (it is released, or still held on the other side, when its release arrives).
long KeyCodeValue(long lngKeyCode, long lngShift);
long KeyCodeValue(const std::wstring& strKeyCode);

}  // namespace kvr
