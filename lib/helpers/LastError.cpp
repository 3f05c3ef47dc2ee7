#include "LastError.h"

#include "KVError.h"
#include "clsMain.h"

namespace kv {

void RaiseApiError(long code) { throw KVError(code, L"API: " + clsMain::SystemMessage(code)); }

void RaiseLastError(DWORD fallback) {
    const DWORD code = GetLastError();
    RaiseApiError(static_cast<long>(code != ERROR_SUCCESS ? code : fallback));
}

}  // namespace kv
