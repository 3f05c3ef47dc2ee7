#pragma once
// Late-bound calls as a script host makes them: arguments in DISPPARAMS order, results and
// exceptions collected for the test.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "ComVariant.h"

namespace kvtest {

// An argument passed by value (owned by the call).
inline VARIANT Arg(const kv::Variant& value) { return kv::com::ComVariant(value).Detach(); }

// The outcome of one late-bound call.
struct CallResult {
    HRESULT hr = S_OK;
    kv::com::ComVariant value;
    EXCEPINFO excep{};
    UINT argErr = 0;
    ~CallResult() {
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
    std::wstring Description() const { return excep.bstrDescription ? excep.bstrDescription : L""; }
    std::wstring Source() const { return excep.bstrSource ? excep.bstrSource : L""; }
};

// Calls name with args in the order a script writes them. Values passed by value are
// cleared afterwards; VT_BYREF ones belong to their variables.
inline void Call(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args, CallResult& out) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    out.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(out.hr)) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            params.rgdispidNamedArgs = &put;
            params.cNamedArgs = 1;
        }
        out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, out.value.Put(), &out.excep,
                                &out.argErr);
    }
    for (VARIANT& v : args)
        if (!(v.vt & VT_BYREF)) VariantClear(&v);
}

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

}  // namespace kvtest
