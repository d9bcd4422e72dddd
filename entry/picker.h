// The character picker (window class "tekenset"): a strip of buttons above a tool
// window that types the letters a keyboard lacks into the edit that last had the
// focus. One picker serves every host window; the host tells it where it stands,
// which edit receives the characters and which language they belong to.
#pragma once

#include <windows.h>

#include <string>

struct PickerLanguage {
    std::wstring name;  // picks the character file
    int charset = 0;    // picks the font and the code page of the file's bytes
};

inline constexpr wchar_t kPickerClass[] = L"tekenset";

// Host duties: the host sets itself when it opens, keeps the target and language up
// to date as its edits gain the focus, and closes the picker when it closes.
void SetPickerHost(HWND host);
void SetPickerTarget(HWND edit);
HWND PickerTarget();
// A host window that becomes active gives the focus back to the edit the picker types into.
void FocusPickerTarget();
void SetPickerLanguage(const PickerLanguage& language);
const PickerLanguage& CurrentPickerLanguage();

HWND OpenCharacterPicker();
void CloseCharacterPicker();
HWND PickerWindow();
// Closes the picker if it is open, opens it again and gives the focus back to the target.
void RecreateCharacterPicker();
// An edit of the host gained the focus: it becomes the target, and when its language's
// character set differs from the picker's, the picker switches to it (re-created
// when shown).
void PickerFollowsEdit(HWND edit, const PickerLanguage& language, bool pickerShown);
// A host's show/hide menu pair: the chosen entry checked, the other not, and the picker
// opened (the focus back on the target) or closed to match.
void ShowPickerFromMenu(HWND host, int showCommand, int hideCommand, bool show);
// A host's last duty as it goes. The target goes first: the picker gives the focus
// back to its target as it closes, and that edit is going too.
void LeavePickerHost();
