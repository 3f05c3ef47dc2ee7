#pragma once
// "Nachricht senden": the message to the maker written in a form of its own and sent by
// the SMTP client on a worker thread, so the form stays responsive; while it is under way
// the form cannot be closed. Success closes the form, a failure keeps it open.
#include <windows.h>

#include <string>

#include "Owned.h"
#include "SendMessageSettings.h"
#include "SmtpClient.h"
#include "WindowBase.h"

namespace kv {

class frmDirectSend : private WindowBase {
public:
    enum : int {
        conTxtTarget = 101,
        conOptError,
        conOptCriticism,
        conOptGeneral,
        conOptPraise,
        conOptQuestion,
        conTxtMessage,
        conTxtSystem,
        conTxtAdditional,
    };
    static constexpr const wchar_t* conCaption = L"Nachricht senden";

    frmDirectSend();
    ~frmDirectSend() override;

    // Modal; returns when the message was sent or the user cancelled.
    void Show(HWND owner, const std::wstring& strTarget, const std::wstring& strDescription);

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void Submit();
    void Finished();
    void WaitForWorker();
    void EnableInput(bool blnEnabled);
    std::wstring Text(int id) const;

    std::wstring target_, description_;
    static DWORD WINAPI Work(void* self);

    // What the worker thread is given and leaves; the form reads it once the thread ended.
    SmtpSettings smtp_;
    MailMessage message_;
    OwnedHandle worker_;
    bool sending_ = false;
    bool failed_ = false;
    long errorNumber_ = 0;
    std::wstring errorDescription_;
};

}  // namespace kv
