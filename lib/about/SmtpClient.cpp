#include "SmtpClient.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>

#include "KVError.h"
#include "LastError.h"
#include "TlsChannel.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr size_t conMaxReplyLine = 4096;
constexpr int conMaxReplyLines = 100;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size > 0 ? size : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::string Base64(const std::string& data) {
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < data.size(); i += 3) {
        unsigned n = static_cast<unsigned char>(data[i]) << 16;
        if (i + 1 < data.size()) n |= static_cast<unsigned char>(data[i + 1]) << 8;
        if (i + 2 < data.size()) n |= static_cast<unsigned char>(data[i + 2]);
        out += digits[(n >> 18) & 63];
        out += digits[(n >> 12) & 63];
        out += i + 1 < data.size() ? digits[(n >> 6) & 63] : '=';
        out += i + 2 < data.size() ? digits[n & 63] : '=';
    }
    return out;
}

// A header value: plain ASCII as it is, anything else as an RFC 2047 encoded word.
std::string HeaderText(const std::wstring& text) {
    std::string utf8 = Utf8(text);
    bool ascii = true;
    for (unsigned char c : utf8) ascii = ascii && c >= 32 && c < 127;
    return ascii ? utf8 : "=?UTF-8?B?" + Base64(utf8) + "?=";
}

// Quoted-printable lines of at most 76 characters; line breaks of the text become CRLF, and
// a line starting with "." gets it doubled (the transparency of DATA).
std::string BodyText(const std::wstring& text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out, line;
    auto endLine = [&](bool soft) {
        if (soft) line += '=';
        if (!line.empty() && line[0] == '.') line.insert(0, 1, '.');
        out += line + "\r\n";
        line.clear();
    };
    const std::string utf8 = Utf8(text);
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            // Trailing blanks would be dropped on the way: encoded.
            if (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
                char blank = line.back();
                line.pop_back();
                line += '=';
                line += hex[blank >> 4];
                line += hex[blank & 15];
            }
            endLine(false);
            continue;
        }
        std::string piece;
        if ((c >= 33 && c <= 126 && c != '=') || c == ' ' || c == '\t') {
            piece = static_cast<char>(c);
        } else {
            piece = {'=', hex[c >> 4], hex[c & 15]};
        }
        if (line.size() + piece.size() > 75) endLine(true);
        line += piece;
    }
    if (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line += "=";
    if (!line.empty()) endLine(false);
    return out;
}

class Connection {
public:
    Connection(const SmtpSettings& settings) : settings_(settings) {}
    ~Connection() {
        tls_.reset();
        if (socket_ != INVALID_SOCKET) closesocket(socket_);
    }

    void Open() {
        ADDRINFOW hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        ADDRINFOW* found = nullptr;
        const std::wstring port = kv::DecimalText(settings_.Port);
        if (int code = GetAddrInfoW(settings_.Server.c_str(), port.c_str(), &hints, &found)) RaiseApiError(code);
        std::unique_ptr<ADDRINFOW, void(WINAPI*)(ADDRINFOW*)> addresses(found, FreeAddrInfoW);
        long lastError = WSAEHOSTUNREACH;
        for (ADDRINFOW* a = found; a; a = a->ai_next) {
            SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
            if (s == INVALID_SOCKET) {
                lastError = WSAGetLastError();
                continue;
            }
            if (ConnectWithin(s, a->ai_addr, static_cast<int>(a->ai_addrlen), lastError)) {
                socket_ = s;
                break;
            }
            closesocket(s);
        }
        if (socket_ == INVALID_SOCKET) RaiseApiError(lastError);
        DWORD timeout = static_cast<DWORD>(TimeoutMs());
        setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
        setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    }

    void StartTls() {
        tls_ = std::make_unique<TlsChannel>();
        tls_->Handshake(socket_, settings_.Server);
        pending_.clear();
    }

    bool Encrypted() const { return tls_ != nullptr; }

    void Send(const std::string& data) {
        if (tls_) {
            tls_->Send(data);
            return;
        }
        for (size_t done = 0; done < data.size();) {
            int sent = send(socket_, data.data() + done, static_cast<int>(data.size() - done), 0);
            if (sent <= 0) RaiseApiError(sent == 0 ? WSAECONNRESET : WSAGetLastError());
            done += static_cast<size_t>(sent);
        }
    }

    // One reply (all its lines); the code and the lines' texts.
    int Reply(std::string& text) {
        text.clear();
        for (int lines = 0; lines < conMaxReplyLines; ++lines) {
            std::string line = Line();
            if (line.size() < 3) RaiseProtocolError(line);
            int code = std::atoi(line.substr(0, 3).c_str());
            if (code < 100 || code > 599) RaiseProtocolError(line);
            if (!text.empty()) text += "\n";
            text += line.size() > 4 ? line.substr(4) : "";
            if (line.size() == 3 || line[3] == ' ') return code;
            if (line[3] != '-') RaiseProtocolError(line);
        }
        RaiseProtocolError(text);
    }

    // Sends the command (when given) and raises unless the reply's code is the expected one.
    std::string Command(const std::string& command, int expected) {
        if (!command.empty()) Send(command + "\r\n");
        std::string text;
        int code = Reply(text);
        if (code != expected) throw KVError(code, L"SMTP: " + kv::DecimalText(code) + L" " + Wide(text));
        return text;
    }

private:
    long TimeoutMs() const { return (settings_.TimeoutSeconds > 0 ? settings_.TimeoutSeconds : 30) * 1000L; }

    bool ConnectWithin(SOCKET s, const sockaddr* address, int length, long& error) {
        u_long nonBlocking = 1;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        if (connect(s, address, length) != 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
            error = WSAGetLastError();
            return false;
        }
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval wait{static_cast<long>(TimeoutMs() / 1000), static_cast<long>(TimeoutMs() % 1000) * 1000};
        int ready = select(0, nullptr, &writable, &failed, &wait);
        if (ready <= 0) {
            error = ready == 0 ? WSAETIMEDOUT : WSAGetLastError();
            return false;
        }
        int soError = 0, size = sizeof(soError);
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &size);
        if (FD_ISSET(s, &failed) || soError) {
            error = soError ? soError : WSAECONNREFUSED;
            return false;
        }
        nonBlocking = 0;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        return true;
    }

    std::string Line() {
        for (;;) {
            size_t end = pending_.find("\r\n");
            if (end != std::string::npos) {
                std::string line = pending_.substr(0, end);
                pending_.erase(0, end + 2);
                return line;
            }
            if (pending_.size() > conMaxReplyLine) RaiseProtocolError(pending_.substr(0, 80));
            if (!ReadMore()) RaiseApiError(WSAECONNRESET);
        }
    }

    bool ReadMore() {
        if (tls_) return tls_->Receive(pending_);
        char chunk[1024];
        int got = recv(socket_, chunk, sizeof(chunk), 0);
        if (got < 0) RaiseApiError(WSAGetLastError());
        pending_.append(chunk, static_cast<size_t>(got));
        return got > 0;
    }

    [[noreturn]] static void RaiseProtocolError(const std::string& line) {
        throw KVError(WSAEPROTONOSUPPORT, L"SMTP: unerwartete Antwort \"" + Wide(line) + L"\"");
    }

    const SmtpSettings& settings_;
    SOCKET socket_ = INVALID_SOCKET;
    std::unique_ptr<TlsChannel> tls_;
    std::string pending_;  // received, not yet read
};

// Whether an EHLO reply names the extension (a line "NAME" or "NAME args").
bool Offers(const std::string& ehlo, const std::string& name, std::string* arguments = nullptr) {
    size_t start = 0;
    while (start <= ehlo.size()) {
        size_t end = ehlo.find('\n', start);
        std::string line = ehlo.substr(start, end == std::string::npos ? std::string::npos : end - start);
        for (char& c : line) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        if (line.compare(0, name.size(), name) == 0 && (line.size() == name.size() || line[name.size()] == ' ')) {
            if (arguments) *arguments = line.substr(name.size());
            return true;
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

std::string DateHeader() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    static constexpr const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // Written out by hand: the C library's formatting would double the component's size.
    auto two = [](unsigned n) { return std::string{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)}; };
    return std::string(days[now.wDayOfWeek % 7]) + ", " + two(now.wDay) + " " + months[(now.wMonth + 11) % 12] + " " +
           std::to_string(now.wYear) + " " + two(now.wHour) + ":" + two(now.wMinute) + ":" + two(now.wSecond) +
           " +0000";
}

class WinsockStart {
public:
    WinsockStart() {
        WSADATA data;
        if (int code = WSAStartup(MAKEWORD(2, 2), &data)) RaiseApiError(code);
    }
    ~WinsockStart() { WSACleanup(); }
};

// An address as it goes into MAIL FROM / RCPT TO: without line breaks or angle brackets.
std::string Address(const std::wstring& address) {
    std::string text = Utf8(address);
    for (char c : text)
        if (c == '\r' || c == '\n' || c == '<' || c == '>' || c == ' ')
            throw KVError(WSAEINVAL, L"SMTP: ungültige Adresse \"" + address + L"\"");
    return "<" + text + ">";
}

}  // namespace

std::string MailData(const MailMessage& message, const std::string& strDate) {
    return "From: " + Utf8(message.Sender) + "\r\nTo: " + Utf8(message.Target) + "\r\nSubject: " +
           HeaderText(message.Subject) + "\r\nDate: " + strDate +
           "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
           "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
           BodyText(message.Body);
}

void SendMail(const SmtpSettings& settings, const MailMessage& message) {
    const std::string from = Address(message.Sender), to = Address(message.Target);
    WinsockStart winsock;
    Connection smtp(settings);
    smtp.Open();
    smtp.Command("", 220);
    std::string ehlo = smtp.Command("EHLO localhost", 250);
    if (Offers(ehlo, "STARTTLS")) {
        smtp.Command("STARTTLS", 220);
        smtp.StartTls();
        ehlo = smtp.Command("EHLO localhost", 250);
    }
    if (!settings.User.empty()) {
        // A password never crosses the network in the clear.
        if (!Offers(ehlo, "STARTTLS") && !smtp.Encrypted())
            throw KVError(WSAEOPNOTSUPP, L"SMTP: der Server bietet keine Verschlüsselung (STARTTLS) für die Anmeldung an.");
        std::string mechanisms;
        Offers(ehlo, "AUTH", &mechanisms);
        const std::string user = Utf8(settings.User), password = Utf8(settings.Password);
        if (mechanisms.find(" PLAIN") != std::string::npos) {
            smtp.Command("AUTH PLAIN " + Base64(std::string(1, '\0') + user + std::string(1, '\0') + password), 235);
        } else if (mechanisms.find(" LOGIN") != std::string::npos) {
            smtp.Command("AUTH LOGIN", 334);
            smtp.Command(Base64(user), 334);
            smtp.Command(Base64(password), 235);
        } else {
            throw KVError(WSAEOPNOTSUPP, L"SMTP: der Server bietet keine Anmeldung mit PLAIN oder LOGIN an.");
        }
    }
    smtp.Command("MAIL FROM:" + from, 250);
    std::string text;
    smtp.Send("RCPT TO:" + to + "\r\n");
    int code = smtp.Reply(text);
    if (code != 250 && code != 251) throw KVError(code, L"SMTP: " + kv::DecimalText(code) + L" " + Wide(text));
    smtp.Command("DATA", 354);
    smtp.Send(MailData(message, DateHeader()) + ".\r\n");
    smtp.Command("", 250);
    // The message is accepted; a failing goodbye changes nothing.
    try {
        smtp.Command("QUIT", 221);
    } catch (const KVError&) {
    }
}

}  // namespace kv
