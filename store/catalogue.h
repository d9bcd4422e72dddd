// The language catalogue: every foreign language gives two word lists, one per
// direction, described by a WordListDescriptor. Exactly one is current.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct WordListDescriptor {
    int menuCommandId = 0;
    int hasSortTable = 0;
    int firstCharset = 0;
    int secondCharset = 0;
    UINT firstCodePage = 0;
    UINT secondCodePage = 0;
    short selected = 0;
    std::wstring firstName;
    std::wstring secondName;
    std::wstring wordListFile;      // <3>_<3>.tvk
    std::wstring practiceListFile;  // <3>_<3>.ls
    std::wstring firstIconFile;     // <3>.ico
    std::wstring secondIconFile;
    std::wstring locale;
    std::wstring longWordListFile;  // only with a long name
    std::wstring longPracticeListFile;
    std::wstring longFirstIconFile;
    std::wstring longSecondIconFile;
    std::wstring longName;

    bool HasLongName() const { return !longName.empty(); }
};

using CatalogueList = std::vector<std::unique_ptr<WordListDescriptor>>;

// Forward descriptors in the order of the language lines, then the reverse ones.
const CatalogueList& Catalogue();
int CatalogueCount();
WordListDescriptor& CurrentWordList();
void SetCurrentWordList(WordListDescriptor& descriptor);
int IndexOfDescriptor(const WordListDescriptor& descriptor);
// The word list of the same pair in the other direction; nullptr when the catalogue has none.
WordListDescriptor* OppositeWordList(const WordListDescriptor& descriptor);

// Reads the languages section of the language file; -1 when the file cannot be read
// or holds no language.
int LoadCatalogue();
// Start-up: the selection section names the word list that was current last time.
int ReadSelection();
// After a switch of the current word list: sort table, locale, the selection line
// of the language file (rewritten atomically) and the store files.
int SaveSelection();
int HasSortTable(const std::wstring& languageName);
// Makes a word list current for a moment's work without recording the choice:
// locale, sort table and the store files follow it. -1 when its word list file cannot
// be opened; the store files are then closed, and nothing ends the program.
int UseWordList(WordListDescriptor& descriptor);

// The word list name of the "/tvk name" switch (empty when there is none): only the
// command line's first "/"-separated piece counts.
std::wstring SwitchNameFromCommandLine(std::wstring_view commandLine);
// Makes the first word list whose first language begins with the name current,
// unless the name already begins a language of the current word list.
void ApplySwitch(const std::wstring& name);

// Splits a file's bytes into the pieces a line reader of `bufferSize` bytes returns
// (text mode: CR LF read as LF). A longer line comes out in several pieces.
class TextPieceReader {
public:
    TextPieceReader(std::string_view bytes, std::size_t bufferSize);
    bool Next(std::string& piece);

private:
    std::string text_;
    std::size_t pos_ = 0;
    std::size_t maxBytes_;
};

// Reads a whole file; false when it cannot be opened or read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);
// Reads a whole file, of any size the memory allows (a word list of millions of entries);
// false when it cannot.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// A language file line that ends any section: empty (line end removed) or a "#" line.
bool IsSeparatorLine(std::string_view line);
// The fields of a language line as the runtime's strtok splits them: empty fields
// do not count.
std::vector<std::string> SplitLanguageFields(std::string_view line);

// The language file is a Windows text file: what was read in text mode goes back out
// with every line feed as CR LF.
std::string WithCrLfLineEnds(std::string_view text);

// The language file is rewritten through this file in the current directory.
inline constexpr wchar_t kLanguageTempFile[] = L"tmp.ini";

// The longest language line the catalogue reads whole (its line end aside); the rest
// of a longer line would be read as a line of its own.
inline constexpr std::size_t kLongestLanguageLine = 98;
