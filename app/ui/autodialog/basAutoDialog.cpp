// The logic of the shutdown-time dialog: what it offers, its automatic close, and which
// system it writes as the boot default.
#include "ui/autodialog/basAutoDialog.h"

#include <string>

#include "program/basGlobals.h"
#include "program/basMain.h"
#include "program/basTools.h"
#include "work/basWork.h"
#include "ui/autodialog/frmAutoDialog.h"
#include "DecimalText.h"

namespace kvr {

namespace {

constexpr const wchar_t* conModule = L"basAutoDialog";
// CloseTime "999999" stands for an empty field: no automatic close.
constexpr long conNoCloseTime = 999999;

// The one showing (the dialog is modal; nullptr while none is shown).
struct Showing {
    frmAutoDialog* form = nullptr;
    bool accepted = false;     // the user or the automatic close accepted
    bool stopped = false;      // the user interrupted the automatic close
    bool autoCloseOn = false;  // the dialog was to close itself
} g_showing;

}  // namespace

bool OpenAutoDialog() {
    // Asked again while the dialog is up: the first question is still open.
    if (g_showing.form) return true;
    bool cancel = false;
    Shown(conModule, L"OpenAutoDialog", [&] {
        if (!StartWindowing()) return;  // it said why; Windows goes on ending
        frmAutoDialog form;
        struct Current {
            explicit Current(frmAutoDialog& f) { g_showing = Showing{&f}; }
            ~Current() { g_showing.form = nullptr; }
        } current(form);

        form.Load();
        form.SetCaption(L"System für Neustart - " + VersionGlobal().InfoApplication());

        const std::wstring last = ReadTextSetting(L"LastSelectedOptionAutoDialog", conSG_Options, L"");
        const bool autoClose = ReadFlagSetting(L"AutoClose", conSG_Options, false);
        const long closeTime = ReadConvertedSetting(L"CloseTime", conSG_Options, L"0",
                                                     [](const std::wstring& text) { return kv::Variant(text).ToLong(); });
        g_showing.autoCloseOn = autoClose && closeTime != conNoCloseTime;

        form.FillList(GetQuitOptions(true), last);

        if (g_showing.autoCloseOn) {
            form.ShowCloseTime(true);
            form.SetProgressMax(closeTime);
            form.SetProgressValue(0);
            form.SetAutoCloseTimer(true);
            form.SetCloseTimeText(kv::DecimalText(closeTime));
        }

        form.RunModal();
        cancel = !g_showing.accepted;
    });
    return cancel;
}

HWND AutoDialogWindow() { return g_showing.form ? g_showing.form->Handle() : nullptr; }

void AutoClose() {
    Shown(conModule, L"AutoClose", [] {
        frmAutoDialog* form = g_showing.form;
        if (!form) return;
        form->SetProgressValue(form->ProgressValue() + frmAutoDialog::conAutoCloseInterval / 1000.0);
        const long max = form->ProgressMax();
        const double remaining = Helper().Round(max - form->ProgressValue(), 1);
        form->SetCloseTimeText(kv::DecimalText(static_cast<long>(remaining)));
        if (Helper().Round(form->ProgressValue(), 1) >= max) {
            form->SetAutoCloseTimer(false);
            AcceptAutoDialog();
        }
    });
}

void StopAutoClose() {
    Shown(conModule, L"StopAutoClose", [] {
        frmAutoDialog* form = g_showing.form;
        if (!form) return;
        form->SetAutoCloseTimer(false);
        form->ShowCloseTime(false);
        g_showing.stopped = true;
    });
}

void AcceptAutoDialog() {
    Shown(conModule, L"AcceptAutoDialog", [] {
        frmAutoDialog* form = g_showing.form;
        if (!form) return;
        const long closeType = ReadNumberSetting(L"CloseType", conSG_Options, 0L, 0, 1);

        // While the automatic close runs (it ran out, or "Windows beenden" was pressed during
        // it), CloseType 0 means the standard system; otherwise the entry the user sees
        // selected counts.
        std::wstring system;
        if (!g_showing.autoCloseOn || g_showing.stopped || closeType != 0)
            system = form->SelectedText();
        else
            system = State().StandardSystem;

        // An empty name would match every line of boot.ini and make the last system listed
        // the default; with no system chosen the default stays as it is.
        if (!system.empty()) SetStandardSystem(system);
        g_showing.accepted = true;
        form->Unload();
    });
}

void UnloadAutoDialog() {
    Shown(conModule, L"UnloadAutoDialog", [] {
        frmAutoDialog* form = g_showing.form;
        if (!form) return;
        WriteSetting(L"LastSelectedOptionAutoDialog", conSG_Options, form->SelectedText());
    });
}

}  // namespace kvr
