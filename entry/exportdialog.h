// File > Export word list...: the export dialog (class "exporteer") chooses the list
// (the current word list or the current practice list), the format and a header row;
// then a save dialog names the file.
#pragma once

#include <windows.h>

#include <string>

#include "store/exportlist.h"

inline constexpr wchar_t kExportDialogClass[] = L"exporteer";

enum ExportDialogControl : int {
    kExportSave = IDOK,
    kExportCancel = IDCANCEL,
    kExportWordList = 50,
    kExportPracticeList = 51,
    kExportCsv = 52,
    kExportTabs = 53,
    kExportHeaderRow = 54,
};

void ExportWords(HWND owner);

// The file name the save dialog offers: the list's file name with the format's extension.
std::wstring SuggestedExportName(const std::wstring& listFileName, ExportFormat format);
