#pragma once
// KVAbout.clsVersionGlobal: the published face of the application identity.
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsVersionGlobal.h"

namespace kv::com {

class clsVersionGlobalCom final : public DispatchObject<IclsVersionGlobal> {
public:
    STDMETHODIMP get_InfoApplication(BSTR* strInfoApplication) override;
    STDMETHODIMP put_InfoApplication(BSTR strInfoApplication) override;
    STDMETHODIMP get_InfoMajorVersion(long* lngInfoMajorVersion) override;
    STDMETHODIMP put_InfoMajorVersion(long lngInfoMajorVersion) override;
    STDMETHODIMP get_InfoMinorVersion(long* lngInfoMinorVersion) override;
    STDMETHODIMP put_InfoMinorVersion(long lngInfoMinorVersion) override;
    STDMETHODIMP get_InfoBuild(long* lngInfoBuild) override;
    STDMETHODIMP put_InfoBuild(long lngInfoBuild) override;

private:
    clsVersionGlobal core_;
};

}  // namespace kv::com
