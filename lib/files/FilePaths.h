#pragma once
// Paths and path lists as the file classes hand them to the system.
#include <string>
#include <vector>

namespace kv::files {

// The full path of a name, relative to the current folder when it is not fully qualified
// (the shell treats relative names differently, for example it deletes them for good
// instead of into the recycle bin).
std::wstring FullPath(const std::wstring& path);

// The items of a separated list without the empty ones ("a||b" and "a;;b" give a and b).
// The separator must not be empty.
std::vector<std::wstring> NonEmptyItems(const std::wstring& list, const std::wstring& separator);

}  // namespace kv::files
