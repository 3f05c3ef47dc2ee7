#pragma once
// KVSettings.clsRegistry: the published face of the registry class.
#include "DispatchObject.h"
#include "KVSettings.h"
#include "clsRegistry.h"

namespace kv::com {

class clsRegistryCom final : public DispatchObject<IclsRegistry> {
public:
    STDMETHODIMP get_DeleteKeyAllowed(VARIANT_BOOL* value) override;
    STDMETHODIMP put_DeleteKeyAllowed(VARIANT_BOOL value) override;
    STDMETHODIMP get_MainKey(::enuRegistryKeys* value) override;
    STDMETHODIMP get_SubKey(BSTR* value) override;
    STDMETHODIMP SetKey(::enuRegistryKeys lngMainKey, BSTR strSubKey) override;
    STDMETHODIMP SetApplication(::enuRegistryAffects lngAffects, BSTR strCompany, BSTR strApplication,
                                BSTR strGroup, BSTR strSubGroup) override;
    STDMETHODIMP ExistKey(VARIANT_BOOL* result) override;
    STDMETHODIMP ExistSubKeys(VARIANT_BOOL* result) override;
    STDMETHODIMP ExistValue(BSTR strName, VARIANT_BOOL* result) override;
    STDMETHODIMP GetMainKeyName(BSTR* result) override;
    STDMETHODIMP WriteImmediately(VARIANT_BOOL* result) override;
    STDMETHODIMP ReadAllValues(IDispatch** result) override;
    STDMETHODIMP GetAllSubKeys(IDispatch** result) override;
    STDMETHODIMP GetNthSubKey(LONG lngIndex, BSTR* result) override;
    STDMETHODIMP DeleteValue(BSTR strName, VARIANT_BOOL* result) override;
    STDMETHODIMP DeleteKey(VARIANT_BOOL* result) override;
    STDMETHODIMP ReadValue(VARIANT vntName, VARIANT* result) override;
    STDMETHODIMP WriteValue(BSTR strName, VARIANT vntValue, VARIANT_BOOL* result) override;
    STDMETHODIMP get_Default(VARIANT* value) override;
    STDMETHODIMP put_Default(VARIANT value) override;

private:
    clsRegistry core_;
};

}  // namespace kv::com
