#pragma once
// KVHooks.clsHookData (a hooked pair as a record) and KVHooks.clsPublicConsts (no members; the
// class that carries the library's enumerations).
#include "DispatchObject.h"
#include "KVHooks.h"
#include "clsHookData.h"
#include "clsSubClassCom.h"

namespace kv::com {

class clsHookDataCom final : public DispatchObject<IclsHookData> {
public:
    STDMETHODIMP get_Message(long* v) override {
        return Guard(IID_IclsHookData, [&] { return HandOut(v, core_.Message); });
    }
    STDMETHODIMP put_Message(long v) override {
        core_.Message = v;
        return S_OK;
    }
    STDMETHODIMP get_hWnd(long* v) override {
        return Guard(IID_IclsHookData, [&] { return HandOut(v, NumberOf(core_.hWnd)); });
    }
    STDMETHODIMP put_hWnd(long v) override {
        core_.hWnd = WindowOf(v);
        return S_OK;
    }

private:
    clsHookData core_;
};

class clsPublicConstsCom final : public DispatchObject<IclsPublicConsts> {};

}  // namespace kv::com
