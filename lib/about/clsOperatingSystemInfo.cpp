#include "clsOperatingSystemInfo.h"

#include <windows.h>

#include <cstring>

#include "VersionRecordSeam.h"
#include "DecimalText.h"

namespace kv {

namespace {

constexpr DWORD kShortRecordSize = sizeof(OSVERSIONINFOA);     // 148
constexpr DWORD kExtendedRecordSize = sizeof(OSVERSIONINFOEXA);  // 156
static_assert(kShortRecordSize == 148 && kExtendedRecordSize == 156);

constexpr WORD kSuiteEnterprise = 0x2;
constexpr WORD kSuiteDataCenter = 0x80;
constexpr WORD kSuitePersonal = 0x200;

// The service-pack text: up to its first NUL (the whole buffer when there is none), without
// surrounding blanks.
std::wstring ServicePackText(const char (&csd)[128]) {
    const void* nul = std::memchr(csd, 0, sizeof csd);
    int length = nul ? static_cast<int>(static_cast<const char*>(nul) - csd) : static_cast<int>(sizeof csd);
    std::wstring text(static_cast<size_t>(length), L'\0');
    if (length > 0) {
        int written = MultiByteToWideChar(CP_ACP, 0, csd, length, text.data(), length);
        text.resize(static_cast<size_t>(written > 0 ? written : 0));
    }
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return L"";
    size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

// The number a service-pack text carries in its 14th character ("Service Pack 6" -> 6).
int ServicePackNumber(const std::wstring& text) {
    if (text.size() < 14) return 0;
    wchar_t c = text[13];
    return (c >= L'0' && c <= L'9') ? c - L'0' : 0;
}

}  // namespace

bool clsOperatingSystemInfo::IsOS(long lngVersion, long lngVersionType) const {
    if (version_ != lngVersion) return false;
    return lngVersionType == conWVT_Unknown || versionType_ == lngVersionType;
}

void clsOperatingSystemInfo::SetVersion(enuWindowsVersion version, const wchar_t* name) {
    version_ = version;
    versionName_ = name;
}

void clsOperatingSystemInfo::SetEdition(enuWindowsVersionType type, const wchar_t* name) {
    versionType_ = type;
    versionTypeName_ = name;
}

void clsOperatingSystemInfo::GetOperatingSystemInfos() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = kShortRecordSize;
    if (!VersionRecords().GetVersionEx(&info)) return;

    SetVersion(conWV_Unknown, L"Windows");
    const DWORD major = info.dwMajorVersion;
    const DWORD minor = info.dwMinorVersion;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && major == 4) {
        if (minor == 0) {
            SetVersion(conWV_Windows95, L"Windows 95");
        } else if (minor >= 90) {
            SetVersion(conWV_WindowsME, L"Windows ME");
        } else if (minor >= 10) {
            SetVersion(conWV_Windows98, L"Windows 98");
        }
    } else if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (major == 3 && minor == 51) {
            SetVersion(conWV_WindowsNT351, L"Windows NT 3.51");
        } else if (major == 4) {
            SetVersion(conWV_WindowsNT4, L"Windows NT 4");
        } else if (major == 5 && minor == 0) {
            SetVersion(conWV_Windows2000, L"Windows 2000");
        } else if (major == 5 && minor == 1) {
            SetVersion(conWV_WindowsXP, L"Windows XP");
        }
    }

    platformId_ = static_cast<long>(info.dwPlatformId);
    majorVersion_ = kv::DecimalText(major);
    minorVersion_ = kv::DecimalText(minor);
    // Windows 9x keeps major and minor version in the high word of the build number.
    build_ = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS
                 ? static_cast<long>(info.dwBuildNumber & 0xFFFF)
                 : static_cast<long>(info.dwBuildNumber);
    servicePack_ = ServicePackText(info.szCSDVersion);

    // Only NT 4 from service pack 6 and NT 5 onwards know the extended record.
    const bool nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    const bool hasExtended = (version_ == conWV_WindowsNT4 && ServicePackNumber(servicePack_) >= 6) ||
                             (nt && major >= 5);
    if (!hasExtended) return;

    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = kExtendedRecordSize;
    if (!VersionRecords().GetVersionEx(reinterpret_cast<OSVERSIONINFOA*>(&ex))) return;

    const BYTE productType = ex.wProductType;
    const WORD suite = ex.wSuiteMask;
    switch (productType) {
        case 0:
            versionTypeName_.clear();
            break;
        case VER_NT_WORKSTATION:
            SetEdition(conWVT_Workstation, L"Workstation");
            break;
        case VER_NT_DOMAIN_CONTROLLER:
        case VER_NT_SERVER:
            if (suite & kSuiteEnterprise) SetEdition(conWVT_Enterprise, L"Enterprise");
            else SetEdition(conWVT_Server, L"Server");
            break;
        default:
            SetEdition(conWVT_Other, L"Anderer");
            break;
    }

    if (major >= 5) {
        if (productType == VER_NT_WORKSTATION) {
            if (suite & kSuitePersonal) SetEdition(conWVT_Home, L"Home");
            else SetEdition(conWVT_Professional, L"Professional");
        } else if (suite & kSuiteEnterprise) {
            SetEdition(conWVT_Enterprise, L"Enterprise");
        } else if (suite & kSuiteDataCenter) {
            SetEdition(conWVT_DataCenter, L"Datacenter");
        } else {
            SetEdition(conWVT_Server, L"Server");
        }
    }
}

}  // namespace kv
