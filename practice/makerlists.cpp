// The maker's lists menu: choosing, creating and deleting practice lists.
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/globals.h"
#include "practice/listdialog.h"
#include "practice/maker.h"
#include "practice/makerstate.h"
#include "practice/updating.h"
#include "store/catalogue.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/messages.h"

namespace {

constexpr int kListsMenuPosition = 1;
constexpr std::size_t kListNameChars = 148;

void ReopenPracticeList() {
    ClosePracticeListFile();
    OpenPracticeListFile();
    CountPracticeRecords();
}

void ShowTheCurrentList() {
    RefreshPracticeView();
    FocusMakerSearch();
    SetMakerCaption();
}

void RemoveListsMenu() {
    MakerState& m = Maker();
    HMENU bar = GetMenu(m.window);
    if (m.listsMenu && GetSubMenu(bar, kListsMenuPosition) == m.listsMenu) RemoveMenu(bar, kListsMenuPosition, MF_BYPOSITION);
    if (m.listsMenu) DestroyMenu(m.listsMenu);
    m.listsMenu = nullptr;
    DrawMenuBar(m.window);
}

void CheckList(int command) {
    MakerState& m = Maker();
    CheckMenuItem(m.listsMenu, CurrentListId, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(m.listsMenu, command, MF_BYCOMMAND | MF_CHECKED);
    CurrentListId = command;
}

// Marks belong to the list they were made in: its update runs before another list is
// opened, while that list's name is still the one the update works on.
void UpdateListBeingLeft(const std::wstring& leaving) {
    MakerState& m = Maker();
    if (!m.updateNeeded) return;
    const std::wstring next = CurrentPracticeList;
    CurrentPracticeList = leaving;
    UpdatePracticeList();
    m.updateNeeded = false;
    CurrentPracticeList = next;
}

void RefreshListsMenu() {
    MakerState& m = Maker();
    RemoveListsMenu();
    m.listCount = std::max(CountPracticeLists(), 0);
    if (m.listCount > 0) BuildListsMenu(m.window);
    EnableMenuItem(GetMenu(m.window), kMakerDeleteList, MF_BYCOMMAND | (m.listCount > 0 ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

void BuildListsMenu(HWND maker) {
    MakerState& m = Maker();
    const std::vector<std::wstring> names = ListPracticeLists();
    if (names.empty()) return;
    m.listsMenu = CreatePopupMenu();
    int checked = 0;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const int id = kFirstListCommand + static_cast<int>(k);
        AppendMenuW(m.listsMenu, MF_STRING, id, names[k].c_str());
        if (_wcsicmp(names[k].c_str(), CurrentPracticeList.c_str()) == 0) checked = id;
    }
    InsertMenuW(GetMenu(maker), kListsMenuPosition, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(m.listsMenu), UiText(Ui::CreateListLists));
    if (checked) {
        CheckMenuItem(m.listsMenu, checked, MF_BYCOMMAND | MF_CHECKED);
        CurrentListId = checked;
    }
    DrawMenuBar(maker);
}

std::wstring MakerCaption() {
    const WordListDescriptor& d = CurrentWordList();
    return std::wstring(UiText(Ui::CreateListCaption)) + L": " + CurrentPracticeList + L" (" + d.firstName + L"-" +
           d.secondName + L")";
}

void SetMakerCaption() { SetWindowTextW(Maker().window, MakerCaption().c_str()); }

void ChoosePracticeList(int command) {
    MakerState& m = Maker();
    wchar_t name[kListNameChars + 1] = {};
    if (!m.listsMenu || GetMenuStringW(m.listsMenu, command, name, kListNameChars + 1, MF_BYCOMMAND) <= 0) return;
    UpdateListBeingLeft(CurrentPracticeList);
    CheckList(command);
    CurrentPracticeList = name;
    ReopenPracticeList();
    ShowTheCurrentList();
}

void NewPracticeList() {
    MakerState& m = Maker();
    const std::wstring before = CurrentPracticeList;
    RunNewListDialog(m.window);
    if (_wcsicmp(before.c_str(), CurrentPracticeList.c_str()) == 0) return;
    UpdateListBeingLeft(before);
    // Rebuilt from the folders: a name that differs from an existing list only in case
    // is that list, not a second entry for it.
    RefreshListsMenu();
    ReopenPracticeList();
    ShowTheCurrentList();
}

void DeleteCurrentPracticeList() {
    MakerState& m = Maker();
    if (m.listCount <= 1) {
        ShowMessage(m.window, UiText(Ui::CreateListKeeplist), UiText(Ui::CreateListDelList), MB_OK);
        return;
    }
    const std::wstring question =
        std::wstring(UiText(Ui::CreateListSureDel)) + L" " + CurrentPracticeList + UiText(Ui::CreateListSureDel2);
    if (ShowMessage(m.window, question.c_str(), UiText(Ui::CreateListDelList), MB_ICONWARNING | MB_YESNO) != IDYES)
        return;
    if (CurrentPracticeList.empty()) return;
    m.updateNeeded = false;  // the marks go with the list
    ClosePracticeListFile();
    if (!RemovePracticeListFolder(CurrentPracticeList)) {
        const std::wstring text = std::wstring(UiText(Ui::CreateListNoDel)) + L" " + CurrentPracticeList;
        ShowMessage(m.window, text.c_str(), UiText(Ui::CreateListDelList), MB_OK);
    }
    CurrentPracticeList.clear();
    RefreshListsMenu();
    if (m.listCount > 0) CheckList(SelectFirstPracticeList());
    ReopenPracticeList();
    ShowTheCurrentList();
}
