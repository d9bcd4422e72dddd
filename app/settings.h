// The program's settings and window positions, kept in one section of the settings
// file (lingorix.ini in the data folder) between runs. Nothing is written before the
// end of a run.
#pragma once

#include <string>

#include "win/windowpos.h"

inline constexpr wchar_t kProfileSection[] = L"Lingorix";

struct Settings {
    // Read at start, before the fonts are made.
    std::wstring languageFont = L"Times New Roman";
    std::wstring guiFont = L"Arial";
    int guiFontSize = 9;
    int languageFontSize = 30;
    int searchWindowSize = 10;
    int searchWindowMinimal = 0;

    // Read at start, once the main window exists.
    std::wstring practiceList;
    int listId = 800;

    // Read when the main window is created. Only the low 8 bits of the colours count.
    int colorR = 0, colorG = 200, colorB = 0;
    int colorRi = 0, colorGi = 3, colorBi = 0;
    int aboutPause = 0;  // milliseconds; the key's name comes from the strings file
    int practiceMode = 0;
    int stayOnTop = 0;
    WindowPosition mainWindow;
    WindowPosition practise;  // both practice windows
    WindowPosition makelist;
    WindowPosition add;
    WindowPosition translate;
    WindowPosition search;
    int clipSearch = 0;
    int addNewWordsToList = 1;
    int practiceSound = 1;

    // Review: daily limits and the desired chance of recall, in hundredths.
    int reviewNewPerDay = 20;
    int reviewsPerDay = 200;
    int reviewRetention = 90;
    // Seconds since 1970 the review takes as the time instead of the clock; 0 is the
    // clock. Only read, for tests that live through several days in a minute.
    long long reviewClock = 0;
};

inline constexpr int kLowestReviewRetention = 80;
inline constexpr int kHighestReviewRetention = 97;
inline constexpr int kMostReviewsPerDay = 99999;

// The process-wide values. PracticeMode, StayOnTop, CurrentListId and
// CurrentPracticeList live in their own variables while the program runs; the
// fields of the same meaning here only carry them from and to the profile file.
extern Settings AppSettings;
// The file the program itself reads and writes (lingorix.ini in the current
// directory); tests point it at a file of their own.
extern std::wstring ProfileFile;

// The profile is a full path; while it does not exist the section is read from the
// earlier installation's file, if the program names one (see settingsfile.h).
void ReadStartSettings(Settings& settings, const std::wstring& profile);
void ReadPracticeListSettings(Settings& settings, const std::wstring& profile);
void ReadWindowSettings(Settings& settings, const std::wstring& profile);
// Writes what the end of a run keeps: the values that are always written, each
// saved tool window position, and the practice list when there is one.
void WriteSettings(const Settings& settings, const std::wstring& profile);

// The recorder's entry reached for a first language ("lastrecord_<language>"); 0 when
// none was kept. Read and written when the recorder opens and closes.
int ReadLastRecorded(const std::wstring& firstLanguage, const std::wstring& profile);
void WriteLastRecorded(const std::wstring& firstLanguage, int index, const std::wstring& profile);
