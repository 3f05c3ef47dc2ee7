#include "clsMemoryInfo.h"

#include <windows.h>

#include <climits>

namespace kv {

long clsMemoryInfo::ClampSize(std::uint64_t bytes) {
    return bytes > static_cast<std::uint64_t>(LONG_MAX) ? LONG_MAX : static_cast<long>(bytes);
}

void clsMemoryInfo::GetMemoryInfos() {
    // The extended status gives true 64-bit sizes; the old record would already be cut to
    // 4 GB - 1 by the system and then read as negative in a signed field.
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return;
    percentageUsed_ = static_cast<long>(status.dwMemoryLoad);
    physical_ = ClampSize(status.ullTotalPhys);
    physicalFree_ = ClampSize(status.ullAvailPhys);
    pagefile_ = ClampSize(status.ullTotalPageFile);
    pagefileFree_ = ClampSize(status.ullAvailPageFile);
    virtual_ = ClampSize(status.ullTotalVirtual);
    virtualFree_ = ClampSize(status.ullAvailVirtual);
}

}  // namespace kv
