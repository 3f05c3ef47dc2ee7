#pragma once
// Answers the version record queries as a given Windows would, and counts them. Without
// extended data, the extended query fails like on Windows 9x or NT 4 before service pack 6.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "StandIn.h"
#include "VersionRecordSeam.h"

namespace kvtest {

struct Extended {
    BYTE productType;
    WORD suiteMask;
};

class FakeVersionRecord : public StandIn<kv::IVersionRecordSource, kv::SetVersionRecords> {
public:
    FakeVersionRecord(DWORD platform, DWORD major, DWORD minor, DWORD build, std::string servicePack,
                      std::optional<Extended> extended = std::nullopt)
        : platform_(platform), major_(major), minor_(minor), build_(build),
          servicePack_(std::move(servicePack)), extended_(extended) {}

    BOOL GetVersionEx(OSVERSIONINFOA* record) override {
        const bool isExtended = record->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA);
        ++(isExtended ? extendedQueries : shortQueries);
        if (isExtended ? !extended_ : (failShort || record->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        if (isExtended) {
            auto* ex = reinterpret_cast<OSVERSIONINFOEXA*>(record);
            ex->wProductType = extended_->productType;
            ex->wSuiteMask = extended_->suiteMask;
        }
        record->dwPlatformId = platform_;
        record->dwMajorVersion = major_;
        record->dwMinorVersion = minor_;
        record->dwBuildNumber = build_;
        std::memset(record->szCSDVersion, 0, sizeof record->szCSDVersion);
        std::memcpy(record->szCSDVersion, servicePack_.data(),
                    std::min(servicePack_.size(), sizeof record->szCSDVersion));
        return TRUE;
    }

    int shortQueries = 0;
    int extendedQueries = 0;
    bool failShort = false;

private:
    DWORD platform_, major_, minor_, build_;
    std::string servicePack_;
    std::optional<Extended> extended_;
};

}  // namespace kvtest
