#include "SystemInfoFaces.h"

#include "AboutFace.h"

namespace kv::about {

namespace {

// The cached face of a detail, created around the core's detail object on first access.
template <class Face, class Interface, class Detail>
HRESULT HandOut(ComPtr<Interface>& cache, Interface** out, REFIID iid, Detail&& detail) {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
        if (!cache) cache = ComPtr<Interface>::Attach(new Face(detail()));
        (*out = cache.Get())->AddRef();
        return S_OK;
    } catch (...) {
        return com::CurrentExceptionToHResult(conProject, iid);
    }
}

}  // namespace

// ---- clsSystemInfo ----

STDMETHODIMP SystemInfoFace::get_Video(IclsVideoInfo** objVideo) {
    return HandOut<VideoInfoFace>(video_, objVideo, IID_IclsSystemInfo, [&] { return core_.Video(); });
}
STDMETHODIMP SystemInfoFace::get_CPU(IclsCPUInfo** objCPU) {
    return HandOut<CPUInfoFace>(cpu_, objCPU, IID_IclsSystemInfo, [&] { return core_.CPU(); });
}
STDMETHODIMP SystemInfoFace::get_OperatingSystem(IclsOperatingSystemInfo** objOperatingSystem) {
    return HandOut<OperatingSystemInfoFace>(operatingSystem_, objOperatingSystem, IID_IclsSystemInfo,
                                            [&] { return core_.OperatingSystem(); });
}
STDMETHODIMP SystemInfoFace::get_Memory(IclsMemoryInfo** objMemory) {
    return HandOut<MemoryInfoFace>(memory_, objMemory, IID_IclsSystemInfo, [&] { return core_.Memory(); });
}

// ---- clsOperatingSystemInfo ----

#define OS_GET(out, expr) return GetValue(out, IID_IclsOperatingSystemInfo, [&] { return expr; })

STDMETHODIMP OperatingSystemInfoFace::get_VersionType(::enuWindowsVersionType* v) { OS_GET(v, static_cast<long>(core_->VersionType())); }
STDMETHODIMP OperatingSystemInfoFace::get_VersionTypeName(BSTR* v) { OS_GET(v, core_->VersionTypeName()); }
STDMETHODIMP OperatingSystemInfoFace::get_Version(::enuWindowsVersion* v) { OS_GET(v, static_cast<long>(core_->Version())); }
STDMETHODIMP OperatingSystemInfoFace::get_VersionName(BSTR* v) { OS_GET(v, core_->VersionName()); }
STDMETHODIMP OperatingSystemInfoFace::get_MajorVersion(BSTR* v) { OS_GET(v, core_->MajorVersion()); }
STDMETHODIMP OperatingSystemInfoFace::get_MinorVersion(BSTR* v) { OS_GET(v, core_->MinorVersion()); }
STDMETHODIMP OperatingSystemInfoFace::get_Build(long* v) { OS_GET(v, core_->Build()); }
STDMETHODIMP OperatingSystemInfoFace::get_ServicePack(BSTR* v) { OS_GET(v, core_->ServicePack()); }
STDMETHODIMP OperatingSystemInfoFace::get_PlattformID(long* v) { OS_GET(v, core_->PlattformID()); }
STDMETHODIMP OperatingSystemInfoFace::get_IsNT4(VARIANT_BOOL* v) { OS_GET(v, core_->IsNT4()); }
STDMETHODIMP OperatingSystemInfoFace::get_Is2000(VARIANT_BOOL* v) { OS_GET(v, core_->Is2000()); }
STDMETHODIMP OperatingSystemInfoFace::get_IsXP(VARIANT_BOOL* v) { OS_GET(v, core_->IsXP()); }
STDMETHODIMP OperatingSystemInfoFace::get_Is95(VARIANT_BOOL* v) { OS_GET(v, core_->Is95()); }
STDMETHODIMP OperatingSystemInfoFace::get_Is98(VARIANT_BOOL* v) { OS_GET(v, core_->Is98()); }
STDMETHODIMP OperatingSystemInfoFace::get_IsME(VARIANT_BOOL* v) { OS_GET(v, core_->IsME()); }
STDMETHODIMP OperatingSystemInfoFace::IsOS(::enuWindowsVersion lngVersion, ::enuWindowsVersionType lngVersionType,
                                           VARIANT_BOOL* blnResult) {
    OS_GET(blnResult, core_->IsOS(lngVersion, lngVersionType));
}

#undef OS_GET

// ---- clsCPUInfo ----

#define CPU_GET(out, expr) return GetValue(out, IID_IclsCPUInfo, [&] { return expr; })

STDMETHODIMP CPUInfoFace::get_Count(long* v) { CPU_GET(v, core_->Count()); }
STDMETHODIMP CPUInfoFace::get_Typ(long* v) { CPU_GET(v, core_->Typ()); }
STDMETHODIMP CPUInfoFace::get_TypText(BSTR* v) { CPU_GET(v, core_->TypText()); }
STDMETHODIMP CPUInfoFace::get_Level(long* v) { CPU_GET(v, core_->Level()); }
STDMETHODIMP CPUInfoFace::get_LevelText(BSTR* v) { CPU_GET(v, core_->LevelText()); }
STDMETHODIMP CPUInfoFace::get_Revision(long* v) { CPU_GET(v, core_->Revision()); }
STDMETHODIMP CPUInfoFace::get_RModel(long* v) { CPU_GET(v, core_->RModel()); }
STDMETHODIMP CPUInfoFace::get_RStepping(long* v) { CPU_GET(v, core_->RStepping()); }

#undef CPU_GET

// ---- clsMemoryInfo ----

#define MEM_GET(out, expr) return GetValue(out, IID_IclsMemoryInfo, [&] { return expr; })

STDMETHODIMP MemoryInfoFace::get_PercentageUsed(long* v) { MEM_GET(v, core_->PercentageUsed()); }
STDMETHODIMP MemoryInfoFace::get_Physical(long* v) { MEM_GET(v, core_->Physical()); }
STDMETHODIMP MemoryInfoFace::get_PhysicalFree(long* v) { MEM_GET(v, core_->PhysicalFree()); }
STDMETHODIMP MemoryInfoFace::get_Virtual(long* v) { MEM_GET(v, core_->Virtual()); }
STDMETHODIMP MemoryInfoFace::get_VirtualFree(long* v) { MEM_GET(v, core_->VirtualFree()); }
STDMETHODIMP MemoryInfoFace::get_Pagefile(long* v) { MEM_GET(v, core_->Pagefile()); }
STDMETHODIMP MemoryInfoFace::get_PagefileFree(long* v) { MEM_GET(v, core_->PagefileFree()); }

#undef MEM_GET

// ---- clsVideoInfo ----

#define VIDEO_GET(out, expr) return GetValue(out, IID_IclsVideoInfo, [&] { return expr; })

STDMETHODIMP VideoInfoFace::get_ScreenSizeX(long* v) { VIDEO_GET(v, core_->ScreenSizeX()); }
STDMETHODIMP VideoInfoFace::get_ScreenSizeY(long* v) { VIDEO_GET(v, core_->ScreenSizeY()); }
STDMETHODIMP VideoInfoFace::get_ColorDeepth(long* v) { VIDEO_GET(v, core_->ColorDeepth()); }
STDMETHODIMP VideoInfoFace::get_ColorDeepthText(BSTR* v) { VIDEO_GET(v, core_->ColorDeepthText()); }
STDMETHODIMP VideoInfoFace::get_AvailableDesktopTop(long* v) { VIDEO_GET(v, core_->AvailableDesktopTop()); }
STDMETHODIMP VideoInfoFace::get_AvailableDesktopLeft(long* v) { VIDEO_GET(v, core_->AvailableDesktopLeft()); }
STDMETHODIMP VideoInfoFace::get_AvailableDesktopWidth(long* v) { VIDEO_GET(v, core_->AvailableDesktopWidth()); }
STDMETHODIMP VideoInfoFace::get_AvailableDesktopHeigth(long* v) { VIDEO_GET(v, core_->AvailableDesktopHeigth()); }

#undef VIDEO_GET

}  // namespace kv::about
