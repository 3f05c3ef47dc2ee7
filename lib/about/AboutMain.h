#pragma once
// The one clsMain of KVAbout, created on first use and kept for the library's life.
#include "clsMain.h"

namespace kv {

inline constexpr const wchar_t* conAboutProject = L"KVAbout";

clsMain& AboutMain();

}  // namespace kv
