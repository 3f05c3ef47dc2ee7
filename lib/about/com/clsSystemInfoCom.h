#pragma once
// KVAbout.clsSystemInfo: the published face of clsSystemInfo and of the four detail objects
// it hands out. The detail
// objects are not creatable; each wraps the core object its clsSystemInfo gathered.
#include <memory>

#include "ComPtr.h"
#include "DispatchObject.h"
#include "KVAbout.h"
#include "clsSystemInfo.h"

namespace kv::com {

class clsOperatingSystemInfoCom final : public DispatchObject<IclsOperatingSystemInfo> {
public:
    explicit clsOperatingSystemInfoCom(std::shared_ptr<const clsOperatingSystemInfo> core) : core_(std::move(core)) {}

    STDMETHODIMP get_VersionType(::enuWindowsVersionType* lngVersionType) override;
    STDMETHODIMP get_VersionTypeName(BSTR* strVersionTypeName) override;
    STDMETHODIMP get_Version(::enuWindowsVersion* lngVersion) override;
    STDMETHODIMP get_VersionName(BSTR* strVersionName) override;
    STDMETHODIMP get_MajorVersion(BSTR* strMajorVersion) override;
    STDMETHODIMP get_MinorVersion(BSTR* strMinorVersion) override;
    STDMETHODIMP get_Build(long* lngBuild) override;
    STDMETHODIMP get_ServicePack(BSTR* strServicePack) override;
    STDMETHODIMP get_PlattformID(long* lngPlattformID) override;
    STDMETHODIMP get_IsNT4(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP get_Is2000(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP get_IsXP(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP get_Is95(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP get_Is98(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP get_IsME(VARIANT_BOOL* blnResult) override;
    STDMETHODIMP IsOS(::enuWindowsVersion lngVersion, ::enuWindowsVersionType lngVersionType,
                      VARIANT_BOOL* blnResult) override;

private:
    std::shared_ptr<const clsOperatingSystemInfo> core_;
};

class clsCPUInfoCom final : public DispatchObject<IclsCPUInfo> {
public:
    explicit clsCPUInfoCom(std::shared_ptr<const clsCPUInfo> core) : core_(std::move(core)) {}

    STDMETHODIMP get_Count(long* lngCount) override;
    STDMETHODIMP get_Typ(long* lngTyp) override;
    STDMETHODIMP get_TypText(BSTR* strTypText) override;
    STDMETHODIMP get_Level(long* lngLevel) override;
    STDMETHODIMP get_LevelText(BSTR* strLevelText) override;
    STDMETHODIMP get_Revision(long* lngRevision) override;
    STDMETHODIMP get_RModel(long* lngRModel) override;
    STDMETHODIMP get_RStepping(long* lngRStepping) override;

private:
    std::shared_ptr<const clsCPUInfo> core_;
};

class clsMemoryInfoCom final : public DispatchObject<IclsMemoryInfo> {
public:
    explicit clsMemoryInfoCom(std::shared_ptr<const clsMemoryInfo> core) : core_(std::move(core)) {}

    STDMETHODIMP get_PercentageUsed(long* lngPercentageUsed) override;
    STDMETHODIMP get_Physical(long* lngPhysical) override;
    STDMETHODIMP get_PhysicalFree(long* lngPhysicalFree) override;
    STDMETHODIMP get_Virtual(long* lngVirtual) override;
    STDMETHODIMP get_VirtualFree(long* lngVirtualFree) override;
    STDMETHODIMP get_Pagefile(long* lngPagefile) override;
    STDMETHODIMP get_PagefileFree(long* lngPagefileFree) override;

private:
    std::shared_ptr<const clsMemoryInfo> core_;
};

class clsVideoInfoCom final : public DispatchObject<IclsVideoInfo> {
public:
    explicit clsVideoInfoCom(std::shared_ptr<const clsVideoInfo> core) : core_(std::move(core)) {}

    STDMETHODIMP get_ScreenSizeX(long* lngScreenSizeX) override;
    STDMETHODIMP get_ScreenSizeY(long* lngScreenSizeY) override;
    STDMETHODIMP get_ColorDeepth(long* lngColorDeepth) override;
    STDMETHODIMP get_ColorDeepthText(BSTR* strColorDeepthText) override;
    STDMETHODIMP get_AvailableDesktopTop(long* lngTop) override;
    STDMETHODIMP get_AvailableDesktopLeft(long* lngLeft) override;
    STDMETHODIMP get_AvailableDesktopWidth(long* lngWidth) override;
    STDMETHODIMP get_AvailableDesktopHeigth(long* lngHeigth) override;

private:
    std::shared_ptr<const clsVideoInfo> core_;
};

// Hands out one face per detail, created with the detail on first access, so that a client
// gets the same object every time (as the core does).
class clsSystemInfoCom final : public DispatchObject<IclsSystemInfo> {
public:
    STDMETHODIMP get_Video(IclsVideoInfo** objVideo) override;
    STDMETHODIMP get_CPU(IclsCPUInfo** objCPU) override;
    STDMETHODIMP get_OperatingSystem(IclsOperatingSystemInfo** objOperatingSystem) override;
    STDMETHODIMP get_Memory(IclsMemoryInfo** objMemory) override;

private:
    clsSystemInfo core_;
    ComPtr<IclsVideoInfo> video_;
    ComPtr<IclsCPUInfo> cpu_;
    ComPtr<IclsOperatingSystemInfo> operatingSystem_;
    ComPtr<IclsMemoryInfo> memory_;
};

}  // namespace kv::com
