#include "frmDirectSend.h"

#include "AboutMain.h"
#include "DialogTemplate.h"
#include "LastError.h"
#include "MessageBoxSeam.h"
#include "SendMessageText.h"
#include "SmtpClient.h"
#include "clsVersionGlobal.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr UINT conMsgSent = WM_APP + 1;  // the worker is done

struct Reason {
    int id;
    const wchar_t* caption;
};
constexpr Reason conReasons[] = {{frmDirectSend::conOptError, L"F&ehler"},
                                 {frmDirectSend::conOptCriticism, L"&Kritik"},
                                 {frmDirectSend::conOptGeneral, L"&Allgemein"},
                                 {frmDirectSend::conOptPraise, L"&Lob"},
                                 {frmDirectSend::conOptQuestion, L"&Frage"}};

int Box(HWND owner, const std::wstring& text, UINT style) {
    return MessageBoxes().Show(owner, text, clsVersionGlobal().InfoApplication(), style);
}

}  // namespace

frmDirectSend::frmDirectSend() : WindowBase(conAboutProject, L"frmDirectSend") {}

frmDirectSend::~frmDirectSend() { WaitForWorker(); }

void frmDirectSend::WaitForWorker() {
    // The worker's waits are bounded by the mail server's timeout.
    if (worker_) WaitForSingleObject(worker_.Get(), INFINITE);
    worker_.Reset();
}

void frmDirectSend::Show(HWND owner, const std::wstring& strTarget, const std::wstring& strDescription) {
    target_ = strTarget;
    description_ = strDescription;
    using T = DialogTemplate;
    T t(DS_MODALFRAME | DS_CENTER | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 300, 262, conCaption);
    t.Add(T::conStatic, SS_LEFT, 0, 8, 10, 60, 9, -1, L"&Zieladresse:");
    t.Add(T::conEdit, ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE, 70, 8, 222, 12, conTxtTarget);
    t.Add(T::conButton, BS_GROUPBOX, 0, 8, 26, 284, 24, -1, L"Grund");
    short x = 16;
    for (const Reason& reason : conReasons) {
        t.Add(T::conButton, BS_AUTORADIOBUTTON | (reason.id == conOptError ? WS_GROUP | WS_TABSTOP : 0), 0, x, 36, 52,
              10, reason.id, reason.caption);
        x += 55;
    }
    t.Add(T::conStatic, SS_LEFT, 0, 8, 56, 284, 9, -1, L"&Nachricht:");
    t.Add(T::conEdit, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8,
          66, 284, 70, conTxtMessage);
    t.Add(T::conStatic, SS_LEFT, 0, 8, 140, 284, 9, -1, L"&Mitgesendete Informationen:");
    t.Add(T::conEdit, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8,
          150, 284, 44, conTxtSystem);
    t.Add(T::conStatic, SS_LEFT, 0, 8, 198, 284, 9, -1, L"&Zusätzliche Informationen:");
    t.Add(T::conEdit, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 8,
          208, 284, 28, conTxtAdditional);
    t.Add(T::conButton, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 182, 242, 52, 14, IDOK, L"Abschic&ken");
    t.Add(T::conButton, BS_PUSHBUTTON | WS_TABSTOP, 0, 240, 242, 52, 14, IDCANCEL, L"Abbrechen");
    ShowModal(t.Get(), owner);
}

bool frmDirectSend::OnInit() {
    SetDlgItemTextW(Handle(), conTxtTarget, target_.c_str());
    SetDlgItemTextW(Handle(), conTxtSystem, description_.c_str());
    CheckRadioButton(Handle(), conOptError, conOptQuestion, conOptGeneral);
    SetFocus(Item(conTxtMessage));
    return false;
}

std::wstring frmDirectSend::Text(int id) const {
    HWND control = Item(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool frmDirectSend::OnCommand(int id, int, HWND) {
    switch (id) {
        case IDOK:
            if (!sending_) Submit();
            return true;
        case IDCANCEL:  // also the close box and Esc
            if (!sending_) EndModal(IDCANCEL);
            return true;
        default:
            return false;
    }
}

void frmDirectSend::Submit() {
    const std::wstring text = Text(conTxtMessage);
    if (text.empty()) {
        Box(Handle(), L"Es wurde kein Nachrichtentext angegeben.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::wstring reason = L"&Allgemein";
    for (const Reason& r : conReasons)
        if (IsDlgButtonChecked(Handle(), r.id) == BST_CHECKED) reason = r.caption;

    const DirectSendSettings settings = ReadDirectSendSettings();
    MailMessage message{settings.Sender, Text(conTxtTarget), DirectSubject(reason),
                        DirectBody(Text(conTxtSystem), Text(conTxtAdditional), text)};
    smtp_ = settings.Smtp;
    message_ = std::move(message);
    sending_ = true;
    EnableInput(false);
    worker_.Reset(CreateThread(nullptr, 0, &frmDirectSend::Work, this, 0, nullptr));
    if (!worker_) {
        const DWORD code = GetLastError();
        sending_ = false;
        EnableInput(true);
        RaiseApiError(static_cast<long>(code));
    }
}

DWORD WINAPI frmDirectSend::Work(void* self) {
    auto* form = static_cast<frmDirectSend*>(self);
    form->failed_ = false;
    try {
        SendMail(form->smtp_, form->message_);
    } catch (const KVError& error) {
        form->failed_ = true;
        form->errorNumber_ = error.Number;
        form->errorDescription_ = error.Description;
    } catch (...) {
        form->failed_ = true;
        form->errorNumber_ = E_FAIL;
        form->errorDescription_ = conUnexpectedErrorText;
    }
    PostMessageW(form->Handle(), conMsgSent, 0, 0);
    return 0;
}

bool frmDirectSend::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg != conMsgSent) return false;
    Finished();
    return true;
}

void frmDirectSend::Finished() {
    WaitForWorker();
    sending_ = false;
    if (!failed_) {
        Box(Handle(), L"Nachricht gesendet.", MB_OK | MB_ICONINFORMATION);
        EndModal(IDOK);
        return;
    }
    EnableInput(true);
    Box(Handle(),
        L"Nachricht konnte nicht gesendet werden (" + kv::DecimalText(errorNumber_) + L"): " + errorDescription_,
        MB_OK | MB_ICONEXCLAMATION);
}

void frmDirectSend::EnableInput(bool blnEnabled) {
    for (int id : {IDOK, IDCANCEL, static_cast<int>(conTxtMessage), static_cast<int>(conTxtAdditional)})
        EnableWindow(Item(id), blnEnabled);
    // The close box goes with Cancel.
    EnableMenuItem(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | (blnEnabled ? MF_ENABLED : MF_GRAYED));
    if (blnEnabled) SetFocus(Item(conTxtMessage));
}

}  // namespace kv
