#pragma once
// KVFiles.clsFileShortcut: the published face of the shell links.
#include "DispatchObject.h"
#include "KVFiles.h"
#include "clsFileShortcut.h"

namespace kv::com {

class clsFileShortcutCom final : public DispatchObject<IclsFileShortcut> {
public:
    STDMETHODIMP get_HotKeyShift(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_HotKeyShift(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_HotKeyAlt(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_HotKeyAlt(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_HotKeyCtrl(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_HotKeyCtrl(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_LinkFile(BSTR* strValue) override;
    STDMETHODIMP put_LinkFile(BSTR strValue) override;
    STDMETHODIMP get_File(BSTR* strValue) override;
    STDMETHODIMP put_File(BSTR strValue) override;
    STDMETHODIMP get_WorkingDirectory(BSTR* strValue) override;
    STDMETHODIMP put_WorkingDirectory(BSTR strValue) override;
    STDMETHODIMP get_Description(BSTR* strValue) override;
    STDMETHODIMP put_Description(BSTR strValue) override;
    STDMETHODIMP get_Parameters(BSTR* strValue) override;
    STDMETHODIMP put_Parameters(BSTR strValue) override;
    STDMETHODIMP get_ViewMode(::enuLinkViewMode* lngValue) override;
    STDMETHODIMP put_ViewMode(::enuLinkViewMode lngValue) override;
    STDMETHODIMP get_HotKey(long* lngValue) override;
    STDMETHODIMP put_HotKey(long lngValue) override;
    STDMETHODIMP get_Icon(VARIANT* vntValue) override;
    STDMETHODIMP put_Icon(VARIANT vntValue) override;
    STDMETHODIMP Create() override;
    STDMETHODIMP GetInfos(BSTR strLinkFile) override;

private:
    clsFileShortcut core_;
};

}  // namespace kv::com
