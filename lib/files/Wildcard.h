#pragma once
// File-name patterns with * and ? as the system's directory search reads them, matched
// without case against names already read, so one directory read serves several patterns.
#include <string>

namespace kv::files {

// Upper case of a name or pattern for matching (the system's case mapping).
std::wstring FoldCase(const std::wstring& text);

// Both arguments folded by FoldCase. * matches any run of characters, ? one character;
// as in the system's search, a trailing ".*" also matches a name without extension
// ("*.*" matches every name) and a trailing "." matches a name without a dot.
bool MatchesPattern(const std::wstring& foldedName, const std::wstring& foldedPattern);

}  // namespace kv::files
