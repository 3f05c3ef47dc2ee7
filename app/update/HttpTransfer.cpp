#include "update/HttpTransfer.h"

#include <winhttp.h>

#include <algorithm>
#include <memory>
#include <mutex>   // std::lock_guard
#include <optional>
#include <vector>

#include "LastError.h"
#include "SystemLock.h"
#include "Owned.h"
#include "program/basGlobals.h"

namespace kvr {

namespace {

// One transfer, shared by the waiting thread and the worker. The handles are open while the
// worker uses them; closing the request handle is WinHTTP's way to stop a call in progress,
// so a cancel closes them from the waiting thread and the worker's call returns at once.
struct Transfer {
    kv::SystemLock lock;
    HINTERNET session = nullptr, connection = nullptr, request = nullptr;
    bool cancelled = false;
    HttpAnswer answer;  // the worker's, once done is set
    kv::OwnedHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};

    // Closes what is still open (with the lock held), request first.
    void CloseHandles() {
        for (HINTERNET* handle : {&request, &connection, &session}) {
            if (*handle) WinHttpCloseHandle(*handle);
            *handle = nullptr;
        }
    }
    // Keeps a new handle unless the transfer was cancelled meanwhile (then it is closed).
    bool Keep(HINTERNET& slot, HINTERNET handle) {
        std::lock_guard<kv::SystemLock> guard(lock);
        slot = handle;
        if (cancelled) CloseHandles();
        return !cancelled && handle;
    }
};

// The transfers this thread waits for (one per HttpGet on the stack).
std::vector<std::shared_ptr<Transfer>>& Running() {
    static std::vector<std::shared_ptr<Transfer>> running;
    return running;
}

std::wstring ClientErrorText(DWORD code) {
    switch (code) {
        case ERROR_WINHTTP_TIMEOUT: return L"Zeitüberschreitung bei der Verbindung zum Server";
        case ERROR_WINHTTP_NAME_NOT_RESOLVED: return L"Der Servername wurde nicht gefunden";
        case ERROR_WINHTTP_CANNOT_CONNECT: return L"Keine Verbindung zum Server";
        case ERROR_WINHTTP_CONNECTION_ERROR: return L"Die Verbindung zum Server wurde unterbrochen";
        case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
        case ERROR_WINHTTP_INVALID_URL: return L"Ungültige Serveradresse";
        case ERROR_WINHTTP_SECURE_FAILURE: return L"Die sichere Verbindung zum Server ist fehlgeschlagen";
        default: return Helper().SystemMessage(static_cast<long>(code));
    }
}

std::wstring StatusText(HINTERNET request) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_TEXT, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                        WINHTTP_NO_HEADER_INDEX);
    if (size == 0) return L"";
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_TEXT, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
        return L"";
    text.resize(size / sizeof(wchar_t));
    return text;
}

// The whole request, on the worker thread. The answer it fills is handed over through done.
void Perform(Transfer& t, const std::wstring& url, size_t maxBytes, HttpAnswer& answer) {
    auto failed = [&answer] {
        answer.ErrorCode = static_cast<long>(GetLastError());
        if (answer.ErrorCode == 0) answer.ErrorCode = ERROR_WINHTTP_INTERNAL_ERROR;
    };

    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return failed();
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
        answer.ErrorCode = ERROR_WINHTTP_UNRECOGNIZED_SCHEME;
        return;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);

    HINTERNET session = WinHttpOpen(conProjectName, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session) return failed();
    if (!t.Keep(t.session, session)) return;
    const int phase = static_cast<int>(conHttpPhaseTimeoutMs);
    WinHttpSetTimeouts(session, phase, phase, phase, phase);

    HINTERNET connection = WinHttpConnect(session, host.c_str(), parts.nPort, 0);
    if (!connection) return failed();
    if (!t.Keep(t.connection, connection)) return;

    const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    HINTERNET request = WinHttpOpenRequest(connection, L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                           WINHTTP_DEFAULT_ACCEPT_TYPES, secure | WINHTTP_FLAG_REFRESH);
    if (!request) return failed();
    if (!t.Keep(t.request, request)) return;

    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr))
        return failed();

    DWORD status = 0, size = sizeof status;
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return failed();
    answer.StatusCode = static_cast<long>(status);
    answer.StatusText = StatusText(request);

    // Read up to one byte more than wanted: that byte tells a body that is too long.
    char buffer[8192];
    for (;;) {
        DWORD read = 0;
        if (!WinHttpReadData(request, buffer, sizeof buffer, &read)) return failed();
        if (read == 0) return;
        const size_t room = maxBytes - answer.Body.size();
        answer.Body.append(buffer, std::min<size_t>(read, room));
        if (read > room) {
            answer.TooLarge = true;
            return;  // the rest is never fetched
        }
    }
}

void Work(std::shared_ptr<Transfer> t, std::wstring url, size_t maxBytes) {
    HttpAnswer answer;
    Perform(*t, url, maxBytes, answer);
    if (answer.ErrorCode != 0) answer.ErrorText = ClientErrorText(static_cast<DWORD>(answer.ErrorCode));
    {
        std::lock_guard<kv::SystemLock> guard(t->lock);
        t->CloseHandles();
        if (!t->cancelled) t->answer = std::move(answer);
    }
    SetEvent(t->done.Get());
}

// The worker's start: a thread of the system's own (std::thread would link the library's
// system_error and its string code, about 30 KB, for one error path).
struct WorkOrder {
    std::shared_ptr<Transfer> transfer;
    std::wstring url;
    size_t maxBytes;
};

DWORD WINAPI WorkThread(LPVOID parameter) {
    std::unique_ptr<WorkOrder> order(static_cast<WorkOrder*>(parameter));
    try {
        Work(order->transfer, order->url, order->maxBytes);
    } catch (...) {
        SetEvent(order->transfer->done.Get());   // out of memory: the waiter sees no answer
    }
    return 0;
}

void Cancel(Transfer& t) {
    {
        std::lock_guard<kv::SystemLock> guard(t.lock);
        t.cancelled = true;
        t.CloseHandles();
    }
    SetEvent(t.done.Get());
}

bool IsDialog(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

// Dispatches this thread's messages until the transfer is done or the time is up (then it is
// cancelled). A quit message cancels it and is handed back to the caller's loop.
void WaitDispatching(Transfer& t) {
    std::optional<WPARAM> quit;
    const ULONGLONG deadline = GetTickCount64() + conHttpTimeoutMs;
    HANDLE done = t.done.Get();
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            Cancel(t);
            break;
        }
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &done, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                                        MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_TIMEOUT) continue;
        if (woken != WAIT_OBJECT_0 + 1) {
            const DWORD error = GetLastError();
            Cancel(t);
            kv::RaiseApiError(static_cast<long>(error ? error : ERROR_INVALID_FUNCTION));
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = msg.wParam;
                Cancel(t);
                continue;
            }
            HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (root && IsDialog(root) && IsDialogMessageW(root, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (quit) PostQuitMessage(static_cast<int>(*quit));
}

}  // namespace

HttpAnswer HttpGet(const std::wstring& strUrl, size_t maxBytes) {
    auto transfer = std::make_shared<Transfer>();
    kv::RaiseLastErrorIf(!transfer->done);
    // The worker keeps its own share: a cancelled transfer may end after this call returned.
    auto order = std::make_unique<WorkOrder>(WorkOrder{transfer, strUrl, maxBytes});
    const kv::OwnedHandle thread(CreateThread(nullptr, 0, WorkThread, order.get(), 0, nullptr));
    kv::RaiseLastErrorIf(!thread, ERROR_NOT_ENOUGH_MEMORY);   // no thread to be had
    order.release();   // the worker owns it now

    auto& running = Running();
    running.push_back(transfer);
    struct Unlisted {
        std::vector<std::shared_ptr<Transfer>>& running;
        Transfer* t;
        ~Unlisted() {
            running.erase(std::remove_if(running.begin(), running.end(), [&](const auto& r) { return r.get() == t; }),
                          running.end());
        }
    } unlisted{running, transfer.get()};
    WaitDispatching(*transfer);

    std::lock_guard<kv::SystemLock> guard(transfer->lock);
    if (transfer->cancelled) {
        HttpAnswer answer;
        answer.Cancelled = true;
        return answer;
    }
    return std::move(transfer->answer);
}

void CancelHttpTransfers() {
    for (const auto& transfer : Running()) Cancel(*transfer);
}

}  // namespace kvr
