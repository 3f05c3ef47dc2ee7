#include "clsSystemInfoCom.h"

namespace kv::com {

// ---- clsSystemInfo: one face per detail, made around the core's detail on first access ----

STDMETHODIMP clsSystemInfoCom::get_Video(IclsVideoInfo** objVideo) {
    return Guard(IID_IclsSystemInfo, [&] {
        if (!video_) video_ = ComPtr<IclsVideoInfo>::Attach(new clsVideoInfoCom(core_.Video()));
        return HandOut(objVideo, video_);
    });
}

STDMETHODIMP clsSystemInfoCom::get_CPU(IclsCPUInfo** objCPU) {
    return Guard(IID_IclsSystemInfo, [&] {
        if (!cpu_) cpu_ = ComPtr<IclsCPUInfo>::Attach(new clsCPUInfoCom(core_.CPU()));
        return HandOut(objCPU, cpu_);
    });
}

STDMETHODIMP clsSystemInfoCom::get_OperatingSystem(IclsOperatingSystemInfo** objOperatingSystem) {
    return Guard(IID_IclsSystemInfo, [&] {
        if (!operatingSystem_)
            operatingSystem_ =
                ComPtr<IclsOperatingSystemInfo>::Attach(new clsOperatingSystemInfoCom(core_.OperatingSystem()));
        return HandOut(objOperatingSystem, operatingSystem_);
    });
}

STDMETHODIMP clsSystemInfoCom::get_Memory(IclsMemoryInfo** objMemory) {
    return Guard(IID_IclsSystemInfo, [&] {
        if (!memory_) memory_ = ComPtr<IclsMemoryInfo>::Attach(new clsMemoryInfoCom(core_.Memory()));
        return HandOut(objMemory, memory_);
    });
}

// ---- clsOperatingSystemInfo ----

STDMETHODIMP clsOperatingSystemInfoCom::get_VersionType(::enuWindowsVersionType* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->VersionType()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_VersionTypeName(BSTR* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->VersionTypeName()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_Version(::enuWindowsVersion* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->Version()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_VersionName(BSTR* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->VersionName()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_MajorVersion(BSTR* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->MajorVersion()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_MinorVersion(BSTR* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->MinorVersion()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_Build(long* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->Build()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_ServicePack(BSTR* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->ServicePack()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_PlattformID(long* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->PlattformID()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_IsNT4(VARIANT_BOOL* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->IsNT4()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_Is2000(VARIANT_BOOL* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->Is2000()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_IsXP(VARIANT_BOOL* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->IsXP()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_Is95(VARIANT_BOOL* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->Is95()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_Is98(VARIANT_BOOL* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->Is98()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::get_IsME(VARIANT_BOOL* v) {
    return Guard(IID_IclsOperatingSystemInfo, [&] { return HandOut(v, core_->IsME()); });
}

STDMETHODIMP clsOperatingSystemInfoCom::IsOS(::enuWindowsVersion lngVersion, ::enuWindowsVersionType lngVersionType,
                                             VARIANT_BOOL* blnResult) {
    return Guard(IID_IclsOperatingSystemInfo, [&] {
        return HandOut(blnResult, core_->IsOS(lngVersion, lngVersionType));
    });
}

// ---- clsCPUInfo ----

STDMETHODIMP clsCPUInfoCom::get_Count(long* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->Count()); });
}

STDMETHODIMP clsCPUInfoCom::get_Typ(long* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->Typ()); });
}

STDMETHODIMP clsCPUInfoCom::get_TypText(BSTR* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->TypText()); });
}

STDMETHODIMP clsCPUInfoCom::get_Level(long* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->Level()); });
}

STDMETHODIMP clsCPUInfoCom::get_LevelText(BSTR* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->LevelText()); });
}

STDMETHODIMP clsCPUInfoCom::get_Revision(long* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->Revision()); });
}

STDMETHODIMP clsCPUInfoCom::get_RModel(long* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->RModel()); });
}

STDMETHODIMP clsCPUInfoCom::get_RStepping(long* v) {
    return Guard(IID_IclsCPUInfo, [&] { return HandOut(v, core_->RStepping()); });
}

// ---- clsMemoryInfo ----

STDMETHODIMP clsMemoryInfoCom::get_PercentageUsed(long* v) {
    return Guard(IID_IclsMemoryInfo, [&] { return HandOut(v, core_->PercentageUsed()); });
}

STDMETHODIMP clsMemoryInfoCom::get_Physical(long* v) {
    return Guard(IID_IclsMemoryInfo, [&] { return HandOut(v, core_->Physical()); });
}

STDMETHODIMP clsMemoryInfoCom::get_PhysicalFree(long* v) {
    return Guard(IID_IclsMemoryInfo, [&] { return HandOut(v, core_->PhysicalFree()); });
}

STDMETHODIMP clsMemoryInfoCom::get_Virtual(long* v) {
    return Guard(IID_IclsMemoryInfo, [&] { return HandOut(v, core_->Virtual()); });
}

STDMETHODIMP clsMemoryInfoCom::get_VirtualFree(long* v) {
    return Guard(IID_IclsMemoryInfo, [&] { return HandOut(v, core_->VirtualFree()); });
}

STDMETHODIMP clsMemoryInfoCom::get_Pagefile(long* v) {
    return Guard(IID_IclsMemoryInfo, [&] { return HandOut(v, core_->Pagefile()); });
}

STDMETHODIMP clsMemoryInfoCom::get_PagefileFree(long* v) {
    return Guard(IID_IclsMemoryInfo, [&] { return HandOut(v, core_->PagefileFree()); });
}

// ---- clsVideoInfo ----

STDMETHODIMP clsVideoInfoCom::get_ScreenSizeX(long* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->ScreenSizeX()); });
}

STDMETHODIMP clsVideoInfoCom::get_ScreenSizeY(long* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->ScreenSizeY()); });
}

STDMETHODIMP clsVideoInfoCom::get_ColorDeepth(long* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->ColorDeepth()); });
}

STDMETHODIMP clsVideoInfoCom::get_ColorDeepthText(BSTR* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->ColorDeepthText()); });
}

STDMETHODIMP clsVideoInfoCom::get_AvailableDesktopTop(long* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->AvailableDesktopTop()); });
}

STDMETHODIMP clsVideoInfoCom::get_AvailableDesktopLeft(long* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->AvailableDesktopLeft()); });
}

STDMETHODIMP clsVideoInfoCom::get_AvailableDesktopWidth(long* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->AvailableDesktopWidth()); });
}

STDMETHODIMP clsVideoInfoCom::get_AvailableDesktopHeigth(long* v) {
    return Guard(IID_IclsVideoInfo, [&] { return HandOut(v, core_->AvailableDesktopHeigth()); });
}

}  // namespace kv::com
