#pragma once
// KVFiles.clsExecute: the published face of the program starter.
#include "DispatchObject.h"
#include "KVFiles.h"
#include "clsExecute.h"

namespace kv::com {

class clsExecuteCom final : public DispatchObject<IclsExecute> {
public:
    STDMETHODIMP get_ExitCode(long* lngExitCode) override;
    STDMETHODIMP get_WaitMode(::enuSysWaitMode* lngWaitMode) override;
    STDMETHODIMP put_WaitMode(::enuSysWaitMode lngWaitMode) override;
    STDMETHODIMP get_ViewMode(::enuSysViewMode* lngViewMode) override;
    STDMETHODIMP put_ViewMode(::enuSysViewMode lngViewMode) override;
    STDMETHODIMP get_Program(BSTR* strProgram) override;
    STDMETHODIMP put_Program(BSTR strProgram) override;
    STDMETHODIMP get_Parameters(BSTR* strParameters) override;
    STDMETHODIMP put_Parameters(BSTR strParameters) override;
    STDMETHODIMP get_InitDir(BSTR* strInitDir) override;
    STDMETHODIMP put_InitDir(BSTR strInitDir) override;
    STDMETHODIMP get_Top(long* lngTop) override;
    STDMETHODIMP put_Top(long lngTop) override;
    STDMETHODIMP get_Left(long* lngLeft) override;
    STDMETHODIMP put_Left(long lngLeft) override;
    STDMETHODIMP get_Width(long* lngWidth) override;
    STDMETHODIMP put_Width(long lngWidth) override;
    STDMETHODIMP get_Height(long* lngHeight) override;
    STDMETHODIMP put_Height(long lngHeight) override;
    STDMETHODIMP Run(BSTR strProgram, BSTR strParameters) override;

private:
    clsExecute core_;
};

}  // namespace kv::com
