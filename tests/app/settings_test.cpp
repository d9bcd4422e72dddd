// The settings section of the profile file: defaults, what is written and when.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/settings.h"
#include "app/settingsfile.h"
#include "support/testenv.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallEnglishUiStrings(); }

    std::wstring Value(const wchar_t* key) const {
        std::array<wchar_t, 200> buffer{};
        GetPrivateProfileStringW(L"Lingorix", key, L"<missing>", buffer.data(), static_cast<DWORD>(buffer.size()),
                                 profile.c_str());
        return buffer.data();
    }
    void Put(const wchar_t* key, const wchar_t* value) const {
        WritePrivateProfileStringW(L"Lingorix", key, value, profile.c_str());
    }

    TempDirectory dir;
    std::wstring profile = dir.Full(L"profile.ini");
};

}  // namespace

TEST_F(SettingsTest, FreshProfileGivesTheDefaults) {
    Settings s;
    s.colorG = -1;
    s.guiFontSize = -1;
    s.practiceList = L"stale";
    ReadStartSettings(s, profile);
    ReadPracticeListSettings(s, profile);
    ReadWindowSettings(s, profile);

    EXPECT_EQ(s.languageFont, L"Times New Roman");
    EXPECT_EQ(s.guiFont, L"Arial");
    EXPECT_EQ(s.guiFontSize, 9);
    EXPECT_EQ(s.languageFontSize, 30);
    EXPECT_EQ(s.searchWindowSize, 10);
    EXPECT_EQ(s.searchWindowMinimal, 0);
    EXPECT_EQ(s.practiceList, L"");
    EXPECT_EQ(s.listId, 800);
    EXPECT_EQ(s.colorR, 0);
    EXPECT_EQ(s.colorG, 200);
    EXPECT_EQ(s.colorB, 0);
    EXPECT_EQ(s.colorRi, 0);
    EXPECT_EQ(s.colorGi, 3);
    EXPECT_EQ(s.colorBi, 0);
    EXPECT_EQ(s.aboutPause, 0);
    EXPECT_EQ(s.practiceMode, 0);
    EXPECT_EQ(s.stayOnTop, 0);
    for (const WindowPosition* p : {&s.mainWindow, &s.practise, &s.makelist, &s.add, &s.translate, &s.search}) {
        EXPECT_EQ(p->left, 9999);
        EXPECT_EQ(p->top, 9999);
        EXPECT_FALSE(p->Saved());
    }
    EXPECT_EQ(s.clipSearch, 0);
    EXPECT_EQ(s.addNewWordsToList, 1);
    EXPECT_EQ(s.practiceSound, 1);
    EXPECT_FALSE(FileExists(profile));  // reading writes nothing
}

TEST_F(SettingsTest, ReadsHandEditedValues) {
    Put(L"languagefont", L"Georgia");
    Put(L"guifontsize", L"11");
    Put(L"colorR", L"300");
    Put(L"colorGi", L"abc");
    Put(L"AboutPause", L"3000");
    Put(L"WinPosLeftSearch", L"40");
    Put(L"WinPosTopSearch", L"50");
    Put(L"PracticeList", L"Week 1");
    Put(L"ListID", L"802");
    Settings s;
    ReadStartSettings(s, profile);
    ReadPracticeListSettings(s, profile);
    ReadWindowSettings(s, profile);
    EXPECT_EQ(s.languageFont, L"Georgia");
    EXPECT_EQ(s.guiFontSize, 11);
    EXPECT_EQ(s.colorR, 300);  // the painter keeps the low 8 bits
    EXPECT_EQ(s.colorGi, 0);   // not a number
    EXPECT_EQ(s.aboutPause, 3000);
    EXPECT_EQ(s.search.left, 40);
    EXPECT_EQ(s.search.top, 50);
    EXPECT_EQ(s.practiceList, L"Week 1");
    EXPECT_EQ(s.listId, 802);
}

TEST_F(SettingsTest, FaceNamesAreCutAt48Characters) {
    const std::wstring longFace(60, L'x');
    Put(L"guifont", longFace.c_str());
    Settings s;
    ReadStartSettings(s, profile);
    EXPECT_EQ(s.guiFont, std::wstring(48, L'x'));
}

TEST_F(SettingsTest, WritesTheAlwaysKeysAndNotTheUnsavedPositions) {
    Settings s;
    s.searchWindowSize = 14;
    s.searchWindowMinimal = 1;
    s.practiceMode = 1;
    s.stayOnTop = 1;
    s.mainWindow = {120, 80};
    s.add = {5, 6};
    s.clipSearch = 1;
    s.addNewWordsToList = 0;
    s.practiceSound = 0;
    s.colorG = 17;
    s.languageFont = L"Georgia";
    WriteSettings(s, profile);

    EXPECT_EQ(Value(L"searchwindowsize"), L"14");
    EXPECT_EQ(Value(L"searchwindowminimal"), L"1");
    EXPECT_EQ(Value(L"PracticeMode"), L"1");
    EXPECT_EQ(Value(L"PracticeSound"), L"0");
    EXPECT_EQ(Value(L"StayOnTop"), L"1");
    EXPECT_EQ(Value(L"WinPosLeftMain"), L"120");
    EXPECT_EQ(Value(L"WinPosTopMain"), L"80");
    EXPECT_EQ(Value(L"WinPosLeftAdd"), L"5");
    EXPECT_EQ(Value(L"WinPosTopAdd"), L"6");
    EXPECT_EQ(Value(L"ClipSearch"), L"1");
    EXPECT_EQ(Value(L"AddNewWordsToList"), L"0");
    for (const wchar_t* key : {L"WinPosLeftPractise", L"WinPosTopPractise", L"WinPosLeftMakelist", L"WinPosTopMakelist",
                               L"WinPosLeftTranslate", L"WinPosTopTranslate", L"WinPosLeftSearch", L"WinPosTopSearch",
                               L"PracticeList", L"ListID", L"colorG", L"languagefont", L"guifontsize", L"AboutPause"})
        EXPECT_EQ(Value(key), L"<missing>") << key;
}

TEST_F(SettingsTest, PracticeListIsWrittenOnlyWhenOneIsCurrent) {
    Put(L"PracticeList", L"Old list");
    Put(L"ListID", L"801");
    Settings none;
    WriteSettings(none, profile);
    EXPECT_EQ(Value(L"PracticeList"), L"Old list");  // left as it was
    EXPECT_EQ(Value(L"ListID"), L"801");

    Settings current;
    current.practiceList = L"Week 1";
    current.listId = 803;
    WriteSettings(current, profile);
    EXPECT_EQ(Value(L"PracticeList"), L"Week 1");
    EXPECT_EQ(Value(L"ListID"), L"803");
}

TEST_F(SettingsTest, RoundTripKeepsEverythingThatIsWritten) {
    Settings out;
    out.searchWindowSize = 7;
    out.practiceMode = 1;
    out.stayOnTop = 1;
    out.mainWindow = {-30, 40};
    out.practise = {1, 2};
    out.makelist = {3, 4};
    out.add = {5, 6};
    out.translate = {7, 8};
    out.search = {9, 10};
    out.clipSearch = 1;
    out.addNewWordsToList = 0;
    out.practiceSound = 0;
    out.practiceList = L"Vocabulario día 1";
    out.listId = 805;
    WriteSettings(out, profile);

    Settings in;
    ReadStartSettings(in, profile);
    ReadPracticeListSettings(in, profile);
    ReadWindowSettings(in, profile);
    EXPECT_EQ(in.searchWindowSize, 7);
    EXPECT_EQ(in.practiceMode, 1);
    EXPECT_EQ(in.stayOnTop, 1);
    EXPECT_EQ(in.mainWindow.left, -30);
    EXPECT_EQ(in.mainWindow.top, 40);
    EXPECT_EQ(in.practise.top, 2);
    EXPECT_EQ(in.makelist.top, 4);
    EXPECT_EQ(in.add.left, 5);
    EXPECT_EQ(in.translate.left, 7);
    EXPECT_EQ(in.search.top, 10);
    EXPECT_EQ(in.clipSearch, 1);
    EXPECT_EQ(in.addNewWordsToList, 0);
    EXPECT_EQ(in.practiceSound, 0);
    EXPECT_EQ(in.practiceList, L"Vocabulario día 1");
    EXPECT_EQ(in.listId, 805);
}

// The section is read in one go; each value must still read as the profile
// functions read it one key at a time.
TEST_F(SettingsTest, ValuesReadLikeSingleProfileLookUps) {
    const std::wstring text = L"[Other]\r\nStayOnTop=1\r\n[Lingorix]\r\n  stayontop = 1 \r\nWinPosLeftMain=-120\r\n"
                              L"WinPosTopMain=+35\r\ncolorB=\r\ncolorR= 12abc\r\ncolorG=\"100\"\r\nguifont=\"Courier New\"\r\n"
                              L"PracticeMode=1\r\nPracticeMode=0\r\n[Later]\r\nClipSearch=1\r\n";
    std::string bytes(text.begin(), text.end());
    WriteBytes(profile, bytes);
    Settings s;
    ReadStartSettings(s, profile);
    ReadWindowSettings(s, profile);
    for (const wchar_t* key : {L"StayOnTop", L"WinPosLeftMain", L"WinPosTopMain", L"colorB", L"colorR", L"colorG",
                               L"PracticeMode", L"ClipSearch"}) {
        SCOPED_TRACE(testing::Message() << "key " << std::string(key, key + std::wcslen(key)));
        const int single = static_cast<int>(GetPrivateProfileIntW(L"Lingorix", key, 77, profile.c_str()));
        const int fromSection = key == std::wstring(L"StayOnTop")        ? s.stayOnTop
                                : key == std::wstring(L"WinPosLeftMain") ? s.mainWindow.left
                                : key == std::wstring(L"WinPosTopMain")  ? s.mainWindow.top
                                : key == std::wstring(L"colorB")         ? s.colorB
                                : key == std::wstring(L"colorR")         ? s.colorR
                                : key == std::wstring(L"colorG")         ? s.colorG
                                : key == std::wstring(L"PracticeMode")   ? s.practiceMode
                                                                         : s.clipSearch;
        if (single != 77) {
            EXPECT_EQ(fromSection, single);
        }
    }
    EXPECT_EQ(s.stayOnTop, 1);
    EXPECT_EQ(s.mainWindow.left, -120);
    EXPECT_EQ(s.mainWindow.top, 35);
    EXPECT_EQ(s.colorR, 12);
    EXPECT_EQ(s.colorG, 100);  // quoted, as a hand-edited file may have it
    EXPECT_EQ(s.colorB, 0);  // empty: the default
    EXPECT_EQ(s.practiceMode, 1);  // the first of two entries counts
    EXPECT_EQ(s.clipSearch, 0);    // another section's key is not ours
    EXPECT_EQ(s.guiFont, L"Courier New");
}

// The About animation's pause is read from the key the strings file names, not from
// a key of a fixed name.
TEST_F(SettingsTest, AboutPauseKeyIsNamedByTheStringsFile) {
    Put(L"AboutPause", L"900");
    Put(L"AnimationRest", L"250");
    InstallEnglishUiStrings({{"AviDelay", "AnimationRest"}});
    Settings renamed;
    ReadWindowSettings(renamed, profile);
    EXPECT_EQ(renamed.aboutPause, 250);

    InstallEnglishUiStrings({{"AviDelay", "NoSuchKey"}});
    Settings missing;
    ReadWindowSettings(missing, profile);
    EXPECT_EQ(missing.aboutPause, 0);
    InstallEnglishUiStrings();
}

// An earlier installation kept the section in another file: it is read until the
// settings file exists, and the first write carries all of it over, keys this run
// does not write included.
TEST_F(SettingsTest, TheEarlierSectionIsReadUntilTheFirstWriteCarriesItOver) {
    const std::wstring legacy = dir.Full(L"legacy.ini");
    WritePrivateProfileStringW(L"Lingorix", L"guifont", L"Tahoma", legacy.c_str());
    WritePrivateProfileStringW(L"Lingorix", L"lastrecord_Greek", L"7", legacy.c_str());
    WritePrivateProfileStringW(L"Other", L"kept", L"1", legacy.c_str());
    LegacyProfileFile = legacy;
    Settings s;
    ReadStartSettings(s, profile);
    EXPECT_EQ(s.guiFont, L"Tahoma");
    EXPECT_FALSE(FileExists(profile));

    s.practiceMode = 1;
    WriteSettings(s, profile);
    EXPECT_EQ(Value(L"guifont"), L"Tahoma");
    EXPECT_EQ(Value(L"lastrecord_Greek"), L"7");
    EXPECT_EQ(Value(L"PracticeMode"), L"1");
    EXPECT_FALSE(FileExists(profile + L".tmp"));

    // From now on the settings file alone counts.
    WritePrivateProfileStringW(L"Lingorix", L"guifont", L"Verdana", legacy.c_str());
    ReadStartSettings(s, profile);
    EXPECT_EQ(s.guiFont, L"Tahoma");
    EXPECT_EQ(ReadLastRecorded(L"Greek", profile), 7);
    LegacyProfileFile.clear();
}

// A settings file the user cannot change stays as it was, and the run goes on.
TEST_F(SettingsTest, AReadOnlySettingsFileIsLeftWhole) {
    Put(L"PracticeMode", L"0");
    const std::string before = ReadBytes(profile);
    ASSERT_TRUE(SetFileAttributesW(profile.c_str(), FILE_ATTRIBUTE_READONLY));
    Settings s;
    s.practiceMode = 1;
    WriteSettings(s, profile);
    WriteLastRecorded(L"French", 3, profile);
    EXPECT_EQ(ReadBytes(profile), before);
    EXPECT_FALSE(FileExists(profile + L".tmp"));
    SetFileAttributesW(profile.c_str(), FILE_ATTRIBUTE_NORMAL);
}
