// The error convention across the COM boundary.
#include "ComError.h"

#include <exception>
#include <new>

#include "ComPtr.h"
#include "clsMain.h"

namespace kv::com {

namespace {

// The system's text for hr without the line break it ends with; never empty.
std::wstring SystemMessage(HRESULT hr) {
    std::wstring message = clsMain::SystemMessage(hr);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
    if (message.empty()) {
        wchar_t buffer[32];
        wsprintfW(buffer, L"Fehler 0x%08X", static_cast<unsigned>(hr));
        message = buffer;
    }
    return message;
}

}  // namespace

HRESULT ErrorNumberToHResult(long number) {
    if (number < 0) return static_cast<HRESULT>(number);
    if (number > 0 && number <= 0xFFFF) return static_cast<HRESULT>(0x800A0000UL | static_cast<unsigned long>(number));
    return E_FAIL;
}

long HResultToErrorNumber(HRESULT hr) {
    if ((static_cast<unsigned long>(hr) & 0xFFFF0000UL) == 0x800A0000UL) return hr & 0xFFFF;
    return hr;
}

HRESULT SetComError(long number, const std::wstring& description, const wchar_t* project, REFIID iid) {
    HRESULT result = ErrorNumberToHResult(number);
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Put()))) return result;
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(project));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(info))) SetErrorInfo(0, info.Get());
    return result;
}

std::wstring TakeErrorDescription(HRESULT hr) {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) == S_OK && info) {
        BSTR description = nullptr;
        if (SUCCEEDED(info->GetDescription(&description)) && description) {
            std::wstring text(description, SysStringLen(description));
            SysFreeString(description);
            if (!text.empty()) return text;
        }
    }
    return SystemMessage(hr);
}

void ThrowComError(HRESULT hr) { throw KVError(HResultToErrorNumber(hr), TakeErrorDescription(hr)); }

void ThrowInvokeError(HRESULT hr, EXCEPINFO& excep) {
    if (hr != DISP_E_EXCEPTION) {
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        ThrowComError(hr);
    }
    if (excep.pfnDeferredFillIn) excep.pfnDeferredFillIn(&excep);
    long number = excep.scode ? HResultToErrorNumber(excep.scode) : excep.wCode;
    std::wstring description = excep.bstrDescription
                                   ? std::wstring(excep.bstrDescription, SysStringLen(excep.bstrDescription))
                                   : std::wstring();
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    if (description.empty()) description = SystemMessage(excep.scode ? excep.scode : hr);
    throw KVError(number, description);
}

HRESULT ReportToExcepInfo(HRESULT hr, EXCEPINFO* excep) {
    if (SUCCEEDED(hr) || !excep) return hr;
    *excep = EXCEPINFO{};
    excep->scode = hr;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) == S_OK && info) {
        info->GetSource(&excep->bstrSource);
        info->GetDescription(&excep->bstrDescription);
        info->GetHelpFile(&excep->bstrHelpFile);
        info->GetHelpContext(&excep->dwHelpContext);
    }
    if (!excep->bstrDescription) excep->bstrDescription = SysAllocString(SystemMessage(hr).c_str());
    return DISP_E_EXCEPTION;
}

HRESULT CurrentExceptionToHResult(const wchar_t* project, REFIID iid) noexcept {
    try {
        try {
            throw;
        } catch (const KVError& e) {
            return SetComError(e, project, iid);
        } catch (const std::bad_alloc&) {
            return SetComError(E_OUTOFMEMORY, SystemMessage(E_OUTOFMEMORY), project, iid);
        } catch (const std::exception&) {
            // what() is the C++ library's English text: no message for a script or a user.
            return SetComError(E_FAIL, conUnexpectedErrorText, project, iid);
        } catch (...) {
            return SetComError(E_UNEXPECTED, SystemMessage(E_UNEXPECTED), project, iid);
        }
    } catch (...) {
        return E_OUTOFMEMORY;   // the description could not be built: the number still goes
    }
}

}  // namespace kv::com
