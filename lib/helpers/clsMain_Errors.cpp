// The error convention: raising, forwarding, transforming and showing errors.
#include "clsMain.h"
#include "clsMainInternal.h"
#include "MessageBoxSeam.h"

namespace kv {

namespace {
constexpr wchar_t kMark[] = L"@@@";
constexpr size_t kMarkLen = 3;
}  // namespace

std::wstring clsMain::SystemMessage(long lngErrorNumber) {
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, static_cast<DWORD>(lngErrorNumber), 0, reinterpret_cast<wchar_t*>(&text), 0,
                             nullptr);
    std::wstring message;
    if (n && text) message.assign(text, n);
    if (text) LocalFree(text);
    return message;
}

void clsMain::CreateAPIError(long lngErrorNumber, bool blnErrorCondition) {
    if (!blnErrorCondition) return;
    throw KVError(lngErrorNumber, L"API: " + SystemMessage(lngErrorNumber));
}

std::wstring clsMain::ForwardedDescription(const std::wstring& strProject, const std::wstring& strModul,
                                           const std::wstring& strFunction,
                                           const std::wstring& strErrorDescription) {
    const std::wstring place = strModul + L"_" + strFunction;
    std::wstring d = strErrorDescription;
    size_t p = d.find(kMark);
    if (p == std::wstring::npos) return d + L" @@@ " + place + L" @@@ " + strProject;

    // Each hop goes to the front of the place chain and of the project chain.
    d.insert(p + kMarkLen + 1, place + L" --> ");
    size_t q = d.find(kMark, p + kMarkLen);
    if (q == std::wstring::npos) return d + L" @@@ " + strProject;  // a chain cut short
    d.insert(q + kMarkLen + 1, strProject + L" --> ");
    return d;
}

void clsMain::ForwardError(const std::wstring& strProject, const std::wstring& strModul,
                           const std::wstring& strFunction, long lngErrorNumber,
                           const std::wstring& strErrorDescription) {
    throw KVError(lngErrorNumber, ForwardedDescription(strProject, strModul, strFunction, strErrorDescription));
}

void clsMain::ForwardError(const std::wstring& strProject, const std::wstring& strModul,
                           const std::wstring& strFunction, const KVError& error) {
    ForwardError(strProject, strModul, strFunction, error.Number, error.Description);
}

void clsMain::GenerateError(long lngErrorNumber, const Variant& vntParam1, const Variant& vntParam2,
                            const Variant& vntParam3, const Variant& vntParam4, const Variant& vntParam5) {
    throw KVError(lngErrorNumber,
                  ComponentMessage(lngErrorNumber, vntParam1, vntParam2, vntParam3, vntParam4, vntParam5));
}

void clsMain::TransformError(const std::wstring& strProject, const std::wstring& strModule,
                             const std::wstring& strFunction, long lngErrorNumber,
                             const std::wstring& strErrorDescription, long lngErrorToTransform,
                             long lngTransformedNumber, const Variant& vntParam1, const Variant& vntParam2,
                             const Variant& vntParam3, const Variant& vntParam4, const Variant& vntParam5) {
    if (lngErrorNumber == lngErrorToTransform)
        ForwardError(strProject, strModule, strFunction, lngTransformedNumber,
                     ComponentMessage(lngTransformedNumber, vntParam1, vntParam2, vntParam3, vntParam4,
                                      vntParam5));
    ForwardError(strProject, strModule, strFunction, lngErrorNumber, strErrorDescription);
}

void clsMain::ShowError(const std::wstring& strProject, const std::wstring& strModul,
                        const std::wstring& strFunction, long lngErrorNumber,
                        const std::wstring& strErrorDescription) {
    std::wstring location = strModul + L"_" + strFunction;
    std::wstring title = strProject;
    std::wstring text = strErrorDescription;

    size_t p = strErrorDescription.find(kMark);
    if (p != std::wstring::npos) {
        // A forwarded error: the place and project of this display come last in the chains.
        const size_t placeStart = p + kMarkLen + 1;
        size_t q = strErrorDescription.find(kMark, p + kMarkLen);
        if (q != std::wstring::npos && q >= placeStart + 1) {
            location = strErrorDescription.substr(placeStart, q - 1 - placeStart) + L" --> " + location;
            if (q + kMarkLen + 1 <= strErrorDescription.size())
                title = strErrorDescription.substr(q + kMarkLen + 1) + L" --> " + title;
        } else if (placeStart <= strErrorDescription.size()) {
            location = strErrorDescription.substr(placeStart) + L" --> " + location;
        }
        text = strErrorDescription.substr(0, p >= 1 ? p - 1 : 0);
    }

    const std::wstring message =
        L"(" + location + L") - " + L"\r" + std::to_wstring(lngErrorNumber) + L": " + text;
    MessageBoxes().Show(nullptr, message, title, MB_ICONHAND | MB_SETFOREGROUND);
}

void clsMain::ShowError(const std::wstring& strProject, const std::wstring& strModul,
                        const std::wstring& strFunction, const KVError& error) {
    ShowError(strProject, strModul, strFunction, error.Number, error.Description);
}

namespace detail {

void RaiseApiError(long code) { throw KVError(code, L"API: " + clsMain::SystemMessage(code)); }

void RaiseLastError(DWORD fallback) {
    DWORD code = GetLastError();
    RaiseApiError(static_cast<long>(code != 0 ? code : fallback));
}

}  // namespace detail

}  // namespace kv
