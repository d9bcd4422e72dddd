// The main window's menu bar, its language menu and the keyboard shortcuts.
#pragma once

#include <windows.h>

#include <vector>

struct WordListDescriptor;

// Command ids of the main window.
enum MainCommand : int {
    kCmdExit = 3,
    kCmdHelp = 4,
    kCmdAbout = 5,
    kCmdTranslate = 9,
    kCmdAdd = 10,
    kCmdPractise = 11,
    kCmdSearch = 12,
    kCmdMakeList = 13,
    kCmdRecord = 25,
    kCmdStayOnTop = 55,
    kCmdNewWordList = 62,
    kCmdOverview = 63,
    kCmdFlashCards = 64,
    kCmdTypedPractice = 65,
    kCmdReviewMode = 66,
    kCmdProgress = 67,
    kCmdImport = 70,
    kCmdExport = 71,
    kCmdUndoImport = 72,
    kCmdFirstWordList = 200,
};

// The pop-up listing the word lists (position 1 of the bar), and the id of its
// item that carries the check mark (0 when none does).
extern HMENU LanguageMenu;
extern int CheckedLanguageItem;

// The language menu as a pop-up at a point of a window's client area; its commands go
// to that window.
void TrackLanguageMenu(HWND window, LPARAM clientPoint);

// Appends "first<TAB>second" with the id and remembers the id in the descriptor.
void AddLanguageMenuItem(HMENU menu, WordListDescriptor& descriptor, int commandId);

// The whole bar: File, the word lists, Practice mode, Help; check marks set from
// StayOnTop, PracticeMode and the catalogue's selected word list.
HMENU CreateMainMenuBar();
// Greys File > Undo last import unless the last import can be taken back; called as
// the File menu opens, so it always tells how things stand.
void UpdateUndoImportItem(HMENU bar);
// Builds the bar and attaches it to the window.
void AttachMainMenu(HWND window);

// Checks one item of a pair of menu items that exclude each other, unchecks the other.
void CheckMenuPair(HMENU menu, int checkedId, int uncheckedId);

std::vector<ACCEL> MainAcceleratorEntries();
HACCEL CreateMainAccelerators();
