// The common print dialog answered from outside the code that shows it (another thread
// of the test program, or the test driving lingorix.exe), and the private PDF printer
// that the test command starts (scripts/printer.sh).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct PrintDialogAnswer {
    std::wstring printer;  // as the dialog lists it; empty keeps the one shown
    int copies = 1;
    bool collate = false;
    bool cancel = false;
};

// Waits for the print dialog of the process (a visible "#32770" with the printer
// list), fills it in and confirms or cancels it. False when it did not appear in time
// or does not offer the printer.
bool AnswerPrintDialog(DWORD processId, const PrintDialogAnswer& answer, DWORD timeoutMs = 30000);
// The print dialog of the process on screen now, or null.
HWND FindPrintDialog(DWORD processId);

// The queue and the folder of the private PDF printer (a Windows path); empty when
// the test command did not start one.
std::wstring TestPrinterName();
std::wstring PrintedPdfFolder();
// PDF files in the folder now, by name.
std::vector<std::wstring> PdfFilesIn(const std::wstring& folder);
// The first PDF in the folder that is not among `before` and is complete (ends the
// way a PDF ends and no longer grows); its full path, or empty after the timeout.
std::wstring WaitForPrintedPdf(const std::wstring& folder, const std::vector<std::wstring>& before,
                               DWORD timeoutMs = 120000);
