#pragma once
// One hotkey: the action's text as the main list shows it and its six-digit key code.
#include <string>

namespace kvr {

struct clsShortcutData {
    std::wstring Action;
    std::wstring Key;
};

}  // namespace kvr
