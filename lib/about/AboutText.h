#pragma once
// Texts the identity windows share: a file's last-write date, the version and copyright
// lines.
#include <windows.h>

#include <optional>
#include <string>

namespace kv {

// The last-write time of an existing file (not a folder) in local time; nothing otherwise.
// A file whose time cannot be converted raises.
std::optional<SYSTEMTIME> FileLastWrite(const std::wstring& strPath);

// The year a text holds when it is a plain number ("2005", " 2005 "); 0 otherwise.
long YearOf(const std::wstring& strText);

// "Version " + major + "." + minor + " Build " + build of the application identity.
std::wstring VersionLine();

// "Copyright © " + start (the current year for 0) [+ " - " + end, when end holds a year
// other than 0].
std::wstring CopyrightLine(long lngStartYear, const std::wstring& strEndYear, long lngCurrentYear);

long CurrentYear();

}  // namespace kv
