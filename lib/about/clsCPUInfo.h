#pragma once
// The processor as the system describes it. Filled once by clsSystemInfo.
#include <string>

namespace kv {

class clsCPUInfo {
public:
    long Count() const { return count_; }
    long Typ() const { return typ_; }
    std::wstring TypText() const { return TypeText(typ_); }
    long Level() const { return level_; }
    std::wstring LevelText() const { return LevelTextOf(level_); }
    long Revision() const { return revision_; }
    long RModel() const { return (revision_ >> 8) & 0xFF; }
    long RStepping() const { return revision_ & 0xFF; }

    // The display texts of a processor type and level.
    static std::wstring TypeText(long type);
    static std::wstring LevelTextOf(long level);

private:
    friend class clsSystemInfo;
    void GetCPUInfos();

    long count_ = 0;
    long typ_ = 0;
    long level_ = 0;
    long revision_ = 0;
};

}  // namespace kv
