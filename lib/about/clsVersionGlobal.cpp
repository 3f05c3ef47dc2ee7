#include "clsVersionGlobal.h"

#include <mutex>   // std::lock_guard

#include "AboutMain.h"
#include "SystemLock.h"

namespace kv {

namespace {

constexpr long kNotSet = -1;

// The one record of the process. It starts "not set" once; creating further instances must
// not wipe what the application wrote at start.
struct Identity {
    kv::SystemLock lock;
    std::wstring application;
    long major = kNotSet;
    long minor = kNotSet;
    long build = kNotSet;
};

Identity& Record() {
    static Identity record;
    return record;
}

template <class T>
T Read(T Identity::*field) {
    Identity& r = Record();
    std::lock_guard<kv::SystemLock> guard(r.lock);
    return r.*field;
}

template <class T>
void Write(T Identity::*field, T value) {
    Identity& r = Record();
    std::lock_guard<kv::SystemLock> guard(r.lock);
    r.*field = std::move(value);
}

}  // namespace

std::wstring clsVersionGlobal::InfoApplication() const { return Read(&Identity::application); }
void clsVersionGlobal::InfoApplication(const std::wstring& value) { Write(&Identity::application, value); }
long clsVersionGlobal::InfoMajorVersion() const { return Read(&Identity::major); }
void clsVersionGlobal::InfoMajorVersion(long value) { Write(&Identity::major, value); }
long clsVersionGlobal::InfoMinorVersion() const { return Read(&Identity::minor); }
void clsVersionGlobal::InfoMinorVersion(long value) { Write(&Identity::minor, value); }
long clsVersionGlobal::InfoBuild() const { return Read(&Identity::build); }
void clsVersionGlobal::InfoBuild(long value) { Write(&Identity::build, value); }

bool clsVersionGlobal::IsIdentitySet() const {
    Identity& r = Record();
    std::lock_guard<kv::SystemLock> guard(r.lock);
    return !r.application.empty() && r.major != kNotSet && r.minor != kNotSet && r.build != kNotSet;
}

void clsVersionGlobal::CheckIdentity() const {
    if (!IsIdentitySet()) AboutMain().GenerateError(-52013);
}

}  // namespace kv
