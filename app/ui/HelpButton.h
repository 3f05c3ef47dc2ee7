#pragma once
// The picture button of a window that opens its help topic: its picture and the tool tip
// "Hilfe anzeigen". The window keeps the object as long as the button (the picture belongs
// to it) and opens the topic itself when the button is pressed.
//
//   HelpButton help_;                      // a member of the window
//   help_.Attach(Item(cmdHelp));           // at WM_INITDIALOG / WM_CREATE
//   case cmdHelp: OpenHelp(Handle(), L"Topic.htm");
#include <windows.h>

#include "Owned.h"

namespace kvr {

class HelpButton {
public:
    enum class Picture {
        Program,  // the program's help picture, the system's question mark where it has none
        System,   // the system's question mark
    };

    // Gives button its picture at the small icon size and a tool tip, the tool tip window
    // owned by the button's dialog. Raises when the tool tip cannot be made; a button left
    // without a picture still works.
    void Attach(HWND button, Picture picture = Picture::Program);

private:
    kv::OwnedIcon icon_;
};

}  // namespace kvr
