#pragma once
// The product web server of the version-check tests: version_server.py (a Unix program that
// Wine starts) on a free port of 127.0.0.1, serving the version files of versionfiles/ by
// case ("http://127.0.0.1:<port>/<case>" is the server address a test sets). Its own
// requests (/count, /quit) go through WinHTTP directly, not through the code under test.
#include <winsock2.h>
#include <windows.h>
#include <winhttp.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Waiting.h"

namespace kvtest {

class VersionServer {
public:
    // Starts the server and waits (bounded) until it answers.
    void Start() {
        port_ = FreePort();
        ASSERT_NE(port_, 0) << "no free port";
        std::wstring line = L"python3 " + Widened(KV_VERSION_SERVER_SCRIPT) + L" " + std::to_wstring(port_);
        // The server ends on /quit.
        ASSERT_TRUE(StartUnixProgram(L"Z:\\usr\\bin\\python3", line)) << "python3: " << GetLastError();
        ASSERT_TRUE(WaitUntil([&] { return Get(L"/count/none").has_value(); }, 10000, 100))
            << "the version server did not start";
    }

    void Stop() {
        if (port_) Get(L"/quit");
        port_ = 0;
    }

    // The server address of a case.
    std::wstring Address(const std::wstring& strCase) const {
        return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/" + strCase;
    }

    unsigned short Port() const { return port_; }

    // How often the version file of a case was asked for.
    int Requests(const std::wstring& strCase) const {
        auto body = Get(L"/count/" + strCase);
        return body ? std::stoi(*body) : -1;
    }

private:
    static std::wstring Widened(const char* text) {
        std::wstring wide;
        for (const char* c = text; *c; ++c) wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        return wide;
    }

    static unsigned short FreePort() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
        unsigned short port = 0;
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof address;
        if (s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port = ntohs(address.sin_port);
        if (s != INVALID_SOCKET) closesocket(s);
        WSACleanup();
        return port;
    }

    // A short synchronous GET of the server; nothing when it does not answer 200.
    std::optional<std::string> Get(const std::wstring& path) const {
        std::optional<std::string> body;
        HINTERNET session = WinHttpOpen(L"test", WINHTTP_ACCESS_TYPE_NO_PROXY, nullptr, nullptr, 0);
        HINTERNET connection = session ? WinHttpConnect(session, L"127.0.0.1", port_, 0) : nullptr;
        HINTERNET request = connection ? WinHttpOpenRequest(connection, L"GET", path.c_str(), nullptr, nullptr,
                                                            nullptr, 0)
                                       : nullptr;
        if (request) WinHttpSetTimeouts(request, 2000, 2000, 2000, 5000);
        DWORD status = 0, size = sizeof status;
        if (request && WinHttpSendRequest(request, nullptr, 0, nullptr, 0, 0, 0) &&
            WinHttpReceiveResponse(request, nullptr) &&
            WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, nullptr, &status,
                                &size, nullptr) &&
            status == 200) {
            std::string text;
            char buffer[256];
            DWORD read = 0;
            while (WinHttpReadData(request, buffer, sizeof buffer, &read) && read > 0) text.append(buffer, read);
            body = text;
        }
        for (HINTERNET h : {request, connection, session})
            if (h) WinHttpCloseHandle(h);
        return body;
    }

    unsigned short port_ = 0;
};

}  // namespace kvtest
