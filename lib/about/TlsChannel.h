#pragma once
// TLS over a connected socket through Schannel, for STARTTLS: the handshake (the server's
// certificate checked against the host name by Schannel), then encrypted sends and receives.
#include <winsock2.h>
#define SECURITY_WIN32
#include <security.h>

#include <string>

namespace kv {

class TlsChannel {
public:
    TlsChannel() = default;
    ~TlsChannel();
    TlsChannel(const TlsChannel&) = delete;
    TlsChannel& operator=(const TlsChannel&) = delete;

    // Raises the failing call's error; the socket's timeouts bound every wait.
    void Handshake(SOCKET socket, const std::wstring& strHost);
    void Send(const std::string& data);
    // Appends what arrives to plain; false when the server closed the connection.
    bool Receive(std::string& plain);

private:
    // Reads more encrypted bytes into incoming_; false when the connection closed.
    bool ReadMore();
    void SendRaw(const char* data, size_t size);

    SOCKET socket_ = INVALID_SOCKET;
    CredHandle credentials_{};
    CtxtHandle context_{};
    bool haveCredentials_ = false;
    bool haveContext_ = false;
    SecPkgContext_StreamSizes sizes_{};
    std::string incoming_;  // encrypted bytes not yet decrypted
};

}  // namespace kv
