// A new language on real files: its line in the language file, its word lists and
// icon, the names refused and the rewrites that fail.
#include <gtest/gtest.h>

#include <string>

#include "app/fonts.h"
#include "app/globals.h"
#include "entry/newlist.h"
#include "entry/newlistwindow.h"
#include "store/atomicfile.h"
#include "support/storefixture.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/session.h"

namespace {

class NewLanguage : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ModuleInstance = GetModuleHandleW(nullptr);
        MakeDirectories(L"icons");
    }

    static bool Lists(const std::wstring& name) {
        if (LoadCatalogue() != 0) return false;
        for (const auto& d : Catalogue())
            if (d->firstName == name) return true;
        return false;
    }
};

TEST_F(NewLanguage, OldNorseGetsItsLineTwoEmptyListsAndTheTemplateIcon) {
    WriteBytes(L"languages.ini", LanguageFile({"French,french,0"}, "Fre_Eng.tvk"));
    ASSERT_EQ(LoadCatalogue(), 0);

    const NewLanguageReport report = CreateNewLanguage(L"Old Norse", L"english", 0);
    EXPECT_EQ(report.outcome, NewLanguageOutcome::Created);
    EXPECT_EQ(report.wordListsNotCreated, 0);
    EXPECT_TRUE(report.iconWritten);
    EXPECT_EQ(ReadBytes(L"languages.ini"), "# Languages of this folder\r\n[Languages]\r\nFrench,french,0\r\n"
                                           "longname,english,0,Old Norse\r\n\r\n[Selected]\r\nFre_Eng.tvk\r\n");
    for (const wchar_t* list : {L"wordlists\\English_Old Norse.tvk", L"wordlists\\Old Norse_English.tvk"}) {
        EXPECT_TRUE(FileExists(list));
        EXPECT_EQ(ReadBytes(list), "");
    }
    const std::string icon = ReadBytes(L"icons\\Old Norse.ico");
    EXPECT_EQ(icon.size(), 1078u);
    EXPECT_EQ(icon, ReadBytes(SourceDirectory() + L"\\resources\\template.ico"));
    EXPECT_FALSE(FileExists(L"tmp.ini"));
    EXPECT_TRUE(messages.empty());

    // The catalogue of this run does not know it yet; the file does.
    const auto before = FilesBelow(L".");
    const NewLanguageReport again = CreateNewLanguage(L"old NORSE", L"german", 0);
    EXPECT_EQ(again.outcome, NewLanguageOutcome::Exists);
    EXPECT_EQ(again.existingName, L"Old Norse");
    EXPECT_EQ(FilesBelow(L"."), before);
    EXPECT_TRUE(Lists(L"Old Norse"));
}

// The window's messages wear the sign of what they say: a warning for a name it
// refuses, the information sign for the language it made.
TEST_F(NewLanguage, TheWindowWarnsOfARefusedNameAndInformsOfTheNewLanguage) {
    WriteBytes(L"languages.ini", LanguageFile({"French,french,0"}, "Fre_Eng.tvk"));
    ASSERT_EQ(LoadCatalogue(), 0);
    ReadSystemMetrics();
    CreateSharedFonts(SharedFontSettings{}, 0);
    ToolWindowOpen = 1;
    HWND window = OpenNewWordListWindow();
    ASSERT_NE(window, nullptr);
    const auto create = [&] {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(18, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, 18)));
    };
    create();  // no name yet
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, UiText(Ui::CreateEmptyEnterName));
    EXPECT_EQ(messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    SetWindowTextW(GetDlgItem(window, 30), L"Old Norse");
    create();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, UiText(Ui::CreateEmptyCreated));
    EXPECT_EQ(messages[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_FALSE(IsWindow(window));
    DeleteSharedFonts();
}

// A copy that stopped at the first line of two bytes would drop a one-letter language,
// find no end in a section that runs to the end of the file and go past a "#" line.
TEST_F(NewLanguage, TheLineEndsTheFirstLanguagesSectionWhateverEndsIt) {
    const std::string longComment = "# " + std::string(300, 'c');
    const struct {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"empty line, one-letter language kept", "[Languages]\r\nx\r\nFrench\r\n\r\n[Selected]\r\nFre_Eng.tvk\r\n",
         "[Languages]\r\nx\r\nFrench\r\nlongname,english,0,Norn\r\n\r\n[Selected]\r\nFre_Eng.tvk\r\n"},
        {"comment line", "[Languages]\r\nx\r\n" + longComment + "\r\nGerman\r\n\r\n",
         "[Languages]\r\nx\r\nlongname,english,0,Norn\r\n" + longComment + "\r\nGerman\r\n\r\n"},
        {"end of file", "# x\r\n[Languages]\r\nx", "# x\r\n[Languages]\r\nx\r\nlongname,english,0,Norn\r\n\r\n"},
        {"line feeds only, two sections", "[languages]\nx\n\n[Languages]\nGerman\n\n",
         "[languages]\r\nx\r\nlongname,english,0,Norn\r\n\r\n[Languages]\r\nGerman\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(L"languages.ini", c.before);
        ASSERT_EQ(LoadCatalogue(), 0);
        EXPECT_EQ(CreateNewLanguage(L"Norn", L"english", 0).outcome, NewLanguageOutcome::Created);
        EXPECT_EQ(ReadBytes(L"languages.ini"), c.after);
        EXPECT_TRUE(Lists(L"Norn"));
    }
}

TEST_F(NewLanguage, RefusedNamesWriteNothing) {
    WriteBytes(L"languages.ini",
               LanguageFile({"French,french,0", "longname,swedish,0,\xC5land", "x,english,0,Old Norse"}));
    ASSERT_EQ(LoadCatalogue(), 0);
    const auto before = FilesBelow(L".");
    using O = NewLanguageOutcome;
    const struct {
        std::wstring name;
        NewLanguageOutcome outcome;
        std::wstring existing = L"";
    } cases[] = {
        {L"", O::EmptyName}, {L"   ", O::EmptyName}, {L"eNGLISH", O::NotAllowed},
        {L"FRENCH", O::Exists, L"French"}, {L"old norse", O::Exists, L"Old Norse"},
        {L"\u00E5LAND", O::Exists, L"\u00C5land"},  // one file on a case-blind disk
        {L"Norse, Old", O::NotAllowed}, {L"Old\tNorse", O::NotAllowed},
        {L"\u0420\u0443\u0441\u044C", O::NotAllowed},  // not in code page 1252
        {L"\u0101", O::NotAllowed},                     // would come back as "a"
        {L" Norn", O::NotAllowed}, {L"Norn ", O::NotAllowed}, {L"nul", O::NotAllowed}, {L"Com1.x", O::NotAllowed},
        // "longname,english,0," and 80 letters: longer than the catalogue reads whole.
        {std::wstring(80, L'a'), O::NotAllowed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "name of " << c.name.size() << " characters, first " << int(c.name[0]));
        const NewLanguageReport report = CreateNewLanguage(c.name, L"english", 0);
        EXPECT_EQ(report.outcome, c.outcome);
        EXPECT_EQ(report.existingName, c.existing);
    }
    for (const wchar_t c : std::wstring(L"\\/:*?\"<>|")) {
        SCOPED_TRACE(testing::Message() << "character " << char(c));
        EXPECT_EQ(CreateNewLanguage(std::wstring(L"Old") + c + L"Norse", L"english", 0).outcome, O::NotAllowed);
    }
    EXPECT_EQ(FilesBelow(L"."), before);

    // One letter less fits, and reads back whole.
    EXPECT_EQ(CreateNewLanguage(std::wstring(79, L'a'), L"english", 0).outcome, O::Created);
    EXPECT_TRUE(Lists(std::wstring(79, L'a')));
}

TEST_F(NewLanguage, AFailedRewriteLeavesTheLanguageFileAsItWasAndWritesNothingElse) {
    WriteBytes(L"languages.ini", LanguageFile({"French,french,0"}, "Fre_Eng.tvk"));
    ASSERT_EQ(LoadCatalogue(), 0);
    const auto failsWith = [](NewLanguageOutcome outcome) {
        const auto before = FilesBelow(L".");
        EXPECT_EQ(CreateNewLanguage(L"Norn", L"english", 0).outcome, outcome);
        EXPECT_EQ(FilesBelow(L"."), before);
    };
    SetAtomicWriteFailureAfter(10);
    failsWith(NewLanguageOutcome::TempFileFailed);
    MakeDirectories(L"tmp.ini");  // cannot be created as a file
    failsWith(NewLanguageOutcome::TempFileFailed);
    RemoveTree(L"tmp.ini");
    {
        // Open without shared deletion: the temporary file cannot take its name.
        UniqueFile held(CreateFileW(L"languages.ini", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.Valid());
        failsWith(NewLanguageOutcome::LanguageFileFailed);
    }
    WriteBytes(L"languages.ini", "[Selected]\r\nFre_Eng.tvk\r\n");  // changed by hand since the start
    failsWith(NewLanguageOutcome::LanguageFileFailed);
    ASSERT_TRUE(DeleteFileW(L"languages.ini"));
    failsWith(NewLanguageOutcome::LanguageFileFailed);
}

TEST_F(NewLanguage, FilesThereAlreadyAreKeptAndMissingFoldersReported) {
    WriteBytes(L"languages.ini", LanguageFile({"French,french,0"}));
    ASSERT_EQ(LoadCatalogue(), 0);
    // Left behind by a language taken out of the file, and the icon of French.
    WriteWordList(L"English_Fre.tvk", {{L"house", L"maison", 0}});
    WriteBytes(L"icons\\Fre.ico", "French flag");
    const NewLanguageReport kept = CreateNewLanguage(L"Fre", L"french", 0);
    EXPECT_EQ(kept.outcome, NewLanguageOutcome::Created);
    EXPECT_TRUE(kept.iconWritten);
    EXPECT_EQ(ReadWordList(L"English_Fre.tvk").size(), 1u);
    EXPECT_EQ(ReadBytes(L"icons\\Fre.ico"), "French flag");
    EXPECT_TRUE(FileExists(L"wordlists\\Fre_English.tvk"));

    RemoveTree(L"wordlists");
    RemoveTree(L"icons");
    const NewLanguageReport missing = CreateNewLanguage(L"Norn", L"english", 0);
    EXPECT_EQ(missing.outcome, NewLanguageOutcome::Created);
    EXPECT_EQ(missing.wordListsNotCreated, 2);
    EXPECT_FALSE(missing.iconWritten);
    EXPECT_TRUE(Lists(L"Norn"));
}

}  // namespace
