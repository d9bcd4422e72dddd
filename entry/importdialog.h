// The import dialog (class "importeer"): what a file will bring into the current word
// list, its first rows as they will be stored and every row counted, with the choices
// of how the file is read. It runs modally over the window that asked for it.
#pragma once

#include <windows.h>

#include <string>

#include "store/importlists.h"
#include "text/importsource.h"

inline constexpr wchar_t kImportDialogClass[] = L"importeer";

enum ImportDialogControl : int {
    kImportOk = IDOK,
    kImportCancel = IDCANCEL,
    kImportHelp = 22,
    kImportDelimiter = 40,
    kImportEncoding = 41,
    kImportHeaderRow = 42,
    kImportWordColumn = 43,
    kImportTranslationColumn = 44,
    kImportSwap = 45,
    kImportAddToPracticeList = 46,
    kImportCounts = 47,  // the counts of the rows
    kImportNotes = 48,   // why the file cannot be imported, or the first rows that cannot be stored
};

// What the dialog works on and what the user chose in it.
struct ImportRequest {
    std::wstring path;
    std::string bytes;  // the file as read when the dialog opened (or as read again)
    ImportLists lists;  // the current word list and its reverse list, as read
    std::vector<std::wstring> knownNames;  // names a header row may use
    UINT fallbackCodePage = 1252;          // text that is neither marked nor UTF-8
    ImportSettings settings;
    bool addToPracticeList = true;
    bool practiceListAvailable = true;
    // Set by the dialog: the file as last shown and what importing it does.
    ImportSource source;
    ImportPlan plan;
    std::wstring problem;  // why the file cannot be imported as it is read now
    bool counted = false;  // every row read and planned, not only the first ones
    bool accepted = false;
};

// Shows the dialog over `owner` (disabled meanwhile) until it is closed; true when the
// user chose Import, with `request` holding the plan that was shown.
bool RunImportDialog(HWND owner, ImportRequest& request);

// Reads the file with the request's settings and plans the import of every row
// (source, plan, problem), as the dialog does beside its window on every change of a choice.
void RefreshImport(ImportRequest& request);
// The same for the first rows only, which is quick whatever the file's size: the rows
// the dialog shows at once. `counted` tells whether they are all the file has.
void ShowFirstRows(ImportRequest& request);

struct PreviewFonts {
    HFONT first = nullptr;   // the list's fonts for its two languages
    HFONT second = nullptr;
    HFONT text = nullptr;
    HFONT heading = nullptr;
};
inline constexpr int kPreviewHeight = 262;
// The table of the first rows as they will be stored: black new pairs, blue merged
// ones, grey ones already there, red ones that cannot be stored.
void PaintImportPreview(HDC dc, const RECT& area, const ImportRequest& request, const WordListDescriptor& d,
                        const PreviewFonts& fonts);
// The notes under the table: the problem of the file, or the first rows that cannot be stored.
std::wstring ImportNotesText(const ImportRequest& request);
