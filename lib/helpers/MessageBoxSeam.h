#pragma once
// Every message box and question of the system goes through this one interface, so that
// tests can answer them and record what was asked. The real one shows a real box.
#include <windows.h>
#include <string>

namespace kv {

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Same contract as MessageBoxW: returns the button chosen (IDOK, IDYES, ...).
    virtual int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) = 0;
};

// The seam in use (the real message box unless a test installed another).
IMessageBox& MessageBoxes();
// Installs a replacement; nullptr restores the real message box. Returns the previous one.
IMessageBox* SetMessageBoxes(IMessageBox* replacement);

}  // namespace kv
