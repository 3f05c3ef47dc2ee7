#pragma once
// The computer at a glance: operating system, processor, memory and screen. Each detail is
// gathered on its first access and then kept for the life of this object; a caller that
// needs fresh figures creates a new clsSystemInfo.
#include <memory>

#include "clsCPUInfo.h"
#include "clsMemoryInfo.h"
#include "clsOperatingSystemInfo.h"
#include "clsVideoInfo.h"

namespace kv {

class clsSystemInfo {
public:
    // Never raise: a failed gathering leaves the values read so far.
    std::shared_ptr<const clsVideoInfo> Video();
    std::shared_ptr<const clsCPUInfo> CPU();
    std::shared_ptr<const clsOperatingSystemInfo> OperatingSystem();
    std::shared_ptr<const clsMemoryInfo> Memory();

private:
    std::shared_ptr<clsVideoInfo> video_;
    std::shared_ptr<clsCPUInfo> cpu_;
    std::shared_ptr<clsOperatingSystemInfo> operatingSystem_;
    std::shared_ptr<clsMemoryInfo> memory_;
};

}  // namespace kv
