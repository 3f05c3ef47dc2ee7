#include "clsFileOperationsCom.h"

#include "LateBound.h"

namespace kv::com {

STDMETHODIMP clsFileOperationsCom::get_ProgressText(BSTR* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.ProgressText()); });
}

STDMETHODIMP clsFileOperationsCom::put_ProgressText(BSTR v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.ProgressText(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_DeleteToRecycleBin(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.DeleteToRecycleBin()); });
}

STDMETHODIMP clsFileOperationsCom::put_DeleteToRecycleBin(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.DeleteToRecycleBin(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_Recursive(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Recursive()); });
}

STDMETHODIMP clsFileOperationsCom::put_Recursive(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.Recursive(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_ConfirmActions(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.ConfirmActions()); });
}

STDMETHODIMP clsFileOperationsCom::put_ConfirmActions(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.ConfirmActions(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_ConfirmMkdir(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.ConfirmMkdir()); });
}

STDMETHODIMP clsFileOperationsCom::put_ConfirmMkdir(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.ConfirmMkdir(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_ShowErrorMessages(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.ShowErrorMessages()); });
}

STDMETHODIMP clsFileOperationsCom::put_ShowErrorMessages(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.ShowErrorMessages(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_RenameOnCollision(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.RenameOnCollision()); });
}

STDMETHODIMP clsFileOperationsCom::put_RenameOnCollision(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.RenameOnCollision(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_ShowProgressWindow(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.ShowProgressWindow()); });
}

STDMETHODIMP clsFileOperationsCom::put_ShowProgressWindow(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.ShowProgressWindow(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_SimpleProgressWindow(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.SimpleProgressWindow()); });
}

STDMETHODIMP clsFileOperationsCom::put_SimpleProgressWindow(VARIANT_BOOL v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.SimpleProgressWindow(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_Top(long* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Top()); });
}

STDMETHODIMP clsFileOperationsCom::put_Top(long v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.Top(v);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_Left(long* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Left()); });
}

STDMETHODIMP clsFileOperationsCom::put_Left(long v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.Left(v);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_WindowPosition(::enuSysWindowPosition* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.WindowPosition()); });
}

STDMETHODIMP clsFileOperationsCom::put_WindowPosition(::enuSysWindowPosition v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.WindowPosition(static_cast<enuSysWindowPosition>(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_Owner(IDispatch** v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, owner_); });
}

STDMETHODIMP clsFileOperationsCom::putref_Owner(IDispatch* v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.Owner(v ? late::WindowHandleOf(v) : nullptr);
        owner_ = ComPtr<IDispatch>(v);
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_ListSeparator(BSTR* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.ListSeparator()); });
}

STDMETHODIMP clsFileOperationsCom::put_ListSeparator(BSTR v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.ListSeparator(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_Source(VARIANT* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Source()); });
}

STDMETHODIMP clsFileOperationsCom::put_Source(VARIANT v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.Source(FromVARIANT(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::get_Destination(VARIANT* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Destination()); });
}

STDMETHODIMP clsFileOperationsCom::put_Destination(VARIANT v) {
    return Guard(IID_IclsFileOperations, [&] {
        core_.Destination(FromVARIANT(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileOperationsCom::Copy(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Copy()); });
}

STDMETHODIMP clsFileOperationsCom::Move(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Move()); });
}

STDMETHODIMP clsFileOperationsCom::Rename(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Rename()); });
}

STDMETHODIMP clsFileOperationsCom::Delete(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileOperations, [&] { return HandOut(v, core_.Delete()); });
}

}  // namespace kv::com
