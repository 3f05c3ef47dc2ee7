#pragma once
// The public constants of file information and file operations.

namespace kv {

// The shell's icon-overlay request flags.
enum enuSysIconType : long {
    conSysIconNormal = 0,
    conSysIconLinkOverlayed = 32768,
    conSysIconSelected = 65536,
};

enum enuSysIconSize : long {
    conSysIconShell = 0,
    conSysIconLarge = 1,
    conSysIconSmall = 2,
};

// Where the progress window of a file operation is placed.
enum enuSysWindowPosition : long {
    conSPP_Manuel = 0,          // at Left, Top (twips)
    conSPP_OwnerCenter = 1,     // centred on the owner
    conSPP_OwnerStandard = 2,   // at the owner's top left corner
    conSPP_ScreenCenter = 3,    // centred on the screen
    conSPP_WindowsStandard = 4, // where the system puts it
};

}  // namespace kv
