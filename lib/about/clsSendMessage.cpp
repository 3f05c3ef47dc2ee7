#include "clsSendMessage.h"

#include <shellapi.h>

#include "AboutMain.h"
#include "LastError.h"
#include "MessageBoxSeam.h"
#include "SendMessageSettings.h"
#include "SendMessageText.h"
#include "clsPersonalData.h"
#include "clsVersionGlobal.h"
#include "frmDirectSend.h"
#include "frmSendQuestion.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr const wchar_t* conModule = L"clsSendMessage";

}  // namespace

std::wstring clsSendMessage::Target() const { return email_.empty() ? clsPersonalData().EmailAddress() : email_; }

bool clsSendMessage::ShiftPressed() const { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

void clsSendMessage::OpenMailProgram(HWND owner) const {
    const std::wstring address = MailtoAddress(Target(), clsVersionGlobal().InfoApplication(), SystemDescription());
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // At most 32 is a failure; the small numbers are Windows error codes.
    if (result <= 32) RaiseApiError(result ? static_cast<long>(result) : ERROR_OUTOFMEMORY);
}

void clsSendMessage::Send() {
    try {
        clsVersionGlobal().CheckIdentity();
    } catch (const KVError& error) {
        AboutMain().ForwardError(conAboutProject, conModule, L"Send", error);
    }
    HWND owner = owner_ ? owner_ : GetActiveWindow();
    try {
        SendChoice choice = ReadSendChoice();
        long way = choice.CurAnswer;
        if (!choice.NeverAsk || (way != conSW_MailProgram && way != conSW_Direct)) {
            frmSendQuestion::Answer answer = frmSendQuestion().Ask(owner, choice.CurAnswer);
            if (!answer.Confirmed) return;
            way = answer.Way;
            WriteSendChoice({answer.NeverAsk ? 1L : 0L, way});
        }
        if (way == conSW_MailProgram) {
            try {
                OpenMailProgram(owner);
            } catch (const KVError& error) {
                MessageBoxes().Show(owner,
                                    L"Das E-Mail-Programm konnte nicht geöffnet werden (" +
                                        kv::DecimalText(error.Number) + L"): " + error.Description,
                                    clsVersionGlobal().InfoApplication(), MB_OK | MB_ICONEXCLAMATION);
            }
        } else {
            frmDirectSend().Show(owner, Target(), SystemDescription());
        }
    } catch (const KVError& error) {
        AboutMain().ShowError(conAboutProject, conModule, L"Send", error);
    }
}

}  // namespace kv
