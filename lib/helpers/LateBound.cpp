// Late-bound calls on objects handed over by a caller.
#include "LateBound.h"

#include <dispex.h>

#include <string>

#include "ComError.h"
#include "ComVariant.h"

namespace kv::late {

namespace {

[[noreturn]] void NoSuchMember(const wchar_t* name) {
    throw KVError(438, L"Object doesn't support this property or method: " + std::wstring(name));
}

HRESULT FindDispId(IDispatch* object, const wchar_t* name, DISPID& id) {
    id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr != E_NOTIMPL) return hr;
    ComPtr<IDispatchEx> ex;
    if (FAILED(object->QueryInterface(__uuidof(IDispatchEx), reinterpret_cast<void**>(ex.Put())))) return hr;
    BSTR text = com::ToBSTR(name);
    hr = ex->GetDispID(text, fdexNameCaseInsensitive, &id);
    SysFreeString(text);
    return hr;
}

}  // namespace

DISPID GetDispId(IDispatch* object, const wchar_t* name) {
    if (!object) throw KVError(91, L"Object variable not set");
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = FindDispId(object, name, id);
    if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) NoSuchMember(name);
    com::CheckHr(hr);
    return id;
}

bool HasMember(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    return object && SUCCEEDED(FindDispId(object, name, id));
}

Variant Invoke(IDispatch* object, const wchar_t* name, WORD flags, const std::vector<Variant>& args) {
    DISPID id = GetDispId(object, name);
    // DISPPARAMS holds the arguments last first.
    std::vector<com::ComVariant> values;
    values.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it) values.emplace_back(*it);
    std::vector<VARIANT> raw;
    raw.reserve(values.size());
    for (auto& v : values) raw.push_back(*v);   // shallow: values keep ownership

    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{raw.data(), nullptr, static_cast<UINT>(raw.size()), 0};
    if (put) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    com::ComVariant result;
    EXCEPINFO excep{};
    UINT argErr = 0;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, put ? nullptr : result.Get(),
                                &excep, &argErr);
    if (FAILED(hr)) com::ThrowInvokeError(hr, excep);
    return com::FromVARIANT(*result);
}

ComPtr<IDispatch> AsObject(const Variant& value) {
    if (!value.IsObject() || !value.Get<ComPtr<IDispatch>>()) throw KVError(424, L"Object required");
    return value.Get<ComPtr<IDispatch>>();
}

HWND WindowHandleOf(IDispatch* object) {
    // Window handles carry 32 significant bits, so the Long of hWnd holds them on x64 too.
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(GetProperty(object, L"hWnd").ToLong()));
}

std::vector<Variant> EnumerateItems(IDispatch* collection) {
    if (!collection) throw KVError(91, L"Object variable not set");
    DISPPARAMS none{};
    com::ComVariant result;
    EXCEPINFO excep{};
    HRESULT hr = collection->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, result.Get(), &excep, nullptr);
    if (hr == DISP_E_MEMBERNOTFOUND) NoSuchMember(L"_NewEnum");
    if (FAILED(hr)) com::ThrowInvokeError(hr, excep);
    IUnknown* unknown = result->vt == VT_UNKNOWN || result->vt == VT_DISPATCH ? result->punkVal : nullptr;
    ComPtr<IEnumVARIANT> items;
    if (!unknown || FAILED(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(items.Put()))))
        NoSuchMember(L"_NewEnum");
    std::vector<Variant> out;
    for (;;) {
        com::ComVariant item;
        ULONG fetched = 0;
        hr = items->Next(1, item.Get(), &fetched);
        if (FAILED(hr)) com::ThrowComError(hr);
        if (hr != S_OK || fetched == 0) break;
        out.push_back(com::FromVARIANT(*item));
    }
    return out;
}

}  // namespace kv::late
