#pragma once
// Sets user locale entries for one test and puts the previous values back.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace kvtest {

class LocaleOverride {
public:
    LocaleOverride(std::initializer_list<std::pair<LCTYPE, const wchar_t*>> entries) {
        for (const auto& [type, value] : entries) {
            wchar_t old[128] = {};
            GetLocaleInfoW(LOCALE_USER_DEFAULT, type, old, 128);
            saved_.emplace_back(type, old);
            ok_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value) && ok_;
        }
    }
    ~LocaleOverride() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            SetLocaleInfoW(LOCALE_USER_DEFAULT, it->first, it->second.c_str());
    }
    LocaleOverride(const LocaleOverride&) = delete;
    LocaleOverride& operator=(const LocaleOverride&) = delete;
    bool ok() const { return ok_; }

private:
    std::vector<std::pair<LCTYPE, std::wstring>> saved_;
    bool ok_ = true;
};

}  // namespace kvtest
