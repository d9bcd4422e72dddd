// The Search window's rows for real: what Enter in either column writes, what it
// refuses, and whether the list is sorted when the window closes.
#include <gtest/gtest.h>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/settings.h"
#include "lookup/searchwindow.h"
#include "support/classspy.h"
#include "support/windowfixture.h"
#include "support/textfit.h"

namespace {

constexpr int kDefaultRows = 10;

class SearchWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
        WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}, {L"chien", L"dog", 0}, {L"maison", L"house", 0}});
        WriteWordList(L"Eng_Fre.tvk", {{L"cat", L"chat", 0}});
        Open();
        ToolWindowOpen = 1;
    }
    void OpenWindow() {
        window = OpenSearchWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(SearchWindow(), window);
    }
    HWND Row(int row, bool first) const {
        return GetDlgItem(window, (first ? kSearchFirstRowEdit : kSearchSecondRowEdit) + row);
    }
    static void Enter(HWND edit) {
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(edit, WM_CHAR, L'\r', 1);
        SendMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
    }
    static std::wstring Text(HWND edit) {
        wchar_t text[64] = {};
        GetWindowTextW(edit, text, 64);
        return text;
    }
};

// A first word corrected and confirmed from the second column moves the entry out of
// its sorted place just as from the first: the list is sorted when the window closes,
// or the binary search would miss the entry from then on.
TEST_F(SearchWindowTest, AFirstWordChangedFromTheSecondColumnIsSortedAtClose) {
    OpenWindow();
    SetWindowTextW(Row(0, true), L"z\x00E8\x62re");
    SetWindowTextW(Row(0, false), L"zebra");
    Enter(Row(0, false));
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk")[0], (WordEntry{L"z\x00E8\x62re", L"zebra", 0}));

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ToolWindowOpen, 0);
    EXPECT_EQ(FirstWords(ReadWordList(L"Fre_Eng.tvk")),
              (std::vector<std::wstring>{L"chien", L"maison", L"z\x00E8\x62re"}));
}

// An empty first word could never be found again: refused from either column, the
// row showing its stored words again. And the row edits end through their own
// procedure, whatever the window's state has become by then.
TEST_F(SearchWindowTest, AnEmptyFirstWordIsRefusedFromEitherColumn) {
    const auto listUnchanged = [] {
        const std::vector<WordEntry> list = ReadWordList(L"Fre_Eng.tvk");
        return FirstWords(list) == std::vector<std::wstring>{L"chat", L"chien", L"maison"} && list[1].second == L"dog";
    };
    ClassProcedureSpy spy(L"edit");
    OpenWindow();
    SetWindowTextW(Row(1, true), L"");
    SetWindowTextW(Row(1, false), L"hound");
    Enter(Row(1, false));
    EXPECT_TRUE(listUnchanged());
    EXPECT_EQ(Text(Row(1, true)), L"chien");
    EXPECT_EQ(Text(Row(1, false)), L"dog");

    SetWindowTextW(Row(2, true), L"");
    Enter(Row(2, true));
    EXPECT_TRUE(listUnchanged());
    EXPECT_EQ(Text(Row(2, true)), L"maison");

    SetWindowTextW(Row(0, false), L"cat, tomcat");
    Enter(Row(0, false));
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk")[0], (WordEntry{L"chat", L"cat, tomcat", 0}));

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(spy.Count(WM_NCDESTROY), 2 * kDefaultRows + 1);  // the rows and the look-up edit
}

// Moved to a screen of 144 DPI, the rows, the look-up edit and the button stand at one
// and a half times their places with one and a half times their fonts, and the window
// has room for all of them.
TEST_F(SearchWindowTest, At144DpiTheRowsAndFontsGrowByHalf) {
    OpenWindow();
    const std::vector<ChildLayout> at96 = ChildLayouts(window);
    SimulateDpiChange(window, 144);
    const std::vector<ChildLayout> now = ChildLayouts(window);
    EXPECT_EQ(UnscaledChildren(at96, now, 144), "");
    RECT client{};
    GetClientRect(window, &client);
    for (const ChildLayout& child : now) {
        if (!IsWindowVisible(child.child)) continue;
        EXPECT_LE(child.place.bottom, client.bottom) << GetDlgCtrlID(child.child);
        EXPECT_LE(child.place.right, client.right) << GetDlgCtrlID(child.child);
    }
}

}  // namespace
