#include "clsFileInfoCom.h"

#include <olectl.h>

namespace kv::com {

namespace {

// A picture object that destroys the icon when it goes.
ComPtr<IPictureDisp> IconPicture(OwnedIcon icon) {
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_ICON;
    description.icon.hicon = icon.Get();
    ComPtr<IPictureDisp> picture;
    CheckHr(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture.Put())));
    (void)icon.Release();  // the picture owns it now
    return picture;
}

// Replaces an [in, out] string.
void Replace(BSTR* target, const std::wstring& value) {
    if (!target) return;
    SysFreeString(*target);
    *target = ToBSTR(value);
}

}  // namespace

STDMETHODIMP clsFileInfoCom::get_NameCompany(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.NameCompany()); });
}

STDMETHODIMP clsFileInfoCom::get_Description(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Description()); });
}

STDMETHODIMP clsFileInfoCom::get_Version(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Version()); });
}

STDMETHODIMP clsFileInfoCom::get_NameInternal(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.NameInternal()); });
}

STDMETHODIMP clsFileInfoCom::get_Copyright(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Copyright()); });
}

STDMETHODIMP clsFileInfoCom::get_NameOriginal(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.NameOriginal()); });
}

STDMETHODIMP clsFileInfoCom::get_NameProduct(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.NameProduct()); });
}

STDMETHODIMP clsFileInfoCom::get_VersionProduct(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.VersionProduct()); });
}

STDMETHODIMP clsFileInfoCom::get_Drive(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Drive()); });
}

STDMETHODIMP clsFileInfoCom::get_DriveType(long* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, static_cast<long>(core_.DriveType())); });
}

STDMETHODIMP clsFileInfoCom::ShowExplorerProperties() {
    return Guard(IID_IclsFileInfo, [&] {
        core_.ShowExplorerProperties();
        return S_OK;
    });
}

STDMETHODIMP clsFileInfoCom::get_Folder(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Folder()); });
}

STDMETHODIMP clsFileInfoCom::get_FolderMsDos(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.FolderMsDos()); });
}

STDMETHODIMP clsFileInfoCom::get_Name(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Name()); });
}

STDMETHODIMP clsFileInfoCom::get_NameMsDos(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.NameMsDos()); });
}

STDMETHODIMP clsFileInfoCom::get_Extension(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Extension()); });
}

STDMETHODIMP clsFileInfoCom::get_ExtensionMsdos(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.ExtensionMsdos()); });
}

STDMETHODIMP clsFileInfoCom::get_DisplayName(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.DisplayName()); });
}

STDMETHODIMP clsFileInfoCom::get_FileType(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.FileType()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrReadOnly(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrReadOnly()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrArchive(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrArchive()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrHidden(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrHidden()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrSystem(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrSystem()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrDirectory(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrDirectory()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrNormal(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrNormal()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrTemporary(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrTemporary()); });
}

STDMETHODIMP clsFileInfoCom::get_AttrCompressed(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AttrCompressed()); });
}

STDMETHODIMP clsFileInfoCom::get_Size(long* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Size()); });
}

STDMETHODIMP clsFileInfoCom::get_CreationTime(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.CreationTime()); });
}

STDMETHODIMP clsFileInfoCom::get_ModificationTime(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.ModificationTime()); });
}

STDMETHODIMP clsFileInfoCom::get_AccessTime(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.AccessTime()); });
}

STDMETHODIMP clsFileInfoCom::get_Icon(::enuSysIconSize lngSize, ::enuSysIconType lngOverlay, IPictureDisp** v) {
    return Guard(IID_IclsFileInfo, [&] {
        return HandOut(v, IconPicture(core_.Icon(static_cast<long>(lngSize), static_cast<long>(lngOverlay))));
    });
}

STDMETHODIMP clsFileInfoCom::get_Executable(BSTR* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, core_.Executable()); });
}

STDMETHODIMP clsFileInfoCom::GetDatas(BSTR strFile) {
    return Guard(IID_IclsFileInfo, [&] {
        core_.GetDatas(FromBSTR(strFile));
        return S_OK;
    });
}

STDMETHODIMP clsFileInfoCom::SplitVersion(BSTR strVersion, BSTR* strMajor, BSTR* strMinor, BSTR* strBuild) {
    return Guard(IID_IclsFileInfo, [&] {
        std::wstring major, minor, build;
        core_.SplitVersion(FromBSTR(strVersion), major, minor, build);
        Replace(strMajor, major);
        Replace(strMinor, minor);
        Replace(strBuild, build);
        return S_OK;
    });
}

STDMETHODIMP clsFileInfoCom::get_Size64(double* v) {
    return Guard(IID_IclsFileInfo, [&] { return HandOut(v, static_cast<double>(core_.Size64())); });
}

}  // namespace kv::com
