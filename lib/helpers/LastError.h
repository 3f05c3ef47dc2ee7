#pragma once
// The one way a failed Windows call becomes an error: kv::KVError with the Windows error
// number and "API: " + the system's message for it, as clsMain::CreateAPIError raises it.
#include <windows.h>

namespace kv {

// Raises code as an API error, unconditionally.
[[noreturn]] void RaiseApiError(long code);

// Raises the calling thread's last error. A failed call that set none raises `fallback`, so
// no failure ever travels as error 0 ("the operation completed successfully").
[[noreturn]] void RaiseLastError(DWORD fallback = ERROR_INVALID_FUNCTION);

// RaiseLastError when the call failed. The condition is evaluated before the last error is
// read, so `RaiseLastErrorIf(SetTimer(...) == 0)` reads the error of that very call.
inline void RaiseLastErrorIf(bool failed, DWORD fallback = ERROR_INVALID_FUNCTION) {
    if (failed) RaiseLastError(fallback);
}

// For calls that answer with their error code instead of setting the last error (the
// registry functions): raises it unless it is ERROR_SUCCESS.
inline void RaiseIfError(LONG code) {
    if (code != ERROR_SUCCESS) RaiseApiError(code);
}

}  // namespace kv
