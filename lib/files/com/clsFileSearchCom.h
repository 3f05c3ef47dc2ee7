#pragma once
// KVFiles.clsFileSearch: the published face of the file search. The core reports to this
// face, which raises NewPath, NewFile and FileFound to the advised sinks; Files is handed
// out as a collection built once per search result.
#include "Collection.h"
#include "ComPtr.h"
#include "EventSource.h"
#include "KVFiles.h"
#include "clsFileSearch.h"

namespace kv::com {

class clsFileSearchCom final : public EventObject<IclsFileSearch>, private IFileSearchEvents {
public:
    clsFileSearchCom() : EventObject(DIID___clsFileSearch, CLSID_clsFileSearch) {}

    STDMETHODIMP get_FoundEvent(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_FoundEvent(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_Files(IDispatch** colFiles) override;
    STDMETHODIMP get_Recursive(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_Recursive(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_EventRaise(::enuEventRaise* lngValue) override;
    STDMETHODIMP put_EventRaise(::enuEventRaise lngValue) override;
    STDMETHODIMP get_Hidden(VARIANT_BOOL* blnValue) override;
    STDMETHODIMP put_Hidden(VARIANT_BOOL blnValue) override;
    STDMETHODIMP get_StartPath(BSTR* strValue) override;
    STDMETHODIMP put_StartPath(BSTR strValue) override;
    STDMETHODIMP get_FilesToFind(BSTR* strValue) override;
    STDMETHODIMP put_FilesToFind(BSTR strValue) override;
    STDMETHODIMP FindFiles() override;

private:
    void NewPath(const std::wstring& strPath, bool& blnCancel) override;
    void NewFile(const std::wstring& strFile, bool& blnCancel) override;
    void FileFound(const std::wstring& strFile) override;

    clsFileSearch core_{this};
    // The collection of the core's current result: the search it was built for and its size.
    ComPtr<Collection> files_;
    unsigned long filesSearch_ = 0;
    size_t filesCount_ = 0;
};

}  // namespace kv::com
