#include "clsExecuteCom.h"

namespace kv::com {

STDMETHODIMP clsExecuteCom::get_ExitCode(long* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.ExitCode()); });
}

STDMETHODIMP clsExecuteCom::get_WaitMode(::enuSysWaitMode* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.WaitMode()); });
}

STDMETHODIMP clsExecuteCom::put_WaitMode(::enuSysWaitMode v) {
    return Guard(IID_IclsExecute, [&] {
        core_.WaitMode(static_cast<enuSysWaitMode>(v));
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_ViewMode(::enuSysViewMode* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.ViewMode()); });
}

STDMETHODIMP clsExecuteCom::put_ViewMode(::enuSysViewMode v) {
    return Guard(IID_IclsExecute, [&] {
        core_.ViewMode(static_cast<enuSysViewMode>(v));
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_Program(BSTR* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.Program()); });
}

STDMETHODIMP clsExecuteCom::put_Program(BSTR v) {
    return Guard(IID_IclsExecute, [&] {
        core_.Program(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_Parameters(BSTR* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.Parameters()); });
}

STDMETHODIMP clsExecuteCom::put_Parameters(BSTR v) {
    return Guard(IID_IclsExecute, [&] {
        core_.Parameters(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_InitDir(BSTR* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.InitDir()); });
}

STDMETHODIMP clsExecuteCom::put_InitDir(BSTR v) {
    return Guard(IID_IclsExecute, [&] {
        core_.InitDir(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_Top(long* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.Top()); });
}

STDMETHODIMP clsExecuteCom::put_Top(long v) {
    return Guard(IID_IclsExecute, [&] {
        core_.Top(v);
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_Left(long* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.Left()); });
}

STDMETHODIMP clsExecuteCom::put_Left(long v) {
    return Guard(IID_IclsExecute, [&] {
        core_.Left(v);
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_Width(long* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.Width()); });
}

STDMETHODIMP clsExecuteCom::put_Width(long v) {
    return Guard(IID_IclsExecute, [&] {
        core_.Width(v);
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::get_Height(long* v) {
    return Guard(IID_IclsExecute, [&] { return HandOut(v, core_.Height()); });
}

STDMETHODIMP clsExecuteCom::put_Height(long v) {
    return Guard(IID_IclsExecute, [&] {
        core_.Height(v);
        return S_OK;
    });
}

STDMETHODIMP clsExecuteCom::Run(BSTR strProgram, BSTR strParameters) {
    return Guard(IID_IclsExecute, [&] {
        core_.Run(FromBSTR(strProgram), FromBSTR(strParameters));
        return S_OK;
    });
}

}  // namespace kv::com
