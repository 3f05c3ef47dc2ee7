#pragma once
// The operating-system version record, behind one small interface so that the detection of
// Windows 95/98/ME/NT 4/2000/XP can be exercised on any system. The product always uses the
// real GetVersionExA; only tests install another source.
#include <windows.h>

namespace kv {

class IVersionRecordSource {
public:
    virtual ~IVersionRecordSource() = default;
    // Same contract as GetVersionExA: fills the short (148 bytes) or the extended (156 bytes,
    // OSVERSIONINFOEXA) record as its size field asks; FALSE when the system cannot.
    virtual BOOL GetVersionEx(OSVERSIONINFOA* record) = 0;
};

// The source in use (the real system unless a test installed another).
IVersionRecordSource& VersionRecords();
// Installs a replacement; nullptr restores the real system. Returns the previous one.
IVersionRecordSource* SetVersionRecords(IVersionRecordSource* replacement);

}  // namespace kv
