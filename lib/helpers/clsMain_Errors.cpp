// The error convention: raising, forwarding, transforming and showing errors.
#include "clsMain.h"
#include "clsMainInternal.h"
#include "MessageBoxSeam.h"
#include "DecimalText.h"

#include <cstdlib>

#if defined(__GLIBCXX__)
// The runtime's default terminate handler prints the exception's demangled type name and so
// brings the whole C++ demangler (45 KB) into every binary. Nothing here may end that way
// (every callback and COM method catches), so the last resort ends the process plainly.
// Defined in this object, which every binary links, before the runtime looks for its own.
namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

namespace kv {

namespace detail {

void RaiseGuarded(const wchar_t* function) {
    try {
        throw;
    } catch (const KVError& e) {
        throw KVError(e.Number, clsMain::ForwardedDescription(clsMain::conProject, clsMain::conModule, function,
                                                              e.Description));
    } catch (const std::bad_alloc&) {
        throw KVError(7, clsMain::ForwardedDescription(clsMain::conProject, clsMain::conModule, function,
                                                       L"Out of memory"));
    } catch (const std::exception&) {
        throw KVError(E_FAIL, clsMain::ForwardedDescription(clsMain::conProject, clsMain::conModule, function,
                                                            conUnexpectedErrorText));
    }
}

}  // namespace detail

namespace {

constexpr wchar_t kMark[] = L"@@@";
constexpr size_t kMarkLen = 3;

// The three fields of a forwarded description "text @@@ places @@@ projects". The blank on
// each side of a mark belongs to the separator. A description that is no well-formed chain
// (marks at the start or end, marks only, one mark) still splits: missing fields are empty,
// and marks after the second stay in the projects' text.
struct Chain {
    bool forwarded = false;  // the description holds a mark
    std::wstring text, places, projects;
};

Chain SplitChain(const std::wstring& description) {
    Chain chain;
    const size_t p = description.find(kMark);
    if (p == std::wstring::npos) {
        chain.text = description;
        return chain;
    }
    chain.forwarded = true;
    chain.text = description.substr(0, p);
    if (!chain.text.empty() && chain.text.back() == L' ') chain.text.pop_back();
    const size_t placesAt = p + kMarkLen;
    const size_t q = description.find(kMark, placesAt);
    chain.places = description.substr(placesAt, q == std::wstring::npos ? std::wstring::npos : q - placesAt);
    if (!chain.places.empty() && chain.places.front() == L' ') chain.places.erase(0, 1);
    if (q != std::wstring::npos) {
        if (!chain.places.empty() && chain.places.back() == L' ') chain.places.pop_back();
        chain.projects = description.substr(q + kMarkLen);
        if (!chain.projects.empty() && chain.projects.front() == L' ') chain.projects.erase(0, 1);
    }
    return chain;
}

// first + " --> " + rest, or first alone when there is no rest.
std::wstring Prepend(const std::wstring& first, const std::wstring& rest) {
    return rest.empty() ? first : first + L" --> " + rest;
}

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
    if (blnErrorCondition) RaiseApiError(lngErrorNumber);
}

std::wstring clsMain::ForwardedDescription(const std::wstring& strProject, const std::wstring& strModul,
                                           const std::wstring& strFunction,
                                           const std::wstring& strErrorDescription) {
    const std::wstring place = strModul + L"_" + strFunction;
    const Chain chain = SplitChain(strErrorDescription);
    if (!chain.forwarded) return strErrorDescription + L" @@@ " + place + L" @@@ " + strProject;
    // Each hop goes to the front of the place chain and of the project chain.
    return chain.text + L" @@@ " + Prepend(place, chain.places) + L" @@@ " + Prepend(strProject, chain.projects);
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

    const Chain chain = SplitChain(strErrorDescription);
    if (chain.forwarded) {
        // A forwarded error: the place and project of this display come last in the chains.
        if (!chain.places.empty()) location = chain.places + L" --> " + location;
        if (!chain.projects.empty()) title = chain.projects + L" --> " + title;
        text = chain.text;
    }

    const std::wstring message =
        L"(" + location + L") - " + L"\r" + kv::DecimalText(lngErrorNumber) + L": " + text;
    MessageBoxes().Show(nullptr, message, title, MB_ICONHAND | MB_SETFOREGROUND);
}

void clsMain::ShowError(const std::wstring& strProject, const std::wstring& strModul,
                        const std::wstring& strFunction, const KVError& error) {
    ShowError(strProject, strModul, strFunction, error.Number, error.Description);
}

}  // namespace kv
