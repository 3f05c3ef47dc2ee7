#include "IdentityFaces.h"

#include "AboutFace.h"

namespace kv::about {

// ---- clsVersionGlobal ----

#define VG_GET(out, expr) return GetValue(out, IID_IclsVersionGlobal, [&] { return expr; })
#define VG_PUT(statement)          \
    KV_COM_TRY                     \
    statement;                     \
    KV_COM_CATCH(conProject, IID_IclsVersionGlobal)

STDMETHODIMP VersionGlobalFace::get_InfoApplication(BSTR* v) { VG_GET(v, core_.InfoApplication()); }
STDMETHODIMP VersionGlobalFace::put_InfoApplication(BSTR v) { VG_PUT(core_.InfoApplication(com::FromBSTR(v))); }
STDMETHODIMP VersionGlobalFace::get_InfoMajorVersion(long* v) { VG_GET(v, core_.InfoMajorVersion()); }
STDMETHODIMP VersionGlobalFace::put_InfoMajorVersion(long v) { VG_PUT(core_.InfoMajorVersion(v)); }
STDMETHODIMP VersionGlobalFace::get_InfoMinorVersion(long* v) { VG_GET(v, core_.InfoMinorVersion()); }
STDMETHODIMP VersionGlobalFace::put_InfoMinorVersion(long v) { VG_PUT(core_.InfoMinorVersion(v)); }
STDMETHODIMP VersionGlobalFace::get_InfoBuild(long* v) { VG_GET(v, core_.InfoBuild()); }
STDMETHODIMP VersionGlobalFace::put_InfoBuild(long v) { VG_PUT(core_.InfoBuild(v)); }

#undef VG_GET
#undef VG_PUT

// ---- clsPersonalData ----

#define PD_GET(out, expr) return GetValue(out, IID_IclsPersonalData, [&] { return expr; })

STDMETHODIMP PersonalDataFace::get_Company(BSTR* v) { PD_GET(v, core_.Company()); }
STDMETHODIMP PersonalDataFace::get_Firstname(BSTR* v) { PD_GET(v, core_.Firstname()); }
STDMETHODIMP PersonalDataFace::get_Lastname(BSTR* v) { PD_GET(v, core_.Lastname()); }
STDMETHODIMP PersonalDataFace::get_Pobox(BSTR* v) { PD_GET(v, core_.Pobox()); }
STDMETHODIMP PersonalDataFace::get_Street(BSTR* v) { PD_GET(v, core_.Street()); }
STDMETHODIMP PersonalDataFace::get_Town(BSTR* v) { PD_GET(v, core_.Town()); }
STDMETHODIMP PersonalDataFace::get_Country(BSTR* v) { PD_GET(v, core_.Country()); }
STDMETHODIMP PersonalDataFace::get_Website(BSTR* v) { PD_GET(v, core_.Website()); }
STDMETHODIMP PersonalDataFace::get_EmailAddress(BSTR* v) { PD_GET(v, core_.EmailAddress()); }
STDMETHODIMP PersonalDataFace::get_Copyright(BSTR* v) { PD_GET(v, core_.Copyright()); }
STDMETHODIMP PersonalDataFace::get_CopyrightFreeware(BSTR* v) { PD_GET(v, core_.CopyrightFreeware()); }

#undef PD_GET

}  // namespace kv::about
