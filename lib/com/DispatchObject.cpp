// IDispatch for the published classes: the type info of the embedded type library and the
// adapting Invoke that lets script callers (every argument a VARIANT, variables passed as
// VT_BYREF|VT_VARIANT) call members declared with typed and by-reference parameters.
// Everything the type info says about a member is read once into the interface's table;
// a call only looks its member up there.
#include "DispatchObject.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ComVariant.h"

namespace kv::com {

namespace {

// A type info's FUNCDESC, released on scope exit.
class FuncDescription {
public:
    FuncDescription(ITypeInfo* info, UINT index) : info_(info) {
        if (FAILED(info->GetFuncDesc(index, &desc_))) desc_ = nullptr;
    }
    ~FuncDescription() { if (desc_) info_->ReleaseFuncDesc(desc_); }
    FuncDescription(const FuncDescription&) = delete;
    FuncDescription& operator=(const FuncDescription&) = delete;
    const FUNCDESC& operator*() const { return *desc_; }
    const FUNCDESC* operator->() const { return desc_; }
    explicit operator bool() const { return desc_ != nullptr; }

private:
    ITypeInfo* info_;
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

}  // namespace

// One interface's members as the adapting Invoke calls them, and its names.
class DispatchTable {
public:
    // One declared parameter.
    struct Parameter {
        HRESULT typeError = S_OK;   // the declared type cannot be passed (reported when called)
        VARTYPE type = VT_EMPTY;    // declared value type
        bool byRef = false;
        USHORT flags = 0;           // PARAMFLAG_*
        bool hasDefault = false;
        ComVariant defaultValue;    // as declared; coerced with the caller's locale
    };
    // One member of one invoke kind.
    struct Member {
        SHORT slot = 0;            // vtable offset
        HRESULT refused = S_OK;    // a parameter no script can fill (an LCID)
        int retval = -1;           // the [out,retval] parameter
        UINT callerParams = 0;     // the parameters a caller fills
        std::vector<Parameter> params;
    };

    ComPtr<ITypeInfo> typeInfo;   // the interface as IDispatch serves it
    // S_OK, E_NOTIMPL for a pure dispinterface (typeInfo->Invoke serves it), or why the
    // vtable interface behind it could not be read.
    HRESULT vtable = S_OK;

    HRESULT Read(REFIID iid);

    // The member a script's flags ask for: a method before a property get when both are allowed
    // (obj.Name(x) comes as METHOD|PROPERTYGET); a put by reference falls back to a plain put.
    const Member* ForFlags(DISPID id, WORD flags) const {
        const Member* m = nullptr;
        if ((flags & DISPATCH_METHOD) && (m = Find(id, INVOKE_FUNC))) return m;
        if ((flags & DISPATCH_PROPERTYGET) && (m = Find(id, INVOKE_PROPERTYGET))) return m;
        if ((flags & DISPATCH_PROPERTYPUTREF) && (m = Find(id, INVOKE_PROPERTYPUTREF))) return m;
        if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && (m = Find(id, INVOKE_PROPERTYPUT)))
            return m;
        return nullptr;
    }

    // The id of a member name as DispGetIDsOfNames gave it when the table was read; false
    // when the name is not one of the interface's own (the type info answers those).
    bool FindName(const wchar_t* name, DISPID& id) const {
        wchar_t folded[kLongestName];
        size_t length = 0;
        for (; name[length]; ++length)
            if (length == kLongestName || !Fold(name[length], folded[length])) return false;
        std::wstring_view key(folded, length);
        auto at = std::lower_bound(names_.begin(), names_.end(), key,
                                   [](const auto& entry, std::wstring_view k) { return entry.first < k; });
        if (at == names_.end() || at->first != key) return false;
        id = at->second;
        return true;
    }

private:
    static constexpr size_t kLongestName = 128;

    // ASCII names compare case-insensitively the same way everywhere; others are left to
    // the type info.
    static bool Fold(wchar_t c, wchar_t& out) {
        if (c >= 0x80) return false;
        out = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        return true;
    }
    static unsigned long long Key(DISPID id, INVOKEKIND kind) {
        return (static_cast<unsigned long long>(static_cast<ULONG>(id)) << 4) | static_cast<unsigned>(kind);
    }
    const Member* Find(DISPID id, INVOKEKIND kind) const {
        auto at = members_.find(Key(id, kind));
        return at == members_.end() ? nullptr : &at->second;
    }

    HRESULT ReadMembers(ITypeInfo* vtableInfo);
    HRESULT ReadMember(ITypeInfo* info, const FUNCDESC& desc, Member& m);
    void ReadNames();

    std::unordered_map<unsigned long long, Member> members_;   // by Key(id, kind)
    std::vector<std::pair<std::wstring, DISPID>> names_;       // folded, sorted
};

HRESULT DispatchTable::Read(REFIID iid) {
    ComPtr<ITypeLib> library;
    HRESULT hr = GetTypeLib(library.Put());
    if (FAILED(hr) || FAILED(hr = library->GetTypeInfoOfGuid(iid, typeInfo.Put()))) return hr;
    ComPtr<ITypeInfo> vtableInfo;
    vtable = VtableInterface(typeInfo.Get(), vtableInfo);
    if (SUCCEEDED(vtable) && FAILED(hr = ReadMembers(vtableInfo.Get()))) return hr;
    ReadNames();
    return S_OK;
}

// The members of the vtable interface and the interfaces it derives from; where two share
// an id and invoke kind, the derived one, then the earlier one, is called.
HRESULT DispatchTable::ReadMembers(ITypeInfo* vtableInfo) {
    ComPtr<ITypeInfo> info(vtableInfo);
    while (!IsBaseOfAll(info.Get())) {
        WORD count = 0, bases = 0;
        {
            TypeAttributes attr(info.Get());
            if (!attr) return S_OK;
            count = attr->cFuncs;
            bases = attr->cImplTypes;
        }
        for (UINT i = 0; i < count; ++i) {
            FuncDescription desc(info.Get(), i);
            if (!desc) continue;
            unsigned long long key = Key(desc->memid, desc->invkind);
            if (members_.count(key)) continue;
            Member m;
            HRESULT hr = ReadMember(info.Get(), *desc, m);
            if (FAILED(hr)) return hr;
            members_.emplace(key, std::move(m));
        }
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> base;
        if (bases == 0 || FAILED(info->GetRefTypeOfImplType(0, &ref)) || FAILED(info->GetRefTypeInfo(ref, base.Put())))
            return S_OK;
        info = base;
    }
    return S_OK;
}

HRESULT DispatchTable::ReadMember(ITypeInfo* info, const FUNCDESC& desc, Member& m) {
    m.slot = desc.oVft;
    m.params.resize(static_cast<size_t>(desc.cParams));
    for (SHORT i = 0; i < desc.cParams; ++i) {
        const ELEMDESC& elem = desc.lprgelemdescParam[i];
        Parameter& p = m.params[i];
        p.flags = elem.paramdesc.wParamFlags;
        if (p.flags & PARAMFLAG_FRETVAL) m.retval = i;
        else if (p.flags & PARAMFLAG_FLCID) m.refused = DISP_E_BADVARTYPE;   // not used by our servers
        else ++m.callerParams;
        VARTYPE declared = VT_EMPTY;
        p.typeError = ResolveType(info, elem.tdesc, declared);
        p.byRef = (declared & VT_BYREF) != 0;
        p.type = static_cast<VARTYPE>(declared & ~VT_BYREF);
        if ((p.flags & PARAMFLAG_FHASDEFAULT) && elem.paramdesc.pparamdescex) {
            p.hasDefault = true;
            HRESULT hr = VariantCopy(p.defaultValue.Get(), &elem.paramdesc.pparamdescex->varDefaultValue);
            if (FAILED(hr)) return hr;
        }
    }
    return S_OK;
}

// Each member name with the id the type info gives it (the same lookup answers later calls).
void DispatchTable::ReadNames() {
    WORD count = 0;
    {
        TypeAttributes attr(typeInfo.Get());
        if (!attr) return;
        count = attr->cFuncs;
    }
    for (UINT i = 0; i < count; ++i) {
        FuncDescription desc(typeInfo.Get(), i);
        BSTR name = nullptr;
        UINT found = 0;
        if (!desc || FAILED(typeInfo->GetNames(desc->memid, &name, 1, &found)) || found == 0) continue;
        std::wstring folded;
        bool plain = true;
        for (const wchar_t* c = name; *c && plain; ++c) {
            wchar_t f = 0;
            plain = Fold(*c, f) && folded.size() < kLongestName;
            folded += f;
        }
        DISPID id = DISPID_UNKNOWN;
        if (plain && !folded.empty() &&
            std::none_of(names_.begin(), names_.end(), [&](const auto& e) { return e.first == folded; }) &&
            DispGetIDsOfNames(typeInfo.Get(), &name, 1, &id) == S_OK)
            names_.emplace_back(std::move(folded), id);
        SysFreeString(name);
    }
    std::sort(names_.begin(), names_.end());
}

namespace {

// Prepares one parameter from the caller's argument (nullptr when it was not given).
HRESULT Prepare(Argument& arg, const DispatchTable::Parameter& param, VARIANT* given, LCID lcid) {
    if (FAILED(param.typeError)) return param.typeError;
    arg.byRef = param.byRef;
    arg.type = param.type;
    const USHORT flags = param.flags;
    const bool outOnly = (flags & PARAMFLAG_FOUT) && !(flags & PARAMFLAG_FIN);
    const bool inOnly = (flags & PARAMFLAG_FIN) && !(flags & PARAMFLAG_FOUT);

    if (!given || (given->vt == VT_ERROR && given->scode == DISP_E_PARAMNOTFOUND)) {
        if (param.hasDefault) {
            HRESULT hr = Coerce(*param.defaultValue, arg.type, lcid, arg.value);
            if (FAILED(hr)) return hr;
        } else if ((flags & PARAMFLAG_FOPT) && arg.type == VT_VARIANT) {
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
    HRESULT hr = S_OK;
    if (outOnly && arg.byRef) EmptyOf(arg.type, arg.value);
    else if (FAILED(hr = Coerce(*given, arg.type, lcid, arg.value))) return hr;
    arg.PassValue();
    return S_OK;
}

HRESULT Call(const DispatchTable::Member& func, IDispatch* self, DISPPARAMS* params, LCID lcid,
             VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    const UINT given = params ? params->cArgs : 0;
    const UINT named = params ? params->cNamedArgs : 0;
    const UINT positional = given - named;
    const UINT count = static_cast<UINT>(func.params.size());
    const int retval = func.retval;
    const UINT callerParams = func.callerParams;
    if (FAILED(func.refused)) return func.refused;
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
    for (UINT i = 0, p = 0; i < count; ++i) {
        const DispatchTable::Parameter& param = func.params[i];
        if (static_cast<int>(i) == retval) {
            if (FAILED(param.typeError) || !param.byRef)
                return FAILED(param.typeError) ? param.typeError : DISP_E_BADVARTYPE;
            args[i].type = param.type;
            args[i].byRef = true;
            EmptyOf(args[i].type, args[i].value);
            args[i].PassValue();
            continue;
        }
        HRESULT hr = Prepare(args[i], param, source[p], lcid);
        if (FAILED(hr)) {
            if (argErr && source[p]) *argErr = sourceIndex[p];
            return hr;
        }
        ++p;
    }

    std::vector<VARTYPE> types(static_cast<size_t>(count));
    std::vector<VARIANT*> values(static_cast<size_t>(count));
    for (UINT i = 0; i < count; ++i) {
        types[i] = args[i].CallType();
        values[i] = args[i].ForCall();
    }
    VARIANT status;
    VariantInit(&status);
    HRESULT hr = DispCallFunc(self, func.slot, CC_STDCALL, VT_ERROR, count, types.data(), values.data(), &status);
    if (FAILED(hr)) return hr;
    hr = status.scode;
    if (FAILED(hr)) return ReportToExcepInfo(hr, excep);

    for (UINT i = 0; i < count; ++i)
        if (static_cast<int>(i) != retval) args[i].WriteBack(lcid);
    if (retval >= 0) {
        if (result) {
            *result = args[retval].value;
            VariantInit(&args[retval].value);
        }
    }
    return S_OK;
}

// The module's tables. Never destroyed: at process exit the type infos are left to the
// system rather than released after oleaut32 may have gone.
SRWLOCK g_tablesLock = SRWLOCK_INIT;
auto* const g_tables = new std::vector<std::pair<IID, std::shared_ptr<const DispatchTable>>>();

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace

HRESULT FindDispatchTable(REFIID iid, std::shared_ptr<const DispatchTable>& out) {
    ExclusiveLock guard(g_tablesLock);
    for (const auto& [tableIid, table] : *g_tables) {
        if (tableIid == iid) {
            out = table;
            return S_OK;
        }
    }
    auto table = std::make_shared<DispatchTable>();
    HRESULT hr = table->Read(iid);
    if (FAILED(hr)) return hr;   // not kept: the next call tries again
    g_tables->emplace_back(iid, table);
    out = std::move(table);
    return S_OK;
}

void ReleaseDispatchTables() {
    ExclusiveLock guard(g_tablesLock);
    g_tables->clear();
}

ITypeInfo* TableTypeInfo(const DispatchTable& table) { return table.typeInfo.Get(); }

HRESULT TableGetIDsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids) {
    // A script engine asks for one name per call; named arguments go to the type info.
    if (count == 1 && names && names[0] && ids && table.FindName(names[0], ids[0])) return S_OK;
    return DispGetIDsOfNames(table.typeInfo.Get(), names, count, ids);
}

HRESULT AdaptedInvoke(const DispatchTable& table, IDispatch* self, DISPID member, LCID lcid, WORD flags,
                      DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!self) return E_POINTER;
    if (params && params->cNamedArgs > params->cArgs) return E_INVALIDARG;
    if (table.vtable == E_NOTIMPL)   // a pure dispinterface has no slots to call
        return table.typeInfo->Invoke(self, member, flags, params, result, excep, argErr);
    if (FAILED(table.vtable)) return table.vtable;
    const DispatchTable::Member* func = table.ForFlags(member, flags);
    if (!func) return DISP_E_MEMBERNOTFOUND;
    if (result) VariantInit(result);
    return Call(*func, self, params, lcid, result, excep, argErr);
}

}  // namespace kv::com
