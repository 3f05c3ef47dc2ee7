#pragma once
// "Nachricht senden": asks which way a message to the maker takes (mail program or direct
// sending) and whether to ask again. A double click on a way acts like OK.
#include <windows.h>

#include "WindowBase.h"

namespace kv {

class frmSendQuestion : private WindowBase {
public:
    enum : int { conOptMailProgram = 101, conOptDirect, conChkNeverAsk };
    static constexpr const wchar_t* conCaption = L"Nachricht senden";

    struct Answer {
        bool Confirmed = false;
        long Way = 1;  // enuSendWay
        bool NeverAsk = false;
    };

    frmSendQuestion();
    // Modal; preset is the way chosen last (anything else presets the mail program).
    Answer Ask(HWND owner, long lngPreset);

private:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;

    Answer answer_;
};

}  // namespace kv
