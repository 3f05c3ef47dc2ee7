#include "LateBound.h"

#include <vector>

#include "KVError.h"
#include "clsMain.h"

namespace kv::late {

namespace {

[[noreturn]] void TypeMismatch() { throw KVError(13, L"Type mismatch"); }

// Owned VARIANTs for the argument list, cleared however the call ends.
class Args {
public:
    explicit Args(size_t n) : v_(n) { for (auto& v : v_) VariantInit(&v); }
    ~Args() { for (auto& v : v_) VariantClear(&v); }
    Args(const Args&) = delete;
    Args& operator=(const Args&) = delete;
    VARIANT* Data() { return v_.empty() ? nullptr : v_.data(); }
    VARIANT& operator[](size_t i) { return v_[i]; }
    UINT Count() const { return static_cast<UINT>(v_.size()); }

private:
    std::vector<VARIANT> v_;
};

// The scalar kinds and objects a caller's object takes and returns.
void ToVariantArg(const Variant& value, VARIANT& out) {
    const auto& raw = value.Raw();
    if (value.IsEmpty()) {
        out.vt = VT_EMPTY;
    } else if (value.IsNull()) {
        out.vt = VT_NULL;
    } else if (auto b = std::get_if<bool>(&raw)) {
        out.vt = VT_BOOL;
        out.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (auto u = std::get_if<std::uint8_t>(&raw)) {
        out.vt = VT_UI1;
        out.bVal = *u;
    } else if (auto i = std::get_if<std::int16_t>(&raw)) {
        out.vt = VT_I2;
        out.iVal = *i;
    } else if (auto l = std::get_if<std::int32_t>(&raw)) {
        out.vt = VT_I4;
        out.lVal = *l;
    } else if (auto d = std::get_if<double>(&raw)) {
        out.vt = VT_R8;
        out.dblVal = *d;
    } else if (auto t = std::get_if<Date>(&raw)) {
        out.vt = VT_DATE;
        out.date = t->value;
    } else if (auto s = std::get_if<std::wstring>(&raw)) {
        out.bstrVal = SysAllocStringLen(s->data(), static_cast<UINT>(s->size()));
        if (!out.bstrVal) throw KVError(7, L"Out of memory");
        out.vt = VT_BSTR;
    } else if (auto o = std::get_if<ComPtr<IDispatch>>(&raw)) {
        out.vt = VT_DISPATCH;
        out.pdispVal = o->Get();
        if (out.pdispVal) out.pdispVal->AddRef();
    } else {
        TypeMismatch();
    }
}

Variant FromResult(VARIANT& in) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED(VariantCopyInd(&v, &in))) TypeMismatch();
    Variant result;
    switch (v.vt) {
    case VT_EMPTY: case VT_ERROR: break;
    case VT_NULL: result = Null{}; break;
    case VT_BOOL: result = v.boolVal != VARIANT_FALSE; break;
    case VT_UI1: result = v.bVal; break;
    case VT_I2: result = v.iVal; break;
    case VT_I4: result = static_cast<std::int32_t>(v.lVal); break;
    case VT_R8: result = v.dblVal; break;
    case VT_DATE: result = Date{v.date}; break;
    case VT_BSTR: result = std::wstring(v.bstrVal ? v.bstrVal : L"", SysStringLen(v.bstrVal)); break;
    case VT_DISPATCH: result = ComPtr<IDispatch>(v.pdispVal); break;
    case VT_UNKNOWN: {
        ComPtr<IDispatch> d;
        if (v.punkVal) v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(d.Put()));
        result = d;
        break;
    }
    default: {
        // Other numbers (single, currency, decimal, 64-bit ...) as Double.
        VARIANT r;
        VariantInit(&r);
        HRESULT hr = (v.vt & VT_ARRAY) ? DISP_E_TYPEMISMATCH : VariantChangeType(&r, &v, 0, VT_R8);
        VariantClear(&v);
        if (FAILED(hr)) TypeMismatch();
        return Variant(r.dblVal);
    }
    }
    VariantClear(&v);
    return result;
}

// The error a failed Invoke stands for: the object's own number and text when it raised one.
[[noreturn]] void RaiseInvokeError(HRESULT hr, EXCEPINFO& excep, const wchar_t* name) {
    long number = hr;
    std::wstring description;
    if (hr == DISP_E_EXCEPTION) {
        if (excep.pfnDeferredFillIn) excep.pfnDeferredFillIn(&excep);
        HRESULT code = excep.scode != 0 ? excep.scode : static_cast<HRESULT>(excep.wCode);
        if (excep.bstrDescription) description = excep.bstrDescription;
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrHelpFile);
        number = code;
    }
    // 0x800A0000 | n is a Basic run-time error n.
    if ((static_cast<unsigned long>(number) & 0xFFFF0000UL) == 0x800A0000UL) number &= 0xFFFF;
    if (description.empty()) description = clsMain::SystemMessage(number);
    if (description.empty()) description = std::wstring(L"Aufruf von \"") + name + L"\" fehlgeschlagen.";
    throw KVError(number, description);
}

Variant Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::initializer_list<Variant> args) {
    if (!object) throw KVError(424, L"Object required");
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        throw KVError(438, L"Object doesn't support this property or method");

    Args list(args.size());
    size_t i = args.size();
    for (const Variant& a : args) ToVariantArg(a, list[--i]);  // Invoke takes them in reverse
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{list.Data(), nullptr, list.Count(), 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                (flags & DISPATCH_PROPERTYPUT) ? nullptr : &result, &excep, &argErr);
    if (FAILED(hr)) RaiseInvokeError(hr, excep, name);
    Variant value = FromResult(result);
    VariantClear(&result);
    return value;
}

}  // namespace

Variant Get(IDispatch* object, const wchar_t* name, std::initializer_list<Variant> args) {
    return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

Variant Call(IDispatch* object, const wchar_t* name, std::initializer_list<Variant> args) {
    return Invoke(object, name, DISPATCH_METHOD, args);
}

void Put(IDispatch* object, const wchar_t* name, const Variant& value) {
    Invoke(object, name, DISPATCH_PROPERTYPUT, {value});
}

bool HasMember(IDispatch* object, const wchar_t* name) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object && SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
}

ComPtr<IDispatch> AsObject(const Variant& value) {
    if (!value.IsObject() || !value.Get<ComPtr<IDispatch>>()) throw KVError(424, L"Object required");
    return value.Get<ComPtr<IDispatch>>();
}

}  // namespace kv::late
