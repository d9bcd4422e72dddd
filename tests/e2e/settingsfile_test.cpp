// The settings of the real program live in lingorix.ini in its data folder: an earlier
// installation's section in win.ini carries over once, and a settings file that cannot
// be written costs nothing but the settings of that run.
#include <optional>
#include <string>

#include "e2e/e2efixture.h"

using namespace e2e;

namespace {

class SettingsFileTest : public EndToEndTest {
protected:
    // Starts the program and ends it through its menu, the way a user ends a run.
    std::optional<RECT> RunOnce(int russianEnglish = 0) {
        LaunchedApp app(folder);
        HWND main = StartMainWindow(app);
        if (!main) return std::nullopt;
        const RECT place = WindowRect(main);
        if (russianEnglish) {
            Command(main, russianEnglish);
            CheckedLanguagesWhen(main, {static_cast<UINT>(russianEnglish)});
        }
        if (app.Exit(main) != std::optional<DWORD>(0)) return std::nullopt;
        return place;
    }
};

TEST_F(SettingsFileTest, AnEarlierInstallationsSettingsCarryOverOnce) {
    profile::SetLegacy(L"WinPosLeftMain", L"30");
    profile::SetLegacy(L"WinPosTopMain", L"40");
    profile::SetLegacy(L"lastrecord_Greek", L"5");
    std::optional<RECT> place = RunOnce();
    ASSERT_TRUE(place);
    EXPECT_EQ(place->left, 30);
    EXPECT_EQ(place->top, 40);
    EXPECT_EQ(profile::Int(L"WinPosLeftMain"), 30);
    EXPECT_EQ(profile::Int(L"lastrecord_Greek"), 5);  // not written by the run, carried over
    EXPECT_EQ(profile::LegacyText(L"WinPosLeftMain"), std::optional<std::wstring>(L"30"));

    // Later changes to the earlier section no longer count.
    profile::SetLegacy(L"WinPosLeftMain", L"300");
    place = RunOnce();
    ASSERT_TRUE(place);
    EXPECT_EQ(place->left, 30);
}

TEST_F(SettingsFileTest, AnUnwritableSettingsFileLosesNothingElse) {
    profile::Set(L"WinPosLeftMain", L"30");
    profile::Set(L"WinPosTopMain", L"40");
    const std::wstring settings = folder.Full(L"lingorix.ini");
    const std::string before = folder.Read(L"lingorix.ini");
    ASSERT_TRUE(SetFileAttributesW(settings.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::optional<RECT> place = RunOnce(203);  // Russian-English
    SetFileAttributesW(settings.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->left, 30);
    EXPECT_EQ(folder.Read(L"lingorix.ini"), before);
    EXPECT_FALSE(folder.Exists(L"lingorix.ini.tmp"));
    EXPECT_EQ(folder.SelectedWordList(), "Rus_Eng.tvk");
}

}  // namespace
