#pragma once
// Memory figures in bytes (load in percent). Filled once by clsSystemInfo.
//
// The figures are 32-bit signed for the published interface. Sizes above 2147483647 bytes
// are reported as 2147483647: larger machines must never show negative or wrapped sizes.
#include <cstdint>

namespace kv {

class clsMemoryInfo {
public:
    long PercentageUsed() const { return percentageUsed_; }
    long Physical() const { return physical_; }
    long PhysicalFree() const { return physicalFree_; }
    long Virtual() const { return virtual_; }
    long VirtualFree() const { return virtualFree_; }
    long Pagefile() const { return pagefile_; }
    long PagefileFree() const { return pagefileFree_; }

    // A byte count as the 32-bit figure: saturates at 2147483647.
    static long ClampSize(std::uint64_t bytes);

private:
    friend class clsSystemInfo;
    void GetMemoryInfos();

    long percentageUsed_ = 0;
    long physical_ = 0;
    long physicalFree_ = 0;
    long virtual_ = 0;
    long virtualFree_ = 0;
    long pagefile_ = 0;
    long pagefileFree_ = 0;
};

}  // namespace kv
