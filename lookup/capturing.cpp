#include "lookup/capturing.h"

#include "store/capture.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/messages.h"

void CaptureEntry(HWND window, int index) {
    if (ReadWordRecord(index) != 0) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    const WordEntry entry = CurrentEntry;
    switch (AddEntryToPracticeList(entry)) {
    case CaptureOutcome::Added: MessageBeep(MB_OK); break;
    case CaptureOutcome::AlreadyThere:
        ShowMessage(window, UiText(Ui::CaptureAlreadyThere), UiText(Ui::Lingorix), MB_ICONINFORMATION);
        break;
    case CaptureOutcome::NoPracticeList:
        ShowMessage(window, UiText(Ui::CaptureNoList), UiText(Ui::Lingorix), MB_ICONWARNING);
        break;
    case CaptureOutcome::NotAnEntry: MessageBeep(0xFFFFFFFF); break;
    case CaptureOutcome::NotWritten:
        ShowMessage(window, UiText(Ui::CaptureNotWritten), UiText(Ui::Lingorix), MB_ICONWARNING);
        break;
    }
}
