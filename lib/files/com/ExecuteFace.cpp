#include "ExecuteFace.h"

#include "ComVariant.h"
#include "FaceValue.h"
#include "FilesMain.h"

namespace kv::files {

#define EX_GET(out, expr) return com::GetValue(out, conFilesProject, IID_IclsExecute, [&] { return expr; })
#define EX_DO(statement) \
    KV_COM_TRY           \
    statement;           \
    KV_COM_CATCH(conFilesProject, IID_IclsExecute)

STDMETHODIMP ExecuteFace::get_ExitCode(long* v) { EX_GET(v, core_.ExitCode()); }
STDMETHODIMP ExecuteFace::get_WaitMode(::enuSysWaitMode* v) { EX_GET(v, static_cast<long>(core_.WaitMode())); }
STDMETHODIMP ExecuteFace::put_WaitMode(::enuSysWaitMode v) { EX_DO(core_.WaitMode(static_cast<enuSysWaitMode>(v))); }
STDMETHODIMP ExecuteFace::get_ViewMode(::enuSysViewMode* v) { EX_GET(v, static_cast<long>(core_.ViewMode())); }
STDMETHODIMP ExecuteFace::put_ViewMode(::enuSysViewMode v) { EX_DO(core_.ViewMode(static_cast<enuSysViewMode>(v))); }
STDMETHODIMP ExecuteFace::get_Program(BSTR* v) { EX_GET(v, core_.Program()); }
STDMETHODIMP ExecuteFace::put_Program(BSTR v) { EX_DO(core_.Program(com::FromBSTR(v))); }
STDMETHODIMP ExecuteFace::get_Parameters(BSTR* v) { EX_GET(v, core_.Parameters()); }
STDMETHODIMP ExecuteFace::put_Parameters(BSTR v) { EX_DO(core_.Parameters(com::FromBSTR(v))); }
STDMETHODIMP ExecuteFace::get_InitDir(BSTR* v) { EX_GET(v, core_.InitDir()); }
STDMETHODIMP ExecuteFace::put_InitDir(BSTR v) { EX_DO(core_.InitDir(com::FromBSTR(v))); }
STDMETHODIMP ExecuteFace::get_Top(long* v) { EX_GET(v, core_.Top()); }
STDMETHODIMP ExecuteFace::put_Top(long v) { EX_DO(core_.Top(v)); }
STDMETHODIMP ExecuteFace::get_Left(long* v) { EX_GET(v, core_.Left()); }
STDMETHODIMP ExecuteFace::put_Left(long v) { EX_DO(core_.Left(v)); }
STDMETHODIMP ExecuteFace::get_Width(long* v) { EX_GET(v, core_.Width()); }
STDMETHODIMP ExecuteFace::put_Width(long v) { EX_DO(core_.Width(v)); }
STDMETHODIMP ExecuteFace::get_Height(long* v) { EX_GET(v, core_.Height()); }
STDMETHODIMP ExecuteFace::put_Height(long v) { EX_DO(core_.Height(v)); }
STDMETHODIMP ExecuteFace::Run(BSTR strProgram, BSTR strParameters) {
    EX_DO(core_.Run(com::FromBSTR(strProgram), com::FromBSTR(strParameters)));
}

#undef EX_GET
#undef EX_DO

}  // namespace kv::files
