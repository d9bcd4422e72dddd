// The word list overview of the real program, opened from the Help menu: every list
// with its count, a list whose file is gone among them, and nothing written by looking.
#include "e2e/e2efixture.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "store/records.h"
#include "support/testenv.h"

using namespace e2e;

namespace {

class OverviewTest : public EndToEndTest {};

TEST_F(OverviewTest, ListsEveryWordListWithItsCountAndKeepsRunningWithoutOne) {
    ASSERT_TRUE(folder.Delete(L"wordlists\\Eng_Gre.tvk"));
    ASSERT_TRUE(folder.Delete(L"practice\\Basics\\Eng_Spa.ls"));
    const auto files = FilesBelow(folder.Path());
    const std::wstring unknown = EnglishText("WordlistInfoUnknown");
    const auto count = [&](const wchar_t* file) {
        const std::wstring path = std::wstring(L"wordlists\\") + file;
        return folder.Exists(path) ? std::to_wstring(folder.Read(path).size() / kRecordSize) : unknown;
    };
    const std::vector<std::vector<std::wstring>> expected{
        {L"French - English", count(L"Fre_Eng.tvk"), L"french", L"ANSI"},
        {L"Spanish - English", count(L"Spa_Eng.tvk"), L"spanish", L"ANSI"},
        {L"German - English", count(L"Ger_Eng.tvk"), L"german", L"ANSI"},
        {L"Russian - English", count(L"Rus_Eng.tvk"), L"russian", L"Cyrillic"},
        {L"Greek - English", count(L"Gre_Eng.tvk"), L"greek", L"Greek"},
        {L"English - French", count(L"Eng_Fre.tvk"), L"english", L"ANSI"},
        {L"English - Spanish", count(L"Eng_Spa.tvk"), L"english", L"ANSI"},
        {L"English - German", count(L"Eng_Ger.tvk"), L"english", L"ANSI"},
        {L"English - Russian", count(L"Eng_Rus.tvk"), L"english", L"ANSI"},
        {L"English - Greek", unknown, L"english", L"ANSI"},
    };
    ASSERT_NE(expected[0][1], L"0");

    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, 63);
    HWND overview = app.WaitForWindow(L"info", EnglishText("WordlistInfoCaption").c_str());
    ASSERT_NE(overview, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 10000));
    HWND list = WaitForControl(overview, 1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ClassName(list), L"SysListView32");

    EXPECT_EQ(ListViewRows(list, 4), expected);
    EXPECT_TRUE(app.Running());
    EXPECT_FALSE(app.FindMessageBox().has_value());
    // The columns have grown from their first 10 pixels to hold their texts.
    for (int column = 0; column < 4; ++column)
        EXPECT_GT(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0), 40) << "column " << column;
    // The list view covers the client area, also after maximizing.
    EXPECT_EQ(WindowRect(list).right - WindowRect(list).left, ClientRect(overview).right);
    ShowWindow(overview, SW_MAXIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return ClientRect(list).bottom == ClientRect(overview).bottom; }, 10000));

    PostMessageW(overview, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(overview) && IsWindowVisible(main); }, 15000));
    ASSERT_EQ(app.Exit(main), 0u);
    // Only the settings of the run are kept, as after any run.
    std::map<std::wstring, std::string> after = FilesBelow(folder.Path());
    EXPECT_EQ(after.erase(folder.Full(L"lingorix.ini")), 1u);
    EXPECT_EQ(after, files) << "looking wrote or created a file";
}

}  // namespace
