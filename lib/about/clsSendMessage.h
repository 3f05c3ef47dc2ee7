#pragma once
// A message to the program's maker, through the default mail program ("mailto:") or the
// form of direct sending, with a short system description attached. Which way: asked in
// frmSendQuestion, unless the user chose not to be asked again.
#include <windows.h>

#include <string>

namespace kv {

class clsSendMessage {
public:
    // Empty: the maker contact record's address.
    std::wstring EmailAddress() const { return email_; }
    void EmailAddress(const std::wstring& strEmailAddress) { email_ = strEmailAddress; }
    bool Freeware() const { return freeware_; }
    void Freeware(bool blnFreeware) { freeware_ = blnFreeware; }

    // The window the forms belong to (nullptr: the active window of the thread).
    HWND Owner() const { return owner_; }
    void Owner(HWND hwndOwner) { owner_ = hwndOwner; }

    // Raises -52013 while the application identity is not set. Every other failure is
    // shown to the user and ends the call.
    void Send();
    // True while a Shift key is held down.
    bool ShiftPressed() const;

    // The address used: EmailAddress or the contact record's.
    std::wstring Target() const;

private:
    void OpenMailProgram(HWND owner) const;

    std::wstring email_;
    bool freeware_ = false;
    HWND owner_ = nullptr;
};

}  // namespace kv
