#pragma once
// Sets the application identity that every clsVersionGlobal of the process shares.
#include <string>

#include "clsVersionGlobal.h"

namespace kvtest {

inline void SetIdentity(const std::wstring& name, long major, long minor, long build) {
    kv::clsVersionGlobal v;
    v.InfoApplication(name);
    v.InfoMajorVersion(major);
    v.InfoMinorVersion(minor);
    v.InfoBuild(build);
}

}  // namespace kvtest
