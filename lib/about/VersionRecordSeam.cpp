#include "VersionRecordSeam.h"

namespace kv {

namespace {
class SystemVersionRecord : public IVersionRecordSource {
public:
    BOOL GetVersionEx(OSVERSIONINFOA* record) override { return ::GetVersionExA(record); }
};

SystemVersionRecord g_system;
IVersionRecordSource* g_current = &g_system;
}  // namespace

IVersionRecordSource& VersionRecords() { return *g_current; }

IVersionRecordSource* SetVersionRecords(IVersionRecordSource* replacement) {
    IVersionRecordSource* previous = g_current;
    g_current = replacement ? replacement : &g_system;
    return previous == &g_system ? nullptr : previous;
}

}  // namespace kv
