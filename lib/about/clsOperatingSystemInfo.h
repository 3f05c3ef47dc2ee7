#pragma once
// Which Windows version and edition runs. Filled once by clsSystemInfo; read-only afterwards.
#include <string>

namespace kv {

enum enuWindowsVersion : long {
    conWV_Unknown = 0,
    conWV_Windows95 = 1,
    conWV_Windows98 = 2,
    conWV_WindowsME = 3,
    conWV_WindowsNT351 = 4,
    conWV_WindowsNT4 = 5,
    conWV_Windows2000 = 6,
    conWV_WindowsXP = 7,
};

enum enuWindowsVersionType : long {
    conWVT_Unknown = 0,
    conWVT_Workstation = 1,
    conWVT_Server = 2,
    conWVT_Home = 3,
    conWVT_Professional = 4,
    conWVT_Enterprise = 5,
    conWVT_DataCenter = 6,
    conWVT_Other = 7,
};

class clsOperatingSystemInfo {
public:
    enuWindowsVersionType VersionType() const { return versionType_; }
    const std::wstring& VersionTypeName() const { return versionTypeName_; }
    enuWindowsVersion Version() const { return version_; }
    const std::wstring& VersionName() const { return versionName_; }
    const std::wstring& MajorVersion() const { return majorVersion_; }
    const std::wstring& MinorVersion() const { return minorVersion_; }
    long Build() const { return build_; }
    const std::wstring& ServicePack() const { return servicePack_; }
    long PlattformID() const { return platformId_; }

    bool IsNT4() const { return version_ == conWV_WindowsNT4; }
    bool Is2000() const { return version_ == conWV_Windows2000; }
    bool IsXP() const { return version_ == conWV_WindowsXP; }
    bool Is95() const { return version_ == conWV_Windows95; }
    bool Is98() const { return version_ == conWV_Windows98; }
    bool IsME() const { return version_ == conWV_WindowsME; }

    // True when the version is lngVersion and, when an edition other than 0 is given,
    // the edition is lngVersionType too.
    bool IsOS(long lngVersion, long lngVersionType = conWVT_Unknown) const;

private:
    friend class clsSystemInfo;
    // Reads the version record (short form, then the extended one where the system has it).
    // A failed query leaves the values gathered so far.
    void GetOperatingSystemInfos();
    void SetVersion(enuWindowsVersion version, const wchar_t* name);
    void SetEdition(enuWindowsVersionType type, const wchar_t* name);

    enuWindowsVersionType versionType_ = conWVT_Unknown;
    std::wstring versionTypeName_;
    enuWindowsVersion version_ = conWV_Unknown;
    std::wstring versionName_;
    std::wstring majorVersion_;
    std::wstring minorVersion_;
    long build_ = 0;
    std::wstring servicePack_;
    long platformId_ = 0;
};

}  // namespace kv
