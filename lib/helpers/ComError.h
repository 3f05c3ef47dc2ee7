#pragma once
// The error convention across the COM boundary: a KVError becomes a COM error
// (IErrorInfo with the description, the project as source) and a COM error becomes a KVError.
#include <windows.h>
#include <oaidl.h>
#include <string>

#include "KVError.h"

namespace kv::com {

// Negative numbers are the HRESULT themselves; a positive n (up to 0xFFFF) becomes
// 0x800A0000 | n, so a script client reads the number back in Err.Number. 0 and larger
// positive numbers have no such form and become E_FAIL.
HRESULT ErrorNumberToHResult(long number);
long HResultToErrorNumber(HRESULT hr);

// Sets the thread's error info (source = project, description) and returns the HRESULT.
HRESULT SetComError(long number, const std::wstring& description, const wchar_t* project,
                    REFIID iid);
inline HRESULT SetComError(const KVError& error, const wchar_t* project, REFIID iid) {
    return SetComError(error.Number, error.Description, project, iid);
}

// The description of a failed call: the thread's error info when there is one (it is
// taken), else the system message of hr.
std::wstring TakeErrorDescription(HRESULT hr);

// Raises the COM error of hr as KVError with TakeErrorDescription(hr).
[[noreturn]] void ThrowComError(HRESULT hr);
inline void CheckHr(HRESULT hr) { if (FAILED(hr)) ThrowComError(hr); }

// Raises the failure of IDispatch::Invoke: the exception it reported when hr is
// DISP_E_EXCEPTION, else hr itself.
[[noreturn]] void ThrowInvokeError(HRESULT hr, EXCEPINFO& excep);

// For hand-written IDispatch::Invoke: turns a failed hr (with the thread's error info) into
// DISP_E_EXCEPTION and a filled EXCEPINFO, as ITypeInfo::Invoke does; other hr pass.
HRESULT ReportToExcepInfo(HRESULT hr, EXCEPINFO* excep);

// Maps whatever a member body threw to an HRESULT with error info; call it only inside a
// catch block. Never throws itself (out of memory while reporting still gives an HRESULT).
// COM methods reach it through kv::com::Guard (lib/com/Guard.h).
HRESULT CurrentExceptionToHResult(const wchar_t* project, REFIID iid) noexcept;

}  // namespace kv::com
