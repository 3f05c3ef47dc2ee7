#pragma once
// clsIni: single entries of an INI file through the platform's profile functions (ANSI
// code page). The caller chooses File and Section, then reads and writes by name; a
// non-empty Default replaces the not-found error when reading. Texts the profile functions
// would misread (no exact ANSI form, too long, a line break, an empty file name) are
// refused before the file is touched.
#include <string>

namespace kv {

class clsIni {
public:
    static constexpr const wchar_t* conModule = L"clsIni";

    const std::wstring& Section() const { return section_; }
    void Section(const std::wstring& value) { section_ = value; }
    const std::wstring& File() const { return file_; }
    void File(const std::wstring& value) { file_ = value; }

    // File, section and entry are created when missing.
    bool WriteValue(const std::wstring& strName, const std::wstring& strValue);
    // At most 1023 characters; an absent entry (or one stored as the text ERROR) gives
    // Default, or error -52003 when Default is empty. A file that cannot be read (locked,
    // no access) raises the platform's error.
    std::wstring ReadValue(const std::wstring& strName);
    // True when File (wildcards allowed) matches a file that is neither hidden nor system.
    bool ExistFile() const;
    // Does not clear Default: while Default is set every name exists.
    bool ExistValue(const std::wstring& strName);

    const std::wstring& Default() const { return default_; }
    void Default(const std::wstring& value) { default_ = value; }

private:
    std::wstring section_;
    std::wstring file_;
    std::wstring default_;
};

}  // namespace kv
