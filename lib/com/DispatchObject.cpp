// IDispatch for the published classes: the type info of the embedded type library and the
// adapting Invoke that lets script callers (every argument a VARIANT, variables passed as
// VT_BYREF|VT_VARIANT) call members declared with typed and by-reference parameters.
#include "DispatchObject.h"

#include <cstring>
#include <vector>

namespace kv::com {

namespace {

// A type info's FUNCDESC, released with the type info it came from.
class FuncDescription {
public:
    FuncDescription() = default;
    FuncDescription(const FuncDescription&) = delete;
    FuncDescription& operator=(const FuncDescription&) = delete;
    ~FuncDescription() { Reset(); }
    void Reset() {
        if (desc_) info_->ReleaseFuncDesc(desc_);
        desc_ = nullptr;
        info_ = nullptr;
    }
    void Set(ITypeInfo* info, FUNCDESC* desc) {
        Reset();
        info_ = info;
        desc_ = desc;
    }
    FUNCDESC* operator->() const { return desc_; }
    explicit operator bool() const { return desc_ != nullptr; }
    ITypeInfo* Info() const { return info_.Get(); }

private:
    ComPtr<ITypeInfo> info_;
    FUNCDESC* desc_ = nullptr;
};

// A type info's TYPEATTR, released on scope exit.
class TypeAttributes {
public:
    explicit TypeAttributes(ITypeInfo* info) : info_(info) {
        if (FAILED(info->GetTypeAttr(&attr_))) attr_ = nullptr;
    }
    ~TypeAttributes() { if (attr_) info_->ReleaseTypeAttr(attr_); }
    TypeAttributes(const TypeAttributes&) = delete;
    TypeAttributes& operator=(const TypeAttributes&) = delete;
    TYPEATTR* operator->() const { return attr_; }
    explicit operator bool() const { return attr_ != nullptr; }

private:
    ITypeInfo* info_;
    TYPEATTR* attr_ = nullptr;
};

// The vtable interface behind a dual dispinterface (members are called through its slots).
HRESULT VtableInterface(ITypeInfo* info, ComPtr<ITypeInfo>& out) {
    TypeAttributes attr(info);
    if (!attr) return E_UNEXPECTED;
    if (attr->typekind == TKIND_INTERFACE) {
        out = ComPtr<ITypeInfo>(info);
        return S_OK;
    }
    if (attr->typekind != TKIND_DISPATCH || !(attr->wTypeFlags & TYPEFLAG_FDUAL)) return E_NOTIMPL;
    HREFTYPE ref = 0;
    HRESULT hr = info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref);
    return FAILED(hr) ? hr : info->GetRefTypeInfo(ref, out.Put());
}

bool IsBaseOfAll(ITypeInfo* info) {
    TypeAttributes attr(info);
    return attr && (attr->guid == IID_IDispatch || attr->guid == IID_IUnknown);
}

// Finds member with the invoke kind in info or the interfaces it derives from.
bool FindFunction(ITypeInfo* info, DISPID member, INVOKEKIND kind, FuncDescription& found) {
    if (IsBaseOfAll(info)) return false;
    WORD count = 0, bases = 0;
    {
        TypeAttributes attr(info);
        if (!attr) return false;
        count = attr->cFuncs;
        bases = attr->cImplTypes;
    }
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* desc = nullptr;
        if (FAILED(info->GetFuncDesc(i, &desc))) continue;
        if (desc->memid == member && desc->invkind == kind) {
            found.Set(info, desc);
            return true;
        }
        info->ReleaseFuncDesc(desc);
    }
    if (bases > 0) {
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> base;
        if (SUCCEEDED(info->GetRefTypeOfImplType(0, &ref)) && SUCCEEDED(info->GetRefTypeInfo(ref, base.Put())))
            return FindFunction(base.Get(), member, kind, found);
    }
    return false;
}

// The member a script's flags ask for: a method before a property get when both are allowed
// (obj.Name(x) comes as METHOD|PROPERTYGET); a put by reference falls back to a plain put.
bool FindForFlags(ITypeInfo* info, DISPID member, WORD flags, FuncDescription& found) {
    if ((flags & DISPATCH_METHOD) && FindFunction(info, member, INVOKE_FUNC, found)) return true;
    if ((flags & DISPATCH_PROPERTYGET) && FindFunction(info, member, INVOKE_PROPERTYGET, found)) return true;
    if ((flags & DISPATCH_PROPERTYPUTREF) && FindFunction(info, member, INVOKE_PROPERTYPUTREF, found)) return true;
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) &&
        FindFunction(info, member, INVOKE_PROPERTYPUT, found))
        return true;
    return false;
}

// The automation type a declared parameter type stands for; VT_BYREF marks a pointer to it.
// Enumerations are Long, aliases are followed, interface pointers are objects.
HRESULT ResolveType(ITypeInfo* info, const TYPEDESC& desc, VARTYPE& vt) {
    switch (desc.vt) {
    case VT_USERDEFINED: {
        ComPtr<ITypeInfo> ref;
        HRESULT hr = info->GetRefTypeInfo(desc.hreftype, ref.Put());
        if (FAILED(hr)) return hr;
        TypeAttributes attr(ref.Get());
        if (!attr) return E_UNEXPECTED;
        switch (attr->typekind) {
        case TKIND_ENUM: vt = VT_I4; return S_OK;
        case TKIND_ALIAS: return ResolveType(ref.Get(), attr->tdescAlias, vt);
        case TKIND_DISPATCH: vt = VT_DISPATCH; return S_OK;
        case TKIND_INTERFACE:
            vt = (attr->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE)) || attr->guid == IID_IDispatch
                     ? VT_DISPATCH : VT_UNKNOWN;
            return S_OK;
        default: return DISP_E_BADVARTYPE;
        }
    }
    case VT_PTR: {
        VARTYPE inner = VT_EMPTY;
        HRESULT hr = ResolveType(info, *desc.lptdesc, inner);
        if (FAILED(hr)) return hr;
        // IFoo* (a user-defined interface) is the object itself.
        if (desc.lptdesc->vt == VT_USERDEFINED && (inner == VT_DISPATCH || inner == VT_UNKNOWN)) {
            vt = inner;
            return S_OK;
        }
        if (inner & VT_BYREF) return DISP_E_BADVARTYPE;
        vt = static_cast<VARTYPE>(VT_BYREF | inner);
        return S_OK;
    }
    case VT_SAFEARRAY: {
        VARTYPE element = VT_EMPTY;
        HRESULT hr = ResolveType(info, *desc.lptdesc, element);
        if (FAILED(hr)) return hr;
        vt = static_cast<VARTYPE>(VT_ARRAY | element);
        return S_OK;
    }
    case VT_HRESULT: vt = VT_ERROR; return S_OK;
    default: vt = desc.vt; return S_OK;
    }
}

// Coerces a caller's value (possibly by reference) to type.
HRESULT Coerce(const VARIANT& source, VARTYPE type, LCID lcid, VARIANT& out) {
    VariantInit(&out);
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(&source));
    if (FAILED(hr)) return hr;
    if (type == VT_VARIANT) {
        out = value;
        return S_OK;
    }
    if (value.vt == type) {
        out = value;
        return S_OK;
    }
    hr = VariantChangeTypeEx(&out, &value, lcid, VARIANT_ALPHABOOL, type);
    VariantClear(&value);
    return hr;
}

// An empty value of type, as an [out] parameter starts.
void EmptyOf(VARTYPE type, VARIANT& out) {
    VariantInit(&out);
    if (type != VT_VARIANT) out.vt = type;   // the union is zero: 0, "" (null BSTR), Nothing
}

size_t ValueSize(VARTYPE type) {
    switch (type) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_DATE: case VT_CY: case VT_I8: case VT_UI8: return 8;
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
    default: return (type & VT_ARRAY) ? sizeof(void*) : 0;
    }
}

// One declared parameter with the argument prepared for it.
struct Argument {
    VARTYPE type = VT_EMPTY;        // declared value type
    bool byRef = false;
    VARIANT value;                  // a temporary of the declared type (owned)
    VARIANT pass;                   // what the vtable call receives
    VARIANT* intoVariable = nullptr;  // a script variable that receives value afterwards
    VARIANT* intoTyped = nullptr;     // a typed by-reference argument of another type

    Argument() {
        VariantInit(&value);
        VariantInit(&pass);
    }
    ~Argument() { VariantClear(&value); }
    Argument(const Argument&) = delete;
    Argument& operator=(const Argument&) = delete;

    void PassValue() {
        if (byRef) {
            pass.vt = static_cast<VARTYPE>(VT_BYREF | type);
            pass.byref = type == VT_VARIANT ? static_cast<void*>(&value) : static_cast<void*>(&value.llVal);
        } else if (type != VT_VARIANT) {
            pass = value;   // shallow; value keeps ownership
        }
    }
    VARIANT* ForCall() { return !byRef && type == VT_VARIANT ? &value : &pass; }
    VARTYPE CallType() const { return byRef ? static_cast<VARTYPE>(VT_BYREF | type) : type; }

    // After a successful call: the caller's variable gets the declared-type result.
    void WriteBack(LCID lcid) {
        if (intoVariable) {
            VariantClear(intoVariable);
            *intoVariable = value;
            VariantInit(&value);
        } else if (intoTyped) {
            VARTYPE target = static_cast<VARTYPE>(intoTyped->vt & ~VT_BYREF);
            size_t size = ValueSize(target);
            VARIANT converted;
            VariantInit(&converted);
            if (size == 0 || FAILED(VariantChangeTypeEx(&converted, &value, lcid, VARIANT_ALPHABOOL, target)))
                return;
            VARIANT old;
            VariantInit(&old);
            old.vt = target;
            std::memcpy(&old.llVal, intoTyped->byref, size);
            VariantClear(&old);
            std::memcpy(intoTyped->byref, &converted.llVal, size);
        }
    }
};

// Prepares one parameter from the caller's argument (nullptr when it was not given).
HRESULT Prepare(Argument& arg, const ELEMDESC& elem, ITypeInfo* info, VARIANT* given, LCID lcid) {
    const PARAMDESC& param = elem.paramdesc;
    VARTYPE declared = VT_EMPTY;
    HRESULT hr = ResolveType(info, elem.tdesc, declared);
    if (FAILED(hr)) return hr;
    arg.byRef = (declared & VT_BYREF) != 0;
    arg.type = static_cast<VARTYPE>(declared & ~VT_BYREF);
    const USHORT flags = param.wParamFlags;
    const bool outOnly = (flags & PARAMFLAG_FOUT) && !(flags & PARAMFLAG_FIN);
    const bool inOnly = (flags & PARAMFLAG_FIN) && !(flags & PARAMFLAG_FOUT);

    if (!given || (given->vt == VT_ERROR && given->scode == DISP_E_PARAMNOTFOUND)) {
        if ((param.wParamFlags & PARAMFLAG_FHASDEFAULT) && param.pparamdescex) {
            hr = Coerce(param.pparamdescex->varDefaultValue, arg.type, lcid, arg.value);
            if (FAILED(hr)) return hr;
        } else if ((param.wParamFlags & PARAMFLAG_FOPT) && arg.type == VT_VARIANT) {
            arg.value.vt = VT_ERROR;
            arg.value.scode = DISP_E_PARAMNOTFOUND;
        } else {
            return given ? DISP_E_PARAMNOTFOUND : DISP_E_BADPARAMCOUNT;
        }
        arg.PassValue();
        return S_OK;
    }

    if (arg.byRef) {
        if (given->vt == (VT_BYREF | arg.type)) {
            // Already what the member expects (a typed variable, or a script variable for a
            // VARIANT* parameter): the member works on the caller's storage directly.
            arg.pass = *given;
            if (outOnly && arg.type == VT_VARIANT) VariantClear(given->pvarVal);
            return S_OK;
        }
        if (inOnly) {
            // nothing to give back
        } else if (given->vt == (VT_BYREF | VT_VARIANT)) {
            arg.intoVariable = given->pvarVal;
        } else if (given->vt & VT_BYREF) {
            arg.intoTyped = given;
        }
    }
    if (outOnly && arg.byRef) EmptyOf(arg.type, arg.value);
    else if (FAILED(hr = Coerce(*given, arg.type, lcid, arg.value))) return hr;
    arg.PassValue();
    return S_OK;
}

HRESULT Call(const FuncDescription& func, IDispatch* self, DISPPARAMS* params, LCID lcid,
             VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    const UINT given = params ? params->cArgs : 0;
    const UINT named = params ? params->cNamedArgs : 0;
    const UINT positional = given - named;
    const SHORT count = func->cParams;

    // The declared parameters a caller fills, and where the [out,retval] one is.
    int retval = -1;
    UINT callerParams = 0;
    for (SHORT i = 0; i < count; ++i) {
        USHORT flags = func->lprgelemdescParam[i].paramdesc.wParamFlags;
        if (flags & PARAMFLAG_FRETVAL) retval = i;
        else if (flags & PARAMFLAG_FLCID) return DISP_E_BADVARTYPE;   // not used by our servers
        else ++callerParams;
    }
    if (positional > callerParams || named > callerParams) return DISP_E_BADPARAMCOUNT;

    // Which argument of DISPPARAMS each parameter gets (positional ones come last first).
    std::vector<VARIANT*> source(static_cast<size_t>(callerParams), nullptr);
    std::vector<UINT> sourceIndex(static_cast<size_t>(callerParams), 0);
    for (UINT i = 0; i < positional; ++i) {
        sourceIndex[i] = given - 1 - i;
        source[i] = &params->rgvarg[sourceIndex[i]];
    }
    for (UINT n = 0; n < named; ++n) {
        DISPID id = params->rgdispidNamedArgs[n];
        UINT target = id == DISPID_PROPERTYPUT ? callerParams - 1 : static_cast<UINT>(id);
        if (id != DISPID_PROPERTYPUT && (id < 0 || target >= callerParams)) return DISP_E_PARAMNOTFOUND;
        if (source[target]) return DISP_E_PARAMNOTFOUND;   // given twice
        source[target] = &params->rgvarg[n];
        sourceIndex[target] = n;
    }

    std::vector<Argument> args(static_cast<size_t>(count));
    VARIANT returned;
    VariantInit(&returned);
    for (SHORT i = 0, p = 0; i < count; ++i) {
        if (i == retval) {
            VARTYPE declared = VT_EMPTY;
            HRESULT hr = ResolveType(func.Info(), func->lprgelemdescParam[i].tdesc, declared);
            if (FAILED(hr) || !(declared & VT_BYREF)) return FAILED(hr) ? hr : DISP_E_BADVARTYPE;
            args[i].type = static_cast<VARTYPE>(declared & ~VT_BYREF);
            args[i].byRef = true;
            EmptyOf(args[i].type, args[i].value);
            args[i].PassValue();
            continue;
        }
        HRESULT hr = Prepare(args[i], func->lprgelemdescParam[i], func.Info(), source[p], lcid);
        if (FAILED(hr)) {
            if (argErr && source[p]) *argErr = sourceIndex[p];
            return hr;
        }
        ++p;
    }

    std::vector<VARTYPE> types(static_cast<size_t>(count));
    std::vector<VARIANT*> values(static_cast<size_t>(count));
    for (SHORT i = 0; i < count; ++i) {
        types[i] = args[i].CallType();
        values[i] = args[i].ForCall();
    }
    VARIANT status;
    VariantInit(&status);
    HRESULT hr = DispCallFunc(self, func->oVft, CC_STDCALL, VT_ERROR, static_cast<UINT>(count), types.data(),
                              values.data(), &status);
    if (FAILED(hr)) return hr;
    hr = status.scode;
    if (FAILED(hr)) return ReportToExcepInfo(hr, excep);

    for (SHORT i = 0; i < count; ++i)
        if (i != retval) args[i].WriteBack(lcid);
    if (retval >= 0) {
        if (result) {
            *result = args[retval].value;
            VariantInit(&args[retval].value);
        }
    }
    return S_OK;
}

}  // namespace

HRESULT LoadTypeInfo(REFIID iid, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ComPtr<ITypeLib> library;
    HRESULT hr = GetTypeLib(library.Put());
    return FAILED(hr) ? hr : library->GetTypeInfoOfGuid(iid, out);
}

HRESULT AdaptedInvoke(ITypeInfo* typeInfo, IDispatch* self, DISPID member, LCID lcid, WORD flags,
                      DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!typeInfo || !self) return E_POINTER;
    if (params && params->cNamedArgs > params->cArgs) return E_INVALIDARG;
    ComPtr<ITypeInfo> vtable;
    HRESULT hr = VtableInterface(typeInfo, vtable);
    if (hr == E_NOTIMPL)   // a pure dispinterface has no slots to call
        return typeInfo->Invoke(self, member, flags, params, result, excep, argErr);
    if (FAILED(hr)) return hr;
    FuncDescription func;
    if (!FindForFlags(vtable.Get(), member, flags, func)) return DISP_E_MEMBERNOTFOUND;
    if (result) VariantInit(result);
    return Call(func, self, params, lcid, result, excep, argErr);
}

}  // namespace kv::com
