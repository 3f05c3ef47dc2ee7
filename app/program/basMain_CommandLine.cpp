// The command line: reading it and acting on it.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "MessageBoxSeam.h"
#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "ui/info/frmParameters.h"

namespace kvr {

namespace {

std::wstring Upper(std::wstring s) {
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring CommandLineArguments(const std::wstring& strCommandLine) {
    size_t end;
    if (!strCommandLine.empty() && strCommandLine[0] == L'"') {
        end = strCommandLine.find(L'"', 1);
        end = end == std::wstring::npos ? strCommandLine.size() : end + 1;
    } else {
        end = std::min(strCommandLine.find_first_of(L" \t"), strCommandLine.size());
    }
    return strCommandLine.substr(end);
}

std::wstring CommandLineArguments() {
    return CommandLineArguments(GetCommandLineW());
}

std::wstring CommandLineRequest::ActionText() const {
    return System.empty() ? ActionName : ActionName + conSystemSeparator + System;
}

double LeadingNumber(const std::wstring& strText) {
    size_t i = 0;
    while (i < strText.size() && (strText[i] == L' ' || strText[i] == L'\t')) ++i;
    std::string number;
    if (i < strText.size() && (strText[i] == L'+' || strText[i] == L'-')) number += static_cast<char>(strText[i++]);
    bool digits = false;
    for (; i < strText.size() && IsDigit(strText[i]); ++i, digits = true) number += static_cast<char>(strText[i]);
    if (i < strText.size() && strText[i] == L'.') {
        number += '.';
        for (++i; i < strText.size() && IsDigit(strText[i]); ++i, digits = true)
            number += static_cast<char>(strText[i]);
    }
    if (!digits) return 0;
    // An exponent counts only when digits follow it.
    if (i < strText.size() && (strText[i] == L'e' || strText[i] == L'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < strText.size() && (strText[j] == L'+' || strText[j] == L'-')) exponent += static_cast<char>(strText[j++]);
        bool expDigits = false;
        for (; j < strText.size() && IsDigit(strText[j]); ++j, expDigits = true)
            exponent += static_cast<char>(strText[j]);
        if (expDigits) number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);  // the C locale: "." is the decimal point
}

namespace {

// The pieces of the line between "/" characters; a "/" inside double quotes belongs to its
// piece, so a system named "Windows 2000/XP" stays one value.
std::vector<std::wstring> SplitPieces(const std::wstring& strLine) {
    std::vector<std::wstring> pieces(1);
    bool quoted = false;
    for (wchar_t c : strLine) {
        if (c == L'"') quoted = !quoted;
        if (c == L'/' && !quoted)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

bool IsHelpRequest(const std::wstring& strLine) {
    for (const wchar_t* request : {L"/?", L"-?", L"/H", L"-H"}) {
        if (Upper(strLine) == request) return true;
    }
    return false;
}

}  // namespace

CommandLineRequest ReadCommandLine(const std::wstring& strCommandLine) {
    return Forwarded(L"basMain", L"ReadCommandLine", [&] {
        kv::clsMain& helper = Helper();
        CommandLineRequest request;
        if (IsHelpRequest(helper.TrimChars(strCommandLine, conBlanks))) {
            request.Help = true;
            return request;
        }

        for (const std::wstring& raw : SplitPieces(strCommandLine)) {
            const std::wstring piece = helper.TrimChars(raw, conBlanks);
            if (piece.empty()) continue;

            // Key: before the first ":"; value: all after it (a system name may hold ":").
            const size_t colon = piece.find(L':');
            const std::wstring key = Upper(helper.TrimChars(piece.substr(0, colon), conBlanks));
            const std::wstring value =
                colon == std::wstring::npos ? std::wstring() : helper.TrimChars(piece.substr(colon + 1), conBlanks);

            if (key.empty() || (value.empty() && key != L"C" && key != L"F")) {
                request.Wrong = true;
                continue;
            }
            if (key == L"T") {
                const double type = LeadingNumber(value);
                if (type >= 1 && type <= 7 && type == std::floor(type)) {  // exactly one of the seven types
                    request.ActionType = static_cast<long>(type);
                    request.ActionName = ActionName(request.ActionType);
                } else {
                    request.Wrong = true;
                }
            } else if (key == L"S") {
                request.System = helper.TrimChars(value, L"\"");
                if (request.System.empty()) request.Wrong = true;
            } else if (key == L"C") {
                request.Confirm = true;
            } else if (key == L"F") {
                request.Force = true;
            } else {
                request.Wrong = true;
            }
        }

        // A system belongs to an action: alone it would change the boot default unasked.
        if (!request.System.empty() && request.ActionType == conAT_None) request.Wrong = true;
        if (!request.Wrong && !request.System.empty() && !CheckSystem(request.System)) request.Wrong = true;
        return request;
    });
}

bool EvaluateCommandLine(const std::wstring& strCommandLine) {
    return Forwarded(L"basMain", L"EvaluateCommandLine", [&] {
        State().Mode = RunMode::CommandLine;
        const CommandLineRequest request = ReadCommandLine(strCommandLine);

        if (request.Help || request.Wrong) {
            if (StartWindowing()) frmParameters().Show(request.Help);
            return false;
        }
        // Type 4 shows the main window; confirmation, force and system do not apply to it.
        if (request.ActionType == conAT_ShowMain) return true;

        // A line without type and system names nothing to perform.
        const std::wstring actionText = request.ActionText();
        if (actionText.empty()) return false;

        if (request.Confirm) {
            const int answer = kv::MessageBoxes().Show(nullptr, L"Aktion \"" + actionText + L"\" durchführen?",
                                                       VersionGlobal().InfoApplication(),
                                                       MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer != IDYES) return false;
        }

        // A resident instance must not ask for the boot system of this Windows exit.
        WriteSetting(L"DontShowUnloadDialog", conSG_PrgSettings, 1L);
        RebootWindows(actionText, request.Force);
        return false;
    });
}

}  // namespace kvr
