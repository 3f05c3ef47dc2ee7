#pragma once
// Everything the shell knows about one file or folder: names in long and short form, drive,
// attributes, size, times, icon, type, associated program and the version resource, as
// gathered by the last GetDatas.
#include <windows.h>

#include <cstdint>
#include <string>

#include "FileConstants.h"
#include "Owned.h"
#include "clsMain.h"

namespace kv {

class clsFileInfo {
public:
    static constexpr const wchar_t* conModule = L"clsFileInfo";

    // Version-resource strings of the first translation; empty without a version resource.
    const std::wstring& NameCompany() const { return version_[0]; }
    const std::wstring& Description() const { return version_[1]; }
    const std::wstring& Version() const { return version_[2]; }
    const std::wstring& NameInternal() const { return version_[3]; }
    const std::wstring& Copyright() const { return version_[4]; }
    const std::wstring& NameOriginal() const { return version_[5]; }
    const std::wstring& NameProduct() const { return version_[6]; }
    const std::wstring& VersionProduct() const { return version_[7]; }

    // "C:" or, for a network path, "\\server\share".
    const std::wstring& Drive() const { return drive_; }
    enuDriveType DriveType();
    // Opens the shell's properties dialog of the file.
    void ShowExplorerProperties();

    // The folder without the drive, ending with "\"; a folder's own name is part of it.
    const std::wstring& Folder() const { return folder_; }
    const std::wstring& FolderMsDos() const { return folderShort_; }
    const std::wstring& Name() const { return name_; }
    const std::wstring& NameMsDos() const { return nameShort_; }
    const std::wstring& Extension() const { return extension_; }
    const std::wstring& ExtensionMsdos() const { return extensionShort_; }
    const std::wstring& DisplayName() const { return displayName_; }
    const std::wstring& FileType() const { return fileType_; }

    bool AttrReadOnly() const { return Has(FILE_ATTRIBUTE_READONLY); }
    bool AttrArchive() const { return Has(FILE_ATTRIBUTE_ARCHIVE); }
    bool AttrHidden() const { return Has(FILE_ATTRIBUTE_HIDDEN); }
    bool AttrSystem() const { return Has(FILE_ATTRIBUTE_SYSTEM); }
    bool AttrDirectory() const { return Has(FILE_ATTRIBUTE_DIRECTORY); }
    bool AttrNormal() const { return Has(FILE_ATTRIBUTE_NORMAL); }
    bool AttrTemporary() const { return Has(FILE_ATTRIBUTE_TEMPORARY); }
    bool AttrCompressed() const { return Has(FILE_ATTRIBUTE_COMPRESSED); }

    // The size in bytes as a 32-bit number: a file of 2 GiB or more raises conErrSizeTooLarge
    // instead of a wrapped size; Size64 gives every size.
    long Size();
    std::uint64_t Size64() const;

    // The locale's date-and-time text of the local time; "" for a zero time.
    std::wstring CreationTime();
    std::wstring ModificationTime();
    std::wstring AccessTime();

    // The shell's icon (lngSize: enuSysIconSize; lngOverlay: enuSysIconType flags); the
    // caller owns it.
    OwnedIcon Icon(long lngSize = conSysIconShell, long lngOverlay = conSysIconNormal);
    // The program the shell opens the file with; "" when none is associated.
    std::wstring Executable();

    void GetDatas(const std::wstring& strFile);
    // Splits major.minor.build at its dots.
    void SplitVersion(const std::wstring& strVersion, std::wstring& strMajor, std::wstring& strMinor,
                      std::wstring& strBuild);

private:
    bool Has(DWORD attribute) const { return (find_.dwFileAttributes & attribute) != 0; }
    std::wstring TimeText(const FILETIME& time, const wchar_t* member);
    void ReadVersion();
    // The path the shell is asked about: the full path, or the drive root as given.
    std::wstring path_;
    bool searched_ = false;

    std::wstring file_;
    WIN32_FIND_DATAW find_{};
    std::wstring version_[8];
    std::wstring drive_, folder_, name_, extension_;
    std::wstring folderShort_, nameShort_, extensionShort_;
    std::wstring displayName_, fileType_;
};

}  // namespace kv
