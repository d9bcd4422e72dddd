// Adding a foreign language of the user's own: the checks on its name, its line in the
// language file, its two empty word lists and its icon. The catalogue is not reloaded,
// so the language joins the menus at the next start.
#pragma once

#include <array>
#include <string>

// The collation locales a new language can be given (the window's list sorts them).
inline constexpr std::array<const wchar_t*, 53> kNewLanguageLocales{
    L"albanian", L"arabic", L"australian", L"belgian", L"bulgarian", L"canadian", L"catalan", L"chinese",
    L"chinese-simplified", L"chinese-traditional", L"croatian", L"czech", L"danish", L"dutch", L"english",
    L"english-nz", L"english-uk", L"english-usa", L"finnish", L"french", L"french-belgian", L"french-canadian",
    L"french-swiss", L"german", L"german-austrian", L"german-swiss", L"greek", L"hebrew", L"hungarian",
    L"icelandic", L"indonesian", L"italian", L"italian-swiss", L"japanese", L"korean", L"lithuanian",
    L"norwegian", L"norwegian-bokmal", L"norwegian-nynorsk", L"polish", L"portuguese", L"portuguese-brazilian",
    L"romanian", L"russian", L"serbian", L"slovak", L"spanish", L"spanish-mexican", L"spanish-modern",
    L"swedish", L"thai", L"turkish", L"urdu",
};
inline constexpr wchar_t kDefaultNewLanguageLocale[] = L"english";

// The resource (type "DATA") written out as the icon of every new language.
inline constexpr int kTemplateIconResource = 13;

enum class NewLanguageOutcome {
    Created,
    EmptyName,
    // The native language, or a name the language file or the file names cannot hold.
    NotAllowed,
    // A language of that name is in the catalogue or, added since the start, in the file.
    Exists,
    LanguageFileFailed,  // the language file could not be read or replaced
    TempFileFailed,      // its temporary copy could not be written
};

struct NewLanguageReport {
    NewLanguageOutcome outcome = NewLanguageOutcome::Created;
    std::wstring existingName;  // with Exists: the language as it is already named
    int wordListsNotCreated = 0;
    bool iconWritten = false;
};

// "longname,<locale>,<charset>,<name>", 8-bit in the UI code page.
std::string NewLanguageLine(const std::wstring& name, const std::wstring& locale, int charset);

// Checks the name, adds the language line, then creates the word lists and the icon.
// Nothing at all is written unless the language line went in: files the catalogue
// will never list would only be in the way of a second try.
NewLanguageReport CreateNewLanguage(const std::wstring& name, const std::wstring& locale, int charset);
