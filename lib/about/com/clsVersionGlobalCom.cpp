#include "clsVersionGlobalCom.h"

namespace kv::com {

STDMETHODIMP clsVersionGlobalCom::get_InfoApplication(BSTR* v) {
    return Guard(IID_IclsVersionGlobal, [&] { return HandOut(v, core_.InfoApplication()); });
}

STDMETHODIMP clsVersionGlobalCom::put_InfoApplication(BSTR v) {
    return Guard(IID_IclsVersionGlobal, [&] {
        core_.InfoApplication(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsVersionGlobalCom::get_InfoMajorVersion(long* v) {
    return Guard(IID_IclsVersionGlobal, [&] { return HandOut(v, core_.InfoMajorVersion()); });
}

STDMETHODIMP clsVersionGlobalCom::put_InfoMajorVersion(long v) {
    return Guard(IID_IclsVersionGlobal, [&] {
        core_.InfoMajorVersion(v);
        return S_OK;
    });
}

STDMETHODIMP clsVersionGlobalCom::get_InfoMinorVersion(long* v) {
    return Guard(IID_IclsVersionGlobal, [&] { return HandOut(v, core_.InfoMinorVersion()); });
}

STDMETHODIMP clsVersionGlobalCom::put_InfoMinorVersion(long v) {
    return Guard(IID_IclsVersionGlobal, [&] {
        core_.InfoMinorVersion(v);
        return S_OK;
    });
}

STDMETHODIMP clsVersionGlobalCom::get_InfoBuild(long* v) {
    return Guard(IID_IclsVersionGlobal, [&] { return HandOut(v, core_.InfoBuild()); });
}

STDMETHODIMP clsVersionGlobalCom::put_InfoBuild(long v) {
    return Guard(IID_IclsVersionGlobal, [&] {
        core_.InfoBuild(v);
        return S_OK;
    });
}

}  // namespace kv::com
