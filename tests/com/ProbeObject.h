#pragma once
// The probe class of the COM test server.
#include <string>

#include "ComTestServer.h"
#include "EventSource.h"

namespace kvtest {

class ProbeObject final : public kv::com::EventObject<IclsProbe> {
public:
    ProbeObject() : EventObject(DIID___clsProbe, CLSID_clsProbe) {}
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
    // Raises Counted for 1..lngTo until a sink cancels; the last index raised.
    STDMETHODIMP Count(long lngTo, BSTR strText, long* lngReached) override;

private:
    std::wstring name_ = L"probe";
};

}  // namespace kvtest
