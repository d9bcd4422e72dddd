// Printing the current practice list: the print file is loaded into a hidden rich
// edit control and printed through the print dialog, while a small "printing"
// window shows that the list is being prepared.
#pragma once

#include <windows.h>

#include <commdlg.h>

// The maker's print button (only with entries in the practice list). Writes the print
// file, asks for the printer and prints. The print dialog is modal to the maker; the
// settings chosen in it are kept for the next print of this run. Nothing is printed
// when the print file cannot be written, the rich edit control cannot be made or the
// dialog is cancelled.
void PrintPracticeList(HWND maker);

// Prints the rich edit's text on the printer the confirmed dialog returned (its
// hDC). False when the job could not start or a page was refused; a job that never
// started is not continued.
bool PrintRichText(HWND richEdit, PRINTDLGW& dialog);

// The small window shown while the print file is prepared; the caller destroys it.
HWND OpenPrintingWindow();
void PaintPrintingWindow(HDC dc);
