// The program's own resources, the About box built from them, and help addresses.
#include <gtest/gtest.h>

#include <windows.h>
#include <vfw.h>

#include <string>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/help.h"
#include "app/settings.h"
#include "shell/aboutbox.h"
#include "support/testenv.h"
#include "text/uistrings.h"

namespace {

std::wstring TextOf(HWND window) {
    wchar_t buffer[200] = {};
    GetWindowTextW(window, buffer, 200);
    return buffer;
}

RECT DialogUnits(HWND dialog, RECT r) {
    MapDialogRect(dialog, &r);
    return r;
}

// The media window among the dialog's children; null when none was made.
HWND AnimationWindow(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (_wcsicmp(name, L"Button") != 0 && _wcsicmp(name, L"Static") != 0) return child;
    }
    return nullptr;
}

}  // namespace

TEST(Resources, HoldTheIconDialogsAndTemplateIcon) {
    HMODULE self = GetModuleHandleW(nullptr);
    EXPECT_NE(LoadIconW(self, L"tavokicon"), nullptr);
    EXPECT_NE(FindResourceW(self, L"AboutBox", MAKEINTRESOURCEW(5) /* RT_DIALOG */), nullptr);
    EXPECT_NE(FindResourceW(self, L"listdialog", MAKEINTRESOURCEW(5)), nullptr);

    HRSRC data = FindResourceW(self, MAKEINTRESOURCEW(13), L"DATA");
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(SizeofResource(self, data), 1078u);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(self, data)));
    const std::string shipped = ReadBytes(SourceDirectory() + L"\\resources\\template.ico");
    EXPECT_EQ(std::string(bytes, 1078), shipped);
}

TEST(AboutBox, ShowsItsTextsAndClosesWithEscape) {
    InstallEnglishUiStrings();
    TempDirectory dir;  // no animation file here
    ModuleInstance = GetModuleHandleW(nullptr);
    CreateSharedFonts(SharedFontSettings{}, 0);
    HWND dialog = CreateDialogParamW(ModuleInstance, L"AboutBox", nullptr, AboutDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), UiText(Ui::AboutDialogCaption));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), UiText(Ui::AboutDialogOk));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 69)), L"Version = Lingorix " LINGORIX_VERSION_WTEXT L" Vista BETA");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 70)), UiText(Ui::AboutDialogCopyright));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 71)), UiText(Ui::AboutDialogWebsite));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 72)), UiText(Ui::AboutDialogEmail));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDOK, WM_GETFONT, 0, 0)), GuiFont);

    // The OK button stands where the template puts it.
    RECT ok{};
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
    const RECT expected = DialogUnits(dialog, RECT{171, 60, 221, 74});
    EXPECT_EQ(ok.left, expected.left);
    EXPECT_EQ(ok.top, expected.top);

    EXPECT_EQ(AboutDialogProc(dialog, WM_COMMAND, IDCANCEL, 0), TRUE);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(AboutDialogProc(dialog, WM_COMMAND, 1000, 0), FALSE);
    DestroyWindow(dialog);
    DeleteSharedFonts();
}

// Real playback cannot be watched here, so the dialog is told by hand how a play
// ended, and the media device shows whether a new play from the start began.
TEST(AboutBox, AnimationReplaysOnlyAfterASuccessfulPlayAndClosesWithOk) {
    TempDirectory dir;
    WriteBytes(L"gorix.avi", ReadBytes(SourceDirectory() + L"\\data\\runtime\\gorix.avi"));
    ASSERT_TRUE(FileExists(L"gorix.avi"));
    // The pause between plays comes from the key that the strings file names.
    InstallEnglishUiStrings({{"AviDelay", "AnimationRest"}});
    const std::wstring profile = dir.Full(L"profile.ini");
    WritePrivateProfileStringW(L"Lingorix", L"AnimationRest", L"300", profile.c_str());
    WritePrivateProfileStringW(L"Lingorix", L"AboutPause", L"0", profile.c_str());
    AppSettings = {};
    ReadWindowSettings(AppSettings, profile);
    const int pause = AppSettings.aboutPause;
    AppSettings.aboutPause = 0;
    ModuleInstance = GetModuleHandleW(nullptr);
    CreateSharedFonts(SharedFontSettings{}, 0);

    HWND dialog = CreateDialogParamW(ModuleInstance, L"AboutBox", nullptr, AboutDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND animation = AnimationWindow(dialog);
    if (!animation) {
        DestroyWindow(dialog);
        DeleteSharedFonts();
        InstallEnglishUiStrings();
        GTEST_SKIP() << "no media window can open the animation here";
    }
    EXPECT_EQ(GetParent(animation), dialog);
    const LPARAM device = static_cast<LPARAM>(MCIWndGetDeviceID(animation));
    const auto mode = [animation] { return MCIWndGetMode(animation, nullptr, 0); };
    const auto position = [animation] { return MCIWndGetPosition(animation); };
    const auto ended = [dialog, device](WPARAM how) { SendMessageW(dialog, MM_MCINOTIFY, how, device); };
    EXPECT_TRUE(WaitFor([&] { return mode() == MCI_MODE_PLAY; })) << "the animation does not start";

    // Stopped at the last frame: any end but a successful one leaves it there.
    MCIWndStop(animation);
    ASSERT_TRUE(WaitFor([&] { return mode() == MCI_MODE_STOP; }));
    MCIWndSeek(animation, MCIWND_END);
    const LONG last = position();
    EXPECT_GT(last, 0);
    for (const WPARAM how : {WPARAM{MCI_NOTIFY_ABORTED}, WPARAM{MCI_NOTIFY_SUPERSEDED}, WPARAM{MCI_NOTIFY_FAILURE}}) {
        SCOPED_TRACE(testing::Message() << "notification " << how);
        ended(how);
        EXPECT_EQ(mode(), MCI_MODE_STOP);
        EXPECT_EQ(position(), last);
    }

    // A successful end plays again from the first frame.
    ended(MCI_NOTIFY_SUCCESSFUL);
    EXPECT_TRUE(WaitFor([&] { return mode() == MCI_MODE_PLAY && position() < last; }));

    // With a pause the next play waits that long on the last frame.
    MCIWndStop(animation);
    ASSERT_TRUE(WaitFor([&] { return mode() == MCI_MODE_STOP; }));
    EXPECT_EQ(pause, 300);
    AppSettings.aboutPause = pause;
    const DWORD start = GetTickCount();
    ended(MCI_NOTIFY_SUCCESSFUL);
    EXPECT_GE(GetTickCount() - start, 290u);
    EXPECT_TRUE(WaitFor([&] { return mode() == MCI_MODE_PLAY; }));
    AppSettings = {};

    // The OK button closes the dialog and the animation with it.
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(animation));
    EXPECT_FALSE(IsWindowVisible(dialog));
    DestroyWindow(dialog);
    DeleteSharedFonts();
    InstallEnglishUiStrings();
}

TEST(Help, PageAddressCarriesTheKeywordAsAnchor) {
    EXPECT_EQ(HelpPageUrl(L"C:\\Program Files\\Lingorix\\help\\lingorix.html", L"Add"),
              L"file:///C:/Program%20Files/Lingorix/help/lingorix.html#add");
    EXPECT_EQ(HelpPageUrl(L"C:\\x\\help.html", nullptr), L"file:///C:/x/help.html");
    EXPECT_EQ(HelpPageUrl(L"C:\\50%#\\h.html", L""), L"file:///C:/50%25%23/h.html");
}
