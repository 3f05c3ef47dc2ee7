// Late-bound calls on objects handed over by a caller.
#include "DispatchCall.h"

#include <dispex.h>

#include <string>

#include "ComError.h"
#include "ComPtr.h"
#include "ComVariant.h"

namespace kv::com {

DISPID GetDispId(IDispatch* object, const wchar_t* name) {
    if (!object) throw KVError(91, L"Object variable not set");
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == E_NOTIMPL) {
        // Script objects may answer names only through IDispatchEx (Wine's VBScript classes).
        kv::ComPtr<IDispatchEx> ex;
        if (SUCCEEDED(object->QueryInterface(__uuidof(IDispatchEx), reinterpret_cast<void**>(ex.Put())))) {
            BSTR text = ToBSTR(name);
            hr = ex->GetDispID(text, fdexNameCaseInsensitive, &id);
            SysFreeString(text);
        }
    }
    if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND)
        throw KVError(438, L"Object doesn't support this property or method: " + std::wstring(name));
    CheckHr(hr);
    return id;
}

Variant Invoke(IDispatch* object, const wchar_t* name, WORD flags, const std::vector<Variant>& args) {
    DISPID id = GetDispId(object, name);
    // DISPPARAMS holds the arguments last first.
    std::vector<ComVariant> values;
    values.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it) values.emplace_back(*it);
    std::vector<VARIANT> raw;
    raw.reserve(values.size());
    for (auto& v : values) raw.push_back(*v);   // shallow: values keep ownership

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{raw.data(), nullptr, static_cast<UINT>(raw.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    ComVariant result;
    EXCEPINFO excep{};
    UINT argErr = 0;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Get(), &excep, &argErr);
    if (FAILED(hr)) ThrowInvokeError(hr, excep);
    return FromVARIANT(*result);
}

HWND WindowHandleOf(IDispatch* object) {
    // Window handles carry 32 significant bits, so the Long of hWnd holds them on x64 too.
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(GetProperty(object, L"hWnd").ToLong()));
}

std::vector<Variant> EnumerateItems(IDispatch* collection) {
    if (!collection) throw KVError(91, L"Object variable not set");
    DISPPARAMS none{};
    ComVariant result;
    EXCEPINFO excep{};
    HRESULT hr = collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, result.Get(), &excep, nullptr);
    if (hr == DISP_E_MEMBERNOTFOUND) throw KVError(438, L"Object doesn't support this property or method: _NewEnum");
    if (FAILED(hr)) ThrowInvokeError(hr, excep);
    IUnknown* unknown = result->vt == VT_UNKNOWN || result->vt == VT_DISPATCH ? result->punkVal : nullptr;
    kv::ComPtr<IEnumVARIANT> items;
    if (!unknown || FAILED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.Put()))))
        throw KVError(438, L"Object doesn't support this property or method: _NewEnum");
    std::vector<Variant> out;
    for (;;) {
        ComVariant item;
        ULONG fetched = 0;
        hr = items->Next(1, item.Get(), &fetched);
        if (FAILED(hr)) ThrowComError(hr);
        if (hr != S_OK || fetched == 0) break;
        out.push_back(FromVARIANT(*item));
    }
    return out;
}

}  // namespace kv::com
