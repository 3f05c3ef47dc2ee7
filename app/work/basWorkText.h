#pragma once
// Text and file helpers of the action engine: case-insensitive search, trimming, and
// boot.ini read line by line.
#include <string>
#include <vector>

namespace kvr::work {

inline constexpr const wchar_t* conModule = L"basWork";

// Upper case in the user's locale, for comparisons that ignore case.
std::wstring UpperCase(const std::wstring& strText);
// True when strText contains strPart, ignoring case (the empty part occurs everywhere).
bool ContainsText(const std::wstring& strText, const std::wstring& strPart);
bool SameText(const std::wstring& strA, const std::wstring& strB);
// The non-empty items of a list such as "a;b;" (the settings end each item with the separator).
std::vector<std::wstring> SplitItems(const std::wstring& strList, wchar_t chSeparator = L';');
// Without leading and trailing blanks and tabs.
std::wstring Trimmed(const std::wstring& strText);
// The text between the first two double quotes of the line ("" without such a pair).
std::wstring QuotedName(const std::wstring& strLine);
// The file's lines (ANSI code page), split at CR LF, CR or LF; no empty line is added
// after a final line break. Within a ReadOnce scope a file is read once.
std::vector<std::wstring> ReadLines(const std::wstring& strFile);
// While one lives, ReadLines keeps what it read, so a start that looks at boot.ini several
// times reads it once; a write of the program's own (ForgetReadLines) drops what was kept.
class ReadOnce {
public:
    ReadOnce();
    ~ReadOnce();
    ReadOnce(const ReadOnce&) = delete;
    ReadOnce& operator=(const ReadOnce&) = delete;
};
void ForgetReadLines();
// One system of boot.ini's operating systems section: its ARC path (the text before the
// first "="), its display name (between the first pair of double quotes) and the whole line.
struct BootEntry {
    std::wstring Path;
    std::wstring Name;
    std::wstring Line;
};
// The systems of boot.ini: the "key=value" lines of the section whose header contains
// "Operating Systems", up to the next section; comments and lines without a key are none.
// Empty without boot.ini or without such a section.
std::vector<BootEntry> OperatingSystems(const std::wstring& strBootIni);
// True when the file has a section header "[boot loader]".
bool HasBootLoaderSection(const std::wstring& strBootIni);

}  // namespace kvr::work
