#pragma once
// The version file of the product web server, read as data: its text, the marks that make it
// ours, the version and release date it names, and how versions compare. No network here.
//
// The file: text lines; one line holds "Download " + the application name; line 3 is a label,
// a blank and "major.minor Build build"; line 4 a label, a blank and "day.month.year";
// line 5 the additional information for the user.
#include <optional>
#include <string>

#include "Variant.h"

namespace kvr {

// What the check reads of the file, at most this much (a version file is a few hundred
// bytes): a longer answer is no version file.
inline constexpr size_t conVersionFileMaxBytes = 64 * 1024;

struct VersionFileInfo {
    std::wstring VersionText;     // line 3 after its label, trimmed
    long Major = 0, Minor = 0, Build = 0;
    kv::Date ReleaseDate;         // line 4
    std::wstring AdditionalInfo;  // line 5 as it stands
};

// The bytes of an answer as text (UTF-8, else the ANSI code page); nothing for an answer that
// is no text (it holds a NUL byte).
std::optional<std::wstring> VersionFileText(const std::string& bytes);
// Whether the text holds "Download " + strApplication: only then the answer is the version file.
bool HasDownloadMark(const std::wstring& strText, const std::wstring& strApplication);
// Lines 3, 4 and 5 read. A file with fewer than five lines, a version without "." or "Build",
// a part that is no whole number or a release date that is none raises error 13.
VersionFileInfo ReadVersionFile(const std::wstring& strText);
// "major.minor Build build" split into its numbers (error 13 as above).
void ParseVersionText(const std::wstring& strVersion, long& lngMajor, long& lngMinor, long& lngBuild);

// The number versions are compared by: major * 100000 + minor * 1000 + build.
long long VersionNumber(long lngMajor, long lngMinor, long lngBuild);

}  // namespace kvr
