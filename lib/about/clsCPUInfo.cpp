#include "clsCPUInfo.h"

#include <windows.h>

namespace kv {

std::wstring clsCPUInfo::TypeText(long type) {
    switch (type) {
        case 386: return L"386";
        case 486: return L"486";
        case 586: return L"Pentium";
        case 4000: return L"MIPS 4000";
        case 21064: return L"Alpha";
        default: return L"unbekannt";
    }
}

std::wstring clsCPUInfo::LevelTextOf(long level) {
    switch (level) {
        case 3: return L"Intel 80386";
        case 4: return L"Intel 80486";
        case 5: return L"Intel Pentium";
        case 6: return L"Intel Pentium Pro, Pentium II oder Pentium III";
        default: return L"";
    }
}

void clsCPUInfo::GetCPUInfos() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);  // cannot fail
    count_ = static_cast<long>(info.dwNumberOfProcessors);
    typ_ = static_cast<long>(info.dwProcessorType);
    level_ = info.wProcessorLevel;
    revision_ = info.wProcessorRevision;
}

}  // namespace kv
