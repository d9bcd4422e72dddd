// The Add window for real: keys in its edits, the comma rule, the live look-up, the
// options menu and what closing leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/settings.h"
#include "entry/addwindow.h"
#include "support/canvas.h"
#include "support/classspy.h"
#include "support/windowfixture.h"
#include "support/textfit.h"
#include "text/uistrings.h"

namespace {

class AddWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
        // A sort drops the entry marked deleted: the file tells whether one took place.
        WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}, {L"maison", L"house", 0}, {L"z\x00E8\x62re", L"zebra", 1}});
        WriteWordList(L"Eng_Fre.tvk", {{L"cat", L"chat", 0}});
        Open();
        ToolWindowOpen = 1;
        OpenAddWindow();
        window = AddWindow();
        ASSERT_NE(window, nullptr);
        first = GetDlgItem(window, kAddFirstEdit);
        second = GetDlgItem(window, kAddSecondEdit);
    }
    // Characters as the keyboard sends them, each followed by its key release.
    static void Type(HWND edit, const std::wstring& text) {
        for (const wchar_t c : text) {
            SendMessageW(edit, WM_CHAR, c, 1);
            SendMessageW(edit, WM_KEYUP, static_cast<WPARAM>(std::towupper(c)), 0xC0000001);
        }
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
    HWND first = nullptr;
    HWND second = nullptr;
};

TEST_F(AddWindowTest, TypingLooksUpAndEnterStoresThePair) {
    Type(first, L"maison");
    EXPECT_EQ(Text(second), L"house");
    Type(first, L"s");
    EXPECT_EQ(Text(second), L"");

    // Blanks around the first word go, whether Enter confirmed it or not.
    SetWindowTextW(first, L"  chien ");
    Enter(first);
    EXPECT_EQ(Text(first), L"chien");
    EXPECT_EQ(GetFocus(), second);
    SetWindowTextW(second, L" dog,hound ");
    Enter(second);
    EXPECT_EQ(Text(first), L"");
    EXPECT_EQ(Text(second), L"");
    SetWindowTextW(first, L" loup  ");
    SetWindowTextW(second, L"wolf");
    Enter(second);
    EXPECT_EQ(WordCount, 5);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk")[3], (WordEntry{L"chien", L"dog, hound", 0}));
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk")[4].first, L"loup");

    Canvas canvas(630, 205, RGB(192, 192, 192));
    PaintAddWindow(canvas.Dc(), {0, 0, 630, 205}, 2);
    EXPECT_EQ(canvas.At(5, 0), RGB(224, 224, 224));

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ToolWindowOpen, 0);
    EXPECT_TRUE(AppSettings.add.Saved());
    EXPECT_EQ(FirstWords(ReadWordList(L"Fre_Eng.tvk")),
              (std::vector<std::wstring>{L"chat", L"chien", L"loup", L"maison"}));
    EXPECT_EQ(FirstWords(ReadWordList(L"Eng_Fre.tvk")),
              (std::vector<std::wstring>{L"cat", L"dog", L"hound", L"wolf"}));
}

TEST_F(AddWindowTest, ACommaInTheFirstWordIsRefusedAndTheOptionToggles) {
    SetWindowTextW(first, L"a,b");
    SetWindowTextW(second, L"x");
    Enter(second);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, UiText(Ui::AddNocomma));
    EXPECT_EQ(messages[0].caption, UiText(Ui::Error));
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(WordCount, 3);

    HMENU menu = GetMenu(window);
    EXPECT_TRUE(GetMenuState(menu, kAddAddToPracticeList, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageW(window, WM_COMMAND, kAddAddToPracticeList, 0);
    EXPECT_FALSE(GetMenuState(menu, kAddAddToPracticeList, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(AppSettings.addNewWordsToList, 0);

    // Nothing was added, so closing sorts nothing.
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk").size(), 3u);
}

}  // namespace

namespace {

// A word that comes without keys (pasted, picked from the character picker, typed by
// an input method) shows its stored translations like a typed one, so Enter cannot
// replace them unseen; a pair stored onto an entry marked deleted survives the sort.
TEST_F(AddWindowTest, EveryChangeLooksUpAndAStoredPairLosesItsDeletedMark) {
    SetWindowTextW(first, L"maison");
    EXPECT_EQ(Text(second), L"house");
    SendMessageW(first, WM_CHAR, L's', 1);
    EXPECT_EQ(Text(second), L"");

    SetWindowTextW(first, L"z\x00E8\x62re");
    SetWindowTextW(second, L"zebra");
    Enter(second);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ReadWordList(L"Fre_Eng.tvk"), (std::vector<WordEntry>{{L"chat", L"cat", 0}, {L"maison", L"house", 0},
                                                                     {L"z\x00E8\x62re", L"zebra", 0}}));
}

std::vector<std::wstring> g_labels;

// Moved to a screen of 144 DPI, the window lays itself out for it: every control at one
// and a half times its place, with one and a half times its font. The count of the
// words added reads without a blank before its colon.
TEST_F(AddWindowTest, At144DpiEveryControlAndFontGrowsByHalf) {
    const std::vector<ChildLayout> at96 = ChildLayouts(window);
    RECT client96{};
    GetClientRect(window, &client96);
    SimulateDpiChange(window, 144);
    EXPECT_EQ(UnscaledChildren(at96, ChildLayouts(window), 144), "");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_GE(client.bottom, client96.bottom * 3 / 2 - 1);

    g_labels.clear();
    SetLabelObserver([](HDC, const wchar_t* text, const RECT&, UINT) { g_labels.push_back(text); });
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SetLabelObserver(nullptr);
    EXPECT_NE(std::find(g_labels.begin(), g_labels.end(), std::wstring(UiText(Ui::AddNewentries)) + L": 0"),
              g_labels.end());
}

}  // namespace

// The edits get their own procedure back at their end, so the memory they hold goes
// with them at every closing.
TEST_F(StoreTest, TheAddWindowsEditsEndThroughTheirOwnProcedure) {
    ModuleInstance = GetModuleHandleW(nullptr);
    ReadSystemMetrics();
    CreateSharedFonts(SharedFontSettings{}, 0);
    WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
    WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}});
    WriteWordList(L"Eng_Fre.tvk", {{L"cat", L"chat", 0}});
    Open();
    {
        ClassProcedureSpy spy(L"edit");
        ToolWindowOpen = 1;
        ASSERT_NE(OpenAddWindow(), nullptr);
        DestroyWindow(AddWindow());
        EXPECT_EQ(spy.Count(WM_NCDESTROY), 2);
    }
    DeleteSharedFonts();
}
