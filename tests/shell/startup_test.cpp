// The whole start-up and message loop, run in this process on a folder of its own:
// the practice list chosen at start and the shortcuts of the message loop. A thread
// timer lets the test act from inside the program's own loop once it runs.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/settingsfile.h"
#include "shell/startup.h"
#include "store/catalogue.h"
#include "support/storefixture.h"
#include "text/scramble.h"
#include "text/stringsource.h"

namespace {

struct LoopScript {
    std::function<bool()> step;  // true once it has nothing more to do
    DWORD start = 0;
    DWORD timeoutMs = 0;
    bool done = false;
    bool timedOut = false;
};
LoopScript* g_script = nullptr;

// Acts only once start-up is complete: the menu bar is attached just before the loop.
void CALLBACK RunScriptStep(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_script || !MainWindow || !GetMenu(MainWindow)) return;
    if (!g_script->done) g_script->done = g_script->step();
    if (!g_script->done && GetTickCount() - g_script->start > g_script->timeoutMs) {
        g_script->timedOut = true;
        g_script->done = true;
        DestroyWindow(MainWindow);
    }
}

class ProgramRunTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        WriteBytes(L"language.ini", "[Lingorix]\r\nLanguage=english\r\n");
        StringSource source = ParseStringSource(EnglishStringsSource());
        std::string strings = EntriesToPlain(source.entries);
        ScrambleUiBytes(strings);
        WriteBytes(L"strings\\english.str", strings);
        WriteBytes(L"languages.ini", LanguageFile({"Spanish,spanish,0"}, "Spa_Eng.tvk"));
        WriteWordList(L"Spa_Eng.tvk", {{L"casa", L"house", 0}});
        WriteWordList(L"Eng_Spa.tvk", {{L"house", L"casa", 0}});
        ProfileFile = dir.Full(L"profile.ini");
        AppSettings = {};
    }

    void TearDown() override {
        if (MainWindow && IsWindow(MainWindow)) DestroyWindow(MainWindow);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        SetMessageOwner(nullptr);
        ProfileFile = SettingsFilePath();
        ToolWindowOpen = 0;
        StayOnTop = 0;
        PracticeMode = 0;
        CurrentListId = 800;
        AppSettings = {};
        InstallEnglishUiStrings();
        StoreTest::TearDown();
    }

    // Runs the program until its main window is destroyed; `step` is called from the
    // program's loop until it returns true. The run is cut short when it takes too long.
    int Run(std::function<bool()> step, int showCommand = SW_HIDE, DWORD timeoutMs = 20000) {
        LoopScript script{std::move(step), GetTickCount(), timeoutMs, false, false};
        g_script = &script;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, RunScriptStep);
        const int code = RunLingorix(GetModuleHandleW(nullptr), L"", showCommand);
        KillTimer(nullptr, timer);
        g_script = nullptr;
        EXPECT_FALSE(script.timedOut) << "the run did not end by itself";
        return code;
    }

    std::wstring Profile(const wchar_t* key) const {
        wchar_t buffer[200] = {};
        GetPrivateProfileStringW(L"Lingorix", key, L"<missing>", buffer, 200, ProfileFile.c_str());
        return buffer;
    }
    void PutProfile(const char* text) { WriteBytes(ProfileFile, text); }
    std::string ProfileBytes() const { return ReadBytes(ProfileFile); }

    static void Exit() { SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(kCmdExit, 0), 0); }
};

WORD AcceleratorKey(int command) {
    for (const ACCEL& a : MainAcceleratorEntries())
        if (a.cmd == command) return a.key;
    return 0;
}

}  // namespace

// A practice list deleted outside the program is forgotten at start (list id 800),
// and the end of the run writes the practice list keys only when a list is current
// then. The saved id is written as "0805" so that a rewrite (which gives "805") shows.
TEST_F(ProgramRunTest, SavedPracticeListIsCheckedAtStartAndWrittenOnlyWhenOneIsCurrent) {
    struct AtStart {
        std::wstring list = L"<not run>";
        int id = -1;
    };
    const auto runOnce = [this](const char* profileText) {
        PutProfile(profileText);
        AtStart seen;
        EXPECT_EQ(Run([&] {
                      seen.list = CurrentPracticeList;
                      seen.id = CurrentListId;
                      Exit();
                      return true;
                  }),
                  0);
        EXPECT_NE(Profile(L"WinPosTopMain"), L"<missing>") << "the end of the run wrote nothing";
        return seen;
    };

    {
        SCOPED_TRACE("deleted list, no other list");
        MakeDirectories(L"practice");
        const AtStart seen = runOnce("[Lingorix]\r\nPracticeList=Gone list\r\nListID=0805\r\n");
        EXPECT_EQ(seen.list, L"");
        EXPECT_EQ(seen.id, 800);
        EXPECT_EQ(Profile(L"PracticeList"), L"Gone list");
        EXPECT_EQ(Profile(L"ListID"), L"0805");
    }
    {
        // Opening the store files makes the first list folder current instead.
        SCOPED_TRACE("deleted list, another list present");
        MakeDirectories(L"practice\\Week 1");
        const AtStart seen = runOnce("[Lingorix]\r\nPracticeList=Gone list\r\nListID=0805\r\n");
        EXPECT_EQ(seen.list, L"Week 1");
        EXPECT_EQ(seen.id, 800);
        EXPECT_EQ(Profile(L"PracticeList"), L"Week 1");
        EXPECT_EQ(Profile(L"ListID"), L"800");
    }
    {
        SCOPED_TRACE("saved list present");
        MakeDirectories(L"practice\\Verbs");
        const AtStart seen = runOnce("[Lingorix]\r\nPracticeList=verbs\r\nListID=0805\r\n");
        EXPECT_EQ(seen.list, L"verbs");
        EXPECT_EQ(seen.id, 805);
        EXPECT_EQ(Profile(L"PracticeList"), L"verbs");
        EXPECT_EQ(Profile(L"ListID"), L"805");
    }
}

// The loop translates the shortcuts for every window of the thread: with another
// window focused, the practise shortcut still reaches the main window (its question is
// asked), and once a tool window is open it does nothing while Ctrl+Q still ends the run.
TEST_F(ProgramRunTest, ShortcutsReachTheMainWindowFromAnotherFocusedWindow) {
    const WORD practise = AcceleratorKey(kCmdPractise);
    const WORD exitKey = AcceleratorKey(kCmdExit);
    ASSERT_NE(practise, 0);
    ASSERT_NE(exitKey, 0);
    SetMessageHook([this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
        messages.push_back({owner, text, caption, type});
        return IDNO;
    });

    HWND other = nullptr;
    HWND main = nullptr;
    enum class Stage { Focus, AskQuestion, ToolWindow, Ending } stage = Stage::Focus;
    bool focusedAtEnd = false;
    bool sent = true;
    const int code = Run(
        [&] {
            switch (stage) {
                case Stage::Focus:
                    main = MainWindow;
                    other = CreateWindowExW(0, L"Edit", L"other window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                            100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
                    SetForegroundWindow(other);
                    SetFocus(other);
                    stage = Stage::AskQuestion;
                    return false;
                case Stage::AskQuestion: {
                    if (GetForegroundWindow() != other || GetFocus() != other) {
                        SetForegroundWindow(other);
                        SetFocus(other);
                        return false;
                    }
                    std::vector<INPUT> keys;
                    AppendChord(keys, {VK_MENU, practise});
                    sent = sent && SendKeyboardInputs(keys);
                    stage = Stage::ToolWindow;
                    return false;
                }
                case Stage::ToolWindow: {
                    if (messages.empty()) return false;
                    // As when a tool window opens: the flag is set and the main window hides.
                    ToolWindowOpen = 1;
                    ShowWindow(MainWindow, SW_HIDE);
                    focusedAtEnd = GetFocus() == other;
                    // Both chords at once: the loop handles them in order, so a practise
                    // shortcut that did anything would have done it before the run ended.
                    std::vector<INPUT> keys;
                    AppendChord(keys, {VK_MENU, practise});
                    AppendChord(keys, {VK_CONTROL, exitKey});
                    sent = sent && SendKeyboardInputs(keys);
                    stage = Stage::Ending;
                    return false;
                }
                case Stage::Ending: return false;  // Ctrl+Q ends the run
            }
            return false;
        },
        SW_SHOWNORMAL);
    if (other && IsWindow(other)) DestroyWindow(other);
    EXPECT_TRUE(sent) << "the key presses could not be synthesized";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(stage, Stage::Ending);
    EXPECT_TRUE(focusedAtEnd);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].owner, main);
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_ICONWARNING | MB_YESNO));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_NE(Profile(L"WinPosTopMain"), L"<missing>") << "the settings were not written";
}
