#include "entry/newlist.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "store/atomicfile.h"
#include "store/catalogue.h"
#include "text/codepage.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/session.h"

namespace {

// Characters no file name may hold; a comma would split the language line.
constexpr std::wstring_view kUnusableCharacters = L",\\/:*?\"<>|";
constexpr std::wstring_view kBlanks = L" \u00A0\u3000";

// Compared the way the file system compares names, not only A to Z: two names that
// differ only in the case of an accented letter share their word list files.
bool SameFileName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Windows opens a device instead of a file for these, also with an extension.
bool IsDeviceName(std::wstring_view name) {
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && kBlanks.find(stem.back()) != std::wstring_view::npos) stem.remove_suffix(1);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
        if (SameFileName(stem, device)) return true;
    return stem.size() == 4 && (SameFileName(stem.substr(0, 3), L"COM") || SameFileName(stem.substr(0, 3), L"LPT")) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

// A name that would damage the language line, that the language file cannot carry in
// the UI code page, or that names files the catalogue would not find again.
bool IsUsableName(const std::wstring& name, const std::wstring& locale, int charset) {
    if (name.find_first_of(kUnusableCharacters) != std::wstring::npos) return false;
    if (std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < L' '; })) return false;
    if (kBlanks.find(name.front()) != std::wstring_view::npos || kBlanks.find(name.back()) != std::wstring_view::npos)
        return false;
    if (IsDeviceName(name)) return false;
    const UINT ui = UiCodePage();
    if (ToWide(ToNarrow(name, ui), ui) != name) return false;
    return NewLanguageLine(name, locale, charset).size() <= kLongestLanguageLine;
}

NewLanguageOutcome CheckName(const std::wstring& name, const std::wstring& locale, int charset,
                             std::wstring& existing) {
    if (name.find_first_not_of(kBlanks) == std::wstring::npos) return NewLanguageOutcome::EmptyName;
    if (SameFileName(name, UiText(Ui::MainLanguage))) return NewLanguageOutcome::NotAllowed;
    if (!IsUsableName(name, locale, charset)) return NewLanguageOutcome::NotAllowed;
    for (const auto& d : Catalogue()) {
        if (SameFileName(d->firstName, name)) {
            existing = d->firstName;
            return NewLanguageOutcome::Exists;
        }
    }
    return NewLanguageOutcome::Created;
}

// The name a language line gives its language: the long name when it has one.
std::wstring ListedName(std::string_view line, UINT ui) {
    const std::vector<std::string> fields = SplitLanguageFields(line);
    if (fields.empty()) return {};
    return ToWide(fields.size() > 3 ? fields[3] : fields[0], ui);
}

// The language file with the new line at the end of its first languages section, where
// the separator that ends it (empty or "#" line) or the end of the file stands; every
// other line is kept. A language line of the same name there already (one added since
// the start) is returned in `existing`. False when the file has no languages section.
bool InsertLanguageLine(std::string_view bytes, const std::wstring& name, const std::string& line, std::string& out,
                        std::wstring& existing) {
    const std::wstring marker = UiText(Ui::IniLanguage);
    const UINT ui = UiCodePage();
    TextPieceReader reader(bytes, bytes.size() + 2);  // whole lines
    std::string piece;
    bool found = false;
    bool inLanguages = false;
    bool inserted = false;
    out.clear();
    while (reader.Next(piece)) {
        const std::string_view text = std::string_view(piece).substr(0, piece.size() - (piece.back() == '\n'));
        if (IsSeparatorLine(text)) {
            if (inLanguages && !inserted) {
                out += line + "\n";
                inserted = true;
            }
            inLanguages = false;
        } else {
            const std::wstring listed = inLanguages ? ListedName(text, ui) : std::wstring();
            if (!listed.empty() && SameFileName(listed, name)) existing = listed;
            if (EqualsIgnoreAsciiCase(ToWide(text, ui), marker)) found = inLanguages = true;
        }
        out += piece;
    }
    if (found && !inserted) {
        if (!out.empty() && out.back() != '\n') out += '\n';
        out += line + "\n\n";
    }
    out = WithCrLfLineEnds(out);
    return found;
}

NewLanguageOutcome AddLanguageLine(const std::wstring& name, const std::string& line, std::wstring& existing) {
    const std::wstring path = UiText(Ui::FilenameIni);
    std::string bytes;
    std::string edited;
    if (!ReadFileBytes(path, bytes) || !InsertLanguageLine(bytes, name, line, edited, existing))
        return NewLanguageOutcome::LanguageFileFailed;
    if (!existing.empty()) return NewLanguageOutcome::Exists;
    AtomicFileWriter writer(kLanguageTempFile, path);
    if (!writer.Ok() || !writer.Write(edited)) return NewLanguageOutcome::TempFileFailed;
    return writer.Commit() ? NewLanguageOutcome::Created : NewLanguageOutcome::LanguageFileFailed;
}

// A file already there keeps its words: it can only be a list left behind by a language
// taken out of the language file by hand, and the new language takes it up again.
int CreateEmptyWordLists(const std::wstring& name) {
    const std::wstring folder = UiText(Ui::PathLanguage);
    const std::wstring native = UiText(Ui::MainLanguage);
    int failed = 0;
    for (const std::wstring& file : {native + L"_" + name + L".tvk", name + L"_" + native + L".tvk"}) {
        UniqueFile list(CreateFileW((folder + file).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!list) ++failed;
    }
    return failed;
}

// An icon already there is kept: it may be another language's (the three-letter icon
// of a language without a long name) or one the user chose.
bool WriteLanguageIcon(const std::wstring& name) {
    HRSRC found = FindResourceW(ModuleInstance, MAKEINTRESOURCEW(kTemplateIconResource), L"DATA");
    HGLOBAL loaded = found ? LoadResource(ModuleInstance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(ModuleInstance, found) : 0;
    if (!bytes || size == 0) return false;
    const std::wstring path = UiText(Ui::PathIcons) + name + L".ico";
    UniqueFile icon(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!icon) return GetLastError() == ERROR_FILE_EXISTS;
    DWORD written = 0;
    if (WriteFile(icon.Get(), bytes, size, &written, nullptr) && written == size) return true;
    icon.Reset();
    DeleteFileW(path.c_str());  // half an icon would only fail to load
    return false;
}

}  // namespace

std::string NewLanguageLine(const std::wstring& name, const std::wstring& locale, int charset) {
    const UINT ui = UiCodePage();
    return "longname," + ToNarrow(locale, ui) + "," + std::to_string(charset) + "," + ToNarrow(name, ui);
}

NewLanguageReport CreateNewLanguage(const std::wstring& name, const std::wstring& locale, int charset) {
    NewLanguageReport report;
    report.outcome = CheckName(name, locale, charset, report.existingName);
    if (report.outcome != NewLanguageOutcome::Created) return report;
    report.outcome = AddLanguageLine(name, NewLanguageLine(name, locale, charset), report.existingName);
    if (report.outcome != NewLanguageOutcome::Created) return report;
    report.wordListsNotCreated = CreateEmptyWordLists(name);
    report.iconWritten = WriteLanguageIcon(name);
    return report;
}
