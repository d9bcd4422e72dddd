// The main window for real: creation from the profile, menus, commands, painting
// and what the end of the run writes.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/settingsfile.h"
#include "entry/addwindow.h"
#include "shell/mainwindow.h"
#include "support/canvas.h"
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
    // Only where visibility matters: a window that stays hidden can take neither the
    // focus nor the foreground from the test that follows.
    void Show() {
        ShowWindow(window, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(IsWindowVisible(window));
    }

    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ProfileFile = SettingsFilePath();
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
HWND OpenCountingTool() {
    ++g_opened;
    return GetDesktopWindow();
}
HWND FailToOpen() { return nullptr; }

// The main window's client area painted into a 32-bit bitmap, readable pixel by pixel.
class Painting {
public:
    Painting() : canvas_(kMainWindowWidth, kMainClientHeight) {
        PaintMainWindow(canvas_.Dc(), RECT{0, 0, kMainWindowWidth, kMainClientHeight});
    }

    COLORREF At(int x, int y) const { return canvas_.At(x, y); }
    // Pixels of the 32 x 32 box at (left, top) that differ from the gradient of their
    // row, read left of the box where nothing but the gradient is painted.
    int DrawnInBox(int left, int top) const {
        int drawn = 0;
        for (int y = top; y < top + 32; ++y)
            for (int x = left; x < left + 32; ++x) drawn += At(x, y) != At(40, y);
        return drawn;
    }
    int CountColour(RECT area, COLORREF colour) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += At(x, y) == colour;
        return n;
    }

private:
    Canvas canvas_;
};

// A 24-bit bottom-up bitmap file: `key` everywhere but the rectangle `ink` of colour `inkColour`.
std::string BitmapFile(int width, int height, COLORREF key, RECT ink, COLORREF inkColour) {
    const int stride = (width * 3 + 3) & ~3;
    const int imageSize = stride * height;
    std::string bytes(54 + static_cast<std::size_t>(imageSize), '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, static_cast<std::uint32_t>(imageSize));
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;  // bottom-up
        for (int x = 0; x < width; ++x) {
            const bool inked = x >= ink.left && x < ink.right && y >= ink.top && y < ink.bottom;
            const COLORREF c = inked ? inkColour : key;
            const std::size_t at = 54 + static_cast<std::size_t>(row * stride + x * 3);
            bytes[at] = static_cast<char>(GetBValue(c));
            bytes[at + 1] = static_cast<char>(GetGValue(c));
            bytes[at + 2] = static_cast<char>(GetRValue(c));
        }
    }
    return bytes;
}

int ScreenDepth() {
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return depth;
}

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

    const std::vector<UINT> fileIds = {55, 9, 62, 25, 0, 70, 71, 72, 0, 3};
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(GetMenuItemID(file, i), fileIds[static_cast<std::size_t>(i)]);
    EXPECT_EQ(ItemText(file, 3), UiText(Ui::RecordCaption));
    HMENU help = GetSubMenu(bar, 3);
    EXPECT_EQ(GetMenuItemID(help, 0), 4u);
    EXPECT_EQ(GetMenuItemID(help, 1), 63u);
    EXPECT_EQ(GetMenuItemID(help, 2), 67u);
    EXPECT_EQ(GetMenuItemID(help, 3), 5u);

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

// The letter after a lone "&" ("&&" is a "&" of its own), upper-case; 0 when none.
wchar_t Mnemonic(const std::wstring& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        wchar_t letter = text[++i];
        if (letter == L'&') continue;
        CharUpperBuffW(&letter, 1);
        return letter;
    }
    return 0;
}

// With the shipped English texts no Alt + letter serves two commands: a shortcut that
// takes a menu's letter leaves that menu out of reach of the keyboard. Each button
// underlines the letter of its own shortcut, and no pop-up repeats a letter.
TEST_F(MainWindowTest, ShippedShortcutsAndMnemonicsAreDistinct) {
    Create();
    std::map<wchar_t, std::set<int>> altKeys;  // key -> commands; a menu title counts as -1 - position
    HMENU bar = Bar();
    for (int p = 0; p < GetMenuItemCount(bar); ++p) {
        const wchar_t key = Mnemonic(ItemText(bar, static_cast<UINT>(p)));
        EXPECT_NE(key, 0) << "menu title " << p;
        if (key) altKeys[key].insert(-1 - p);
    }
    std::map<int, wchar_t> buttonKeys;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::array<wchar_t, 256> text{};
        GetWindowTextW(child, text.data(), static_cast<int>(text.size()));
        const wchar_t key = Mnemonic(text.data());
        EXPECT_NE(key, 0) << "button " << GetDlgCtrlID(child);
        buttonKeys[GetDlgCtrlID(child)] = key;
        if (key) altKeys[key].insert(GetDlgCtrlID(child));
    }
    EXPECT_EQ(buttonKeys.size(), 4u);
    std::set<std::pair<BYTE, WORD>> chords;
    for (const ACCEL& a : MainAcceleratorEntries()) {
        EXPECT_TRUE(chords.insert({a.fVirt, a.key}).second) << "chord of command " << a.cmd << " repeated";
        if (!(a.fVirt & FALT)) continue;
        altKeys[static_cast<wchar_t>(a.key)].insert(a.cmd);
        if (buttonKeys.count(a.cmd)) {
            EXPECT_EQ(buttonKeys[a.cmd], static_cast<wchar_t>(a.key)) << "button " << a.cmd;
        }
    }
    for (const auto& [key, commands] : altKeys)
        EXPECT_EQ(commands.size(), 1u) << "Alt+" << static_cast<char>(key) << " serves " << commands.size() << " commands";

    // The word lists' pop-up holds language names from the language file.
    for (int p = 0; p < GetMenuItemCount(bar); ++p) {
        HMENU popup = GetSubMenu(bar, p);
        if (popup == LanguageMenu) continue;
        std::set<wchar_t> seen;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const wchar_t key = Mnemonic(ItemText(popup, static_cast<UINT>(i)));
            if (key) {
                EXPECT_TRUE(seen.insert(key).second) << "pop-up " << p << " repeats " << static_cast<char>(key);
            }
        }
    }
}

TEST_F(MainWindowTest, AcceleratorsComeFromTheFirstLetters) {
    InstallEnglishUiStrings({{"AccelAdd", "W (Alt+W)"}, {"AccelExit", "X"}});
    const std::vector<ACCEL> entries = MainAcceleratorEntries();
    ASSERT_EQ(entries.size(), 6u);
    const std::vector<std::array<int, 3>> expected = {{FALT | FVIRTKEY, 'W', 10}, {FALT | FVIRTKEY, 'R', 11},
                                                      {FALT | FVIRTKEY, 'S', 12}, {FALT | FVIRTKEY, 'M', 13},
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

// A list whose file is gone is refused, from the menu and from the icons alike; the
// current list stays usable and the language file keeps naming it.
TEST_F(MainWindowTest, WordListWithoutItsFileIsRefusedAndTheCurrentOneKept) {
    Create();
    ASSERT_TRUE(DeleteFileW(L"wordlists\\Fre_Eng.tvk"));
    ASSERT_TRUE(DeleteFileW(L"wordlists\\Eng_Spa.tvk"));
    const std::string languageFile = ReadBytes(L"languages.ini");

    Command(201);  // French-English
    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(70, 120));  // to English-Spanish
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, L"Can't open " + dir.Path() + L"\\wordlists\\Fre_Eng.tvk   ");
    EXPECT_EQ(messages[1].text, L"Can't open " + dir.Path() + L"\\wordlists\\Eng_Spa.tvk   ");
    for (const ShownMessage& m : messages) {
        EXPECT_EQ(m.owner, window);
        EXPECT_EQ(m.caption, L"Lingorix");
        EXPECT_EQ(m.type, static_cast<UINT>(MB_ICONWARNING));
    }

    EXPECT_EQ(&CurrentWordList(), &Find(L"Spanish", L"English"));
    EXPECT_TRUE(Checked(LanguageMenu, 200));
    EXPECT_FALSE(Checked(LanguageMenu, 201));
    EXPECT_FALSE(Checked(LanguageMenu, 203));
    EXPECT_EQ(CheckedLanguageItem, 200);
    EXPECT_EQ(ReadBytes(L"languages.ini"), languageFile);
    ASSERT_EQ(ReadWordRecord(0), 0);
    EXPECT_EQ(CurrentEntry.first, L"casa");
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
    OpenToolWindow(FailToOpen);
    EXPECT_EQ(ToolWindowOpen, 0);
    EXPECT_TRUE(IsWindowVisible(window));
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
    const Painting painting;
    EXPECT_EQ(painting.At(300, 0), RGB(25, 25, 25));
    EXPECT_EQ(painting.At(5, 1), RGB(0, 200, 0));
    EXPECT_EQ(painting.At(5, 331), RGB(0, 14, 0));
    // The title, drawn as text without a logo, and the two names below it.
    EXPECT_GT(painting.CountColour(RECT{138, 18, 560, 90}, RGB(230, 230, 230)), 50);
    EXPECT_GT(painting.CountColour(RECT{138, 100, 560, 230}, RGB(230, 230, 230)), 50);
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

TEST_F(MainWindowTest, SystemMenuCloseEndsTheRunLikeTheExitCommand) {
    // Two runs from the same profile and with the same changes, one ended by the exit
    // command and one by the system menu's Close: both write the same settings.
    const auto runAndEnd = [this](auto end) {
        DeleteFileW(ProfileFile.c_str());
        Create();
        Command(kCmdTypedPractice);
        Command(kCmdStayOnTop);
        SetWindowPos(window, nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        AppSettings.search = {21, 22};
        end();
        EXPECT_FALSE(IsWindow(window));
        MSG msg;
        EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 0u);
        AppSettings = {};
        return ReadBytes(ProfileFile);
    };
    const std::string byExit = runAndEnd([this] { Command(kCmdExit); });
    const std::string byClose = runAndEnd([this] { SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(byClose, byExit);
    EXPECT_EQ(Profile(L"PracticeMode"), L"1");
    EXPECT_EQ(Profile(L"StayOnTop"), L"1");
    EXPECT_EQ(Profile(L"WinPosLeftMain"), L"70");
    EXPECT_EQ(Profile(L"WinPosTopSearch"), L"22");

    const std::string byPlainClose = runAndEnd([this] { SendMessageW(window, WM_CLOSE, 0, 0); });
    EXPECT_EQ(byPlainClose, byExit);
}

TEST_F(MainWindowTest, MissingIconLeavesItsPlaceEmptyAndStillSwapsOnClick) {
    // Only the Spanish icon exists; the English one is missing.
    WriteBytes(L"icons\\Spa.ico", ReadBytes(SourceDirectory() + L"\\data\\runtime\\icons\\Spa.ico"));
    ASSERT_TRUE(FileExists(L"icons\\Spa.ico"));
    Create();
    {
        const Painting painted;
        EXPECT_GT(painted.DrawnInBox(60, 107), 50) << "the Spanish icon is not drawn";
        EXPECT_EQ(painted.DrawnInBox(60, 177), 0) << "something is drawn for the missing icon";
    }

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 190));  // the empty place
    EXPECT_EQ(&CurrentWordList(), &Find(L"English", L"Spanish"));
    EXPECT_TRUE(Checked(LanguageMenu, 203));
    EXPECT_FALSE(Checked(LanguageMenu, 200));
    {
        const Painting painted;
        EXPECT_EQ(painted.DrawnInBox(60, 107), 0);
        EXPECT_GT(painted.DrawnInBox(60, 177), 50);
    }
}

TEST_F(MainWindowTest, LogoReplacesTheTitleWithItsTopLeftColourTransparent) {
    if (ScreenDepth() < 16) GTEST_SKIP() << "the logo is only used with 16 or more bits a pixel";
    constexpr COLORREF kKey = RGB(255, 0, 255);
    constexpr COLORREF kInk = RGB(200, 30, 40);
    // 40 x 20 with ink in (10, 5)-(30, 15); centred at ((565 - 40) / 2, (96 - 20) / 2).
    WriteBytes(L"logo.bmp", BitmapFile(40, 20, kKey, RECT{10, 5, 30, 15}, kInk));
    Create();
    const Painting painted;
    constexpr int left = 262;
    constexpr int top = 38;
    for (const POINT p : {POINT{0, 0}, POINT{39, 0}, POINT{0, 19}, POINT{39, 19}, POINT{9, 10}, POINT{30, 10}}) {
        SCOPED_TRACE(testing::Message() << "logo pixel " << p.x << "," << p.y);
        EXPECT_EQ(painted.At(left + p.x, top + p.y), painted.At(5, top + p.y));  // the gradient shows through
    }
    EXPECT_EQ(painted.At(left + 10, top + 5), kInk);
    EXPECT_EQ(painted.At(left + 29, top + 14), kInk);
    EXPECT_EQ(painted.At(left + 20, top + 10), kInk);
    EXPECT_EQ(painted.CountColour(RECT{130, 10, 565, 96}, RGB(230, 230, 230)), 0) << "the title is drawn as text";
    EXPECT_EQ(painted.CountColour(RECT{0, 0, 565, 96}, kKey), 0);
}

TEST(LanguageMenuItem, TextIsCutAt199Characters) {
    HMENU menu = CreatePopupMenu();
    ASSERT_NE(menu, nullptr);
    WordListDescriptor whole;
    whole.firstName = std::wstring(100, L'a');
    whole.secondName = std::wstring(98, L'b');  // 199 characters with the tab
    WordListDescriptor cut;
    cut.firstName = std::wstring(100, L'c');
    cut.secondName = std::wstring(99, L'd');
    WordListDescriptor longFirst;
    longFirst.firstName = std::wstring(230, L'e');
    longFirst.secondName = L"English";
    AddLanguageMenuItem(menu, whole, 201);
    AddLanguageMenuItem(menu, cut, 202);
    AddLanguageMenuItem(menu, longFirst, 203);

    const auto text = [menu](UINT id) {
        std::array<wchar_t, 512> buffer{};
        GetMenuStringW(menu, id, buffer.data(), static_cast<int>(buffer.size()), MF_BYCOMMAND);
        return std::wstring(buffer.data());
    };
    EXPECT_EQ(text(201), std::wstring(100, L'a') + L"\t" + std::wstring(98, L'b'));
    EXPECT_EQ(text(202), std::wstring(100, L'c') + L"\t" + std::wstring(98, L'd'));
    EXPECT_EQ(text(203), std::wstring(199, L'e'));
    EXPECT_EQ(cut.menuCommandId, 202);
    EXPECT_EQ(longFirst.menuCommandId, 203);
    DestroyMenu(menu);
}

namespace {

// Ctrl+Q while the Add window is open: the window closes through its own path first, so
// the pair appended behind the sorted entries is sorted in before the program ends.
TEST_F(MainWindowTest, TheExitShortcutClosesTheOpenToolWindowFirst) {
    Create();
    OpenToolWindow(OpenAddWindow);
    HWND add = AddWindow();
    ASSERT_NE(add, nullptr);
    SetWindowTextW(GetDlgItem(add, kAddFirstEdit), L"abeja");
    SetWindowTextW(GetDlgItem(add, kAddSecondEdit), L"bee");
    SendMessageW(GetDlgItem(add, kAddSecondEdit), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_EQ(ReadWordList(L"Spa_Eng.tvk").size(), 2u);

    Command(kCmdExit);
    const bool closedFirst = !IsWindow(add);
    if (!closedFirst) DestroyWindow(add);
    EXPECT_TRUE(closedFirst);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FirstWords(ReadWordList(L"Spa_Eng.tvk")), (std::vector<std::wstring>{L"abeja", L"casa"}));
}

}  // namespace
