#pragma once
// One hooked pair of a clsSubClass: a window and one of its messages.
#include <windows.h>

namespace kv {

struct clsHookData {
    long Message = 0;
    HWND hWnd = nullptr;
    bool operator==(const clsHookData&) const = default;
};

}  // namespace kv
