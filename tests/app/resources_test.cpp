// The program's own resources, the About box built from them, and help addresses.
#include <gtest/gtest.h>

#include <string>

#include "app/aboutbox.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/help.h"
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
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 69)), L"Version = Lingorix 3.7.4 Vista BETA");
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

TEST(Help, PageAddressCarriesTheKeywordAsAnchor) {
    EXPECT_EQ(HelpPageUrl(L"C:\\Program Files\\Lingorix\\help\\lingorix.html", L"Add"),
              L"file:///C:/Program%20Files/Lingorix/help/lingorix.html#add");
    EXPECT_EQ(HelpPageUrl(L"C:\\x\\help.html", nullptr), L"file:///C:/x/help.html");
    EXPECT_EQ(HelpPageUrl(L"C:\\50%#\\h.html", L""), L"file:///C:/50%25%23/h.html");
}
