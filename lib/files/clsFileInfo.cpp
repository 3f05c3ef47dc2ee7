#include "clsFileInfo.h"

#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "FilePaths.h"
#include "FilesMain.h"
#include "FilesText.h"
#include "LastError.h"
#include "DecimalText.h"

namespace kv {

namespace {

// Drive ("C:" or "\\server\share") and the folder after it, name and extension of a path.
void SplitPath(const std::wstring& path, std::wstring& drive, std::wstring& folder, std::wstring& name,
               std::wstring& extension) {
    FilesMain().SplitFilename(path, folder, name, extension);
    drive.clear();
    if (folder.size() >= 2 && folder[1] == L':') {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    } else if (folder.compare(0, 2, L"\\\\") == 0) {
        size_t server = folder.find(L'\\', 2);
        size_t share = server == std::wstring::npos ? server : folder.find(L'\\', server + 1);
        if (share != std::wstring::npos) {
            drive = folder.substr(0, share);
            folder.erase(0, share);
        }
    }
}

// A folder's own name belongs to the folder ("my.dir" whole, not only the part before the dot).
void MoveNameIntoFolder(std::wstring& folder, std::wstring& name, std::wstring& extension) {
    if (name.empty() && extension.empty()) return;
    folder += name + (extension.empty() ? L"" : L"." + extension) + L"\\";
    name.clear();
    extension.clear();
}

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::wstring ShortPath(const std::wstring& path) {
    std::vector<wchar_t> buffer(1024);
    DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;  // no short form: the long one stands
    return std::wstring(buffer.data(), length);
}

}  // namespace

void clsFileInfo::GetDatas(const std::wstring& strFile) {
    try {
        clsFileInfo info;  // replaces this one only when complete
        info.file_ = strFile;
        const bool root = strFile.size() >= 2 && strFile.size() < 4 && strFile[1] == L':';
        if (root) {
            info.path_ = strFile;
        } else {
            std::wstring name = strFile;
            if (!name.empty() && name.back() == L'\\') name.pop_back();
            if (name.empty()) FilesMain().GenerateError(-52012, strFile);
            info.path_ = files::FullPath(name);
            OwnedFindHandle search(FindFirstFileW(info.path_.c_str(), &info.find_));
            RaiseLastErrorIf(!search, ERROR_FILE_NOT_FOUND);
            info.searched_ = true;
        }

        SHFILEINFOW shell{};
        UINT flags = SHGFI_DISPLAYNAME | SHGFI_TYPENAME | (info.searched_ ? SHGFI_USEFILEATTRIBUTES : 0);
        if (SHGetFileInfoW(info.path_.c_str(), info.find_.dwFileAttributes, &shell, sizeof shell, flags)) {
            info.displayName_ = shell.szDisplayName;
            info.fileType_ = shell.szTypeName;
        }

        std::wstring shortDrive;
        if (root) {
            info.drive_ = strFile.substr(0, 2);
            info.folder_ = info.folderShort_ = L"\\";
        } else {
            SplitPath(info.path_, info.drive_, info.folder_, info.name_, info.extension_);
            SplitPath(ShortPath(info.path_), shortDrive, info.folderShort_, info.nameShort_, info.extensionShort_);
            if (info.AttrDirectory()) {
                MoveNameIntoFolder(info.folder_, info.name_, info.extension_);
                MoveNameIntoFolder(info.folderShort_, info.nameShort_, info.extensionShort_);
            }
        }
        info.ReadVersion();
        *this = std::move(info);
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"GetDatas", e);
    }
}

void clsFileInfo::ReadVersion() {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path_.c_str(), &ignored);
    if (size == 0) return;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path_.c_str(), 0, size, data.data())) return;
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &length) ||
        length < sizeof(Translation))
        return;
    wchar_t block[9];
    wsprintfW(block, L"%04X%04X", translation->language, translation->codePage);
    static const wchar_t* const names[8] = {L"CompanyName",     L"FileDescription",  L"FileVersion",
                                            L"InternalName",    L"LegalCopyright",   L"OriginalFileName",
                                            L"ProductName",     L"ProductVersion"};
    for (int i = 0; i < 8; ++i) {
        std::wstring key = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + names[i];
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars) || !value) continue;
        version_[i].assign(value, std::wcslen(value) < chars ? std::wcslen(value) : chars);
        if (version_[i].size() > 255) version_[i].resize(255);
    }
}

enuDriveType clsFileInfo::DriveType() {
    try {
        if (drive_.compare(0, 2, L"\\\\") == 0) return static_cast<enuDriveType>(GetDriveTypeW((drive_ + L"\\").c_str()));
        return FilesMain().DriveType(drive_);
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"DriveType", e);
    }
}

void clsFileInfo::ShowExplorerProperties() {
    try {
        if (path_.empty()) FilesMain().GenerateError(-52012, file_);
        SHELLEXECUTEINFOW sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
        sei.lpVerb = L"properties";
        sei.lpFile = path_.c_str();
        sei.nShow = SW_SHOW;
        RaiseLastErrorIf(!ShellExecuteExW(&sei));
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"ShowExplorerProperties", e);
    }
}

long clsFileInfo::Size() {
    try {
        std::uint64_t size = Size64();
        if (size > 0x7FFFFFFFu) files::RaiseFilesError(files::conErrSizeTooLarge, file_, kv::DecimalText(size));
        return static_cast<long>(size);
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"Size", e);
    }
}

std::uint64_t clsFileInfo::Size64() const {
    return (static_cast<std::uint64_t>(find_.nFileSizeHigh) << 32) | find_.nFileSizeLow;
}

std::wstring clsFileInfo::TimeText(const FILETIME& time, const wchar_t* member) {
    try {
        if (Ticks(time) == 0) return L"";
        FILETIME local;
        RaiseLastErrorIf(!FileTimeToLocalFileTime(&time, &local));
        // Days since 30 December 1899 (109 205 days after 1 January 1601), the date value.
        double days = static_cast<double>(Ticks(local) / 10000) / 86400000.0 - 109205.0;
        return Variant(Date{days}).ToString();
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, member, e);
    }
}

std::wstring clsFileInfo::CreationTime() { return TimeText(find_.ftCreationTime, L"CreationTime"); }
std::wstring clsFileInfo::ModificationTime() { return TimeText(find_.ftLastWriteTime, L"ModificationTime"); }
std::wstring clsFileInfo::AccessTime() { return TimeText(find_.ftLastAccessTime, L"AccessTime"); }

OwnedIcon clsFileInfo::Icon(long lngSize, long lngOverlay) {
    try {
        if (path_.empty()) FilesMain().GenerateError(-52012, file_);
        UINT size = lngSize == conSysIconLarge ? SHGFI_LARGEICON
                    : lngSize == conSysIconSmall ? SHGFI_SMALLICON
                                                 : SHGFI_SHELLICONSIZE;
        UINT overlay = static_cast<UINT>(lngOverlay) & (SHGFI_LINKOVERLAY | SHGFI_SELECTED);
        SHFILEINFOW shell{};
        if (!SHGetFileInfoW(path_.c_str(), 0, &shell, sizeof shell, SHGFI_ICON | size | overlay) || !shell.hIcon)
            FilesMain().GenerateError(-52012, file_);
        return OwnedIcon(shell.hIcon);
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"Icon", e);
    }
}

std::wstring clsFileInfo::Executable() {
    try {
        if (path_.empty()) FilesMain().GenerateError(-52012, file_);
        wchar_t program[MAX_PATH] = L"";
        INT_PTR result = reinterpret_cast<INT_PTR>(FindExecutableW(path_.c_str(), nullptr, program));
        if (result > 32) return program;
        if (result == SE_ERR_NOASSOC) return L"";
        RaiseApiError(result == 0 ? ERROR_NOT_ENOUGH_MEMORY : static_cast<long>(result));
    } catch (const KVError& e) {
        FilesMain().ForwardError(conFilesProject, conModule, L"Executable", e);
    }
}

void clsFileInfo::SplitVersion(const std::wstring& strVersion, std::wstring& strMajor, std::wstring& strMinor,
                               std::wstring& strBuild) {
    std::wstring* parts[3] = {&strMajor, &strMinor, &strBuild};
    size_t start = 0;
    for (std::wstring* part : parts) {
        if (start > strVersion.size()) {
            part->clear();
            continue;
        }
        size_t dot = strVersion.find(L'.', start);
        *part = strVersion.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
        start = dot == std::wstring::npos ? strVersion.size() + 1 : dot + 1;
    }
}

}  // namespace kv
