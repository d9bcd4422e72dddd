#include "lookup/searchmenus.h"

#include <string>

#include "app/drawing.h"
#include "app/fonts.h"
#include "store/catalogue.h"
#include "text/uistrings.h"
#include "win/handles.h"

namespace {

constexpr RECT kFirstNameRect{20, 5, 235, 30};
constexpr RECT kSecondNameRect{255, 5, 605, 30};

UINT Checked(bool checked) { return MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED); }

}  // namespace

HMENU CreateSearchMenuBar(int rows, bool minimal, bool followClipboard) {
    UniqueMenu bar(CreateMenu());
    HMENU picker = CreatePopupMenu();
    AppendMenuW(picker, Checked(false), kSearchShowPicker, UiText(Ui::SearchMenuCharset1));
    AppendMenuW(picker, Checked(true), kSearchHidePicker, UiText(Ui::SearchMenuCharset2));
    AppendMenuW(bar.Get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(picker), UiText(Ui::SearchMenuCharset0));

    HMENU clipboard = CreatePopupMenu();
    AppendMenuW(clipboard, Checked(followClipboard), kSearchFollowClipboard, UiText(Ui::SearchMenuClipboard1));
    AppendMenuW(clipboard, Checked(!followClipboard), kSearchIgnoreClipboard, UiText(Ui::SearchMenuClipboard2));
    AppendMenuW(bar.Get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(clipboard),
                UiText(Ui::SearchMenuClipboard0));

    HMENU sizes = CreatePopupMenu();
    const int checkedSize = minimal ? kSearchMinimalSize : kSearchMinimalSize + rows;
    for (int id = kSearchMinimalSize; id <= kSearchLargestSize; ++id)
        AppendMenuW(sizes, Checked(id == checkedSize), id, std::to_wstring(id - kSearchMinimalSize).c_str());
    HMENU window = CreatePopupMenu();
    AppendMenuW(window, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sizes), UiText(Ui::SearchMenuWindowsize1));
    AppendMenuW(bar.Get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(window), UiText(Ui::SearchMenuWindowsize0));
    return bar.Release();
}

HMENU CreateRowMenu(bool markedEntry) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kSearchDeleteOrRestore,
                UiText(markedEntry ? Ui::SearchResRecord : Ui::SearchDelRecord));
    AppendMenuW(menu, MF_STRING, kSearchCopy, UiText(Ui::SearchCopy));
    AppendMenuW(menu, MF_STRING, kSearchPaste, UiText(Ui::SearchPaste));
    AppendMenuW(menu, MF_STRING, kSearchPlay, UiText(Ui::SearchPlay));
    AppendMenuW(menu, MF_STRING, kSearchCapture, UiText(Ui::CaptureMenuItem));
    return menu;
}

void PaintSearchWindow(HDC dc, const RECT& client, int rows) {
    DrawTopRule(dc, client);
    if (rows == 0) return;
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, ArialBoldFont12);
    const WordListDescriptor& d = CurrentWordList();
    RECT first = kFirstNameRect;
    DrawShadowText(dc, first, d.firstName.c_str(), DT_CENTER | DT_SINGLELINE);
    RECT second = kSecondNameRect;
    DrawShadowText(dc, second, d.secondName.c_str(), DT_CENTER | DT_SINGLELINE);
}
