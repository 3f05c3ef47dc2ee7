#pragma once
// KVFiles.clsFileOperations: the published face of the shell's file operations. Owner takes
// a form object; the core gets its hWnd, and the face keeps the object for the getter.
#include "ComPtr.h"
#include "DispatchObject.h"
#include "KVFiles.h"
#include "clsFileOperations.h"

namespace kv::com {

class clsFileOperationsCom final : public DispatchObject<IclsFileOperations> {
public:
    STDMETHODIMP get_ProgressText(BSTR* strValue) override;
    STDMETHODIMP put_ProgressText(BSTR strValue) override;
    STDMETHODIMP get_DeleteToRecycleBin(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_DeleteToRecycleBin(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_Recursive(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_Recursive(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_ConfirmActions(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_ConfirmActions(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_ConfirmMkdir(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_ConfirmMkdir(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_ShowErrorMessages(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_ShowErrorMessages(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_RenameOnCollision(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_RenameOnCollision(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_ShowProgressWindow(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_ShowProgressWindow(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_SimpleProgressWindow(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_SimpleProgressWindow(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_Top(long* lngValue) override;
    STDMETHODIMP put_Top(long lngValue) override;
    STDMETHODIMP get_Left(long* lngValue) override;
    STDMETHODIMP put_Left(long lngValue) override;
    STDMETHODIMP get_WindowPosition(::enuSysWindowPosition* lngValue) override;
    STDMETHODIMP put_WindowPosition(::enuSysWindowPosition lngValue) override;
    STDMETHODIMP get_Owner(IDispatch** objValue) override;
    STDMETHODIMP putref_Owner(IDispatch* objValue) override;
    STDMETHODIMP get_ListSeparator(BSTR* strValue) override;
    STDMETHODIMP put_ListSeparator(BSTR strValue) override;
    STDMETHODIMP get_Source(VARIANT* vntValue) override;
    STDMETHODIMP put_Source(VARIANT vntValue) override;
    STDMETHODIMP get_Destination(VARIANT* vntValue) override;
    STDMETHODIMP put_Destination(VARIANT vntValue) override;
    STDMETHODIMP Copy(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP Move(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP Rename(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP Delete(VARIANT_BOOL* blnResult) override;

private:
    clsFileOperations core_;
    ComPtr<IDispatch> owner_;
};

}  // namespace kv::com
