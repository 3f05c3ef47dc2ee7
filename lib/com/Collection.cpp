// The keyed collection with its hand-written IDispatch and a For Each enumerator.
#include "Collection.h"

#include <new>
#include <utility>
#include <vector>

#include "ComError.h"
#include "ComObject.h"
#include "ComServer.h"
#include "Guard.h"
#include "KVError.h"

namespace kv::com {

namespace {

constexpr DISPID kCountId = 1;
constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// VARIANTs that copy and clear themselves.
struct Value {
    VARIANT v;
    Value() { VariantInit(&v); }
    explicit Value(const VARIANT& from) : Value() {
        if (FAILED(VariantCopyInd(&v, const_cast<VARIANT*>(&from)))) throw KVError(13, L"Type mismatch");
    }
    Value(const Value& o) : Value(o.v) {}
    Value& operator=(const Value&) = delete;
    ~Value() { VariantClear(&v); }
};

class Enumerator final : public ComObject<IEnumVARIANT> {
public:
    Enumerator(std::vector<Value> items, ULONG position) : items_(std::move(items)), position_(position) {}

    STDMETHODIMP Next(ULONG wanted, VARIANT* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        ULONG n = 0;
        for (; n < wanted && position_ < items_.size(); ++n, ++position_) {
            VariantInit(&out[n]);
            HRESULT hr = VariantCopy(&out[n], &items_[position_].v);
            if (FAILED(hr)) {
                for (ULONG i = 0; i < n; ++i) VariantClear(&out[i]);
                if (fetched) *fetched = 0;
                return hr;
            }
        }
        if (fetched) *fetched = n;
        return n == wanted ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        ULONG left = static_cast<ULONG>(items_.size()) - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumVARIANT** out) override {
        return Guard(IID_IEnumVARIANT, [&] {
            if (!out) return E_POINTER;
            *out = nullptr;
            *out = new Enumerator(items_, position_);
            return S_OK;
        });
    }

private:
    void* FindInterface(REFIID riid) override {
        return riid == IID_IEnumVARIANT ? static_cast<IEnumVARIANT*>(this) : nullptr;
    }

    std::vector<Value> items_;
    ULONG position_;
};

class KeyedCollection final : public ComObject<Collection> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        if (out) *out = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids || count == 0) return E_INVALIDARG;
        static const struct { const wchar_t* name; DISPID id; } members[] = {
            {L"Item", DISPID_VALUE}, {L"Count", kCountId}, {L"_NewEnum", DISPID_NEWENUM}};
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        for (const auto& m : members)
            if (_wcsicmp(names[0], m.name) == 0) ids[0] = m.id;
        if (ids[0] == DISPID_UNKNOWN || count > 1) hr = DISP_E_UNKNOWNNAME;   // no named arguments
        return hr;
    }
    STDMETHODIMP Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT*) override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if (!params) return E_INVALIDARG;
        if (params->cNamedArgs) return DISP_E_NONAMEDARGS;
        if (!(flags & kGet)) return DISP_E_MEMBERNOTFOUND;
        if (member != DISPID_VALUE && member != kCountId && member != DISPID_NEWENUM) return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != (member == DISPID_VALUE ? 1u : 0u)) return DISP_E_BADPARAMCOUNT;
        VARIANT ignored;
        VariantInit(&ignored);
        if (!result) result = &ignored;
        // A failed member (an unknown key, a position out of range) reaches a script as
        // DISP_E_EXCEPTION with its error, as ITypeInfo::Invoke reports one.
        HRESULT hr = Guard(IID_IDispatch, [&] {
            switch (member) {
            case DISPID_VALUE:
                return VariantCopy(result, &items_[Find(params->rgvarg[0])].value.v);
            case kCountId:
                result->vt = VT_I4;
                result->lVal = Count();
                return S_OK;
            default: {   // DISPID_NEWENUM
                std::vector<Value> values;
                values.reserve(items_.size());
                for (const Item& item : items_) values.push_back(item.value);
                result->vt = VT_UNKNOWN;
                result->punkVal = new Enumerator(std::move(values), 0);
                return S_OK;
            }
            }
        });
        VariantClear(&ignored);
        return ReportToExcepInfo(hr, excep);
    }

    void Add(const std::wstring& key, const VARIANT& value) override {
        if (!key.empty() && IndexOfKey(key) >= 0)
            throw KVError(457, L"This key is already associated with an element of this collection");
        items_.push_back(Item{key, Value(value)});
    }
    long Count() const override { return static_cast<long>(items_.size()); }

private:
    struct Item {
        std::wstring key;
        Value value;
    };

    void* FindInterface(REFIID riid) override {
        return riid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    }

    long IndexOfKey(const std::wstring& key) const {
        for (size_t i = 0; i < items_.size(); ++i)
            if (!items_[i].key.empty() &&
                CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, items_[i].key.c_str(),
                               static_cast<int>(items_[i].key.size()), key.c_str(),
                               static_cast<int>(key.size())) == CSTR_EQUAL)
                return static_cast<long>(i);
        return -1;
    }

    // The item a key (text) or 1-based position (number) names.
    size_t Find(const VARIANT& which) const {
        Value key(which);
        if (key.v.vt == VT_BSTR) {
            long i = IndexOfKey(std::wstring(key.v.bstrVal, SysStringLen(key.v.bstrVal)));
            if (i < 0) throw KVError(5, L"Invalid procedure call or argument");
            return static_cast<size_t>(i);
        }
        VARIANT position;
        VariantInit(&position);
        if (FAILED(VariantChangeType(&position, &key.v, 0, VT_I4))) throw KVError(13, L"Type mismatch");
        if (position.lVal < 1 || position.lVal > Count()) throw KVError(9, L"Subscript out of range");
        return static_cast<size_t>(position.lVal - 1);
    }

    std::vector<Item> items_;
};

}  // namespace

HRESULT CreateCollection(Collection** out) {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) KeyedCollection();
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace kv::com
