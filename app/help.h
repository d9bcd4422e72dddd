// Opens the help file named in the strings file, at its contents or at a keyword; a
// page that cannot be opened is reported in a message.
#pragma once

#include <windows.h>

#include <string>

void ShowHelp(HWND owner, const wchar_t* keyword /* nullptr: contents */);

// file:///C:/dir/help.html#keyword (lower case, blanks and the like escaped).
std::wstring HelpPageUrl(const std::wstring& fullPath, const wchar_t* keyword);
