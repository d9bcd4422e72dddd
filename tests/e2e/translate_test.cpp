// The Translate window of the real program: a text from a file (8-bit or UTF-8) or
// the clipboard, and the word at the caret looked up in the current word list.
#include <string>

#include "e2e/e2efixture.h"
#include "support/testenv.h"

using namespace e2e;

namespace {

class TranslateTest : public EndToEndTest {
protected:
    HWND Open(LaunchedApp& app, HWND main) {
        Command(main, 9);
        HWND window = app.WaitForWindow(L"vertaal", nullptr);
        if (window) pane = WaitForControl(window, 31);
        return window;
    }
    // The caret where a click would put it, then the click's release.
    void ClickAt(std::size_t position) {
        SendMessageW(pane, EM_SETSEL, position, position);
        PostMessageW(pane, WM_LBUTTONUP, 0, 0);
    }
    bool RowsShow(HWND window, const std::wstring& first, const std::wstring& second) {
        return WaitUntil([&] {
            return ControlText(GetDlgItem(window, 100)) == first && ControlText(GetDlgItem(window, 150)) == second;
        }, 10000);
    }
    // Answers the program's open dialog with a file of the data folder.
    bool ChooseFile(LaunchedApp& app, HWND window, const std::wstring& relative) {
        Command(window, 1);
        HWND dialog = app.WaitForWindow(L"#32770", nullptr);
        if (!dialog) return false;
        HWND name = nullptr;
        if (!WaitUntil([&] { return (name = GetDlgItem(dialog, 0x47C)) || (name = GetDlgItem(dialog, 0x480)); },
                       10000))
            return false;
        const std::wstring path = folder.Full(relative);
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return WaitUntil([&] { return !IsWindow(dialog); }, 10000);
    }
    HWND pane = nullptr;
};

TEST_F(TranslateTest, WordsOfALoadedTextAreLookedUpAtTheCaret) {
    folder.Write(L"ansi.txt", "Le chat dort.\ndans la maison");                               // code page 1252
    folder.Write(L"utf8.txt", "\xEF\xBB\xBF" "Un \xC3\xA9t\xC3\xA9 chaud");                  // UTF-8 with its mark
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND window = Open(app, main);
    ASSERT_NE(window, nullptr);

    ASSERT_TRUE(ChooseFile(app, window, L"ansi.txt"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(pane) == L"Le chat dort.\r\ndans la maison"; }, 10000));
    ClickAt(5);  // inside "chat"
    EXPECT_TRUE(RowsShow(window, L"chat", L"cat"));
    EXPECT_EQ(ControlText(GetDlgItem(window, 30)), L"chat");
    ClickAt(24);  // "maison", after the line break
    EXPECT_TRUE(RowsShow(window, L"maison", L"house, home"));

    ASSERT_TRUE(ChooseFile(app, window, L"utf8.txt"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(pane) == L"Un \x00E9t\x00E9 chaud"; }, 10000));
    ClickAt(4);
    EXPECT_TRUE(RowsShow(window, L"\x00E9t\x00E9", L"summer"));

    PostMessageW(GetDlgItem(window, 14), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window) && IsWindowVisible(main); }, 10000));
}

TEST_F(TranslateTest, ClipboardTextInAnotherScriptIsReadAsUnicode) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, 203);  // Russian-English
    EXPECT_EQ(CheckedLanguagesWhen(main, {203}), std::vector<UINT>{203});
    HWND window = Open(app, main);
    ASSERT_NE(window, nullptr);

    const std::wstring text = L"\x0434\x043e\x043c \x0438 \x043a\x043e\x0442";  // a house and a cat
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();

    Command(window, 20);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(pane) == text; }, 10000));
    ClickAt(1);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(window, 30)) == L"\x0434\x043e\x043c"; }, 10000));
}

}  // namespace
