#pragma once
// One HTTP GET with the platform's client (WinHTTP), for the version check. The request runs
// on a worker thread while the calling thread goes on dispatching its messages, so its
// windows stay usable and a button can cancel the request; the call returns when the answer
// is there, when it is cancelled, or at the latest after conHttpTimeoutMs.
#include <windows.h>

#include <string>

namespace kvr {

// Each phase (name look-up, connection, sending, each wait for data) and the whole transfer.
inline constexpr DWORD conHttpPhaseTimeoutMs = 15000;
inline constexpr DWORD conHttpTimeoutMs = 60000;

struct HttpAnswer {
    bool Cancelled = false;
    long ErrorCode = 0;      // the client's error when no answer came (12029: no connection, ...)
    std::wstring ErrorText;  // its message
    long StatusCode = 0;     // of an answer
    std::wstring StatusText;
    std::string Body;        // at most the bytes asked for
    bool TooLarge = false;   // the body went on beyond them
};

// GETs the address (http:// or https://), reading at most maxBytes of the body.
HttpAnswer HttpGet(const std::wstring& strUrl, size_t maxBytes);
// Cancels every running HttpGet: each returns at once as cancelled. (The request itself ends
// when WinHTTP lets go of it: at once on Windows; Wine ends a call that waits for the server
// only at its timeout, in the background.)
void CancelHttpTransfers();

}  // namespace kvr
