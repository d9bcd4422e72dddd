// The New word list window of the real program: a language created from the menu
// shows up at the next start with its lists and icon; refused names write nothing.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "e2e/e2efixture.h"
#include "support/testenv.h"

using namespace e2e;

namespace {

void Pick(HWND list, const wchar_t* item) {
    const LRESULT at = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

class NewListTest : public EndToEndTest {
protected:
    // Opens the window from the menu; its controls in the order they were made.
    HWND Open(LaunchedApp& app, HWND main) {
        Command(main, 62);
        HWND window = app.WaitForWindow(L"createnew", EnglishText("CreateEmptyCaption").c_str());
        for (HWND child = window ? GetWindow(window, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
            controls.push_back(child);
        return controls.size() == 8 ? window : nullptr;
    }
    // Presses Create, answers the box it brings and returns the box's text.
    std::wstring Create(const LaunchedApp& app, HWND window) const {
        const RECT button = ClientRect(controls[6]);
        ClickClient(controls[6], button.right / 2, button.bottom / 2);
        const std::optional<MessageBoxWindow> box = app.WaitForMessageBox();
        if (!box) return L"(no message)";
        EXPECT_EQ(box->Caption(), L"Lingorix");
        EXPECT_EQ(GetWindow(box->Handle(), GW_OWNER), window);
        const std::wstring text = box->Text();
        box->Press(IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->Handle()); }, 15000));
        return text;
    }
    std::vector<HWND> controls;
};

TEST_F(NewListTest, CreatedLanguageIsListedAtTheNextStartWithItsListsAndIcon) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    const std::size_t menuItems = ReadMenuBar(main).popups.at(kLanguagePopup).items.size();
    HWND window = Open(app, main);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 15000));
    EXPECT_FALSE(IsTopmost(window));
    EXPECT_EQ(WindowRect(window).left, (GetSystemMetrics(SM_CXSCREEN) - 265) / 2);
    EXPECT_GE(ClientRect(window).bottom, 190) << "the buttons are cut off";
    EXPECT_EQ(FocusOf(window), controls[1]);
    EXPECT_EQ(ControlText(controls[3]), L"english");
    EXPECT_EQ(ControlText(controls[5]), L"ANSI");
    EXPECT_EQ(SendMessageW(controls[3], CB_GETCOUNT, 0, 0), 53);
    EXPECT_EQ(SendMessageW(controls[5], CB_GETCOUNT, 0, 0), 12);

    const std::wstring name = L"Old Church Slavonic";
    for (const wchar_t c : name) PostMessageW(controls[1], WM_CHAR, c, 1);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(controls[1]) == name; }, 15000));
    Pick(controls[3], L"russian");
    Pick(controls[5], L"Cyrillic");
    ASSERT_EQ(ControlText(controls[5]), L"Cyrillic");
    EXPECT_EQ(Create(app, window), EnglishText("CreateEmptyCreated"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window) && IsWindowVisible(main); }, 15000));

    const std::vector<std::string> lines = folder.LanguageFileLines();
    const auto languages = std::find(lines.begin(), lines.end(), "[Languages]");
    ASSERT_GE(lines.end() - languages, 9);
    EXPECT_EQ(std::vector<std::string>(languages, languages + 9),
              (std::vector<std::string>{"[Languages]", "French,french,0", "Spanish,spanish,0", "German,german,0",
                                        "Russian,russian,204", "Greek,greek,161",
                                        "longname,russian,204,Old Church Slavonic", "", "[Selected]"}));
    EXPECT_TRUE(folder.Exists(L"wordlists\\English_Old Church Slavonic.tvk"));
    EXPECT_TRUE(folder.Exists(L"wordlists\\Old Church Slavonic_English.tvk"));
    EXPECT_EQ(folder.Read(L"icons\\Old Church Slavonic.ico"),
              ReadBytes(SourceDirectory() + L"\\resources\\template.ico"));
    // This run's menu keeps the languages it started with.
    EXPECT_EQ(ReadMenuBar(main).popups.at(kLanguagePopup).items.size(), menuItems);

    ASSERT_EQ(app.Exit(main), 0u);
    LaunchedApp again(folder);
    HWND next = StartMainWindow(again);
    ASSERT_NE(next, nullptr);
    const MenuBar bar = ReadMenuBar(next);
    ASSERT_TRUE(bar.Find(205) && bar.Find(211));
    EXPECT_EQ(bar.Find(205)->text, L"Old Church Slavonic\tEnglish");
    EXPECT_EQ(bar.Find(211)->text, L"English\tOld Church Slavonic");
    // Its empty list opens as the current word list.
    Command(next, 205);
    EXPECT_EQ(CheckedLanguagesWhen(next, {205}), std::vector<UINT>{205});
    EXPECT_EQ(folder.SelectedWordList(), "Old Church Slavonic_English.tvk");
    EXPECT_EQ(folder.Read(L"wordlists\\Old Church Slavonic_English.tvk"), "");
    EXPECT_TRUE(again.Running());
}

TEST_F(NewListTest, RefusedNamesShowTheirMessageAndWriteNothing) {
    profile::Set(L"StayOnTop", L"1");
    const auto files = FilesBelow(folder.Path());
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND window = Open(app, main);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsTopmost(window));

    const std::wstring notAllowed = EnglishText("CreateEmptyNotAllowed");
    const struct {
        const wchar_t* name;
        std::wstring message;
    } cases[] = {
        {L"", EnglishText("CreateEmptyEnterName")},
        {L"eNGLISH", notAllowed},
        {L"rUSSIAN", L"Russian\n\n" + EnglishText("CreateEmptyExists")},
        {L"Norse, Old", notAllowed},
        {L"Old/Norse", notAllowed},
        {L"\u0420\u0443\u0441\u044C", notAllowed},
        {L"Old Norse ", notAllowed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "name of " << wcslen(c.name) << " characters");
        SendMessageW(controls[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.name));
        ASSERT_EQ(ControlText(controls[1]), c.name);
        EXPECT_EQ(Create(app, window), c.message);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == controls[1]; }, 15000));
    }
    EXPECT_EQ(FilesBelow(folder.Path()), files);

    const RECT cancel = ClientRect(controls[7]);
    ClickClient(controls[7], cancel.right / 2, cancel.bottom / 2);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window) && IsWindowVisible(main); }, 15000));
}

}  // namespace
