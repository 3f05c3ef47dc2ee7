#include "clsFileShortcutCom.h"

namespace kv::com {

STDMETHODIMP clsFileShortcutCom::get_HotKeyShift(VARIANT_BOOL* blnValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(blnValue, core_.HotKeyShift()); });
}

STDMETHODIMP clsFileShortcutCom::put_HotKeyShift(VARIANT_BOOL blnValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.HotKeyShift(blnValue != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_HotKeyAlt(VARIANT_BOOL* blnValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(blnValue, core_.HotKeyAlt()); });
}

STDMETHODIMP clsFileShortcutCom::put_HotKeyAlt(VARIANT_BOOL blnValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.HotKeyAlt(blnValue != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_HotKeyCtrl(VARIANT_BOOL* blnValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(blnValue, core_.HotKeyCtrl()); });
}

STDMETHODIMP clsFileShortcutCom::put_HotKeyCtrl(VARIANT_BOOL blnValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.HotKeyCtrl(blnValue != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_LinkFile(BSTR* strValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(strValue, core_.LinkFile()); });
}

STDMETHODIMP clsFileShortcutCom::put_LinkFile(BSTR strValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.LinkFile(FromBSTR(strValue));
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_File(BSTR* strValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(strValue, core_.File()); });
}

STDMETHODIMP clsFileShortcutCom::put_File(BSTR strValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.File(FromBSTR(strValue));
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_WorkingDirectory(BSTR* strValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(strValue, core_.WorkingDirectory()); });
}

STDMETHODIMP clsFileShortcutCom::put_WorkingDirectory(BSTR strValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.WorkingDirectory(FromBSTR(strValue));
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_Description(BSTR* strValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(strValue, core_.Description()); });
}

STDMETHODIMP clsFileShortcutCom::put_Description(BSTR strValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.Description(FromBSTR(strValue));
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_Parameters(BSTR* strValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(strValue, core_.Parameters()); });
}

STDMETHODIMP clsFileShortcutCom::put_Parameters(BSTR strValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.Parameters(FromBSTR(strValue));
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_ViewMode(::enuLinkViewMode* lngValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(lngValue, core_.ViewMode()); });
}

STDMETHODIMP clsFileShortcutCom::put_ViewMode(::enuLinkViewMode lngValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.ViewMode(static_cast<long>(lngValue));
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_HotKey(long* lngValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(lngValue, core_.HotKey()); });
}

STDMETHODIMP clsFileShortcutCom::put_HotKey(long lngValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.HotKey(lngValue);
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::get_Icon(VARIANT* vntValue) {
    return Guard(IID_IclsFileShortcut, [&] { return HandOut(vntValue, core_.Icon()); });
}

STDMETHODIMP clsFileShortcutCom::put_Icon(VARIANT vntValue) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.Icon(FromVARIANT(vntValue));
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::Create() {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.Create();
        return S_OK;
    });
}

STDMETHODIMP clsFileShortcutCom::GetInfos(BSTR strLinkFile) {
    return Guard(IID_IclsFileShortcut, [&] {
        core_.GetInfos(FromBSTR(strLinkFile));
        return S_OK;
    });
}

}  // namespace kv::com
