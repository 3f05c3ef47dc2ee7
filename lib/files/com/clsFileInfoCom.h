#pragma once
// KVFiles.clsFileInfo: the published face of the file information. Icon hands out a picture
// object that owns the shell's icon; Size64 travels as a double, exact to 2^53 bytes.
#include "DispatchObject.h"
#include "KVFiles.h"
#include "clsFileInfo.h"

namespace kv::com {

class clsFileInfoCom final : public DispatchObject<IclsFileInfo> {
public:
    STDMETHODIMP get_NameCompany(BSTR* strValue) override;
    STDMETHODIMP get_Description(BSTR* strValue) override;
    STDMETHODIMP get_Version(BSTR* strValue) override;
    STDMETHODIMP get_NameInternal(BSTR* strValue) override;
    STDMETHODIMP get_Copyright(BSTR* strValue) override;
    STDMETHODIMP get_NameOriginal(BSTR* strValue) override;
    STDMETHODIMP get_NameProduct(BSTR* strValue) override;
    STDMETHODIMP get_VersionProduct(BSTR* strValue) override;
    STDMETHODIMP get_Drive(BSTR* strValue) override;
    STDMETHODIMP get_DriveType(long* lngValue) override;
    STDMETHODIMP ShowExplorerProperties() override;
    STDMETHODIMP get_Folder(BSTR* strValue) override;
    STDMETHODIMP get_FolderMsDos(BSTR* strValue) override;
    STDMETHODIMP get_Name(BSTR* strValue) override;
    STDMETHODIMP get_NameMsDos(BSTR* strValue) override;
    STDMETHODIMP get_Extension(BSTR* strValue) override;
    STDMETHODIMP get_ExtensionMsdos(BSTR* strValue) override;
    STDMETHODIMP get_DisplayName(BSTR* strValue) override;
    STDMETHODIMP get_FileType(BSTR* strValue) override;
    STDMETHODIMP get_AttrReadOnly(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_AttrArchive(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_AttrHidden(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_AttrSystem(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_AttrDirectory(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_AttrNormal(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_AttrTemporary(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_AttrCompressed(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP get_Size(long* lngValue) override;
    STDMETHODIMP get_CreationTime(BSTR* strValue) override;
    STDMETHODIMP get_ModificationTime(BSTR* strValue) override;
    STDMETHODIMP get_AccessTime(BSTR* strValue) override;
    STDMETHODIMP get_Icon(::enuSysIconSize lngSize, ::enuSysIconType lngOverlay, IPictureDisp** objIcon) override;
    STDMETHODIMP get_Executable(BSTR* strValue) override;
    STDMETHODIMP GetDatas(BSTR strFile) override;
    STDMETHODIMP SplitVersion(BSTR strVersion, BSTR* strMajor, BSTR* strMinor, BSTR* strBuild) override;
    STDMETHODIMP get_Size64(double* dblValue) override;

private:
    clsFileInfo core_;
};

}  // namespace kv::com
