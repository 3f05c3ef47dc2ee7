#include "clsFileFunctions.h"

#include <windows.h>
#include <oleauto.h>

#include "FilesMain.h"
#include "FilesText.h"
#include "Owned.h"

namespace kv {

namespace {

enum class Stamp { LastWrite, LastAccess, Creation };

void SetOneDate(const std::wstring& file, double date, Stamp stamp) {
    SYSTEMTIME local{};
    if (!VariantTimeToSystemTime(date, &local)) files::RaiseFilesError(files::conErrWriteDate, L"3", file);
    local.wMilliseconds = 0;
    // Writing attributes is all a time stamp needs, so a read-only file takes its dates too.
    OwnedHandle handle(CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle.Get() == INVALID_HANDLE_VALUE) files::RaiseFilesError(files::conErrWriteDate, L"1", file);
    FILETIME localTime, universal;
    if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &universal))
        files::RaiseFilesError(files::conErrWriteDate, L"3", file);
    const FILETIME* creation = stamp == Stamp::Creation ? &universal : nullptr;
    const FILETIME* access = stamp == Stamp::LastAccess ? &universal : nullptr;
    const FILETIME* write = stamp == Stamp::LastWrite ? &universal : nullptr;
    if (!SetFileTime(handle.Get(), creation, access, write)) files::RaiseFilesError(files::conErrWriteDate, L"2", file);
}

}  // namespace

void clsFileFunctions::SetFileDate(const std::wstring& strFile, double datModificationDate, double datLastAccessDate,
                                   double datCreationDate) {
    try {
        if (datModificationDate != 0) SetOneDate(strFile, datModificationDate, Stamp::LastWrite);
        if (datLastAccessDate != 0) SetOneDate(strFile, datLastAccessDate, Stamp::LastAccess);
        if (datCreationDate != 0) SetOneDate(strFile, datCreationDate, Stamp::Creation);
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"SetFileDate", e);
    }
}

}  // namespace kv
