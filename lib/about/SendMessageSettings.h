#pragma once
// What a message to the maker reads from the user's registry (the key
// Software\<Company>\Common\SendMessage): the stored choice of the way and the mail server
// of direct sending.
#include <string>

#include "SmtpClient.h"

namespace kv {

enum enuSendWay : long { conSW_None = 0, conSW_MailProgram = 1, conSW_Direct = 2 };

struct SendChoice {
    long NeverAsk = 0;   // non-zero: take CurAnswer without asking
    long CurAnswer = 0;  // the way chosen last (enuSendWay)
};

// A missing, empty or unreadable value reads as 0.
SendChoice ReadSendChoice();
void WriteSendChoice(const SendChoice& choice);

// "SmtpServer" (default: "mail." + the domain of the maker's address), "SmtpPort" (587),
// "SmtpUser" (none), "SmtpTimeout" (seconds, 30) and "SmtpSender" (the sender's address;
// default "kelvorestart@" + that domain). The password of a user is the generic Windows
// credential "Tormel/SMTP/" + server, never a registry value.
struct DirectSendSettings {
    SmtpSettings Smtp;
    std::wstring Sender;
};
DirectSendSettings ReadDirectSendSettings();

}  // namespace kv
