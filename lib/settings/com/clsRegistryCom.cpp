#include "clsRegistryCom.h"

#include "Collection.h"
#include "clsRegValueItemCom.h"

namespace kv::com {

namespace {

ComPtr<Collection> NewCollection() {
    Collection* created = nullptr;
    CheckHr(CreateCollection(&created));
    return ComPtr<Collection>::Attach(created);
}

}  // namespace

STDMETHODIMP clsRegistryCom::get_DeleteKeyAllowed(VARIANT_BOOL* value) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(value, core_.DeleteKeyAllowed()); });
}

STDMETHODIMP clsRegistryCom::put_DeleteKeyAllowed(VARIANT_BOOL value) {
    return Guard(IID_IclsRegistry, [&] {
        core_.DeleteKeyAllowed(value != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsRegistryCom::get_MainKey(::enuRegistryKeys* value) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(value, core_.MainKey()); });
}

STDMETHODIMP clsRegistryCom::get_SubKey(BSTR* value) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(value, core_.SubKey()); });
}

STDMETHODIMP clsRegistryCom::SetKey(::enuRegistryKeys lngMainKey, BSTR strSubKey) {
    return Guard(IID_IclsRegistry, [&] {
        core_.SetKey(static_cast<std::int32_t>(lngMainKey), FromBSTR(strSubKey));
        return S_OK;
    });
}

STDMETHODIMP clsRegistryCom::SetApplication(::enuRegistryAffects lngAffects, BSTR strCompany, BSTR strApplication,
                                            BSTR strGroup, BSTR strSubGroup) {
    return Guard(IID_IclsRegistry, [&] {
        core_.SetApplication(static_cast<std::int32_t>(lngAffects), FromBSTR(strCompany), FromBSTR(strApplication),
                             FromBSTR(strGroup), FromBSTR(strSubGroup));
        return S_OK;
    });
}

STDMETHODIMP clsRegistryCom::ExistKey(VARIANT_BOOL* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.ExistKey()); });
}

STDMETHODIMP clsRegistryCom::ExistSubKeys(VARIANT_BOOL* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.ExistSubKeys()); });
}

STDMETHODIMP clsRegistryCom::ExistValue(BSTR strName, VARIANT_BOOL* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.ExistValue(FromBSTR(strName))); });
}

STDMETHODIMP clsRegistryCom::GetMainKeyName(BSTR* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.GetMainKeyName()); });
}

STDMETHODIMP clsRegistryCom::WriteImmediately(VARIANT_BOOL* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.WriteImmediately()); });
}

// A collection of value records keyed by value name.
STDMETHODIMP clsRegistryCom::ReadAllValues(IDispatch** result) {
    return Guard(IID_IclsRegistry, [&] {
        ComPtr<Collection> collection = NewCollection();
        for (auto& item : core_.ReadAllValues()) {
            ComVariant value{Variant(clsRegValueItemCom::Wrap(item))};
            collection->Add(item->Name, *value);
        }
        return HandOut(result, collection);
    });
}

// A collection of the sub key names, keyed by themselves.
STDMETHODIMP clsRegistryCom::GetAllSubKeys(IDispatch** result) {
    return Guard(IID_IclsRegistry, [&] {
        ComPtr<Collection> collection = NewCollection();
        for (const std::wstring& name : core_.GetAllSubKeys()) {
            ComVariant value{Variant(name)};
            collection->Add(name, *value);
        }
        return HandOut(result, collection);
    });
}

STDMETHODIMP clsRegistryCom::GetNthSubKey(LONG lngIndex, BSTR* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.GetNthSubKey(lngIndex)); });
}

STDMETHODIMP clsRegistryCom::DeleteValue(BSTR strName, VARIANT_BOOL* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.DeleteValue(FromBSTR(strName))); });
}

STDMETHODIMP clsRegistryCom::DeleteKey(VARIANT_BOOL* result) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(result, core_.DeleteKey()); });
}

// A value, or a value record when the core gives one.
STDMETHODIMP clsRegistryCom::ReadValue(VARIANT vntName, VARIANT* result) {
    return Guard(IID_IclsRegistry, [&] {
        RegReadResult read = core_.ReadValue(FromVARIANT(vntName));
        if (auto* item = std::get_if<std::shared_ptr<clsRegValueItem>>(&read))
            return HandOut(result, Variant(clsRegValueItemCom::Wrap(*item)));
        return HandOut(result, std::get<Variant>(read));
    });
}

STDMETHODIMP clsRegistryCom::WriteValue(BSTR strName, VARIANT vntValue, VARIANT_BOOL* result) {
    return Guard(IID_IclsRegistry, [&] {
        return HandOut(result, core_.WriteValue(FromBSTR(strName), FromVARIANT(vntValue)));
    });
}

STDMETHODIMP clsRegistryCom::get_Default(VARIANT* value) {
    return Guard(IID_IclsRegistry, [&] { return HandOut(value, core_.Default()); });
}

STDMETHODIMP clsRegistryCom::put_Default(VARIANT value) {
    return Guard(IID_IclsRegistry, [&] {
        core_.Default(FromVARIANT(value));
        return S_OK;
    });
}

}  // namespace kv::com
