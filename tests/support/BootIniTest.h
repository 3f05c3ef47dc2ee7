#pragma once
// Tests that need boot.ini: C:\boot.ini of the prefix (and its backup copy) are put back
// as they were when the test ends.
#include <string>

#include "AppTestSupport.h"

namespace kvtest {

// A boot.ini as Windows XP setup writes it, with two systems and the recovery console.
inline const std::string kXpBootIni =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n"
    "multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=\"Microsoft Windows XP Home\" /fastdetect\r\n";

inline const std::wstring kBootIni = L"C:\\boot.ini";
inline const std::wstring kBackup = L"C:\\boot.ini_kelvorestart_backup.bak";

class BootIniTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        RemoveFile(kBootIni);
        RemoveFile(kBackup);
    }
    // The default entry boot.ini holds now ("" when none).
    static std::wstring DefaultEntry() {
        wchar_t value[512] = {};
        GetPrivateProfileStringW(L"boot loader", L"default", L"", value, 512, kBootIni.c_str());
        return value;
    }

    RestoredFile bootIni_{kBootIni};
    RestoredFile backup_{kBackup};
};

}  // namespace kvtest
