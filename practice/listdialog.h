// The dialog that names a new practice list ("listdialog").
#pragma once

#include <windows.h>

// Control ids of the dialog's resource.
enum ListDialogControl : int { kListDialogGroup = 68, kListDialogName = 30 };
inline constexpr int kListDialogNameChars = 148;

// Modal; when the user names an acceptable list, CurrentPracticeList is that name and
// its folder exists. Cancel changes nothing.
void RunNewListDialog(HWND owner);
