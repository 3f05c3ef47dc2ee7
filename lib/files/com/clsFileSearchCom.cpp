#include "clsFileSearchCom.h"

namespace kv::com {

STDMETHODIMP clsFileSearchCom::get_FoundEvent(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileSearch, [&] { return HandOut(v, core_.FoundEvent()); });
}

STDMETHODIMP clsFileSearchCom::put_FoundEvent(VARIANT_BOOL v) {
    return Guard(IID_IclsFileSearch, [&] {
        core_.FoundEvent(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileSearchCom::get_Files(IDispatch** v) {
    return Guard(IID_IclsFileSearch, [&] {
        const std::vector<std::wstring>& files = core_.Files();
        // Handlers may read Files while the search adds to it: rebuild when it changed.
        if (!files_ || filesSearch_ != core_.SearchNumber() || filesCount_ != files.size()) {
            Collection* created = nullptr;
            CheckHr(CreateCollection(&created));
            ComPtr<Collection> collection = ComPtr<Collection>::Attach(created);
            for (const std::wstring& file : files) {
                VARIANT item;
                item.vt = VT_BSTR;
                item.bstrVal = ToBSTR(file);
                try {
                    collection->Add(L"", item);
                } catch (...) {
                    VariantClear(&item);
                    throw;
                }
                VariantClear(&item);
            }
            files_ = collection;
            filesSearch_ = core_.SearchNumber();
            filesCount_ = files.size();
        }
        return HandOut(v, files_);
    });
}

STDMETHODIMP clsFileSearchCom::get_Recursive(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileSearch, [&] { return HandOut(v, core_.Recursive()); });
}

STDMETHODIMP clsFileSearchCom::put_Recursive(VARIANT_BOOL v) {
    return Guard(IID_IclsFileSearch, [&] {
        core_.Recursive(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileSearchCom::get_EventRaise(::enuEventRaise* v) {
    return Guard(IID_IclsFileSearch, [&] { return HandOut(v, core_.EventRaise()); });
}

STDMETHODIMP clsFileSearchCom::put_EventRaise(::enuEventRaise v) {
    return Guard(IID_IclsFileSearch, [&] {
        core_.EventRaise(static_cast<enuEventRaise>(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileSearchCom::get_Hidden(VARIANT_BOOL* v) {
    return Guard(IID_IclsFileSearch, [&] { return HandOut(v, core_.Hidden()); });
}

STDMETHODIMP clsFileSearchCom::put_Hidden(VARIANT_BOOL v) {
    return Guard(IID_IclsFileSearch, [&] {
        core_.Hidden(v != VARIANT_FALSE);
        return S_OK;
    });
}

STDMETHODIMP clsFileSearchCom::get_StartPath(BSTR* v) {
    return Guard(IID_IclsFileSearch, [&] { return HandOut(v, core_.StartPath()); });
}

STDMETHODIMP clsFileSearchCom::put_StartPath(BSTR v) {
    return Guard(IID_IclsFileSearch, [&] {
        core_.StartPath(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileSearchCom::get_FilesToFind(BSTR* v) {
    return Guard(IID_IclsFileSearch, [&] { return HandOut(v, core_.FilesToFind()); });
}

STDMETHODIMP clsFileSearchCom::put_FilesToFind(BSTR v) {
    return Guard(IID_IclsFileSearch, [&] {
        core_.FilesToFind(FromBSTR(v));
        return S_OK;
    });
}

STDMETHODIMP clsFileSearchCom::FindFiles() {
    return Guard(IID_IclsFileSearch, [&] {
        // A sink may release the client's last reference during an event.
        ComPtr<clsFileSearchCom> self(this);
        core_.FindFiles();
        return S_OK;
    });
}

void clsFileSearchCom::NewPath(const std::wstring& strPath, bool& blnCancel) {
    RaiseEvent(1, EventArgs().Value(strPath).Ref(blnCancel));
}

void clsFileSearchCom::NewFile(const std::wstring& strFile, bool& blnCancel) {
    RaiseEvent(2, EventArgs().Value(strFile).Ref(blnCancel));
}

void clsFileSearchCom::FileFound(const std::wstring& strFile) {
    RaiseEvent(3, EventArgs().Value(strFile));
}

}  // namespace kv::com
