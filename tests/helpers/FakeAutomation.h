#pragma once
// A small automation object whose members are test lambdas, to stand in for a caller's
// objects (forms, collections, databases) that are driven late-bound.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ComVariant.h"
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
        *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
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
        try {
            std::vector<kv::Variant> args;
            for (UINT i = params->cArgs; i-- > 0;) args.push_back(kv::com::FromVARIANT(params->rgvarg[i]));
            kv::Variant value = it->second(args, flags);
            if (result) kv::com::ToVARIANT(value, result);
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

    ULONG refs_ = 1;
    std::vector<std::wstring> names_;
    std::map<DISPID, Member> members_;
};

}  // namespace kvtest
