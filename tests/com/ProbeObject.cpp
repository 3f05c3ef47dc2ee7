#include "ProbeObject.h"

#include "Collection.h"
#include "ComVariant.h"
#include "Guard.h"
#include "LateBound.h"

using namespace kv::com;

namespace kvtest {

STDMETHODIMP ProbeObject::Append(BSTR* strText, BSTR strSuffix, long* lngLength) {
    return Guard(IID_IclsProbe, [&] {
        std::wstring text = FromBSTR(*strText) + FromBSTR(strSuffix);
        BSTR replaced = ToBSTR(text);
        SysFreeString(*strText);
        *strText = replaced;
        return HandOut(lngLength, static_cast<long>(text.size()));
    });
}

// The type a value arrived with and its text, or "missing".
STDMETHODIMP ProbeObject::Describe(VARIANT vntValue, BSTR* strResult) {
    return Guard(IID_IclsProbe, [&] {
        if (IsMissing(vntValue)) return HandOut(strResult, L"missing");
        return HandOut(strResult, std::to_wstring(vntValue.vt) + L":" + FromVARIANT(vntValue).ToString());
    });
}

STDMETHODIMP ProbeObject::Scale(double dblValue, long lngFactor, double* dblResult) {
    return Guard(IID_IclsProbe, [&] { return HandOut(dblResult, dblValue * lngFactor); });
}

STDMETHODIMP ProbeObject::get_Name(BSTR* strName) {
    return Guard(IID_IclsProbe, [&] { return HandOut(strName, name_); });
}

STDMETHODIMP ProbeObject::put_Name(BSTR strName) {
    return Guard(IID_IclsProbe, [&] {
        name_ = FromBSTR(strName);
        return S_OK;
    });
}

STDMETHODIMP ProbeObject::Raise(long lngNumber, BSTR strDescription) {
    return Guard(IID_IclsProbe, [&]() -> HRESULT { throw kv::KVError(lngNumber, FromBSTR(strDescription)); });
}

// Keys "K1".."Kn" with the values "V1".."Vn".
STDMETHODIMP ProbeObject::Items(long lngCount, IDispatch** colItems) {
    return Guard(IID_IclsProbe, [&] {
        Collection* raw = nullptr;
        CheckHr(CreateCollection(&raw));
        kv::ComPtr<Collection> items = kv::ComPtr<Collection>::Attach(raw);
        for (long i = 1; i <= lngCount; ++i) {
            ComVariant value(kv::Variant(L"V" + std::to_wstring(i)));
            items->Add(L"K" + std::to_wstring(i), *value);
        }
        return HandOut(colItems, items);
    });
}

STDMETHODIMP ProbeObject::Swap(VARIANT* vntA, long* lngB) {
    return Guard(IID_IclsProbe, [&] {
        kv::Variant a = FromVARIANT(*vntA);
        long b = *lngB;
        *lngB = a.ToLong();
        VariantClear(vntA);
        vntA->vt = VT_I4;
        vntA->lVal = b;
        return S_OK;
    });
}

STDMETHODIMP ProbeObject::NextColour(enuColour* lngColour) {
    return Guard(IID_IclsProbe, [&] {
        *lngColour = *lngColour == conColour_Blue ? conColour_Red : static_cast<enuColour>(*lngColour + 1);
        return S_OK;
    });
}

// Calls objTarget.Raise late-bound; its error comes back as KVError and leaves as ours.
STDMETHODIMP ProbeObject::Relay(IDispatch* objTarget, long lngNumber, BSTR strDescription) {
    return Guard(IID_IclsProbe, [&] {
        kv::late::CallMethod(objTarget, L"Raise", {kv::Variant(lngNumber), kv::Variant(FromBSTR(strDescription))});
        return S_OK;
    });
}

// Splits at the first blank.
STDMETHODIMP ProbeObject::Split(BSTR strText, BSTR* strLeft, BSTR* strRight) {
    *strLeft = *strRight = nullptr;
    return Guard(IID_IclsProbe, [&] {
        std::wstring text = FromBSTR(strText);
        size_t blank = text.find(L' ');
        *strLeft = ToBSTR(text.substr(0, blank));
        *strRight = ToBSTR(blank == std::wstring::npos ? L"" : text.substr(blank + 1));
        return S_OK;
    });
}

STDMETHODIMP ProbeObject::Count(long lngTo, BSTR strText, long* lngReached) {
    return Guard(IID_IclsProbe, [&] {
        const std::wstring text = FromBSTR(strText);
        long reached = 0;
        for (long index = 1; index <= lngTo; ++index) {
            bool cancel = false;
            RaiseEvent(1, EventArgs().Value(index).Value(text).Ref(cancel));
            reached = index;
            if (cancel) break;
        }
        return HandOut(lngReached, reached);
    });
}

}  // namespace kvtest
