// kv::Variant <-> VARIANT.
#include "ComVariant.h"

#include "ComError.h"
#include "KVError.h"

namespace kv::com {

namespace {

[[noreturn]] void TypeMismatch() { throw KVError(13, L"Type mismatch"); }

// The element address SafeArrayGet/PutElement expects for a VARIANT holding vt: pointer
// types are passed as themselves, everything else by address.
void* ElementPointer(VARIANT& v, VARTYPE vt) {
    switch (vt) {
    case VT_VARIANT: return &v;
    case VT_BSTR: return v.bstrVal;
    case VT_DISPATCH: return v.pdispVal;
    case VT_UNKNOWN: return v.punkVal;
    default: return &v.llVal;   // the start of the value union
    }
}

// Every index vector of an array, the first (left-most) dimension varying slowest.
template <class F>
void ForEachIndex(const std::vector<long>& lower, const std::vector<long>& lengths, F visit) {
    if (lengths.empty()) return;
    for (long l : lengths)
        if (l <= 0) return;
    std::vector<long> index(lower);
    for (;;) {
        visit(index);
        size_t d = index.size();
        while (d > 0) {
            --d;
            if (++index[d] < lower[d] + lengths[d]) break;
            index[d] = lower[d];
            if (d == 0) return;
        }
    }
}

// SafeArray*Element take the indices in subscript order, a(i, j) as {i, j} (whatever the
// documentation says about the order, this is what oleaut32 does).
std::vector<LONG> SafeArrayIndices(const std::vector<long>& index) {
    return std::vector<LONG>(index.begin(), index.end());
}

Variant FromSafeArray(SAFEARRAY* psa, VARTYPE elementType) {
    if (!psa) return Variant();
    UINT dims = SafeArrayGetDim(psa);
    std::vector<long> lower(dims), lengths(dims);
    for (UINT d = 0; d < dims; ++d) {
        LONG lo = 0, hi = -1;
        CheckHr(SafeArrayGetLBound(psa, d + 1, &lo));
        CheckHr(SafeArrayGetUBound(psa, d + 1, &hi));
        lower[d] = lo;
        lengths[d] = hi - lo + 1;
    }
    if (elementType == VT_UI1 && dims == 1) {
        ByteArray bytes(static_cast<size_t>(lengths[0] > 0 ? lengths[0] : 0));
        for (size_t i = 0; i < bytes.size(); ++i) {
            LONG at = lower[0] + static_cast<LONG>(i);
            CheckHr(SafeArrayGetElement(psa, &at, &bytes[i]));
        }
        return Variant(std::move(bytes));
    }
    auto array = VariantArray::Make(elementType, lower, lengths);
    ForEachIndex(lower, lengths, [&](const std::vector<long>& index) {
        std::vector<LONG> at = SafeArrayIndices(index);
        VARIANT e;
        VariantInit(&e);
        // The union receives the element (a copy: BSTRs duplicated, objects AddRef'd).
        void* target = elementType == VT_VARIANT ? static_cast<void*>(&e) : static_cast<void*>(&e.llVal);
        CheckHr(SafeArrayGetElement(psa, at.data(), target));
        if (elementType != VT_VARIANT) e.vt = elementType;
        try {
            array->Item(index) = FromVARIANT(e);
        } catch (...) {
            VariantClear(&e);
            throw;
        }
        VariantClear(&e);
    });
    return Variant(array);
}

SAFEARRAY* ToSafeArray(const VariantArray& array) {
    std::vector<SAFEARRAYBOUND> bounds(array.lengths.size());
    for (size_t d = 0; d < bounds.size(); ++d) {
        bounds[d].lLbound = array.lowerBounds[d];
        bounds[d].cElements = static_cast<ULONG>(array.lengths[d] < 0 ? 0 : array.lengths[d]);
    }
    SAFEARRAY* psa = SafeArrayCreate(array.elementType, static_cast<UINT>(bounds.size()), bounds.data());
    if (!psa) throw KVError(7, L"Out of memory");
    try {
        ForEachIndex(array.lowerBounds, array.lengths, [&](const std::vector<long>& index) {
            ComVariant e(array.Item(index));
            if (array.elementType != VT_VARIANT && e->vt != array.elementType)
                if (FAILED(VariantChangeType(e.Get(), e.Get(), 0, array.elementType))) TypeMismatch();
            std::vector<LONG> at = SafeArrayIndices(index);
            CheckHr(SafeArrayPutElement(psa, at.data(), ElementPointer(*e.Get(), array.elementType)));
        });
    } catch (...) {
        SafeArrayDestroy(psa);
        throw;
    }
    return psa;
}

}  // namespace

Variant FromVARIANT(const VARIANT& v) {
    if (v.vt == (VT_BYREF | VT_VARIANT)) {
        if (!v.pvarVal) return Variant();
        return FromVARIANT(*v.pvarVal);
    }
    if (v.vt & VT_BYREF) {
        ComVariant value;
        if (FAILED(VariantCopyInd(value.Get(), const_cast<VARIANT*>(&v)))) TypeMismatch();
        return FromVARIANT(*value);
    }
    if (v.vt & VT_ARRAY) return FromSafeArray(v.parray, static_cast<VARTYPE>(v.vt & VT_TYPEMASK));
    switch (v.vt) {
    case VT_EMPTY: return Variant();
    case VT_NULL: return Variant(Null{});
    case VT_BOOL: return Variant(v.boolVal != VARIANT_FALSE);
    case VT_UI1: return Variant(static_cast<std::uint8_t>(v.bVal));
    case VT_I2: return Variant(static_cast<std::int16_t>(v.iVal));
    case VT_I4: return Variant(static_cast<std::int32_t>(v.lVal));
    case VT_INT: return Variant(static_cast<std::int32_t>(v.intVal));
    case VT_I1: return Variant(static_cast<std::int32_t>(v.cVal));
    case VT_UI2: return Variant(static_cast<std::int32_t>(v.uiVal));
    case VT_R8: return Variant(v.dblVal);
    case VT_DATE: return Variant(Date{v.date});
    case VT_BSTR: return Variant(FromBSTR(v.bstrVal));
    case VT_DISPATCH: return Variant(ComPtr<IDispatch>(v.pdispVal));
    case VT_UNKNOWN: {
        ComPtr<IDispatch> dispatch;
        if (v.punkVal && FAILED(v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Put()))))
            TypeMismatch();
        return Variant(dispatch);
    }
    case VT_ERROR:
        if (v.scode == DISP_E_PARAMNOTFOUND) return Variant();
        TypeMismatch();
    case VT_R4: case VT_UI4: case VT_UINT: case VT_I8: case VT_UI8: case VT_CY: case VT_DECIMAL: {
        ComVariant d;
        if (FAILED(VariantChangeType(d.Get(), const_cast<VARIANT*>(&v), 0, VT_R8))) TypeMismatch();
        return Variant(d->dblVal);
    }
    default:
        TypeMismatch();
    }
}

void ToVARIANT(const Variant& value, VARIANT* out) {
    VariantInit(out);
    const auto& raw = value.Raw();
    if (value.IsEmpty()) return;
    if (value.IsNull()) { out->vt = VT_NULL; return; }
    if (auto p = std::get_if<bool>(&raw)) { out->vt = VT_BOOL; out->boolVal = ToVariantBool(*p); return; }
    if (auto p = std::get_if<std::uint8_t>(&raw)) { out->vt = VT_UI1; out->bVal = *p; return; }
    if (auto p = std::get_if<std::int16_t>(&raw)) { out->vt = VT_I2; out->iVal = *p; return; }
    if (auto p = std::get_if<std::int32_t>(&raw)) { out->vt = VT_I4; out->lVal = *p; return; }
    if (auto p = std::get_if<double>(&raw)) { out->vt = VT_R8; out->dblVal = *p; return; }
    if (auto p = std::get_if<Date>(&raw)) { out->vt = VT_DATE; out->date = p->value; return; }
    if (auto p = std::get_if<std::wstring>(&raw)) { out->bstrVal = ToBSTR(*p); out->vt = VT_BSTR; return; }
    if (auto p = std::get_if<ComPtr<IDispatch>>(&raw)) {
        out->pdispVal = p->Get();
        if (out->pdispVal) out->pdispVal->AddRef();
        out->vt = VT_DISPATCH;
        return;
    }
    if (auto p = std::get_if<ByteArray>(&raw)) {
        SAFEARRAY* psa = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(p->size()));
        if (!psa) throw KVError(7, L"Out of memory");
        void* data = nullptr;
        if (SUCCEEDED(SafeArrayAccessData(psa, &data))) {
            if (!p->empty()) memcpy(data, p->data(), p->size());
            SafeArrayUnaccessData(psa);
        }
        out->parray = psa;
        out->vt = VT_ARRAY | VT_UI1;
        return;
    }
    if (auto p = std::get_if<std::shared_ptr<VariantArray>>(&raw)) {
        if (!*p) return;
        out->parray = ToSafeArray(**p);
        out->vt = static_cast<VARTYPE>(VT_ARRAY | (*p)->elementType);
        return;
    }
    TypeMismatch();
}

void StoreVARIANT(const Variant& value, VARIANT* target) {
    while (target->vt == (VT_BYREF | VT_VARIANT) && target->pvarVal) target = target->pvarVal;
    auto array = value.Holds<std::shared_ptr<VariantArray>>() ? value.Get<std::shared_ptr<VariantArray>>() : nullptr;
    SAFEARRAY* existing = nullptr;
    if (target->vt & VT_ARRAY) existing = (target->vt & VT_BYREF) ? (target->pparray ? *target->pparray : nullptr) : target->parray;
    if (array && existing && SafeArrayGetDim(existing) == array->lengths.size()) {
        bool sameShape = true;
        for (UINT d = 0; d < array->lengths.size() && sameShape; ++d) {
            LONG lo = 0, hi = -1;
            SafeArrayGetLBound(existing, d + 1, &lo);
            SafeArrayGetUBound(existing, d + 1, &hi);
            sameShape = lo == array->lowerBounds[d] && hi - lo + 1 == array->lengths[d];
        }
        VARTYPE elementType = VT_EMPTY;
        if (sameShape && SUCCEEDED(SafeArrayGetVartype(existing, &elementType))) {
            ForEachIndex(array->lowerBounds, array->lengths, [&](const std::vector<long>& index) {
                ComVariant e(array->Item(index));
                if (elementType != VT_VARIANT && e->vt != elementType)
                    if (FAILED(VariantChangeType(e.Get(), e.Get(), 0, elementType))) TypeMismatch();
                std::vector<LONG> at = SafeArrayIndices(index);
                CheckHr(SafeArrayPutElement(existing, at.data(), ElementPointer(*e.Get(), elementType)));
            });
            return;
        }
    }
    VARIANT fresh;
    ToVARIANT(value, &fresh);
    VariantClear(target);
    *target = fresh;
}

bool IsMissing(const VARIANT& v) {
    if (v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal) return IsMissing(*v.pvarVal);
    return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND;
}

BSTR ToBSTR(const std::wstring& s) {
    BSTR b = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    if (!b) throw KVError(7, L"Out of memory");
    return b;
}

std::wstring FromBSTR(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

}  // namespace kv::com
