// File > Import words... and File > Undo last import: the open dialog, the import
// dialog, the import with its progress window and the message at its end.
#pragma once

#include <windows.h>

#include <cstddef>

// Imports into the current word list and its reverse list; messages belong to `owner`.
// Afterwards the current word list is the same, its files open again.
void ImportWords(HWND owner);
// Takes the last import of this run back when nothing has changed the lists since.
void UndoLastImport(HWND owner);

inline constexpr wchar_t kImportProgressClass[] = L"importing";
// The progress window's text for a step of the import.
void DrawImportProgress(HDC dc, int step, const wchar_t* list, std::size_t done, std::size_t total);
