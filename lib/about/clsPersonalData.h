#pragma once
// The maker's contact record, compiled into the library. Company is also a component of the
// program's settings key (software\Tormel\Kelvo Restart), so it must never change.
#include <string>

namespace kv {

class clsPersonalData {
public:
    std::wstring Company() const;
    std::wstring Firstname() const;
    std::wstring Lastname() const;
    std::wstring Pobox() const;
    std::wstring Street() const;
    std::wstring Town() const;
    std::wstring Country() const;
    std::wstring Website() const;
    std::wstring EmailAddress() const;
    std::wstring Copyright() const;          // the warning text of licensed programs
    std::wstring CopyrightFreeware() const;  // the terms of freeware programs
};

}  // namespace kv
