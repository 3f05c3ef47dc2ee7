#include "TlsChannel.h"

#include <schannel.h>

#include <vector>

#include "LastError.h"

namespace kv {

namespace {

// An encrypted record is at most 16 KB plus header and trailer; more is no TLS.
constexpr size_t conMaxIncoming = 64 * 1024;

void Check(SECURITY_STATUS status) {
    if (status != SEC_E_OK) RaiseApiError(status);
}

// A token Schannel allocated, freed on every path.
struct ContextBuffer {
    SecBuffer buffer{0, SECBUFFER_TOKEN, nullptr};
    ~ContextBuffer() {
        if (buffer.pvBuffer) FreeContextBuffer(buffer.pvBuffer);
    }
};

}  // namespace

TlsChannel::~TlsChannel() {
    if (haveContext_) DeleteSecurityContext(&context_);
    if (haveCredentials_) FreeCredentialsHandle(&credentials_);
}

void TlsChannel::SendRaw(const char* data, size_t size) {
    while (size > 0) {
        int sent = send(socket_, data, static_cast<int>(size), 0);
        if (sent <= 0) RaiseApiError(sent == 0 ? WSAECONNRESET : WSAGetLastError());
        data += sent;
        size -= static_cast<size_t>(sent);
    }
}

bool TlsChannel::ReadMore() {
    if (incoming_.size() >= conMaxIncoming) RaiseApiError(SEC_E_INVALID_TOKEN);
    char chunk[4096];
    int got = recv(socket_, chunk, sizeof(chunk), 0);
    if (got < 0) RaiseApiError(WSAGetLastError());
    incoming_.append(chunk, static_cast<size_t>(got));
    return got > 0;
}

void TlsChannel::Handshake(SOCKET socket, const std::wstring& strHost) {
    socket_ = socket;
    SCHANNEL_CRED schannel{};
    schannel.dwVersion = SCHANNEL_CRED_VERSION;
    schannel.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
    // Schannel checks the certificate chain and the host name itself.
    schannel.dwFlags = SCH_CRED_AUTO_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    TimeStamp expiry;
    Check(AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                    &schannel, nullptr, nullptr, &credentials_, &expiry));
    haveCredentials_ = true;

    const DWORD wanted = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                         ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_EXTENDED_ERROR;
    std::wstring host = strHost;
    bool first = true;
    // Each round answers one server flight; a handshake takes a handful.
    for (int round = 0; round < 32; ++round) {
        SecBuffer in[2] = {{static_cast<unsigned long>(incoming_.size()), SECBUFFER_TOKEN,
                            incoming_.empty() ? nullptr : incoming_.data()},
                           {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
        ContextBuffer out;
        SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &out.buffer};
        DWORD got = 0;
        SECURITY_STATUS status = InitializeSecurityContextW(
            &credentials_, first ? nullptr : &context_, host.data(), wanted, 0, 0, first ? nullptr : &inDesc, 0,
            first ? &context_ : nullptr, &outDesc, &got, &expiry);
        if (first) haveContext_ = SUCCEEDED(status);
        first = false;
        if (out.buffer.cbBuffer && out.buffer.pvBuffer)
            SendRaw(static_cast<const char*>(out.buffer.pvBuffer), out.buffer.cbBuffer);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            if (!ReadMore()) RaiseApiError(WSAECONNRESET);
            continue;
        }
        if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) RaiseApiError(status);
        // What the server sent beyond this flight stays for the next round.
        if (in[1].BufferType == SECBUFFER_EXTRA) incoming_.erase(0, incoming_.size() - in[1].cbBuffer);
        else incoming_.clear();
        if (status == SEC_E_OK) {
            Check(QueryContextAttributesW(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_));
            return;
        }
        if (incoming_.empty() && !ReadMore()) RaiseApiError(WSAECONNRESET);
    }
    RaiseApiError(SEC_E_INTERNAL_ERROR);
}

void TlsChannel::Send(const std::string& data) {
    size_t done = 0;
    std::vector<char> record(sizes_.cbHeader + sizes_.cbMaximumMessage + sizes_.cbTrailer);
    while (done < data.size()) {
        const size_t part = std::min<size_t>(data.size() - done, sizes_.cbMaximumMessage);
        memcpy(record.data() + sizes_.cbHeader, data.data() + done, part);
        SecBuffer buffers[4] = {
            {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
            {static_cast<unsigned long>(part), SECBUFFER_DATA, record.data() + sizes_.cbHeader},
            {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + part},
            {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
        Check(EncryptMessage(&context_, 0, &desc, 0));
        SendRaw(record.data(), buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
        done += part;
    }
}

bool TlsChannel::Receive(std::string& plain) {
    for (int round = 0; round < 64; ++round) {
        if (!incoming_.empty()) {
            SecBuffer buffers[4] = {{static_cast<unsigned long>(incoming_.size()), SECBUFFER_DATA, incoming_.data()},
                                    {0, SECBUFFER_EMPTY, nullptr},
                                    {0, SECBUFFER_EMPTY, nullptr},
                                    {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
            SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
            if (status == SEC_I_CONTEXT_EXPIRED) return false;  // the server closed TLS
            if (status == SEC_E_OK) {
                std::string extra;
                for (const SecBuffer& b : buffers) {
                    if (b.BufferType == SECBUFFER_DATA) plain.append(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
                    if (b.BufferType == SECBUFFER_EXTRA) extra.assign(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
                }
                incoming_ = std::move(extra);
                return true;
            }
            if (status != SEC_E_INCOMPLETE_MESSAGE) RaiseApiError(status);
        }
        if (!ReadMore()) return false;
    }
    RaiseApiError(SEC_E_INVALID_TOKEN);
}

}  // namespace kv
