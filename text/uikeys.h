// The keys that every UI strings file must hold, in the order the program looks
// them up at start. The first key a file lacks is the one reported, so the order
// is part of the behaviour. The foreign font keys (Font600 onward) are not listed:
// how many of them a file needs depends on its own ForeignFonts value.
#pragma once

#include <cstddef>

#define LINGORIX_UI_KEYS(X)                                                                              \
    /* main menu */                                                                                      \
    X(MainMenuFile0) X(MainMenuFile1) X(MainMenuFile2) X(MainMenuFile3) X(MainMenuFile4)                 \
    X(MainMenuPracticeMode0) X(MainMenuPracticeMode1) X(MainMenuPracticeMode2)                           \
    X(MainMenuPracticeHelp0) X(MainMenuPracticeHelp1) X(MainMenuPracticeHelp2) X(MainMenuPracticeHelp3)  \
    /* Add window menu */                                                                                \
    X(AddMenuCharset0) X(AddMenuCharset1) X(AddMenuCharset2) X(AddMenuOptions0) X(AddMenuOptions1)       \
    /* practice list maker menu */                                                                       \
    X(CreatePLMenuFile0) X(CreatePLMenuFile1) X(CreatePLMenuFile2)                                       \
    /* typed practice menu */                                                                            \
    X(PracticeIAMenuCharset0) X(PracticeIAMenuCharset1) X(PracticeIAMenuCharset2)                        \
    X(PracticeIAMenuSound0) X(PracticeIAMenuSound1) X(PracticeIAMenuSound2)                              \
    /* Search window menu */                                                                             \
    X(SearchMenuCharset0) X(SearchMenuCharset1) X(SearchMenuCharset2)                                    \
    X(SearchMenuClipboard0) X(SearchMenuClipboard1) X(SearchMenuClipboard2)                              \
    X(SearchMenuWindowsize0) X(SearchMenuWindowsize1)                                                    \
    /* Translate window menu */                                                                          \
    X(TranslateMenuFile0) X(TranslateMenuFile1) X(TranslateMenuFile2)                                    \
    /* About box */                                                                                      \
    X(AboutDialogCaption) X(AboutDialogOk) X(AboutDialogCopyright) X(AboutDialogWebsite)                 \
    X(AboutDialogEmail)                                                                                  \
    /* new practice list dialog */                                                                       \
    X(NewlistDialogCaption) X(NewlistDialogOk) X(NewlistDialogCancel) X(NewlistDialogListname)           \
    /* folders and files */                                                                              \
    X(PathLanguage) X(PathNameList) X(PathIcons) X(FilenameTempList) X(FilenameTempLanguage)             \
    X(FilenameIni) X(FilenameHelp)                                                                       \
    /* language file markers */                                                                          \
    X(IniLanguage) X(IniSelected) X(IniSelectedLen) X(IniAddnew) X(IniAddnewLen)                         \
    /* program title */                                                                                  \
    X(Lingorix)                                                                                          \
    /* native language */                                                                                \
    X(MainLanguage) X(Locale) X(CharactersetCode)                                                        \
    /* name of the profile key with the About box pause */                                               \
    X(AviDelay)                                                                                          \
    /* common words and messages */                                                                      \
    X(Done) X(Cancel) X(OK) X(Quit) X(Help) X(Error) X(LanguageMenu) X(ErrorLocale)                      \
    X(Writing) X(Reading) X(Sorting) X(NoIni)                                                            \
    /* main window buttons */                                                                            \
    X(MainButtonAdd) X(MainButtonPractice) X(MainButtonSearch) X(MainButtonCreatelist)                   \
    /* Add window */                                                                                     \
    X(AddCaption) X(AddConfirm) X(AddNocomma) X(AddHelpkey) X(AddNewentries)                             \
    /* practice windows */                                                                               \
    X(PracticeCaption) X(PracticeSlow) X(PracticeFast) X(PracticeFastPos) X(PracticeEndlist)             \
    X(PracticeShow) X(PracticeCurrentscore) X(PracticeBestscore) X(PracticeSkipped)                      \
    X(PracticeErrors) X(PracticeNotavailable)                                                            \
    /* practice lists: maker, operations, random words and printing */                                   \
    X(CreateListCaption) X(CreateListEmpty1) X(CreateListEmpty2) X(CreateListAddAll)                     \
    X(CreateListRemoveAll) X(CreateListAddRandom) X(CreateListAddwords) X(CreateListClickAdd)            \
    X(CreateListClickRemove) X(CreateListPracticelist) X(CreateListDeleted)                              \
    X(CreateListUpdateCaption) X(CreateListUpdarting) X(CreateListAddRandomNumber)                       \
    X(CreateListDelOldlist) X(CreateListNumberWords) X(CreateListPrint) X(CreateListformatting)          \
    X(CreateListWord) X(CreateListnewList) X(CreateListListName) X(CreateListDelCurList)                 \
    X(CreateListDelList) X(CreateListLists) X(CreateListNotAllowed) X(CreateListSureDel)                 \
    X(CreateListSureDel2) X(CreateListKeeplist) X(CreateListNoDel)                                       \
    /* Search window */                                                                                  \
    X(SearchCaption) X(SearchDelRecord) X(SearchResRecord) X(SearchClipboard) X(SearchCopy)              \
    X(SearchPaste) X(SearchPlay)                                                                         \
    /* Translate window */                                                                               \
    X(TranslateCaption) X(TranslateHelpkey)                                                              \
    /* character picker and overview column */                                                           \
    X(CharacterSet)                                                                                      \
    /* sorting window */                                                                                 \
    X(SortCaption) X(SortBusy) X(SortFailed)                                                             \
    /* new word list window */                                                                           \
    X(CreateEmptyCaption) X(CreateEmptyName) X(CreateEmptyLocale) X(CreateEmptyCharset)                  \
    X(CreateEmptyCreate) X(CreateEmptyEnterName) X(CreateEmptyNotAllowed) X(CreateEmptyExists)           \
    X(CreateEmptyCreated) X(CreateEmptyErrorIni) X(CreateEmptyErrorTmp) X(CreateEmptyErrorDatabase)      \
    X(CreateEmptyIcon)                                                                                   \
    /* word list overview */                                                                             \
    X(WordlistInfoCaption) X(WordlistInfoWordlist) X(WordlistInfoWords) X(WordlistInfoLocale)            \
    X(WordlistInfoUnknown)                                                                               \
    /* pronunciation recorder */                                                                         \
    X(RecordCaption) X(RecordStart) X(RecordStop) X(RecordSkip) X(RecordBack) X(RecordExit)              \
    X(RecordWord) X(RecordOf) X(RecordEndOfList) X(RecordRecording)                                      \
    /* keyboard shortcuts: the first character of each is the key */                                     \
    X(AccelAdd) X(AccelPractice) X(AccelSearch) X(AccelCreatelist) X(AccelExit)                          \
    /* installer texts: required in every file, shown by no window of the program */                     \
    X(Install_Start) X(Install_Stop) X(Install_ChDir) X(Install_InstDir) X(Install_Drive)                \
    X(Install_Dir) X(Install_CopyFiles) X(Install_TaalCf) X(Install_TaalTemp) X(Install_IniLine01)       \
    X(Install_IniLine03) X(Install_ReadFrom) X(Install_WriteTemp) X(Install_ReadTo) X(Install_SortTo)    \
    X(Install_WriteTo) X(Install_Finished) X(Install_Install)                                            \
    /* number of foreign font keys that follow (Font600, Font601, ...) */                                \
    X(ForeignFonts)

// Texts that later versions added. A strings file made for an earlier version (a
// user's own translation, say) lacks them and must still start the program, so each
// comes with the English text shown in its place; the shipped files hold them all.
#define LINGORIX_UI_LATER_KEYS(X)                                                                        \
    X(ProgramAborted, L"Program aborted")                                                                \
    X(RecordCantOpen, L"Can't open new sound   ")                                                        \
    X(CreateListNoPrintFile, L"Could not write the print file")                                          \
    X(CreateListNoMark, L"Could not save the mark in the practice list")                                \
    X(RecordNoSound,                                                                                     \
      L"No sound was recorded, so nothing was saved. Check the microphone and record the word again.")   \
    X(RecordNotSaved, L"The recording could not be saved.")                                            \
    X(MainMenuPracticeMode3, L"&Review due words")                                                       \
    X(MenuProgress, L"&Progress...")                                                                     \
    X(ReviewCaption, L"Review")                                                                          \
    X(ReviewMenu0, L"&Review")                                                                           \
    X(ReviewMenuOptions, L"&Options...")                                                                 \
    X(ReviewAgain, L"Again")                                                                             \
    X(ReviewHard, L"Hard")                                                                               \
    X(ReviewGood, L"Good")                                                                               \
    X(ReviewEasy, L"Easy")                                                                               \
    X(ReviewNew, L"New:")                                                                                \
    X(ReviewLearning, L"Learning:")                                                                      \
    X(ReviewDue, L"Due:")                                                                                \
    X(ReviewDone, L"No more cards for today.")                                                           \
    X(ReviewNextCard, L"Next card:")                                                                     \
    X(ReviewNoCards, L"This practice list has no cards to review.")                                      \
    X(ReviewMinutes, L"min")                                                                             \
    X(ReviewHours, L"h")                                                                                 \
    X(ReviewDays, L"d")                                                                                  \
    X(ReviewMonths, L"mo")                                                                               \
    X(ReviewYears, L"y")                                                                                 \
    X(ReviewLogDamaged, L"Some lines of the review log could not be read; the cards they belong to "               \
      L"start afresh. Lines:")                                                                           \
    X(ReviewLogNotWritten, L"The answer could not be written to the review log. Answers count only until "        \
      L"the window closes.")                                                                             \
    X(ReviewReadingLog, L"Reading the review log...")                                                    \
    X(ReviewOptionsCaption, L"Review options")                                                           \
    X(ReviewOptionsNew, L"New cards a day:")                                                             \
    X(ReviewOptionsReviews, L"Reviews a day:")                                                           \
    X(ReviewOptionsRetention, L"Desired retention in % (80-97):")                                        \
    X(ReviewOptionsInvalid, L"Please enter whole numbers; the retention lies between 80 and 97.")        \
    X(ProgressCaption, L"Progress")                                                                      \
    X(ProgressDue, L"Cards due in the next 30 days")                                                     \
    X(ProgressReviews, L"Reviews in the last 30 days (green: right, red: forgotten)")                    \
    X(ProgressYoung, L"Young:")                                                                          \
    X(ProgressMature, L"Mature:")                                                                        \
    X(ProgressRetention, L"True retention of the last 30 days:")                                         \
    X(ProgressNoReviews, L"no reviews yet")                                                              \
    X(ProgressToday, L"today")                                                                           \
    X(CaptureMenuItem, L"&Add to practice list\tCtrl+D")                                                 \
    X(CaptureNoList, L"There is no practice list yet. Make one with the Create practice list button "               \
      L"first.")                                                                                        \
    X(CaptureAlreadyThere, L"This word is in the practice list already.")                                \
    X(MainMenuImport, L"Import words...")                                                                \
    X(MainMenuExport, L"Export word list...")                                                            \
    X(MainMenuUndoImport, L"Undo last import")                                                           \
    X(ImportCaption, L"Import words")                                                                    \
    X(ImportHelpkey, L"import")                                                                          \
    X(ImportFilter, L"Word lists (*.csv;*.tsv;*.txt)")                                                   \
    X(AllFilesFilter, L"All files (*.*)")                                                                \
    X(ImportFile, L"File:")                                                                              \
    X(ImportDelimiter, L"Delimiter:")                                                                    \
    X(ImportAutomatic, L"Automatic")                                                                     \
    X(ImportTab, L"Tab")                                                                                 \
    X(ImportSemicolon, L"Semicolon")                                                                     \
    X(ImportComma, L"Comma")                                                                             \
    X(ImportEncoding, L"Encoding:")                                                                      \
    X(ImportHeaderRow, L"First row holds column names")                                                  \
    X(ImportWordColumn, L"Word:")                                                                        \
    X(ImportTranslationColumn, L"Translation:")                                                          \
    X(ImportColumn, L"Column")                                                                           \
    X(ImportSwap, L"Swap")                                                                               \
    X(ImportAddToPracticeList, L"Also add the new words to the practice list")                           \
    X(ImportButton, L"Import")                                                                           \
    X(ImportRowsRead, L"Rows read")                                                                      \
    X(ImportNewPairs, L"New pairs")                                                                      \
    X(ImportMerged, L"Merged into entries")                                                              \
    X(ImportUnchanged, L"Already there")                                                                 \
    X(ImportRefused, L"Cannot be stored")                                                                \
    X(ImportLine, L"Line")                                                                               \
    X(ImportWhyRowTooLong, L"the row is too long")                                                       \
    X(ImportWhyEmpty, L"the word or its translation is empty")                                           \
    X(ImportWhyComma, L"the word holds a comma")                                                         \
    X(ImportWhyControl, L"a word holds a tab or a line break")                                           \
    X(ImportWhyWordCodePage, L"the word has a character this word list cannot store")                    \
    X(ImportWhyTranslationCodePage, L"a translation has a character this word list cannot store")        \
    X(ImportWhyWordTooLong, L"the word is longer than 30 bytes")                                         \
    X(ImportWhyTranslationsTooLong, L"the translations are longer than 50 bytes")                        \
    X(ImportWhyReverseTooLong, L"a translation is longer than 30 bytes, too long for the reverse list")  \
    X(ImportWhyReverseFull, L"the reverse entry of a translation has no room for the word")              \
    X(ImportEmptyFile, L"The file is empty.")                                                            \
    X(ImportNotText, L"The file is not a text file.")                                                    \
    X(ImportTooLarge, L"The file is larger than 64 MB. Please split it into smaller files.")             \
    X(ImportNoRows, L"The file holds no rows to import.")                                                \
    X(ImportUnclosedQuote, L"A quotation mark is never closed; it opens in line")                        \
    X(ImportCantRead, L"The file cannot be read:")                                                       \
    X(ImportFileChanged, L"The file has changed since it was shown. Please look at it again before you import it.") \
    X(ImportListsUnreadable, L"The word lists cannot be read.")                                          \
    X(ImportFailed, L"The import failed. The word lists are as they were.")                              \
    X(ImportBackupFailed, L"No backup of the word lists could be made, so nothing was imported.")        \
    X(ImportDone, L"Import finished.")                                                                   \
    X(ImportSkipped, L"Skipped")                                                                         \
    X(ImportOpenReport, L"Open the report of the skipped rows?")                                         \
    X(ImportReportTitle, L"Rows that were not imported")                                                 \
    X(ImportProgressCaption, L"Importing")                                                               \
    X(ImportBackingUp, L"Backing up the word lists")                                                     \
    X(ImportReplacing, L"Replacing the word lists")                                                      \
    X(UndoImportDone, L"The word lists are back as they were before the import.")                        \
    X(UndoImportChanged, L"The word lists have changed since the import, so it can no longer be undone.") \
    X(UndoImportFailed, L"The import could not be undone completely. The backups are in the folder backup.") \
    X(ExportCaption, L"Export word list")                                                                \
    X(ExportWordList, L"The word list")                                                                  \
    X(ExportPracticeList, L"The practice list")                                                          \
    X(ExportEntries, L"entries")                                                                         \
    X(ExportCsv, L"CSV for spreadsheet programs (UTF-8, comma)")                                         \
    X(ExportTabs, L"Tab-separated text (UTF-8)")                                                         \
    X(ExportHeaderRow, L"First row with the language names")                                             \
    X(ExportSave, L"Save as...")                                                                         \
    X(ExportCsvFilter, L"CSV files (*.csv)")                                                             \
    X(ExportTabsFilter, L"Text files (*.txt;*.tsv)")                                                     \
    X(ExportDone, L"entries exported to")                                                                \
    X(ExportFailed, L"The file could not be written:")                                                   \
    X(ExportCantRead, L"The list cannot be read.")                                                       \
    X(ImportCounting, L"Counting the rows...")                                                           \
    X(HelpCannotOpen, L"The help page cannot be opened:")                                                \
    X(PracticeRight, L"Right:")                                                                          \
    X(PracticeNewBest, L"That is a new best score!")                                                     \
    X(PracticeBestNotSaved, L"It could not be saved.")                                                   \
    X(CaptureNotWritten, L"The practice list could not be written.")

enum class Ui : int {
#define LINGORIX_UI_ENUM(k) k,
#define LINGORIX_UI_LATER_ENUM(k, fallback) k,
    LINGORIX_UI_KEYS(LINGORIX_UI_ENUM)
    Count,  // the keys before it are required
    LINGORIX_UI_LATER_KEYS(LINGORIX_UI_LATER_ENUM)
    End
#undef LINGORIX_UI_LATER_ENUM
#undef LINGORIX_UI_ENUM
};

inline constexpr std::size_t kUiKeyCount = static_cast<std::size_t>(Ui::Count);
inline constexpr std::size_t kUiLaterKeyCount = static_cast<std::size_t>(Ui::End) - kUiKeyCount - 1;

inline constexpr const char* kUiKeyNames[kUiKeyCount] = {
#define LINGORIX_UI_NAME(k) #k,
    LINGORIX_UI_KEYS(LINGORIX_UI_NAME)
#undef LINGORIX_UI_NAME
};

struct UiLaterKey {
    const char* name;
    const wchar_t* fallback;
};
inline constexpr UiLaterKey kUiLaterKeys[kUiLaterKeyCount] = {
#define LINGORIX_UI_LATER_ENTRY(k, fallback) {#k, fallback},
    LINGORIX_UI_LATER_KEYS(LINGORIX_UI_LATER_ENTRY)
#undef LINGORIX_UI_LATER_ENTRY
};

// Index of a later key in kUiLaterKeys; -1 for a required key or a value outside both lists.
constexpr int UiLaterIndex(Ui key) {
    const int index = static_cast<int>(key) - static_cast<int>(Ui::Count) - 1;
    return index >= 0 && index < static_cast<int>(kUiLaterKeyCount) ? index : -1;
}

// The key's name as it stands in a UI strings file; "" for a value outside the lists.
constexpr const char* UiKeyName(Ui key) {
    const int index = static_cast<int>(key);
    if (index >= 0 && index < static_cast<int>(kUiKeyCount)) return kUiKeyNames[index];
    const int later = UiLaterIndex(key);
    return later >= 0 ? kUiLaterKeys[later].name : "";
}

// Foreign font keys are formed as "Font%03d" from this number upward.
inline constexpr int kUiFirstForeignFontKey = 600;
inline constexpr int kUiMaxForeignFonts = 100;
