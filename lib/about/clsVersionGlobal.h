#pragma once
// The identity of the calling application (name and version). Every instance reads and
// writes the same record, which the application fills once at start. A number of -1 or an
// empty name means "not set"; 0.0 build 0 is a valid version.
#include <string>

namespace kv {

class clsVersionGlobal {
public:
    std::wstring InfoApplication() const;
    void InfoApplication(const std::wstring& value);
    long InfoMajorVersion() const;
    void InfoMajorVersion(long value);
    long InfoMinorVersion() const;
    void InfoMinorVersion(long value);
    long InfoBuild() const;
    void InfoBuild(long value);

    // True when the name is not empty and none of the numbers is -1.
    bool IsIdentitySet() const;
    // Raises -52013 unless the identity is set; for members that show the identity.
    void CheckIdentity() const;
};

}  // namespace kv
