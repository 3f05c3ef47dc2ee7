#pragma once
// Late-bound calls as a script host makes them: script variables (VT_BYREF|VT_VARIANT),
// arguments in DISPPARAMS order, results and exceptions collected for the test.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace kvtest {

// A script variable: an owned VARIANT and the VT_BYREF|VT_VARIANT argument that names it.
struct ScriptVariable {
    VARIANT value;
    ScriptVariable() { VariantInit(&value); }
    explicit ScriptVariable(const wchar_t* text) : ScriptVariable() {
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(text);
    }
    explicit ScriptVariable(short number) : ScriptVariable() {
        value.vt = VT_I2;
        value.iVal = number;
    }
    ~ScriptVariable() { VariantClear(&value); }
    ScriptVariable(const ScriptVariable&) = delete;
    ScriptVariable& operator=(const ScriptVariable&) = delete;
    VARIANT Ref() {
        VARIANT r;
        VariantInit(&r);
        r.vt = VT_BYREF | VT_VARIANT;
        r.pvarVal = &value;
        return r;
    }
    std::wstring Text() const { return value.vt == VT_BSTR ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal)) : L"?"; }
};

inline VARIANT Text(const wchar_t* s) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(s);
    return v;
}

inline VARIANT Long(long n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

// The outcome of one late-bound call.
struct CallResult {
    HRESULT hr = S_OK;
    VARIANT value;
    EXCEPINFO excep{};
    UINT argErr = 0;
    CallResult() { VariantInit(&value); }
    ~CallResult() {
        VariantClear(&value);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
    CallResult(const CallResult&) = delete;
    CallResult& operator=(const CallResult&) = delete;
    std::wstring Description() const { return excep.bstrDescription ? excep.bstrDescription : L""; }
    std::wstring Source() const { return excep.bstrSource ? excep.bstrSource : L""; }
    std::wstring Text() const { return value.vt == VT_BSTR ? value.bstrVal : L"?"; }
};

// Calls name with args in the order a script writes them. Values passed by value are
// owned by the call (cleared afterwards); VT_BYREF ones belong to their variables.
inline void Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args, CallResult& out) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    out.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(out.hr)) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags & DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &put;
            params.cNamedArgs = 1;
        }
        out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &out.value, &out.excep, &out.argErr);
    }
    for (VARIANT& v : args)
        if (!(v.vt & VT_BYREF)) VariantClear(&v);
}

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

}  // namespace kvtest
