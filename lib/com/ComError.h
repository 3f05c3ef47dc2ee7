#pragma once
// The error convention across the COM boundary: a KVError becomes a COM error
// (IErrorInfo with the description, the project as source) and a COM error becomes a KVError.
#include <windows.h>
#include <oaidl.h>

#include "KVError.h"

namespace kv::com {

// Negative numbers are the HRESULT themselves; a positive n becomes 0x800A0000 | n, so a
// script client reads the number back in Err.Number.
HRESULT ErrorNumberToHResult(long number);
long HResultToErrorNumber(HRESULT hr);

// Sets the thread's error info (source = project, description) and returns the HRESULT.
HRESULT SetComError(const KVError& error, const wchar_t* project, REFIID iid);

// Raises the COM error of hr as KVError, with the description from the thread's error
// info when there is one, else the system message for hr.
[[noreturn]] void ThrowComError(HRESULT hr);
inline void CheckHr(HRESULT hr) { if (FAILED(hr)) ThrowComError(hr); }

// Maps whatever a member body threw to an HRESULT with error info. Use in every COM method:
//   KV_COM_TRY ... KV_COM_CATCH(L"KVCore", IID_IclsMain)
HRESULT CurrentExceptionToHResult(const wchar_t* project, REFIID iid);

}  // namespace kv::com

#define KV_COM_TRY try {
#define KV_COM_CATCH(project, iid) \
    return S_OK;                   \
    }                              \
    catch (...) { return ::kv::com::CurrentExceptionToHResult(project, iid); }
