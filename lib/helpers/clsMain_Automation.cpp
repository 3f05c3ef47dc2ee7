// Helpers that drive caller objects late-bound: option-button arrays, collections, forms'
// controls, databases, and office applications.
#include "LateBound.h"
#include "clsMain.h"
#include "clsMainInternal.h"

namespace kv {

namespace {

std::wstring TypeName(IDispatch* object) {
    ComPtr<ITypeInfo> info;
    UINT count = 0;
    if (FAILED(object->GetTypeInfoCount(&count)) || count == 0 ||
        FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put())) || !info)
        return L"";
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) return L"";
    std::wstring result(name ? name : L"", SysStringLen(name));
    SysFreeString(name);
    return result;
}

}  // namespace

long clsMain::GetSelectedOption(IDispatch* ctlOption) {
    return detail::Guarded(L"GetSelectedOption", [&] {
        const long count = late::GetProperty(ctlOption, L"Count").ToLong();
        return detail::FirstSetOption(count, [&](long i) {
            ComPtr<IDispatch> button = late::AsObject(late::GetProperty(ctlOption, L"Item", {Variant(i)}));
            return late::GetProperty(button.Get(), L"Value").ToBool();
        });
    });
}

void clsMain::SetSelectedOption(IDispatch* ctlOption, long lngIndex) {
    detail::Guarded(L"SetSelectedOption", [&] {
        ComPtr<IDispatch> button = late::AsObject(late::GetProperty(ctlOption, L"Item", {Variant(lngIndex)}));
        late::PutProperty(button.Get(), L"Value", Variant(true));
    });
}

bool clsMain::ExistCollectionEntry(const Variant& vntKey, IDispatch* colCollection) {
    return detail::Guarded(L"ExistCollectionEntry", [&] {
        if (!colCollection) throw KVError(424, L"Object required");
        // A dictionary's Item would add a missing key; ask it directly.
        if (late::HasMember(colCollection, L"Exists"))
            return late::CallMethod(colCollection, L"Exists", {vntKey}).ToBool();
        try {
            late::GetProperty(colCollection, L"Item", {vntKey});
            return true;
        } catch (const KVError&) {
            return false;
        }
    });
}

Variant clsMain::ExistControl(const std::wstring& strControl, const std::wstring& strType, IDispatch* frmForm) {
    return detail::Guarded(L"ExistControl", [&] {
        ComPtr<IDispatch> controls = late::AsObject(late::GetProperty(frmForm, L"Controls"));
        ComPtr<IDispatch> control;
        try {
            control = late::AsObject(late::GetProperty(controls.Get(), L"Item", {Variant(strControl)}));
        } catch (const KVError&) {
            return Variant(false);
        }
        if (strType.empty()) return Variant(true);
        const std::wstring type = TypeName(control.Get());
        return Variant(CompareStringOrdinal(type.c_str(), -1, strType.c_str(), -1, TRUE) == CSTR_EQUAL);
    });
}

Variant clsMain::DLookup(const std::wstring& strField, const std::wstring& strTable,
                         const std::wstring& strCriteria, IDispatch* dbDatabase) {
    return detail::Guarded(L"DLookup", [&] {
        std::wstring sql = L"SELECT " + strField + L" FROM " + strTable;
        if (!strCriteria.empty()) sql += L" WHERE " + strCriteria;
        ComPtr<IDispatch> records = late::AsObject(late::CallMethod(dbDatabase, L"OpenRecordset", {Variant(sql)}));
        Variant value = Null{};
        try {
            if (!late::GetProperty(records.Get(), L"EOF").ToBool()) {
                ComPtr<IDispatch> fields = late::AsObject(late::GetProperty(records.Get(), L"Fields"));
                ComPtr<IDispatch> field = late::AsObject(late::GetProperty(fields.Get(), L"Item", {Variant(0L)}));
                value = late::GetProperty(field.Get(), L"Value");
            }
        } catch (...) {
            try { late::CallMethod(records.Get(), L"Close"); } catch (const KVError&) {}
            throw;
        }
        late::CallMethod(records.Get(), L"Close");
        return value;
    });
}

ComPtr<IDispatch> clsMain::GetApplication(long lngApplication, bool blnVisible) {
    return detail::Guarded(L"GetApplication", [&] {
        static const wchar_t* const kProgIds[] = {L"Access.Application", L"Excel.Application",
                                                  L"Outlook.Application", L"Word.Application"};
        if (lngApplication < conApp_Access || lngApplication > conApp_Word)
            throw KVError(5, L"Invalid procedure call or argument");
        const std::wstring progId = kProgIds[lngApplication];
        auto unavailable = [&](HRESULT hr) {
            return KVError(hr, L"Anwendung \"" + progId + L"\" ist nicht verfügbar. API: " + SystemMessage(hr));
        };

        CLSID clsid{};
        HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
        if (FAILED(hr)) throw unavailable(hr);

        ComPtr<IDispatch> app;
        ComPtr<IUnknown> running;
        if (SUCCEEDED(GetActiveObject(clsid, nullptr, running.Put())) && running) {
            running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(app.Put()));
        }
        if (!app) {
            hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(app.Put()));
            if (FAILED(hr) || !app) throw unavailable(FAILED(hr) ? hr : E_NOINTERFACE);
        }
        if (blnVisible) late::PutProperty(app.Get(), L"Visible", Variant(true));
        return app;
    });
}

}  // namespace kv
