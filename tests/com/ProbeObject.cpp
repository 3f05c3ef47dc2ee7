#include "ProbeObject.h"

#include "Collection.h"
#include "ComVariant.h"
#include "LateBound.h"

using namespace kv::com;

#define PROBE_TRY KV_COM_TRY
#define PROBE_CATCH KV_COM_CATCH(L"KVComTest", IID_IclsProbe)

namespace kvtest {

STDMETHODIMP ProbeObject::Append(BSTR* strText, BSTR strSuffix, long* lngLength) {
    PROBE_TRY
    std::wstring text = FromBSTR(*strText) + FromBSTR(strSuffix);
    BSTR replaced = ToBSTR(text);
    SysFreeString(*strText);
    *strText = replaced;
    *lngLength = static_cast<long>(text.size());
    PROBE_CATCH
}

// The type a value arrived with and its text, or "missing".
STDMETHODIMP ProbeObject::Describe(VARIANT vntValue, BSTR* strResult) {
    PROBE_TRY
    std::wstring text;
    if (IsMissing(vntValue)) text = L"missing";
    else text = std::to_wstring(vntValue.vt) + L":" + FromVARIANT(vntValue).ToString();
    *strResult = ToBSTR(text);
    PROBE_CATCH
}

STDMETHODIMP ProbeObject::Scale(double dblValue, long lngFactor, double* dblResult) {
    *dblResult = dblValue * lngFactor;
    return S_OK;
}

STDMETHODIMP ProbeObject::get_Name(BSTR* strName) {
    PROBE_TRY
    *strName = ToBSTR(name_);
    PROBE_CATCH
}

STDMETHODIMP ProbeObject::put_Name(BSTR strName) {
    PROBE_TRY
    name_ = FromBSTR(strName);
    PROBE_CATCH
}

STDMETHODIMP ProbeObject::Raise(long lngNumber, BSTR strDescription) {
    PROBE_TRY
    throw kv::KVError(lngNumber, FromBSTR(strDescription));
    PROBE_CATCH
}

// Keys "K1".."Kn" with the values "V1".."Vn".
STDMETHODIMP ProbeObject::Items(long lngCount, IDispatch** colItems) {
    *colItems = nullptr;
    PROBE_TRY
    Collection* raw = nullptr;
    CheckHr(CreateCollection(&raw));
    kv::ComPtr<Collection> items = kv::ComPtr<Collection>::Attach(raw);
    for (long i = 1; i <= lngCount; ++i) {
        ComVariant value(kv::Variant(L"V" + std::to_wstring(i)));
        items->Add(L"K" + std::to_wstring(i), *value);
    }
    *colItems = items.Detach();
    PROBE_CATCH
}

STDMETHODIMP ProbeObject::Swap(VARIANT* vntA, long* lngB) {
    PROBE_TRY
    kv::Variant a = FromVARIANT(*vntA);
    long b = *lngB;
    *lngB = a.ToLong();
    VariantClear(vntA);
    vntA->vt = VT_I4;
    vntA->lVal = b;
    PROBE_CATCH
}

STDMETHODIMP ProbeObject::NextColour(enuColour* lngColour) {
    *lngColour = *lngColour == conColour_Blue ? conColour_Red : static_cast<enuColour>(*lngColour + 1);
    return S_OK;
}

// Calls objTarget.Raise late-bound; its error comes back as KVError and leaves as ours.
STDMETHODIMP ProbeObject::Relay(IDispatch* objTarget, long lngNumber, BSTR strDescription) {
    PROBE_TRY
    kv::late::CallMethod(objTarget, L"Raise", {kv::Variant(lngNumber), kv::Variant(FromBSTR(strDescription))});
    PROBE_CATCH
}

// Splits at the first blank.
STDMETHODIMP ProbeObject::Split(BSTR strText, BSTR* strLeft, BSTR* strRight) {
    *strLeft = *strRight = nullptr;
    PROBE_TRY
    std::wstring text = FromBSTR(strText);
    size_t blank = text.find(L' ');
    *strLeft = ToBSTR(text.substr(0, blank));
    *strRight = ToBSTR(blank == std::wstring::npos ? L"" : text.substr(blank + 1));
    PROBE_CATCH
}

}  // namespace kvtest
