// Switching the current word list: the main window, the Search window and the
// Translate window all do it through here, so the check mark, the saved selection and
// the main window's icons can never disagree.
#pragma once

#include <windows.h>

struct WordListDescriptor;

// The word list a language menu command names; nullptr for any other id.
WordListDescriptor* WordListOfCommand(int commandId);

// Makes a word list current, moving the language menu's check mark, saving the
// selection and telling the main window to show the new icons. A list whose file does
// not open is refused with a message, and the current list, its files, the check mark
// and the saved selection stay as they were. The message belongs to the given window
// (a tool window choosing a list), else the main one.
bool SelectWordList(WordListDescriptor& descriptor, HWND messageOwner = nullptr);

// Takes the check mark off the language menu's checked item.
void UncheckLanguageItem();
