// Page 7 "Verknüpfung": a shortcut that starts the program with an action.
#include "ui/options/OptionsControls.h"

#include "work/basLinks.h"
#include "work/basWork.h"

namespace kvr::options {

using namespace controls;

namespace {

std::vector<std::wstring> LinkItems(const OptionsValues& v) {
    std::vector<std::wstring> items{L""};
    for (const ActionRow& row : v.View) items.push_back(row.Text);
    items.push_back(conActionShowMain);
    return items;
}

}  // namespace

PageSpec Page7Links() {
    return {L"Verknüpfung",
            L"Verknüpfungen.htm",
            cboLinks,
            {Frame(fraLinkFor, 0, 0, 405, 48, L"&Verknüpfung erstellen für", conGrowX),
             Label(lblLinks, 8, 15, 40, L"&Aktion"),
             Combo(cboLinks, 50, 13, 347, conGrowX),
             Label(lblLinkName, 8, 31, 40, L"&Name"),
             Edit(txtLinkName, 50, 29, 347, ES_AUTOHSCROLL, 12, conGrowX),
             Frame(fraLinkTarget, 0, 54, 405, 50, L"Erstellungsziel", conGrowX),
             Option(optPath0, 8, 67, 80, L"&Desktop", true),
             Option(optPath1, 92, 67, 80, L"S&tartmenü", false),
             Option(optPath2, 176, 67, 100, L"Anderes Ver&zeichnis", false),
             Option(optPath3, 280, 67, 110, L"Sc&hnellstartleiste", false),
             Label(lblLinkPath, 8, 85, 40, L"&Pfad"),
             Edit(txtLinkPath, 50, 83, 323, ES_AUTOHSCROLL, 12, conGrowX),
             {cmdBrowse, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0, 377, 82, 20, 14, L"...", conMoveX},
             Frame(fraLinkOptions, 0, 110, 405, 44, L"Optionen", conGrowX),
             Check(chkConfirmation, 8, 124, 390, L"&Bestätigung vor dem Neustart"),
             Check(chkQuitImmediateLink, 8, 138, 390, L"&Sofort beenden"),
             Frame(fraLinkRun, 0, 160, 405, 34, L"Ausführen", conGrowX),
             Button(cmdCreateLink, 8, 173, 120, L"Verknüpfung &erstellen...")},
            [](frmOptions& form, const OptionsValues& v) {
                const std::vector<std::wstring> items = LinkItems(v);
                form.FillCombo(cboLinks, items);
                const long index = FindItem(items, v.LinkAction);
                form.SetComboIndex(cboLinks, index);
                form.SetText(txtLinkName, LinkNameForAction(index >= 0 ? items[index] : L""));
                form.SetText(txtLinkPath, v.LinkPath);
                form.SelectOption(optPath0, 4, v.LastPathOption);
                form.SetChecked(chkConfirmation, v.Confirmation);
                form.SetChecked(chkQuitImmediateLink, v.QuitImmediateLink);
            },
            [](frmOptions& form, OptionsValues& v) {
                v.LinkAction = form.Text(cboLinks);
                v.LinkName = form.Text(txtLinkName);
                v.LinkPath = form.Text(txtLinkPath);
                v.LastPathOption = form.SelectedOption(optPath0, 4);
                v.Confirmation = form.Checked(chkConfirmation);
                v.QuitImmediateLink = form.Checked(chkQuitImmediateLink);
            }};
}

bool HandleLinkCommand(frmOptions& form, int id, int code) {
    if (code != BN_CLICKED) return false;
    if (id == cmdBrowse) {
        std::wstring path = form.Text(txtLinkPath);
        if (BrowsePath(form.Handle(), form.SelectedOption(optPath0, 4), path)) form.SetText(txtLinkPath, path);
        return true;
    }
    if (id != cmdCreateLink) return false;
    LinkRequest request;
    request.Action = form.Text(cboLinks);
    request.Name = form.Text(txtLinkName);
    request.Path = form.Text(txtLinkPath);
    request.Place = form.SelectedOption(optPath0, 4);
    request.Confirmation = form.Checked(chkConfirmation);
    request.QuitImmediate = form.Checked(chkQuitImmediateLink) && IsWindowEnabled(form.Item(chkQuitImmediateLink));
    const LinkResult result = CreateLink(form.Handle(), request);
    const int focus[] = {0, cboLinks, txtLinkName, txtLinkPath, optPath0 + static_cast<int>(request.Place)};
    if (result.Focus > conLF_None && result.Focus <= conLF_Place)
        SendMessageW(form.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(form.Item(focus[result.Focus])), TRUE);
    if (result.ClearQuitImmediate) form.SetChecked(chkQuitImmediateLink, false);
    return true;
}

}  // namespace kvr::options
