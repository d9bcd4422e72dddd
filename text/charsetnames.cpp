#include "text/charsetnames.h"

#include "text/codepage.h"
#include "text/uistrings.h"

std::wstring CharsetOverviewName(int charset) {
    for (const CharsetName& name : kOfferedCharsets)
        if (name.number == charset) return ToWide(name.overviewName, UiCodePage());
    return UiText(Ui::WordlistInfoUnknown);
}

int CharsetOfChoice(int position) {
    if (position < 0 || position >= static_cast<int>(kOfferedCharsets.size())) return -1;
    return kOfferedCharsets[static_cast<std::size_t>(position)].number;
}
