#pragma once
// Shell shortcut files (".lnk"): writes one from its properties and reads one back into them,
// through the shell's link object (wide interface, so every character of a path survives).
#include <string>

#include "Variant.h"

namespace kv {

// The window show command the shell stores in the link.
enum enuLinkViewMode : long {
    conLVM_Normal = 1,
    conLVM_Maximized = 3,
    conLVM_Minimized = 7,  // minimised, not activated
};

class clsFileShortcut {
public:
    // The module name the error chain records.
    static constexpr const wchar_t* conModule = L"clsShortcut";

    bool HotKeyShift() const { return hotKeyShift_; }
    void HotKeyShift(bool value) { hotKeyShift_ = value; }
    bool HotKeyAlt() const { return hotKeyAlt_; }
    void HotKeyAlt(bool value) { hotKeyAlt_ = value; }
    bool HotKeyCtrl() const { return hotKeyCtrl_; }
    void HotKeyCtrl(bool value) { hotKeyCtrl_ = value; }
    // The link file; Create and GetInfos give it the extension ".lnk".
    const std::wstring& LinkFile() const { return linkFile_; }
    void LinkFile(const std::wstring& value) { linkFile_ = value; }
    const std::wstring& File() const { return file_; }
    void File(const std::wstring& value) { file_ = value; }
    const std::wstring& WorkingDirectory() const { return workingDirectory_; }
    void WorkingDirectory(const std::wstring& value) { workingDirectory_ = value; }
    const std::wstring& Description() const { return description_; }
    void Description(const std::wstring& value) { description_ = value; }
    const std::wstring& Parameters() const { return parameters_; }
    void Parameters(const std::wstring& value) { parameters_ = value; }
    long ViewMode() const { return viewMode_; }
    void ViewMode(long value) { viewMode_ = value; }
    // The hotkey word without its three modifier bits (0x100, 0x200, 0x400): the key code in
    // the low byte, the shell's extended-key bit 0x800 above it. Anything else raises -52016,
    // since the link holds a 16-bit word.
    long HotKey() const { return hotKey_; }
    void HotKey(long value);
    // A number: the icon with that index inside File; anything else: the path of an icon file
    // (index 0).
    const Variant& Icon() const { return icon_; }
    void Icon(const Variant& value) { icon_ = value; }

    // Writes the link, replacing a file of that name. Without LinkFile the link goes onto the
    // user's desktop, named after File. A real extension of LinkFile (the text after its last
    // ".", with a letter and without blanks) becomes ".lnk"; any other name keeps every
    // character and gets ".lnk" appended. Raises -52016 (no File, no name), -52012 (File not found) and -52017
    // (the link's folder not found).
    void Create();
    // Reads an existing link (strLinkFile, else LinkFile; ".lnk" added to a name without
    // extension) into every property.
    void GetInfos(const std::wstring& strLinkFile = L"");

    // The path Create writes for a link file name (the rule above), made absolute.
    static std::wstring LinkPath(const std::wstring& strLinkFile);

private:
    bool hotKeyShift_ = false;
    bool hotKeyAlt_ = false;
    bool hotKeyCtrl_ = false;
    std::wstring linkFile_;
    std::wstring file_;
    std::wstring workingDirectory_;
    std::wstring description_;
    std::wstring parameters_;
    long viewMode_ = conLVM_Normal;
    long hotKey_ = 0;
    Variant icon_;
};

}  // namespace kv
