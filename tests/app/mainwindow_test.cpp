// The main window for real: creation from the profile, menus, commands, painting
// and what the end of the run writes.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/mainwindow.h"
#include "app/menus.h"
#include "app/settings.h"
#include "support/storefixture.h"
#include "text/uistrings.h"

namespace {

class MainWindowTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        for (const wchar_t* name : {L"Spa_Eng.tvk", L"Eng_Spa.tvk", L"Fre_Eng.tvk", L"Eng_Fre.tvk", L"Ger_Eng.tvk",
                                    L"Eng_Ger.tvk"})
            WriteWordList(name, {{L"casa", L"house", 0}});
        WriteBytes(L"languages.ini", LanguageFile({"Spanish,spanish,0", "French,french,0", "German,german,0"},
                                                  "Spa_Eng.tvk"));
        ProfileFile = dir.Full(L"profile.ini");
        ModuleInstance = GetModuleHandleW(nullptr);
        PracticeMode = 0;
        StayOnTop = 0;
        ToolWindowOpen = 0;
        AppSettings = {};
    }

    void Create() {
        Open();
        ReadSystemMetrics();
        CreateSharedFonts(SharedFontSettings{}, 0);
        ASSERT_TRUE(RegisterMainWindowClass(ModuleInstance));
        window = CreateMainWindow(ModuleInstance);
        ASSERT_NE(window, nullptr);
        AttachMainMenu(window);
    }
    // Only where visibility matters: without a window manager, Wine waits a while
    // for a shown window to be withdrawn again.
    void Show() {
        ShowWindow(window, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(IsWindowVisible(window));
    }

    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ProfileFile = kProfileFile;
        ToolWindowOpen = 0;
        StayOnTop = 0;
        PracticeMode = 0;
        InstallEnglishUiStrings();
        StoreTest::TearDown();
    }

    void Command(int id) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    bool Checked(HMENU menu, int id) { return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0; }
    HMENU Bar() { return GetMenu(window); }
    std::wstring Profile(const wchar_t* key) {
        std::array<wchar_t, 200> buffer{};
        GetPrivateProfileStringW(L"Lingorix", key, L"<missing>", buffer.data(), 200, ProfileFile.c_str());
        return buffer.data();
    }
    std::wstring ItemText(HMENU menu, UINT position) {
        std::array<wchar_t, 256> buffer{};
        GetMenuStringW(menu, position, buffer.data(), static_cast<int>(buffer.size()), MF_BYPOSITION);
        return buffer.data();
    }

    HWND window = nullptr;
};

int g_opened = 0;
void OpenCountingTool() { ++g_opened; }

}  // namespace

TEST_F(MainWindowTest, CreationFollowsTheProfile) {
    WritePrivateProfileStringW(L"Lingorix", L"StayOnTop", L"1", ProfileFile.c_str());
    WritePrivateProfileStringW(L"Lingorix", L"PracticeMode", L"1", ProfileFile.c_str());
    WritePrivateProfileStringW(L"Lingorix", L"WinPosLeftMain", L"30", ProfileFile.c_str());
    WritePrivateProfileStringW(L"Lingorix", L"WinPosTopMain", L"40", ProfileFile.c_str());
    WritePrivateProfileStringW(L"Lingorix", L"colorG", L"100", ProfileFile.c_str());
    Create();
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 565);
    EXPECT_EQ(r.bottom - r.top, CaptionHeight + MenuHeight + 332);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(PracticeMode, 1);
    EXPECT_EQ(AppSettings.colorG, 100);
    EXPECT_TRUE(Checked(Bar(), kCmdStayOnTop));
    EXPECT_TRUE(Checked(Bar(), kCmdTypedPractice));
    EXPECT_FALSE(Checked(Bar(), kCmdFlashCards));
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
}

TEST_F(MainWindowTest, FreshProfileCentresTheWindowWithItsFourButtons) {
    Create();
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, (ScreenWidth - 565) / 2);
    EXPECT_EQ(r.top, (ScreenHeight - MenuHeight - CaptionHeight - 332) / 2);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const std::vector<std::pair<int, Ui>> buttons = {{10, Ui::MainButtonAdd},
                                                      {13, Ui::MainButtonCreatelist},
                                                      {11, Ui::MainButtonPractice},
                                                      {12, Ui::MainButtonSearch}};
    int expectedLeft = 10;
    for (const auto& [id, text] : buttons) {
        HWND button = GetDlgItem(window, id);
        ASSERT_NE(button, nullptr) << id;
        std::array<wchar_t, 100> caption{};
        GetWindowTextW(button, caption.data(), 100);
        EXPECT_STREQ(caption.data(), UiText(text));
        RECT b{};
        GetWindowRect(button, &b);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&b), 2);
        EXPECT_EQ(b.left, expectedLeft);
        EXPECT_EQ(b.top, 280);
        EXPECT_EQ(b.right - b.left, 120);
        EXPECT_EQ(b.bottom - b.top, 30);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), GuiFont);
        expectedLeft += 140;
    }
}

TEST_F(MainWindowTest, MenuBarListsWordListsBetweenFileAndPracticeMode) {
    Create();
    HMENU bar = Bar();
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(ItemText(bar, 0), UiText(Ui::MainMenuFile0));
    EXPECT_EQ(ItemText(bar, 1), UiText(Ui::LanguageMenu));
    EXPECT_EQ(ItemText(bar, 2), UiText(Ui::MainMenuPracticeMode0));
    EXPECT_EQ(ItemText(bar, 3), UiText(Ui::MainMenuPracticeHelp0));
    EXPECT_EQ(GetSubMenu(bar, 1), LanguageMenu);

    const std::vector<UINT> fileIds = {55, 9, 62, 25, 3};
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(GetMenuItemID(file, i), fileIds[static_cast<std::size_t>(i)]);
    EXPECT_EQ(ItemText(file, 3), UiText(Ui::RecordCaption));
    HMENU help = GetSubMenu(bar, 3);
    EXPECT_EQ(GetMenuItemID(help, 0), 4u);
    EXPECT_EQ(GetMenuItemID(help, 1), 63u);
    EXPECT_EQ(GetMenuItemID(help, 2), 5u);

    ASSERT_EQ(GetMenuItemCount(LanguageMenu), 7);
    const std::vector<UINT> ids = {200, 201, 202, 0, 203, 204, 205};
    for (int i = 0; i < 7; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(LanguageMenu, static_cast<UINT>(i), TRUE, &info);
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, i == 3) << i;
        if (i != 3) {
            EXPECT_EQ(info.wID, ids[static_cast<std::size_t>(i)]) << i;
        }
    }
    EXPECT_EQ(ItemText(LanguageMenu, 0), L"Spanish\tEnglish");
    EXPECT_EQ(ItemText(LanguageMenu, 5), L"English\tFrench");
    EXPECT_EQ(Find(L"English", L"German").menuCommandId, 205);
    EXPECT_TRUE(Checked(LanguageMenu, 200));
    EXPECT_EQ(CheckedLanguageItem, 200);
}

TEST_F(MainWindowTest, NoSelectionMeansNoCheckMark) {
    WriteBytes(L"languages.ini", LanguageFile({"Spanish,spanish,0", "French,french,0"}));
    Create();
    EXPECT_EQ(CheckedLanguageItem, 0);
    for (int id = 200; id < 204; ++id) EXPECT_FALSE(Checked(LanguageMenu, id)) << id;
}

TEST_F(MainWindowTest, AcceleratorsComeFromTheFirstLetters) {
    InstallEnglishUiStrings({{"AccelAdd", "W (Alt+W)"}, {"AccelExit", "X"}});
    const std::vector<ACCEL> entries = MainAcceleratorEntries();
    ASSERT_EQ(entries.size(), 6u);
    const std::vector<std::array<int, 3>> expected = {{FALT | FVIRTKEY, 'W', 10}, {FALT | FVIRTKEY, 'P', 11},
                                                      {FALT | FVIRTKEY, 'S', 12}, {FALT | FVIRTKEY, 'L', 13},
                                                      {FCONTROL | FVIRTKEY, 'X', 3}, {FVIRTKEY, VK_F1, 4}};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(entries[i].fVirt, expected[i][0]) << i;
        EXPECT_EQ(entries[i].key, expected[i][1]) << i;
        EXPECT_EQ(entries[i].cmd, expected[i][2]) << i;
    }
    HACCEL table = CreateMainAccelerators();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 6);
    DestroyAcceleratorTable(table);
}

TEST_F(MainWindowTest, LanguageMenuCommandSwitchesAndMovesTheCheckMark) {
    Create();
    Command(201);
    EXPECT_EQ(&CurrentWordList(), &Find(L"French", L"English"));
    EXPECT_TRUE(Checked(LanguageMenu, 201));
    EXPECT_FALSE(Checked(LanguageMenu, 200));
    EXPECT_EQ(CheckedLanguageItem, 201);
    EXPECT_NE(ReadBytes(L"languages.ini").find("Fre_Eng.tvk"), std::string::npos);

    Command(201);  // the current one again: stays current and checked
    EXPECT_EQ(&CurrentWordList(), &Find(L"French", L"English"));
    EXPECT_TRUE(Checked(LanguageMenu, 201));
}

TEST_F(MainWindowTest, IconClickSwapsTheDirection) {
    Create();
    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));  // beside the icons
    EXPECT_EQ(&CurrentWordList(), &Find(L"Spanish", L"English"));

    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(91, 208));
    EXPECT_EQ(&CurrentWordList(), &Find(L"English", L"Spanish"));
    EXPECT_TRUE(Checked(LanguageMenu, 203));
    EXPECT_FALSE(Checked(LanguageMenu, 200));

    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(60, 107));
    EXPECT_EQ(&CurrentWordList(), &Find(L"Spanish", L"English"));
    EXPECT_TRUE(Checked(LanguageMenu, 200));

    EXPECT_FALSE(IsOnLanguageIcon(92, 120));
    EXPECT_FALSE(IsOnLanguageIcon(70, 139));
    EXPECT_FALSE(IsOnLanguageIcon(70, 176));
    EXPECT_TRUE(IsOnLanguageIcon(70, 138));
}

TEST_F(MainWindowTest, StayOnTopAndPracticeModeItems) {
    Create();
    Command(kCmdStayOnTop);
    EXPECT_EQ(StayOnTop, 1);
    EXPECT_TRUE(Checked(Bar(), kCmdStayOnTop));
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Command(kCmdStayOnTop);
    EXPECT_EQ(StayOnTop, 0);
    EXPECT_FALSE(Checked(Bar(), kCmdStayOnTop));
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    Command(kCmdTypedPractice);
    EXPECT_EQ(PracticeMode, 1);
    EXPECT_TRUE(Checked(Bar(), kCmdTypedPractice));
    EXPECT_FALSE(Checked(Bar(), kCmdFlashCards));
    Command(kCmdFlashCards);
    EXPECT_EQ(PracticeMode, 0);
    EXPECT_TRUE(Checked(Bar(), kCmdFlashCards));
    EXPECT_FALSE(Checked(Bar(), kCmdTypedPractice));
}

TEST_F(MainWindowTest, PractiseWithAnEmptyListAsksAndNoChangesNothing) {
    Create();
    SetMessageHook([this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
        messages.push_back({owner, text, caption, type});
        return IDNO;
    });
    EXPECT_EQ(PractiseQuestionText(),
              std::wstring(UiText(Ui::CreateListEmpty1)) + L" (Spanish-English) " + UiText(Ui::CreateListEmpty2));
    Show();
    Command(kCmdPractise);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].owner, window);
    EXPECT_EQ(messages[0].text, PractiseQuestionText());
    EXPECT_EQ(messages[0].caption, UiText(Ui::Lingorix));
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_ICONWARNING | MB_YESNO));
    EXPECT_EQ(ToolWindowOpen, 0);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(MainWindowTest, ToolWindowRuleOpensOneAtATime) {
    Create();
    Show();
    g_opened = 0;
    OpenToolWindow(OpenCountingTool);
    EXPECT_EQ(g_opened, 1);
    EXPECT_EQ(ToolWindowOpen, 1);
    EXPECT_FALSE(IsWindowVisible(window));
    OpenToolWindow(OpenCountingTool);
    EXPECT_EQ(g_opened, 1);

    SetMessageHook([this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
        messages.push_back({owner, text, caption, type});
        return IDYES;
    });
    Command(kCmdPractise);  // nothing while a tool window is open
    EXPECT_TRUE(messages.empty());

    Command(kCmdExit);  // still ends the program
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindowTest, PaintsGradientTitleAndLanguageNames) {
    Create();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 565, 332);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    PaintMainWindow(dc, RECT{0, 0, 565, 332});
    EXPECT_EQ(GetPixel(dc, 300, 0), RGB(25, 25, 25));
    EXPECT_EQ(GetPixel(dc, 5, 1), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(dc, 5, 331), RGB(0, 14, 0));
    int shaded = 0;
    for (int y = 18; y < 90; ++y)
        for (int x = 138; x < 560; ++x) shaded += GetPixel(dc, x, y) == RGB(230, 230, 230);
    EXPECT_GT(shaded, 50);  // the title, drawn as text without a logo
    int names = 0;
    for (int y = 100; y < 230; ++y)
        for (int x = 138; x < 560; ++x) names += GetPixel(dc, x, y) == RGB(230, 230, 230);
    EXPECT_GT(names, 50);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(MainWindowTest, EndOfRunWritesTheSettings) {
    Create();
    Command(kCmdTypedPractice);
    Command(kCmdStayOnTop);
    SetWindowPos(window, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    AppSettings.add = {11, 12};
    Command(kCmdExit);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Profile(L"PracticeMode"), L"1");
    EXPECT_EQ(Profile(L"StayOnTop"), L"1");
    EXPECT_EQ(Profile(L"WinPosLeftMain"), L"50");
    EXPECT_EQ(Profile(L"WinPosTopMain"), L"60");
    EXPECT_EQ(Profile(L"WinPosTopAdd"), L"12");
    EXPECT_EQ(Profile(L"WinPosTopSearch"), L"<missing>");
    EXPECT_EQ(Profile(L"searchwindowsize"), L"10");
    EXPECT_EQ(Profile(L"PracticeSound"), L"1");
    EXPECT_EQ(Profile(L"PracticeList"), L"<missing>");
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}
