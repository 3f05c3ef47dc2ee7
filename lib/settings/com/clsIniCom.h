#pragma once
// KVSettings.clsIni: the published face of the INI file class.
#include "DispatchObject.h"
#include "KVSettings.h"
#include "clsIni.h"

namespace kv::com {

class clsIniCom final : public DispatchObject<IclsIni> {
public:
    STDMETHODIMP get_Section(BSTR* value) override;
    STDMETHODIMP put_Section(BSTR value) override;
    STDMETHODIMP get_File(BSTR* value) override;
    STDMETHODIMP put_File(BSTR value) override;
    STDMETHODIMP WriteValue(BSTR strName, BSTR strValue, VARIANT_BOOL* result) override;
    STDMETHODIMP ReadValue(BSTR strName, BSTR* result) override;
    STDMETHODIMP ExistFile(VARIANT_BOOL* result) override;
    STDMETHODIMP ExistValue(BSTR strName, VARIANT_BOOL* result) override;
    STDMETHODIMP get_Default(BSTR* value) override;
    STDMETHODIMP put_Default(BSTR value) override;

private:
    clsIni core_;
};

}  // namespace kv::com
