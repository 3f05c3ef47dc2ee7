#pragma once
// The one clsMain of KVFiles, created on first use and kept for the library's life.
#include "clsMain.h"

namespace kv {

inline constexpr const wchar_t* conFilesProject = L"KVFiles";

clsMain& FilesMain();

}  // namespace kv
