#pragma once
// The probe class of the COM test server.
#include <string>

#include "ComTestServer.h"
#include "DispatchObject.h"

namespace kvtest {

class ProbeObject final : public kv::com::DispatchObject<IclsProbe> {
public:
    STDMETHODIMP Append(BSTR* strText, BSTR strSuffix, long* lngLength) override;
    STDMETHODIMP Describe(VARIANT vntValue, BSTR* strResult) override;
    STDMETHODIMP Scale(double dblValue, long lngFactor, double* dblResult) override;
    STDMETHODIMP get_Name(BSTR* strName) override;
    STDMETHODIMP put_Name(BSTR strName) override;
    STDMETHODIMP Raise(long lngNumber, BSTR strDescription) override;
    STDMETHODIMP Items(long lngCount, IDispatch** colItems) override;
    STDMETHODIMP Swap(VARIANT* vntA, long* lngB) override;
    STDMETHODIMP NextColour(enuColour* lngColour) override;
    STDMETHODIMP Relay(IDispatch* objTarget, long lngNumber, BSTR strDescription) override;
    STDMETHODIMP Split(BSTR strText, BSTR* strLeft, BSTR* strRight) override;

private:
    std::wstring name_ = L"probe";
};

}  // namespace kvtest
