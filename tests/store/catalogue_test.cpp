#include <gtest/gtest.h>

#include "store/catalogue.h"
#include "store/records.h"
#include "support/storefixture.h"
#include "text/uistrings.h"

namespace {

class Catalogue_ : public StoreTest {};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

}  // namespace

TEST_F(Catalogue_, AOneFieldLineGetsDefaultsAndShortFileNames) {
    WriteBytes(L"languages.ini", LanguageFile({"spanish"}));
    ASSERT_EQ(LoadCatalogue(), 0);
    ASSERT_EQ(CatalogueCount(), 2);
    const WordListDescriptor& f = *Catalogue()[0];
    EXPECT_EQ(f.firstName, L"spanish");
    EXPECT_EQ(f.secondName, L"English");
    EXPECT_EQ(f.locale, L"english");
    EXPECT_EQ(f.firstCharset, 0);
    EXPECT_EQ(f.firstCodePage, 1252u);
    EXPECT_EQ(f.wordListFile, L"spa_Eng.tvk");
    EXPECT_EQ(f.practiceListFile, L"spa_Eng.ls");
    EXPECT_EQ(f.firstIconFile, L"spa.ico");
    EXPECT_EQ(f.secondIconFile, L"Eng.ico");
    EXPECT_FALSE(f.HasLongName());

    const WordListDescriptor& r = *Catalogue()[1];
    EXPECT_EQ(r.firstName, L"English");
    EXPECT_EQ(r.secondName, L"spanish");
    EXPECT_EQ(r.wordListFile, L"Eng_spa.tvk");
    EXPECT_EQ(r.practiceListFile, L"Eng_spa.ls");
    EXPECT_EQ(r.firstIconFile, L"Eng.ico");
    EXPECT_EQ(r.secondIconFile, L"spa.ico");
    EXPECT_EQ(r.locale, L"english");
    EXPECT_EQ(r.secondCodePage, 1252u);
    // Without a selection the native-to-foreign list is current, unselected.
    EXPECT_EQ(&CurrentWordList(), &r);
    EXPECT_EQ(r.selected, 0);
}

TEST_F(Catalogue_, AStemHoldingAnUnderscoreIsSwappedWhole) {
    WriteBytes(L"languages.ini", LanguageFile({"pt_BR,portuguese,0", "a_b"}));
    ASSERT_EQ(LoadCatalogue(), 0);
    ASSERT_EQ(CatalogueCount(), 4);
    EXPECT_EQ(Catalogue()[0]->wordListFile, L"pt__Eng.tvk");
    EXPECT_EQ(Catalogue()[2]->wordListFile, L"Eng_pt_.tvk");
    EXPECT_EQ(Catalogue()[2]->practiceListFile, L"Eng_pt_.ls");
    EXPECT_EQ(Catalogue()[3]->wordListFile, L"Eng_a_b.tvk");
    EXPECT_EQ(Catalogue()[3]->secondIconFile, L"a_b.ico");
}

TEST_F(Catalogue_, EmptyFieldsDoNotCountAndLongNamesNameTheFilesInFull) {
    WriteBytes(L"languages.ini", LanguageFile({"name,,204", "longname,english,0,Old Norse", "Russian,russian,204"}));
    ASSERT_EQ(LoadCatalogue(), 0);
    ASSERT_EQ(CatalogueCount(), 6);
    EXPECT_EQ(Catalogue()[0]->locale, L"204");
    EXPECT_EQ(Catalogue()[0]->firstCharset, 0);

    const WordListDescriptor& norse = *Catalogue()[1];
    EXPECT_EQ(norse.firstName, L"Old Norse");
    EXPECT_EQ(WordListFileName(norse), L"Old Norse_English.tvk");
    EXPECT_EQ(PracticeListFileName(norse), L"Old Norse_English.ls");
    EXPECT_EQ(norse.longFirstIconFile, L"Old Norse.ico");
    EXPECT_EQ(norse.wordListFile, L"lon_Eng.tvk");
    const WordListDescriptor& norseBack = *Catalogue()[4];
    EXPECT_EQ(norseBack.secondName, L"Old Norse");
    EXPECT_EQ(WordListFileName(norseBack), L"English_Old Norse.tvk");
    EXPECT_EQ(norseBack.longSecondIconFile, L"Old Norse.ico");

    const WordListDescriptor& russian = *Catalogue()[2];
    EXPECT_EQ(russian.firstCodePage, 1251u);
    EXPECT_EQ(Catalogue()[5]->secondCodePage, 1251u);
    EXPECT_EQ(Catalogue()[5]->firstCodePage, 1252u);
}

TEST_F(Catalogue_, ForwardListsComeFirstThenTheReverseOnes) {
    WriteBytes(L"languages.ini", LanguageFile({"French", "German", "Italian", "Spanish", "Dutch"}));
    ASSERT_EQ(LoadCatalogue(), 0);
    ASSERT_EQ(CatalogueCount(), 10);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Catalogue()[static_cast<std::size_t>(i)]->secondName, L"English");
        EXPECT_EQ(Catalogue()[static_cast<std::size_t>(i) + 5]->secondName,
                  Catalogue()[static_cast<std::size_t>(i)]->firstName);
    }
    EXPECT_EQ(IndexOfDescriptor(CurrentWordList()), 5);
}

TEST_F(Catalogue_, FilesWithoutLanguagesFailToLoad) {
    EXPECT_EQ(LoadCatalogue(), -1);  // no language file at all
    WriteBytes(L"languages.ini", "[Languages]\r\n#French\r\nSpanish\r\n");
    EXPECT_EQ(LoadCatalogue(), -1);  // a separator right after the marker ends the section
    WriteBytes(L"languages.ini", "[Languages]\r\n\r\nSpanish\r\n");
    EXPECT_EQ(LoadCatalogue(), -1);
    WriteBytes(L"languages.ini", "Spanish\r\n[languages]\r\n,,,\r\nGreek,greek,161\r\n");
    EXPECT_EQ(LoadCatalogue(), 0);  // marker case-blind; a line of commas names nothing
    EXPECT_EQ(CatalogueCount(), 2);
}

TEST_F(Catalogue_, LongLinesAreReadInPiecesWithoutRunningPastTheBuffer) {
    // 99 characters: read without the line end, which then reads as an empty line.
    const std::string line99 = "Latin,latin," + Repeat('x', 99 - 12);
    WriteBytes(L"languages.ini", "[Languages]\n" + line99 + "\nGreek\n");
    ASSERT_EQ(LoadCatalogue(), 0);
    EXPECT_EQ(CatalogueCount(), 2);

    // 98 characters and the line end are read whole.
    const std::string line98 = "Latin,latin," + Repeat('x', 98 - 12);
    WriteBytes(L"languages.ini", "[Languages]\n" + line98 + "\nGreek\n");
    ASSERT_EQ(LoadCatalogue(), 0);
    EXPECT_EQ(CatalogueCount(), 4);

    // A hostile line of many kilobytes only yields more pieces.
    WriteBytes(L"languages.ini", "[Languages]\n" + Repeat('q', 5000) + "\n");
    EXPECT_EQ(LoadCatalogue(), 0);
    EXPECT_EQ(CatalogueCount(), 2 * 51);
}

TEST_F(Catalogue_, TheSelectionSectionChoosesTheCurrentWordList) {
    WriteBytes(L"languages.ini", LanguageFile({"French", "Spanish,spanish,0,Castilian"}, "eng_FRE.TVK"));
    ASSERT_EQ(LoadCatalogue(), 0);
    EXPECT_EQ(ReadSelection(), 0);
    EXPECT_EQ(&CurrentWordList(), &Find(L"English", L"French"));
    EXPECT_EQ(CurrentWordList().selected, 1);

    WriteBytes(L"languages.ini", LanguageFile({"French", "Spanish,spanish,0,Castilian"}, "castilian_english.tvk"));
    ASSERT_EQ(LoadCatalogue(), 0);
    ReadSelection();
    EXPECT_EQ(&CurrentWordList(), &Find(L"Castilian", L"English"));

    // A line naming nothing leaves the search on for the next line of the section.
    WriteBytes(L"languages.ini", LanguageFile({"French"}, "nothing.tvk\r\nFre_Eng.tvk"));
    ASSERT_EQ(LoadCatalogue(), 0);
    ReadSelection();
    EXPECT_EQ(&CurrentWordList(), &Find(L"French", L"English"));

    WriteBytes(L"languages.ini", LanguageFile({"French"}, "nothing.tvk"));
    ASSERT_EQ(LoadCatalogue(), 0);
    ReadSelection();
    EXPECT_EQ(&CurrentWordList(), &Find(L"English", L"French"));
    EXPECT_EQ(CurrentWordList().selected, 0);
}

TEST_F(Catalogue_, SortTablesAreFoundByTheLongNameForwardAndTheNativeNameBackward) {
    const std::vector<std::string> lines = {"longname,english,0,Old Norse", "French", "German"};
    WriteBytes(L"tables\\Old Norse.stb", std::string(256, '\x02'));
    WriteBytes(L"tables\\German.stb", std::string(256, '\x02'));
    WriteBytes(L"languages.ini", LanguageFile(lines));
    ASSERT_EQ(LoadCatalogue(), 0);
    EXPECT_EQ(Find(L"Old Norse", L"English").hasSortTable, 1);
    EXPECT_EQ(Find(L"French", L"English").hasSortTable, 0);
    EXPECT_EQ(Find(L"German", L"English").hasSortTable, 1);
    // The reverse lists are ordered in the native language, whatever tables the
    // foreign languages have.
    EXPECT_EQ(Find(L"English", L"Old Norse").hasSortTable, 0);
    EXPECT_EQ(Find(L"English", L"German").hasSortTable, 0);

    RemoveTree(L"tables");
    WriteBytes(L"tables\\longname.stb", std::string(256, '\x02'));
    WriteBytes(L"tables\\lon.stb", std::string(256, '\x02'));
    WriteBytes(L"tables\\English.stb", std::string(256, '\x02'));
    ASSERT_EQ(LoadCatalogue(), 0);
    EXPECT_EQ(Find(L"Old Norse", L"English").hasSortTable, 0);
    EXPECT_EQ(Find(L"German", L"English").hasSortTable, 0);
    EXPECT_EQ(Find(L"English", L"Old Norse").hasSortTable, 1);
    EXPECT_EQ(Find(L"English", L"French").hasSortTable, 1);
    EXPECT_EQ(Find(L"English", L"German").hasSortTable, 1);
}

TEST_F(Catalogue_, ASeparatorEndsTheSelectionAndAnotherMarkerStartsTheSearchAgain) {
    const auto selectFrom = [&](const std::string& section) {
        WriteBytes(L"languages.ini", LanguageFile({"French"}, section));
        EXPECT_EQ(LoadCatalogue(), 0);
        EXPECT_EQ(ReadSelection(), 0);
        return IndexOfDescriptor(CurrentWordList());
    };
    const int frenchEnglish = 0;
    const int englishFrench = 1;

    EXPECT_EQ(selectFrom("\r\nFre_Eng.tvk"), englishFrench);
    EXPECT_EQ(CurrentWordList().selected, 0);
    EXPECT_EQ(selectFrom("# last used\r\nFre_Eng.tvk"), englishFrench);
    EXPECT_EQ(Catalogue()[frenchEnglish]->selected, 0);

    // The first match ends the search; later lines of the section are not names.
    EXPECT_EQ(selectFrom("Eng_Fre.tvk\r\nFre_Eng.tvk"), englishFrench);
    EXPECT_EQ(Catalogue()[frenchEnglish]->selected, 0);

    EXPECT_EQ(selectFrom("Eng_Fre.tvk\r\n[SELECTED]\r\nFre_Eng.tvk"), frenchEnglish);
    EXPECT_EQ(CurrentWordList().selected, 1);
    EXPECT_EQ(Catalogue()[englishFrench]->selected, 0);  // one check mark, not two
    EXPECT_EQ(selectFrom("Eng_Fre.tvk\r\n\r\n[Selected]\r\nFre_Eng.tvk"), frenchEnglish);
    EXPECT_EQ(CurrentWordList().selected, 1);
}

TEST_F(Catalogue_, SaveSelectionKnowsTheMarkerByItsBeginningAndKeepsLongLinesWhole) {
    WriteWordList(L"Fre_Eng.tvk", {});
    WriteWordList(L"Eng_Fre.tvk", {});
    // Longer than one 199-byte piece: 199 bytes exactly, and three pieces' worth.
    const std::string long199 = "# " + Repeat('a', 197);
    std::string long450 = "# ";
    for (int i = 0; long450.size() < 450; ++i) long450 += static_cast<char>('a' + i % 26);
    const std::string head = "[Languages]\r\nFrench\r\n\r\n" + long199 + "\r\n" + long450 + "\r\n[Sel\r\nkept\r\n";
    const std::string tail = long450 + "\r\n" + long199 + "\r\n# end\r\n";
    WriteBytes(L"languages.ini", head + "[SELECTED] last used\r\nEng_Fre.tvk\r\n" + tail);
    Open();

    SetCurrentWordList(Find(L"French", L"English"));
    EXPECT_EQ(SaveSelection(), 0);
    EXPECT_EQ(ReadBytes(L"languages.ini"), head + "[SELECTED] last used\r\nFre_Eng.tvk\r\n" + tail);
}

// The compared length counts only within the marker text; outside it (or when it is no
// number) the whole marker is compared.
TEST_F(Catalogue_, SaveSelectionComparesTheMarkerOverAUsableLength) {
    WriteWordList(L"Fre_Eng.tvk", {});
    WriteWordList(L"Eng_Fre.tvk", {});
    const std::string head = "[Languages]\r\nFrench\r\n\r\n[Selection of mine]\r\nkept\r\n[Selected]\r\n";
    const std::string tail = "\r\n# end\r\nlast\r\n";
    for (const char* length : {"0", "none", "-3", "11", "99999999999"}) {
        InstallEnglishUiStrings({{"IniSelectedLen", length}});
        WriteBytes(L"languages.ini", head + "Eng_Fre.tvk" + tail);
        Open();
        SetCurrentWordList(Find(L"French", L"English"));
        EXPECT_EQ(SaveSelection(), 0);
        EXPECT_EQ(ReadBytes(L"languages.ini"), head + "Fre_Eng.tvk" + tail) << length;
        CloseListFiles();
    }
    // A length within the marker is used as it stands: "[Sel" also opens a selection.
    InstallEnglishUiStrings({{"IniSelectedLen", "4"}});
    WriteBytes(L"languages.ini", head + "Eng_Fre.tvk" + tail);
    Open();
    SetCurrentWordList(Find(L"French", L"English"));
    EXPECT_EQ(SaveSelection(), 0);
    EXPECT_EQ(ReadBytes(L"languages.ini"),
              "[Languages]\r\nFrench\r\n\r\n[Selection of mine]\r\nFre_Eng.tvk\r\n[Selected]\r\nFre_Eng.tvk" + tail);
}

TEST_F(Catalogue_, SaveSelectionReplacesTheWholeLineAfterAWholeMarkerLine) {
    WriteWordList(L"Fre_Eng.tvk", {});
    WriteWordList(L"Eng_Fre.tvk", {});
    const std::string filler = "# " + Repeat('a', 197);  // exactly one copy piece
    // A line whose second piece reads like the marker is no marker: the line after it stays.
    const std::string notAMarker = filler + "[Selected] in a comment\r\nGerman\r\n";
    // An overlong old selection goes whole, and so does a marker line of several pieces.
    const std::string longMarker = "[Selected]" + Repeat('x', 300) + "\r\n";
    WriteBytes(L"languages.ini", "[Languages]\r\nFrench\r\n\r\n" + notAMarker + "[Selected]\r\n" +
                                     Repeat('z', 450) + "\r\n" + longMarker + "Eng_Fre.tvk\r\n# end\r\n");
    Open();
    SetCurrentWordList(Find(L"French", L"English"));
    EXPECT_EQ(SaveSelection(), 0);
    EXPECT_EQ(ReadBytes(L"languages.ini"), "[Languages]\r\nFrench\r\n\r\n" + notAMarker +
                                               "[Selected]\r\nFre_Eng.tvk\r\n" + longMarker + "Fre_Eng.tvk\r\n# end\r\n");
}

TEST(SwitchName, OnlyTheFirstSlashPieceCounts) {
    EXPECT_EQ(SwitchNameFromCommandLine(L"/tvk french"), L"french");
    EXPECT_EQ(SwitchNameFromCommandLine(L"/tvk french /other"), L"french ");
    EXPECT_EQ(SwitchNameFromCommandLine(L"word /tvk french"), L"");
    EXPECT_EQ(SwitchNameFromCommandLine(L""), L"");
    EXPECT_EQ(SwitchNameFromCommandLine(L"/tvkfrench"), L"");
    EXPECT_EQ(SwitchNameFromCommandLine(L"//tvk greek"), L"greek");
    // Only the first 99 characters of the command line are looked at.
    EXPECT_EQ(SwitchNameFromCommandLine(L"/tvk " + std::wstring(200, L'a')).size(), 99u - 5u);
}

TEST_F(Catalogue_, TheSwitchSelectsByTheBeginningOfALanguageName) {
    InstallEnglishUiStrings({{"MainLanguage", "dutch"}});
    WriteBytes(L"languages.ini", LanguageFile({"english", "french"}));
    ASSERT_EQ(LoadCatalogue(), 0);
    ReadSelection();
    WordListDescriptor& dutchEnglish = CurrentWordList();
    ASSERT_EQ(dutchEnglish.secondName, L"english");

    ApplySwitch(L"eng");  // begins the current second language: nothing changes
    EXPECT_EQ(&CurrentWordList(), &dutchEnglish);
    ApplySwitch(L"french ");  // the trailing blank begins no name
    EXPECT_EQ(&CurrentWordList(), &dutchEnglish);

    ApplySwitch(L"FRENCH");
    EXPECT_EQ(&CurrentWordList(), &Find(L"french", L"dutch"));
    EXPECT_EQ(CurrentWordList().selected, 1);
    EXPECT_EQ(dutchEnglish.selected, 0);
}

TEST_F(Catalogue_, SaveSelectionRewritesOnlyTheSelectionLine) {
    const std::string before = "# my languages\r\n[Languages]\r\nFrench\r\nGreek,greek,161\r\n\r\n[Selected]\r\n"
                               "Fre_Eng.tvk\r\n# keep me\r\n";
    WriteBytes(L"languages.ini", before);
    WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}});
    WriteWordList(L"Gre_Eng.tvk", {{L"\x03B3\x03AC\x03C4\x03B1", L"cat", 0}, {L"\x03C3\x03BA\x03CD\x03BB\x03BF\x03C2", L"dog", 0}}, 1253);
    Open();
    EXPECT_EQ(WordCount, 1);

    SetCurrentWordList(Find(L"Greek", L"English"));
    EXPECT_EQ(SaveSelection(), 0);
    const std::string after = ReadBytes(L"languages.ini");
    EXPECT_EQ(after, "# my languages\r\n[Languages]\r\nFrench\r\nGreek,greek,161\r\n\r\n[Selected]\r\n"
                     "Gre_Eng.tvk\r\n# keep me\r\n");
    EXPECT_FALSE(FileExists(L"tmp.ini"));
    EXPECT_EQ(WordCount, 2);  // the store follows the new word list
    ASSERT_EQ(ReadWordRecord(0), 0);
    EXPECT_EQ(CurrentEntry.first, L"\x03B3\x03AC\x03C4\x03B1");
}

TEST_F(Catalogue_, SaveSelectionHandlesAMarkerAtTheEndOrBeforeAnEmptyLine) {
    WriteWordList(L"Fre_Eng.tvk", {});
    WriteWordList(L"Eng_Fre.tvk", {});
    WriteBytes(L"languages.ini", "[Languages]\nFrench\n\n[Selected]\n");
    Open();
    EXPECT_EQ(SaveSelection(), 0);
    EXPECT_EQ(ReadBytes(L"languages.ini"), "[Languages]\r\nFrench\r\n\r\n[Selected]\r\n");

    WriteBytes(L"languages.ini", "[Languages]\nFrench\n\n[Selected]\n\n# end\n");
    SetCurrentWordList(Find(L"French", L"English"));
    EXPECT_EQ(SaveSelection(), 0);
    EXPECT_EQ(ReadBytes(L"languages.ini"), "[Languages]\r\nFrench\r\n\r\n[Selected]\r\nFre_Eng.tvk\r\n# end\r\n");
}

TEST_F(Catalogue_, AFailedRewriteKeepsTheLanguageFileAndStillFollowsTheSwitch) {
    const std::string before = LanguageFile({"French"}, "Eng_Fre.tvk");
    WriteBytes(L"languages.ini", before);
    WriteWordList(L"Eng_Fre.tvk", {{L"cat", L"chat", 0}});
    WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}, {L"chien", L"dog", 0}});
    Open();
    // A folder where the temporary file would go makes the rewrite fail.
    MakeDirectories(L"tmp.ini");
    SetCurrentWordList(Find(L"French", L"English"));
    EXPECT_EQ(SaveSelection(), -1);
    EXPECT_EQ(ReadBytes(L"languages.ini"), before);
    EXPECT_EQ(WordCount, 2);
    ASSERT_EQ(ReadWordRecord(1), 0);
    EXPECT_EQ(CurrentEntry.first, L"chien");
}

TEST_F(Catalogue_, SaveSelectionWarnsAboutAMissingLocaleAndGoesOn) {
    WriteBytes(L"languages.ini", LanguageFile({"Klingon,tlhIngan_Hol"}));
    WriteWordList(L"Eng_Kli.tvk", {});
    WriteWordList(L"Kli_Eng.tvk", {});
    Open();
    SetCurrentWordList(Find(L"Klingon", L"English"));
    EXPECT_EQ(SaveSelection(), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, UiText(Ui::ErrorLocale));
    EXPECT_EQ(messages[0].caption, UiText(Ui::Lingorix));
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_ICONWARNING));
}
