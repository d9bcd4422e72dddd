#include "store/catalogue.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "store/atomicfile.h"
#include "store/collation.h"
#include "store/records.h"
#include "text/codepage.h"
#include "text/locale.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/session.h"

namespace {

CatalogueList g_catalogue;
WordListDescriptor* g_current = nullptr;

constexpr std::size_t kCatalogueLineBuffer = kLongestLanguageLine + 2;  // line end and terminator
constexpr std::size_t kSelectionCopyBuffer = 200;   // 199 bytes a piece

std::wstring Stem(const std::wstring& name) { return name.substr(0, 3); }

std::wstring LanguageFilePath() { return UiText(Ui::FilenameIni); }

void RemoveOneLineEnd(std::string& line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
}

std::unique_ptr<WordListDescriptor> ForwardDescriptor(const std::vector<std::string>& fields) {
    const UINT ui = UiCodePage();
    const std::wstring native = UiText(Ui::MainLanguage);
    auto d = std::make_unique<WordListDescriptor>();
    const std::wstring shortName = ToWide(fields[0], ui);
    d->firstCharset = fields.size() > 2 ? std::atoi(fields[2].c_str()) : 0;
    d->firstCodePage = CharsetToCodePage(d->firstCharset);
    d->secondCharset = UiTextInt(Ui::CharactersetCode);
    d->secondCodePage = CharsetToCodePage(d->secondCharset);
    d->locale = fields.size() > 1 ? ToWide(fields[1], ui) : L"english";
    d->firstName = shortName;
    d->secondName = native;
    d->wordListFile = Stem(shortName) + L"_" + Stem(native) + L".tvk";
    d->practiceListFile = Stem(shortName) + L"_" + Stem(native) + L".ls";
    d->firstIconFile = Stem(shortName) + L".ico";
    d->secondIconFile = Stem(native) + L".ico";
    if (fields.size() > 3 && !fields[3].empty()) {
        const std::wstring longName = ToWide(fields[3], ui);
        d->firstName = longName;
        d->longWordListFile = longName + L"_" + native + L".tvk";
        d->longPracticeListFile = longName + L"_" + native + L".ls";
        d->longFirstIconFile = longName + L".ico";
        d->longSecondIconFile = native + L".ico";
        d->longName = longName;
    }
    d->hasSortTable = HasSortTable(d->firstName);
    return d;
}

std::unique_ptr<WordListDescriptor> ReverseDescriptor(const WordListDescriptor& f) {
    const std::wstring native = UiText(Ui::MainLanguage);
    auto r = std::make_unique<WordListDescriptor>();
    r->firstCharset = UiTextInt(Ui::CharactersetCode);
    r->firstCodePage = CharsetToCodePage(r->firstCharset);
    r->secondCharset = f.firstCharset;
    r->secondCodePage = f.firstCodePage;
    r->locale = UiText(Ui::Locale);
    r->firstName = f.secondName;
    r->secondName = f.firstName;
    r->firstIconFile = f.secondIconFile;
    r->secondIconFile = f.firstIconFile;
    // The forward short names all start with the foreign stem; the stem itself may hold a
    // "_" (pt_BR gives pt_), so it is not found by looking for one.
    const std::wstring foreignStem = f.firstIconFile.substr(0, f.firstIconFile.size() - std::wstring_view(L".ico").size());
    r->wordListFile = Stem(native) + L"_" + foreignStem + L".tvk";
    r->practiceListFile = Stem(native) + L"_" + foreignStem + L".ls";
    if (f.HasLongName()) {
        r->longWordListFile = native + L"_" + f.longName + L".tvk";
        r->longPracticeListFile = native + L"_" + f.longName + L".ls";
        r->longFirstIconFile = native + L".ico";
        r->longSecondIconFile = f.longName + L".ico";
        r->longName = f.longName;
    }
    r->hasSortTable = HasSortTable(native);
    return r;
}

// Compares at most n characters the way a bounded case-blind string comparison does:
// a text that ends counts as a zero there.
bool PrefixEqualsIgnoreAsciiCase(std::wstring_view a, std::wstring_view b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t x = i < a.size() ? a[i] : L'\0';
        const wchar_t y = i < b.size() ? b[i] : L'\0';
        if (!EqualsIgnoreAsciiCase(std::wstring_view(&x, 1), std::wstring_view(&y, 1))) return false;
        if (x == L'\0') return true;
    }
    return true;
}

void ShowLocaleWarning() { ShowMessage(MessageOwner(), UiText(Ui::ErrorLocale), UiText(Ui::Lingorix), MB_ICONWARNING); }

// Copies the language file with the line after the selection marker replaced by the
// current word list's file name.
int RewriteSelection() {
    std::string bytes;
    if (!ReadFileBytes(LanguageFilePath(), bytes)) return -1;
    const UINT ui = UiCodePage();
    const std::wstring marker = UiText(Ui::IniSelected);
    // Only a length within the marker text counts: 0 (or text that is no number) would
    // make every line a marker, and the rewrite would replace every other line; a length
    // past the marker's end would find no marker at all.
    const int configuredLength = UiTextInt(Ui::IniSelectedLen);
    const std::size_t markerLength = configuredLength >= 1 && static_cast<std::size_t>(configuredLength) <= marker.size()
                                         ? static_cast<std::size_t>(configuredLength)
                                         : marker.size();
    const std::string selection = ToNarrow(WordListFileName(CurrentWordList()), ui) + "\n";

    std::string out;
    out.reserve(bytes.size() + selection.size() + 16);
    // The file is copied in pieces, but the marker only counts at the start of a line and
    // the line after it is replaced whole: a long line whose middle happens to read like
    // the marker, or an overlong old selection, must not cost the file a language line.
    TextPieceReader reader(bytes, kSelectionCopyBuffer);
    std::string piece;
    bool lineStart = true;
    bool markerLine = false;
    bool replacing = false;
    while (reader.Next(piece)) {
        const bool lineEnds = !piece.empty() && piece.back() == '\n';
        if (lineStart && !replacing) markerLine = PrefixEqualsIgnoreAsciiCase(ToWide(piece, ui), marker, markerLength);
        if (replacing) {
            if (lineStart) out += selection;
        } else {
            out += piece;
        }
        lineStart = lineEnds;
        if (lineEnds) {
            replacing = !replacing && markerLine;
            markerLine = false;
        }
    }
    AtomicFileWriter writer(kLanguageTempFile, LanguageFilePath());
    if (!writer.Ok() || !writer.Write(WithCrLfLineEnds(out))) return -1;
    return writer.Commit() ? 0 : -1;
}

}  // namespace

const CatalogueList& Catalogue() { return g_catalogue; }
int CatalogueCount() { return static_cast<int>(g_catalogue.size()); }

WordListDescriptor& CurrentWordList() {
    static WordListDescriptor none;
    return g_current ? *g_current : none;
}

void SetCurrentWordList(WordListDescriptor& descriptor) { g_current = &descriptor; }

WordListDescriptor* OppositeWordList(const WordListDescriptor& current) {
    for (const auto& d : Catalogue())
        if (d->firstName == current.secondName && d->secondName == current.firstName) return d.get();
    return nullptr;
}

int IndexOfDescriptor(const WordListDescriptor& descriptor) {
    for (std::size_t i = 0; i < g_catalogue.size(); ++i)
        if (g_catalogue[i].get() == &descriptor) return static_cast<int>(i);
    return -1;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > (256 << 20)) return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (bytes.empty()) return true;
    return ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return false;
    try {
        bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    } catch (const std::exception&) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 26));
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) return false;
        done += read;
    }
    return true;
}

bool IsSeparatorLine(std::string_view line) { return line.empty() || line[0] == '#'; }

std::vector<std::string> SplitLanguageFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t comma = line.find(',', pos);
        const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        if (end > pos) fields.emplace_back(line.substr(pos, end - pos));
        pos = end + 1;
    }
    return fields;
}

std::string WithCrLfLineEnds(std::string_view text) {
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') crlf.push_back('\r');
        crlf.push_back(c);
    }
    return crlf;
}

TextPieceReader::TextPieceReader(std::string_view bytes, std::size_t bufferSize) : maxBytes_(bufferSize - 1) {
    text_.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text_.push_back(bytes[i]);
    }
}

bool TextPieceReader::Next(std::string& piece) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = pos_;
    while (end < text_.size() && end - pos_ < maxBytes_) {
        if (text_[end++] == '\n') break;
    }
    piece.assign(text_, pos_, end - pos_);
    pos_ = end;
    return true;
}

int HasSortTable(const std::wstring& languageName) {
    const std::wstring path = L"tables\\" + languageName + L".stb";
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 1 : 0;
}

int LoadCatalogue() {
    g_catalogue.clear();
    g_current = nullptr;
    std::string bytes;
    if (!ReadFileBytes(LanguageFilePath(), bytes)) return -1;

    const std::wstring languageMarker = UiText(Ui::IniLanguage);
    const UINT ui = UiCodePage();
    TextPieceReader reader(bytes, kCatalogueLineBuffer);
    std::string line;
    bool inLanguages = false;
    while (reader.Next(line)) {
        RemoveOneLineEnd(line);
        if (IsSeparatorLine(line)) {
            inLanguages = false;
            continue;
        }
        if (inLanguages) {
            const std::vector<std::string> fields = SplitLanguageFields(line);
            // A line of commas alone names no language.
            if (!fields.empty()) g_catalogue.push_back(ForwardDescriptor(fields));
        }
        if (EqualsIgnoreAsciiCase(ToWide(line, ui), languageMarker)) inLanguages = true;
    }
    if (g_catalogue.empty()) return -1;

    const std::size_t forwardCount = g_catalogue.size();
    for (std::size_t i = 0; i < forwardCount; ++i) g_catalogue.push_back(ReverseDescriptor(*g_catalogue[i]));
    g_current = g_catalogue[forwardCount].get();
    return 0;
}

int ReadSelection() {
    std::string bytes;
    if (!ReadFileBytes(LanguageFilePath(), bytes)) return -1;
    const UINT ui = UiCodePage();
    const std::string marker = ToNarrow(UiText(Ui::IniSelected), ui);
    TextPieceReader reader(bytes, kCatalogueLineBuffer);
    std::string line;
    bool inSelection = false;
    while (reader.Next(line)) {
        RemoveOneLineEnd(line);
        if (IsSeparatorLine(line)) {
            inSelection = false;
            continue;
        }
        if (inSelection) {
            const std::wstring name = ToWide(line, ui);
            for (const auto& d : g_catalogue) {
                if ((d->HasLongName() && EqualsIgnoreAsciiCase(name, d->longWordListFile)) ||
                    EqualsIgnoreAsciiCase(name, d->wordListFile)) {
                    // A second selection section must not leave two lists marked as
                    // selected, or the language menu would carry two check marks.
                    if (g_current && g_current != d.get()) g_current->selected = 0;
                    d->selected = 1;
                    g_current = d.get();
                    inSelection = false;
                    break;
                }
            }
        }
        if (EqualsIgnoreAsciiCase(line, marker)) inSelection = true;
    }
    return 0;
}

int SaveSelection() {
    LoadSortTable();
    if (!SetCollationLocale(CurrentWordList().locale)) ShowLocaleWarning();
    const int result = RewriteSelection();
    // The store must follow the new current word list even when the language file
    // could not be rewritten, or reads and writes would reach the old list's file.
    CloseListFiles();
    OpenWordListFile();
    CountRecords();
    return result;
}

std::wstring SwitchNameFromCommandLine(std::wstring_view commandLine) {
    const std::wstring copy(commandLine.substr(0, std::min<std::size_t>(commandLine.size(), 99)));
    // The first token as strtok on "/" sees it: leading slashes are skipped.
    const std::size_t start = copy.find_first_not_of(L'/');
    if (start == std::wstring::npos) return {};
    const std::size_t end = std::min(copy.find(L'/', start), copy.size());
    const std::wstring token = copy.substr(start, end - start);
    const std::size_t at = token.find(L"tvk ");
    if (at == std::wstring::npos) return {};
    return token.substr(at + 4);
}

void ApplySwitch(const std::wstring& name) {
    if (name.empty() || g_catalogue.empty()) return;
    const WordListDescriptor& current = CurrentWordList();
    if (StartsWithIgnoreAsciiCase(current.secondName, name) || StartsWithIgnoreAsciiCase(current.firstName, name))
        return;
    for (const auto& d : g_catalogue) {
        if (StartsWithIgnoreAsciiCase(d->firstName, name)) {
            d->selected = 1;
            if (g_current && g_current != d.get()) g_current->selected = 0;
            g_current = d.get();
            return;
        }
    }
}

int UseWordList(WordListDescriptor& descriptor) {
    SetCurrentWordList(descriptor);
    SetCollationLocale(descriptor.locale);
    LoadSortTable();
    CloseListFiles();
    const int opened = TryOpenWordListFile();
    CountRecords();
    return opened;
}
