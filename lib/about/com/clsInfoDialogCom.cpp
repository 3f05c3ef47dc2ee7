#include "clsInfoDialogCom.h"

#include "PictureObject.h"

namespace kv::com {

STDMETHODIMP clsInfoDialogCom::get_EmailAddress(BSTR* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.EmailAddress()); });
}

STDMETHODIMP clsInfoDialogCom::put_EmailAddress(BSTR v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.EmailAddress(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_Website(BSTR* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.Website()); });
}

STDMETHODIMP clsInfoDialogCom::put_Website(BSTR v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.Website(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_SupressAddress(VARIANT_BOOL* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.SupressAddress()); });
}

STDMETHODIMP clsInfoDialogCom::put_SupressAddress(VARIANT_BOOL v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.SupressAddress(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_Freeware(VARIANT_BOOL* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.Freeware()); });
}

STDMETHODIMP clsInfoDialogCom::put_Freeware(VARIANT_BOOL v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.Freeware(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_VersionDate(BSTR* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.VersionDate()); });
}

STDMETHODIMP clsInfoDialogCom::put_VersionDate(BSTR v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.VersionDate(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_CopyrightEndYear(BSTR* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.CopyrightEndYear()); });
}

STDMETHODIMP clsInfoDialogCom::put_CopyrightEndYear(BSTR v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.CopyrightEndYear(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_CopyrightStartYear(long* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.CopyrightStartYear()); });
}

STDMETHODIMP clsInfoDialogCom::put_CopyrightStartYear(long v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.CopyrightStartYear(v);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_Description(BSTR* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.Description()); });
}

STDMETHODIMP clsInfoDialogCom::put_Description(BSTR v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.Description(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_SpeedStartTime(long* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.SpeedStartTime()); });
}

STDMETHODIMP clsInfoDialogCom::put_SpeedStartTime(long v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.SpeedStartTime(v);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_SpeedIntervallTime(long* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.SpeedIntervallTime()); });
}

STDMETHODIMP clsInfoDialogCom::put_SpeedIntervallTime(long v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.SpeedIntervallTime(v);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_SpeedEndTime(long* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.SpeedEndTime()); });
}

STDMETHODIMP clsInfoDialogCom::put_SpeedEndTime(long v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.SpeedEndTime(v);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_SpeedPicture(long* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.SpeedPicture()); });
}

STDMETHODIMP clsInfoDialogCom::put_SpeedPicture(long v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.SpeedPicture(v);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_SpeedCatch(long* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.SpeedCatch()); });
}

STDMETHODIMP clsInfoDialogCom::put_SpeedCatch(long v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.SpeedCatch(v);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_SpeedCredits(long* v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, core_.SpeedCredits()); });
}

STDMETHODIMP clsInfoDialogCom::put_SpeedCredits(long v) {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.SpeedCredits(v);
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::get_Picture(IPictureDisp** v) {
    return Guard(IID_IclsInfoDialog, [&] { return HandOut(v, picture_); });
}

STDMETHODIMP clsInfoDialogCom::putref_Picture(IPictureDisp* v) {
    return Guard(IID_IclsInfoDialog, [&] {
        ApplyPicture(core_, v);
        picture_ = ComPtr<IPictureDisp>(v);
        return S_OK;
    });
}

// The lines as a one-dimensional array of strings (index from 0).
STDMETHODIMP clsInfoDialogCom::get_Texts(VARIANT* v) {
    return Guard(IID_IclsInfoDialog, [&] {
        const std::vector<std::wstring>& texts = core_.Texts();
        auto array = VariantArray::Make(VT_VARIANT, {0}, {static_cast<long>(texts.size())});
        for (size_t i = 0; i < texts.size(); ++i) array->items[i] = Variant(texts[i]);
        return HandOut(v, Variant(array));
    });
}

// An array of any bounds (each item as text), or one text for a single line.
STDMETHODIMP clsInfoDialogCom::put_Texts(VARIANT v) {
    return Guard(IID_IclsInfoDialog, [&] {
        Variant value = FromVARIANT(v);
        std::vector<std::wstring> texts;
        if (value.Holds<std::shared_ptr<VariantArray>>()) {
            const auto& array = value.Get<std::shared_ptr<VariantArray>>();
            if (!array || array->Dimensions() != 1) throw KVError(13, L"Type mismatch");
            for (const Variant& item : array->items) texts.push_back(item.ToString());
        } else {
            texts.push_back(value.ToString());
        }
        core_.Texts(std::move(texts));
        return S_OK;
    });
}

STDMETHODIMP clsInfoDialogCom::Show() {
    return Guard(IID_IclsInfoDialog, [&] {
        core_.Show();
        return S_OK;
    });
}

}  // namespace kv::com
