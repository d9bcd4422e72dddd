// The character picker: which characters it offers, where they go, and that a click
// types into the host's edit as a key would.
#include <gtest/gtest.h>

#include "app/fonts.h"
#include "entry/characters.h"
#include "entry/picker.h"
#include "support/testenv.h"
#include "win/session.h"

namespace {

TEST(PickerCharacters, FileLineAndBuiltInSet) {
    EXPECT_EQ(PickerLineFromBytes("abc\r\ndef"), "abc\n");  // a line end is a button too
    EXPECT_EQ(PickerLineFromBytes(std::string(300, 'x')).size(), kMaxPickerCharacters);
    EXPECT_EQ(PickerLineFromBytes(std::string("ab\0cd", 5)), "ab");

    const std::string builtIn = BuiltInPickerCharacters();
    ASSERT_EQ(builtIn.size(), 66u);
    EXPECT_EQ(PickerTopRowCount(builtIn.size()), 33u);
    EXPECT_EQ(PickerCharacter(builtIn[32], 1252), L'\x00BF');
    EXPECT_EQ(PickerCharacter(builtIn[65], 1252), L'?');
    // Cyrillic: the same bytes are the capital and small letters of that code page.
    EXPECT_EQ(PickerCharacter(builtIn[0], 1251), L'\x0410');
    EXPECT_EQ(PickerCharacter(builtIn[33], 1251), L'\x0430');
}

TEST(PickerCharacters, RowsWidthAndPlacement) {
    EXPECT_EQ(PickerWidth({std::string(20, 'a'), false}), 195);
    EXPECT_EQ(PickerWidth({std::string(21, 'a'), false}), 195);
    EXPECT_EQ(PickerWidth({BuiltInPickerCharacters(), true}), 632);
    EXPECT_EQ(PickerButtonPosition(9, 21).x, 171);
    EXPECT_EQ(PickerButtonPosition(10, 21).y, 23);
    EXPECT_EQ(PickerButtonPosition(20, 21).x, 190);  // beyond the window's edge

    // Frames as thin as the width allows keep the sizes as they are; thicker ones (a
    // 30-pixel caption and 7-pixel borders) get room for the whole of both rows.
    const PickerCharacters twenty{std::string(20, 'a'), false};
    SIZE size = PickerWindowSize(twenty, {-2, -20, 2, 2});
    EXPECT_EQ(size.cx, 195);
    EXPECT_EQ(size.cy, 70);
    size = PickerWindowSize(twenty, {-7, -30, 7, 7});
    EXPECT_EQ(size.cx, 204);
    EXPECT_EQ(size.cy, 83);
    EXPECT_EQ(PickerWindowSize({BuiltInPickerCharacters(), true}, {-7, -30, 7, 7}).cx, 641);

    const POINT above = PickerPlacement({100, 300, 730, 500}, {195, 70});
    EXPECT_EQ(above.x, 317);
    EXPECT_EQ(above.y, 230);
    const POINT top = PickerPlacement({-50, 20, 100, 200}, {632, 70});
    EXPECT_EQ(top.x, 0);
    EXPECT_EQ(top.y, 0);
}

class PickerHosted : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleInstance = GetModuleHandleW(nullptr);
        ReadSystemMetrics();
        CreateSharedFonts(SharedFontSettings{}, 0);
        host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED, 100, 300, 630, 240, nullptr, nullptr,
                               ModuleInstance, nullptr);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30, host, nullptr, ModuleInstance,
                               nullptr);
        SetPickerHost(host);
        SetPickerTarget(edit);
    }
    void TearDown() override {
        CloseCharacterPicker();
        DestroyWindow(host);
        DeleteSharedFonts();
    }
    void Click(int index) {
        SendMessageW(PickerWindow(), WM_COMMAND, MAKEWPARAM(index, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(PickerWindow(), index)));
    }
    std::wstring EditText() {
        wchar_t text[64] = {};
        GetWindowTextW(edit, text, 64);
        return text;
    }
    TempDirectory dir;
    HWND host = nullptr;
    HWND edit = nullptr;
};

TEST_F(PickerHosted, ClicksTypeIntoTheTargetWithinItsLimit) {
    WriteBytes(L"charset\\French.chs", "\xE9\xE8\xE0\xE7" + std::string(16, 'a'));
    SetPickerLanguage({L"French", 0});
    ASSERT_NE(OpenCharacterPicker(), nullptr);
    RECT rect{};
    GetWindowRect(PickerWindow(), &rect);
    // Both rows whole inside the window, which stands right above the host.
    RECT client{};
    GetClientRect(PickerWindow(), &client);
    EXPECT_GE(rect.right - rect.left, 195);
    EXPECT_GE(client.right, 10 * kPickerButtonWidth);
    EXPECT_GE(client.bottom, 2 * kPickerButtonHeight);
    EXPECT_EQ(rect.bottom, 300);
    EXPECT_NE(GetDlgItem(PickerWindow(), 19), nullptr);
    EXPECT_EQ(GetDlgItem(PickerWindow(), 20), nullptr);

    Click(0);
    Click(3);
    EXPECT_EQ(EditText(), L"\x00E9\x00E7");
    SendMessageW(edit, EM_SETLIMITTEXT, 2, 0);
    Click(1);
    EXPECT_EQ(EditText(), L"\x00E9\x00E7");
}

TEST_F(PickerHosted, FollowsTheFocusedEditsCharacterSet) {
    SetPickerLanguage({L"French", 0});
    ASSERT_NE(OpenCharacterPicker(), nullptr);
    const HWND french = PickerWindow();
    // Same character set: the picker stays as it is.
    PickerFollowsEdit(edit, {L"English", 0}, true);
    EXPECT_EQ(PickerWindow(), french);
    EXPECT_EQ(CurrentPickerLanguage().name, L"French");

    // No character file for Russian: the built-in bytes as Cyrillic letters.
    PickerFollowsEdit(edit, {L"Russian", 204}, true);
    ASSERT_NE(PickerWindow(), nullptr);
    EXPECT_FALSE(IsWindow(french));
    wchar_t text[4] = {};
    GetWindowTextW(GetDlgItem(PickerWindow(), 0), text, 4);
    EXPECT_STREQ(text, L"\x0410");
    Click(33);
    EXPECT_EQ(EditText(), L"\x0430");

    // Hidden, the picker only remembers the language for its next opening.
    CloseCharacterPicker();
    PickerFollowsEdit(edit, {L"Greek", 161}, false);
    EXPECT_EQ(PickerWindow(), nullptr);
    EXPECT_EQ(CurrentPickerLanguage().charset, 161);
}

}  // namespace
