#include "clsSystemInfo.h"

namespace kv {

namespace {

// Creates the detail object once and fills it; the caller always gets an object, so a
// failure while gathering (only allocation can throw here) keeps what was gathered.
template <class Detail, class Gather>
std::shared_ptr<const Detail> Lazily(std::shared_ptr<Detail>& slot, Gather gather) {
    if (!slot) {
        slot = std::make_shared<Detail>();
        try {
            gather(*slot);
        } catch (...) {
        }
    }
    return slot;
}

}  // namespace

std::shared_ptr<const clsVideoInfo> clsSystemInfo::Video() {
    return Lazily(video_, [](clsVideoInfo& d) { d.GetVideoInfos(); });
}

std::shared_ptr<const clsCPUInfo> clsSystemInfo::CPU() {
    return Lazily(cpu_, [](clsCPUInfo& d) { d.GetCPUInfos(); });
}

std::shared_ptr<const clsOperatingSystemInfo> clsSystemInfo::OperatingSystem() {
    return Lazily(operatingSystem_, [](clsOperatingSystemInfo& d) { d.GetOperatingSystemInfos(); });
}

std::shared_ptr<const clsMemoryInfo> clsSystemInfo::Memory() {
    return Lazily(memory_, [](clsMemoryInfo& d) { d.GetMemoryInfos(); });
}

}  // namespace kv
