#pragma once
// The texts of a message to the maker: the system description both ways attach, the
// mail program's "mailto:" address and the direct message's subject and body.
#include <string>

namespace kv {

// One item per line (CRLF): program, version, operating system, processor, memory.
std::wstring SystemDescription();

// Percent-encodes the UTF-8 form of text for a URL: everything except letters, digits,
// "-", ".", "_", "~" and the characters in keep.
std::wstring PercentEncode(const std::wstring& text, const wchar_t* keep = L"");

// "mailto:" + target + "?subject=Frage zu ''<application>''&Body=SYSTEMINFORMATIONEN: "
// + description + line break + "IHR TEXT:" + empty line; address, subject and body encoded,
// so "&", "?", umlauts and line breaks of the description arrive as written.
std::wstring MailtoAddress(const std::wstring& strTarget, const std::wstring& strApplication,
                           const std::wstring& strDescription);

// The direct message: subject from the reason's caption (access key removed) and the body.
std::wstring DirectSubject(const std::wstring& strReasonCaption);
std::wstring DirectBody(const std::wstring& strDescription, const std::wstring& strAdditional,
                        const std::wstring& strMessage);

}  // namespace kv
