// The maker's two columns: filling the rows, adding and marking through them, the
// search field and both scroll bars.
#include <array>
#include <string>

#include "app/drawing.h"
#include "practice/maker.h"
#include "practice/makerstate.h"
#include "practice/rowscroll.h"
#include "store/catalogue.h"
#include "store/collation.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/messages.h"

namespace {

constexpr std::size_t kSearchChars = 37;

void SetBar(HWND bar, int rangeEnd, int position) {
    SetScrollRange(bar, SB_CTL, 0, rangeEnd, FALSE);
    SetScrollPos(bar, SB_CTL, position, TRUE);
}

void MoveWordRows(int top) {
    MakerState& m = Maker();
    m.wordTop = ClampRowTop(top, WordCount);
    if (m.wordTop == m.shownWordTop) return;
    ShowWordRows(m.wordTop);
    SetScrollPos(m.wordBar, SB_CTL, WordThumb(m.wordTop), TRUE);
    m.shownWordTop = m.wordTop;
}

void MovePracticeRows(int top) {
    MakerState& m = Maker();
    m.practiceTop = ClampRowTop(top, PracticeCount);
    if (m.practiceTop == m.shownPracticeTop) return;
    ShowPracticeRows(m.practiceTop);
    SetScrollPos(m.practiceBar, SB_CTL, m.practiceTop, TRUE);
    m.shownPracticeTop = m.practiceTop;
}

const wchar_t* PracticeRowText(const WordEntry& entry) {
    return entry.deleted ? UiText(Ui::CreateListDeleted) : entry.first.c_str();
}

// Only the strip of the marks is painted again, and only when a mark changed.
void ShowMarks(const std::array<bool, kMakerRows>& held) {
    MakerState& m = Maker();
    if (held == m.heldRows) return;
    m.heldRows = held;
    const RECT strip = ScaledRect(kMarkStrip, WindowDpi(m.window));
    InvalidateRect(m.window, &strip, TRUE);
}

// The practice column shows the list's end.
void ShowPracticeEnd() {
    MakerState& m = Maker();
    m.practiceTop = ClampRowTop(PracticeCount - kMakerRows, PracticeCount);
    m.shownPracticeTop = m.practiceTop;
    ShowPracticeRows(m.practiceTop);
    SetBar(m.practiceBar, m.practiceTop, m.practiceTop);
}

}  // namespace

void ShowWordRows(int top) {
    MakerState& m = Maker();
    std::array<bool, kMakerRows> held{};
    // Rows past the end of a short list keep their (empty) text.
    for (int i = 0; i < kMakerRows && ReadWordRecord(top + i) == 0; ++i) {
        SetWindowTextW(m.firstRows[i], CurrentEntry.first.c_str());
        SetWindowTextW(m.secondRows[i], CurrentEntry.second.c_str());
        held[i] = m.practiceEntries.Holds(CurrentEntry);
    }
    ShowMarks(held);
}

void ShowPracticeRows(int top) {
    MakerState& m = Maker();
    top = ClampRowTop(top, PracticeCount);
    for (int i = 0; i < kMakerRows; ++i) {
        if (i >= PracticeCount) {
            SetWindowTextW(m.practiceRows[i], L"");
            continue;
        }
        if (ReadPracticeRecord(top + i) != 0) return;
        SetWindowTextW(m.practiceRows[i], PracticeRowText(CurrentEntry));
    }
}

void RefreshPracticeView() {
    MakerState& m = Maker();
    if (!m.window) return;
    ShowPracticeEnd();
    const WordListDescriptor& d = CurrentWordList();
    m.practiceEntries.Load(PracticeListPath(d), d.firstCodePage, d.secondCodePage);
    ShowWordRows(m.wordTop);
}

void AddWordOfRow(int row) {
    MakerState& m = Maker();
    // The focus goes back first, so closing a message does not land on the row again.
    FocusMakerSearch();
    const int index = m.wordTop + row;
    if (index >= WordCount || ReadWordRecord(index) != 0) return;
    if (m.practiceEntries.Holds(CurrentEntry)) {
        ShowMessage(m.window, UiText(Ui::CaptureAlreadyThere), UiText(Ui::Lingorix), MB_ICONINFORMATION);
        return;
    }
    if (WritePracticeRecord(PracticeCount) != 0) return;
    ++PracticeCount;
    // A word the word list marks as deleted comes in marked, on its way out again.
    if (!CurrentEntry.deleted) m.practiceEntries.Add(CurrentEntry);
    ShowPracticeEnd();
    ShowWordRows(m.wordTop);
}

void FlipMarkOfRow(int row) {
    MakerState& m = Maker();
    // The focus goes back first, so closing a message does not land on the row again.
    FocusMakerSearch();
    const MarkOutcome outcome = FlipPracticeMark(m.practiceTop + row);
    if (outcome == MarkOutcome::NoEntry) return;
    SetWindowTextW(m.practiceRows[row], PracticeRowText(CurrentEntry));
    if (outcome == MarkOutcome::Flipped) {
        m.updateNeeded = true;
        if (CurrentEntry.deleted)
            m.practiceEntries.Remove(CurrentEntry);
        else
            m.practiceEntries.Add(CurrentEntry);
        ShowWordRows(m.wordTop);
        return;
    }
    const std::wstring text = std::wstring(UiText(Ui::CreateListNoMark)) + L" " + CurrentPracticeList;
    ShowMessage(m.window, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
}

void SearchTextChanged() {
    const std::wstring text = EditText(Maker().search, kSearchChars);
    MoveWordRows(FindWordPosition(text));
}

void SearchKey(WORD key) {
    MakerState& m = Maker();
    switch (key) {
    case VK_RETURN: SetWindowTextW(m.search, L""); break;
    case VK_DOWN: MoveWordRows(m.wordTop + 1); break;
    case VK_UP: MoveWordRows(m.wordTop - 1); break;
    default: break;
    }
}

void WheelRows(bool practiceColumn, int entries) {
    MakerState& m = Maker();
    if (practiceColumn)
        MovePracticeRows(m.practiceTop - entries);
    else
        MoveWordRows(m.wordTop - entries);
}

void ScrollRows(HWND bar, int request, int thumbPosition) {
    MakerState& m = Maker();
    if (bar == m.practiceBar)
        MovePracticeRows(ScrolledTop(request, m.practiceTop, PracticeCount, thumbPosition, 1));
    else if (bar == m.wordBar)
        MoveWordRows(ScrolledTop(request, m.wordTop, WordCount, thumbPosition, kMakerRows));
}
