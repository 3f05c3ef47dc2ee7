#pragma once
// A small automation object whose members are test lambdas, to stand in for a caller's
// objects (forms, option-button arrays, collections, databases) that are driven late-bound.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "KVError.h"
#include "Variant.h"

namespace kvtest {

class FakeObject : public IDispatch {
public:
    // A member: gets the arguments in call order and the Invoke flags; throwing a KVError
    // makes the call fail as an object's raised error does.
    using Member = std::function<kv::Variant(const std::vector<kv::Variant>&, WORD)>;

    static kv::ComPtr<FakeObject> Make() { return kv::ComPtr<FakeObject>::Attach(new FakeObject); }
    void On(const std::wstring& name, Member member) {
        names_.push_back(name);
        members_[static_cast<DISPID>(names_.size())] = std::move(member);
    }
    kv::ComPtr<IDispatch> AsDispatch() { return kv::ComPtr<IDispatch>(this); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG r = --refs_;
        if (r == 0) delete this;
        return r;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        for (size_t i = 0; i < names_.size(); ++i)
            if (_wcsicmp(names_[i].c_str(), names[0]) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT*) override {
        auto it = members_.find(id);
        if (it == members_.end()) return DISP_E_MEMBERNOTFOUND;
        std::vector<kv::Variant> args;
        for (UINT i = params->cArgs; i-- > 0;) args.push_back(FromArg(params->rgvarg[i]));
        try {
            kv::Variant value = it->second(args, flags);
            if (result) ToResult(value, result);
            return S_OK;
        } catch (const kv::KVError& e) {
            if (excep) {
                *excep = EXCEPINFO{};
                excep->scode = static_cast<HRESULT>(0x800A0000UL | static_cast<unsigned long>(e.Number & 0xFFFF));
                excep->bstrDescription = SysAllocString(e.Description.c_str());
            }
            return DISP_E_EXCEPTION;
        }
    }

private:
    FakeObject() = default;
    virtual ~FakeObject() = default;

    static kv::Variant FromArg(const VARIANT& v) {
        switch (v.vt) {
        case VT_I2: return kv::Variant(static_cast<long>(v.iVal));
        case VT_I4: return kv::Variant(static_cast<long>(v.lVal));
        case VT_R8: return kv::Variant(v.dblVal);
        case VT_BOOL: return kv::Variant(v.boolVal != VARIANT_FALSE);
        case VT_BSTR: return kv::Variant(std::wstring(v.bstrVal, SysStringLen(v.bstrVal)));
        default: return kv::Variant();
        }
    }
    static void ToResult(const kv::Variant& value, VARIANT* out) {
        VariantInit(out);
        if (value.IsNull()) {
            out->vt = VT_NULL;
        } else if (value.IsBoolean()) {
            out->vt = VT_BOOL;
            out->boolVal = value.Get<bool>() ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (value.IsString()) {
            out->vt = VT_BSTR;
            out->bstrVal = SysAllocString(value.Get<std::wstring>().c_str());
        } else if (value.IsObject()) {
            out->vt = VT_DISPATCH;
            out->pdispVal = value.Get<kv::ComPtr<IDispatch>>().Get();
            out->pdispVal->AddRef();
        } else if (value.IsNumeric()) {
            out->vt = VT_I4;
            out->lVal = value.ToLong();
        }
    }

    ULONG refs_ = 1;
    std::vector<std::wstring> names_;
    std::map<DISPID, Member> members_;
};

// An option-button array: Count, and Item(i) (0-based) giving buttons whose Value reads and
// writes values[i]. An index out of range raises 340 as a control array does.
inline kv::ComPtr<FakeObject> OptionArray(std::vector<bool>& values) {
    auto array = FakeObject::Make();
    std::vector<kv::ComPtr<IDispatch>> buttons;
    for (size_t i = 0; i < values.size(); ++i) {
        auto b = FakeObject::Make();
        b->On(L"Value", [&values, i](const std::vector<kv::Variant>& args, WORD flags) {
            if (flags & DISPATCH_PROPERTYPUT) values[i] = args.at(0).ToBool();
            return kv::Variant(static_cast<bool>(values[i]));
        });
        buttons.push_back(b->AsDispatch());
    }
    array->On(L"Count", [n = values.size()](auto&, WORD) { return kv::Variant(static_cast<long>(n)); });
    array->On(L"Item", [buttons](const std::vector<kv::Variant>& args, WORD) {
        long i = args.at(0).ToLong();
        if (i < 0 || i >= static_cast<long>(buttons.size())) throw kv::KVError(340, L"Element existiert nicht");
        return kv::Variant(buttons[static_cast<size_t>(i)]);
    });
    return array;
}

}  // namespace kvtest
