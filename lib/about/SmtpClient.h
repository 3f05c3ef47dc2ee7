#pragma once
// The mail-sending component of direct messages: one message over SMTP on the platform's
// sockets. EHLO, STARTTLS when the server offers it, AUTH PLAIN or LOGIN when a user name
// is given, the body as UTF-8 (quoted-printable) with its MIME headers, dot-stuffed lines
// ending in CRLF. Every wait is bounded by the timeout.
#include <string>

namespace kv {

struct SmtpSettings {
    std::wstring Server;
    long Port = 587;
    std::wstring User;  // empty: no authentication
    std::wstring Password;
    long TimeoutSeconds = 30;
};

struct MailMessage {
    std::wstring Sender;
    std::wstring Target;
    std::wstring Subject;
    std::wstring Body;
};

// Sends the message or raises: a refusal as the server's reply code with its text
// ("SMTP: " + reply), a socket or TLS failure as the API error of the failed call.
void SendMail(const SmtpSettings& settings, const MailMessage& message);

// The message as it goes after DATA (headers, blank line, encoded body, dot-stuffed, CRLF
// lines, without the final "."); date given as the header's text.
std::string MailData(const MailMessage& message, const std::string& strDate);

}  // namespace kv
