#include <gtest/gtest.h>

#include <string>

#include "support/testenv.h"
#include "text/scramble.h"
#include "text/stringsource.h"
#include "text/uistrings.h"

namespace {

std::vector<StringEntry> EnglishEntries() {
    StringSource source = ParseStringSource(EnglishStringsSource());
    EXPECT_TRUE(source.Ok()) << source.error;
    return source.entries;
}

void Set(std::vector<StringEntry>& entries, const std::string& key, const std::string& value) {
    for (StringEntry& e : entries)
        if (e.key == key) {
            e.value = value;
            return;
        }
    entries.push_back({key, value});
}

void Remove(std::vector<StringEntry>& entries, const std::string& key) {
    std::erase_if(entries, [&](const StringEntry& e) { return e.key == key; });
}

// Writes a strings file and the language.ini that selects it, as a user's folder has them.
void WriteSelectedStringsFile(const std::string& plain, const std::string& name = "test") {
    std::string scrambled = plain;
    ScrambleUiBytes(scrambled);
    WriteBytes(L"strings\\" + std::wstring(name.begin(), name.end()) + L".str", scrambled);
    WriteBytes(L"language.ini", "[Lingorix]\r\nLanguage=" + name + "\r\n");
}

class UiStringsFile : public ::testing::Test {
protected:
    TempDirectory dir;
};

}  // namespace

TEST_F(UiStringsFile, LoadsTheFileThatLanguageIniSelects) {
    WriteSelectedStringsFile(EntriesToPlain(EnglishEntries()));
    EXPECT_EQ(UiStringsPath(), dir.Path() + L"\\strings\\test.str");
    ASSERT_TRUE(LoadUiStringsFile(UiStringsPath()).Ok());
    EXPECT_STREQ(UiText(Ui::Lingorix), L"Lingorix");
    EXPECT_STREQ(UiText(Ui::PathLanguage), L"wordlists\\");
    EXPECT_EQ(UiCharset(), 0);
    EXPECT_EQ(UiCodePage(), 1252u);
}

TEST_F(UiStringsFile, MissingFileOrSelectionIsReportedAsNoStringsFile) {
    EXPECT_EQ(UiStringsPath(), dir.Path() + L"\\strings\\.str");
    EXPECT_EQ(LoadUiStringsFile(UiStringsPath()).status, UiLoadResult::Status::FileMissing);
    WriteBytes(L"language.ini", "[Lingorix]\r\nLanguage=dutch\r\n");
    EXPECT_EQ(LoadUiStringsFile(UiStringsPath()).status, UiLoadResult::Status::FileMissing);
}

TEST_F(UiStringsFile, TheFirstMissingKeyInLookUpOrderIsNamed) {
    auto entries = EnglishEntries();
    Remove(entries, "Install_Finished");
    Remove(entries, "ForeignFonts");
    WriteSelectedStringsFile(EntriesToPlain(entries));
    const UiLoadResult result = LoadUiStringsFile(UiStringsPath());
    EXPECT_EQ(result.status, UiLoadResult::Status::KeyMissing);
    EXPECT_EQ(result.missingKey, "Install_Finished");
}

TEST_F(UiStringsFile, AFileScrambledWithAnotherKeyMatchesNoKey) {
    std::string plain = EntriesToPlain(EnglishEntries());
    for (char& c : plain) c = static_cast<char>(c + 7);  // some other scrambling
    WriteBytes(L"strings\\odd.str", plain);
    WriteBytes(L"language.ini", "[Lingorix]\r\nLanguage=odd\r\n");
    EXPECT_EQ(LoadUiStringsFile(UiStringsPath()).status, UiLoadResult::Status::KeyMissing);
}

TEST_F(UiStringsFile, DamagedFilesAreRefusedOrReadSafely) {
    const std::string plain = EntriesToPlain(EnglishEntries());
    // Without the final empty entry the reading still stops at the end of the data.
    WriteSelectedStringsFile(plain.substr(0, plain.size() - 1));
    EXPECT_TRUE(LoadUiStringsFile(UiStringsPath()).Ok());
    // Without the last zero of the last entry, that entry still counts to the end.
    WriteSelectedStringsFile(plain.substr(0, plain.size() - 2));
    EXPECT_TRUE(LoadUiStringsFile(UiStringsPath()).Ok());
    // Cut in the middle: a clean "key missing", no crash.
    WriteSelectedStringsFile(plain.substr(0, plain.size() / 2));
    EXPECT_EQ(LoadUiStringsFile(UiStringsPath()).status, UiLoadResult::Status::KeyMissing);
    WriteSelectedStringsFile("");
    EXPECT_EQ(LoadUiStringsFile(UiStringsPath()).status, UiLoadResult::Status::KeyMissing);
}

TEST(UiStringsLookUp, KeysMatchCaseBlindWithTheirEqualsSign) {
    auto entries = EnglishEntries();
    Remove(entries, "OK");
    entries.insert(entries.begin(), {"ok", "fine"});
    Remove(entries, "Error");
    Remove(entries, "ErrorLocale");
    entries.insert(entries.begin(), {"ErrorLocale", "locale missing"});
    entries.push_back({"Error", "trouble"});
    Set(entries, "Done", "b=c");
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_STREQ(UiText(Ui::OK), L"fine");
    EXPECT_STREQ(UiText(Ui::Error), L"trouble");
    EXPECT_STREQ(UiText(Ui::ErrorLocale), L"locale missing");
    EXPECT_STREQ(UiText(Ui::Done), L"b=c");
    EXPECT_EQ(LookUpUiText("NoSuchKey"), nullptr);
}

// An entry counts for a key only when the key starts the entry and "=" follows it.
TEST(UiStringsLookUp, AKeyMatchesOnlyAtTheEntryStartAndUpToItsEqualsSign) {
    auto entries = EnglishEntries();
    Remove(entries, "OK");
    entries.insert(entries.begin(), {"OKAY", "longer key"});
    entries.insert(entries.begin(), {" OK", "indented"});
    UiLoadResult result = InstallUiStrings(EntriesToPlain(entries));
    EXPECT_EQ(result.status, UiLoadResult::Status::KeyMissing);
    EXPECT_EQ(result.missingKey, "OK");

    entries.push_back({"OK", "right"});
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_STREQ(UiText(Ui::OK), L"right");
    EXPECT_STREQ(LookUpUiText("OKAY"), L"longer key");
    InstallEnglishUiStrings();
}

// The character set decides how the rest of the file is converted, so it is looked
// up before any other key and read like atol: leading digits, 0 without any.
TEST(UiStringsLookUp, TheCharacterSetIsLookedUpFirstAndReadFromItsLeadingDigits) {
    auto entries = EnglishEntries();
    Remove(entries, "MainMenuFile0");
    Remove(entries, "CharactersetCode");
    UiLoadResult result = InstallUiStrings(EntriesToPlain(entries));
    EXPECT_EQ(result.status, UiLoadResult::Status::KeyMissing);
    EXPECT_EQ(result.missingKey, "CharactersetCode");

    entries = EnglishEntries();
    Set(entries, "CharactersetCode", "204 Cyrillic");
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_EQ(UiCharset(), 204);
    EXPECT_EQ(UiCodePage(), 1251u);

    Set(entries, "CharactersetCode", "Cyrillic");
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_EQ(UiCharset(), 0);
    EXPECT_EQ(UiCodePage(), 1252u);
    EXPECT_EQ(UiTextInt(Ui::CharactersetCode), 0);

    Set(entries, "CharactersetCode", "");
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_EQ(UiCharset(), 0);
    EXPECT_EQ(UiCodePage(), 1252u);
    InstallEnglishUiStrings();
}

TEST(UiStringsLookUp, TheFirstOfDuplicateEntriesWins) {
    auto entries = EnglishEntries();
    entries.insert(entries.begin(), {"Cancel", "first"});
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_STREQ(UiText(Ui::Cancel), L"first");
}

TEST(UiStringsLookUp, ForeignFontsAnnounceTheirFaceKeys) {
    auto entries = EnglishEntries();
    Set(entries, "ForeignFonts", "2");
    Set(entries, "Font600", "Alpha Face");
    UiLoadResult result = InstallUiStrings(EntriesToPlain(entries));
    EXPECT_EQ(result.status, UiLoadResult::Status::KeyMissing);
    EXPECT_EQ(result.missingKey, "Font601");

    Set(entries, "Font601", "Beta Face");
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_STREQ(ForeignFontFace(600), L"Alpha Face");
    EXPECT_STREQ(ForeignFontFace(601), L"Beta Face");
    EXPECT_EQ(ForeignFontFace(602), nullptr);
    EXPECT_EQ(ForeignFontFace(599), nullptr);

    Set(entries, "ForeignFonts", "0");
    Remove(entries, "Font600");
    Remove(entries, "Font601");
    EXPECT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
}

TEST(UiStringsLookUp, TheCharacterSetOfTheFileDecidesItsCodePage) {
    auto entries = EnglishEntries();
    Set(entries, "CharactersetCode", "204");
    Set(entries, "MainMenuFile0", "\xD4\xE0\xE9\xEB");  // "Файл" in code page 1251
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_EQ(UiCharset(), 204);
    EXPECT_EQ(UiCodePage(), 1251u);
    EXPECT_STREQ(UiText(Ui::MainMenuFile0), L"\x0424\x0430\x0439\x043B");
    InstallEnglishUiStrings();
}

TEST(UiStringsMessages, TheNotFoundMessageNamesTheWholeKey) {
    EXPECT_EQ(StringNotFoundMessage("Install_Finished"), L"String: Install_Finished not found.   ");
}

// A translation made for an earlier version must still start the program: texts added
// later fall back to English, and a file that has them shows its own.
TEST(UiStringsLookUp, LaterKeysAreOptionalAndFallBackToEnglish) {
    auto entries = EnglishEntries();
    for (const UiLaterKey& later : kUiLaterKeys) Remove(entries, later.name);
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_STREQ(UiText(Ui::ProgramAborted), L"Program aborted");
    Set(entries, "ProgramAborted", "Programm abgebrochen");
    ASSERT_TRUE(InstallUiStrings(EntriesToPlain(entries)).Ok());
    EXPECT_STREQ(UiText(Ui::ProgramAborted), L"Programm abgebrochen");
    EXPECT_STREQ(UiKeyName(Ui::ProgramAborted), "ProgramAborted");
    InstallEnglishUiStrings();
}
