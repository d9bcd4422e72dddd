// The UI strings files: the shipped sources, the source and plain formats, the
// scrambling, and the strtool that turns one into the other.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/testenv.h"
#include "text/scramble.h"
#include "text/stringsource.h"
#include "text/uikeys.h"
#include "win/handles.h"

namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::wstring WindowsPath(std::wstring path) {
    // CTest hands over Unix paths; Wine maps the root of the Unix file system to Z:.
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::string FoldAsciiCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

struct ShippedSource {
    std::wstring name;  // file name without ".txt"
    std::string bytes;
    StringSource parsed;
    std::map<std::string, std::string> values;  // by key as written
};

std::vector<ShippedSource> LoadShippedSources() {
    std::vector<ShippedSource> sources;
    const std::wstring dir = SourceDirectory() + L"\\data\\strings\\";
    WIN32_FIND_DATAW found{};
    UniqueFind find(FindFirstFileW((dir + L"*.txt").c_str(), &found));
    if (!find) return sources;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ShippedSource source;
        source.name = found.cFileName;
        source.name.resize(source.name.size() - 4);
        source.bytes = ReadBytes(dir + found.cFileName);
        source.parsed = ParseStringSource(source.bytes);
        for (const auto& entry : source.parsed.entries) source.values.emplace(entry.key, entry.value);
        sources.push_back(std::move(source));
    } while (FindNextFileW(find.Get(), &found));
    return sources;
}

const std::vector<ShippedSource>& ShippedSources() {
    static const std::vector<ShippedSource> sources = LoadShippedSources();
    return sources;
}

std::string PackedBytes(const std::vector<StringEntry>& entries) {
    std::string bytes = EntriesToPlain(entries);
    ScrambleUiBytes(bytes);
    return bytes;
}

// ---------------------------------------------------------------------------
// The shipped sources

TEST(ShippedStringSources, ParseAndIncludeEnglishAndGerman) {
    const auto& sources = ShippedSources();
    ASSERT_FALSE(sources.empty()) << "no data\\strings\\*.txt under " << Narrow(SourceDirectory());
    bool english = false;
    bool german = false;
    for (const auto& source : sources) {
        SCOPED_TRACE(Narrow(source.name));
        EXPECT_TRUE(source.parsed.Ok()) << "line " << source.parsed.errorLine << ": " << source.parsed.error;
        english = english || source.name == L"english";
        german = german || source.name == L"german";
    }
    EXPECT_TRUE(english);
    EXPECT_TRUE(german);
}

TEST(ShippedStringSources, HoldEveryLookedUpKeyOnceInLookUpOrder) {
    for (const auto& source : ShippedSources()) {
        SCOPED_TRACE(Narrow(source.name));
        // The program's look-up ignores the case of A-Z and takes the first match,
        // so keys differing only in case count as repeats.
        std::map<std::string, std::size_t> lineOf;
        for (std::size_t i = 0; i < source.parsed.entries.size(); ++i) {
            const auto [it, added] = lineOf.emplace(FoldAsciiCase(source.parsed.entries[i].key), i + 1);
            EXPECT_TRUE(added) << "key " << source.parsed.entries[i].key << " on line " << i + 1
                               << " repeats line " << it->second;
        }
        std::size_t previousLine = 0;
        const char* previousKey = "(start)";
        for (const char* key : kUiKeyNames) {
            const auto it = lineOf.find(FoldAsciiCase(key));
            if (it == lineOf.end()) {
                ADD_FAILURE() << "key " << key << " is missing";
                continue;
            }
            EXPECT_GT(it->second, previousLine) << key << " stands before " << previousKey;
            previousLine = it->second;
            previousKey = key;
        }
        // Later texts may stand anywhere, but every shipped file has its own.
        for (const UiLaterKey& later : kUiLaterKeys)
            EXPECT_EQ(lineOf.count(FoldAsciiCase(later.name)), 1u) << "key " << later.name << " is missing";
    }
}

TEST(ShippedStringSources, ValuesThatOtherValuesOrTheProgramRelyOnAgree) {
    for (const auto& source : ShippedSources()) {
        SCOPED_TRACE(Narrow(source.name));
        const auto& v = source.values;
        auto value = [&](Ui key) {
            const auto it = v.find(UiKeyName(key));
            return it == v.end() ? std::string() : it->second;
        };
        // The saved selection line is compared over this many characters.
        EXPECT_EQ(std::atoi(value(Ui::IniSelectedLen).c_str()), static_cast<int>(value(Ui::IniSelected).size()));
        EXPECT_EQ(std::atoi(value(Ui::IniAddnewLen).c_str()), static_cast<int>(value(Ui::IniAddnew).size()));
        // Folders are prefixes that file names are appended to.
        for (Ui key : {Ui::PathLanguage, Ui::PathNameList, Ui::PathIcons}) {
            const std::string path = value(key);
            EXPECT_TRUE(!path.empty() && path.back() == '\\') << UiKeyName(key) << " = " << path;
        }
        // Everything lives relative to the program's folder.
        for (Ui key : {Ui::PathLanguage, Ui::PathNameList, Ui::PathIcons, Ui::FilenameTempList,
                       Ui::FilenameTempLanguage, Ui::FilenameIni, Ui::FilenameHelp}) {
            const std::string path = value(key);
            EXPECT_TRUE(!path.empty() && path.find(':') == std::string::npos && path[0] != '\\')
                << UiKeyName(key) << " = " << path;
        }
        // The first character is used as a virtual-key code.
        for (Ui key : {Ui::AccelAdd, Ui::AccelPractice, Ui::AccelSearch, Ui::AccelCreatelist, Ui::AccelExit}) {
            const std::string text = value(key);
            const bool usable = !text.empty() && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= '0' && text[0] <= '9'));
            EXPECT_TRUE(usable) << UiKeyName(key) << " = " << text;
        }
        const std::string charset = value(Ui::CharactersetCode);
        EXPECT_TRUE(!charset.empty() && charset[0] >= '0' && charset[0] <= '9') << "CharactersetCode = " << charset;
        const std::string fastPos = value(Ui::PracticeFastPos);
        EXPECT_TRUE(!fastPos.empty() && fastPos[0] >= '0' && fastPos[0] <= '9') << "PracticeFastPos = " << fastPos;
        // Announced foreign font keys must follow.
        const int fonts = std::atoi(value(Ui::ForeignFonts).c_str());
        EXPECT_GE(fonts, 0);
        EXPECT_LE(fonts, kUiMaxForeignFonts);
        for (int i = 0; i < fonts && i < kUiMaxForeignFonts; ++i) {
            const std::string key = "Font" + std::to_string(kUiFirstForeignFontKey + i);
            EXPECT_TRUE(v.count(key)) << key << " is missing although ForeignFonts is " << fonts;
        }
    }
}

// Printf conversions and tabs of a value, in order: the program fills the
// former and the menus split at the latter, so a translation must keep both.
std::vector<std::string> FormatPieces(const std::string& value) {
    std::vector<std::string> pieces;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\t') {
            pieces.push_back("tab");
        } else if (value[i] == '%') {
            std::size_t end = i + 1;
            while (end < value.size() && std::string_view("-+ #0123456789.lhz").find(value[end]) != std::string_view::npos)
                ++end;
            pieces.push_back(value.substr(i, end - i + 1));
            i = end;
        }
    }
    return pieces;
}

TEST(ShippedStringSources, EveryEditionHasTheEnglishKeysAndFormatsAndFilesOfItsOwn) {
    const auto& sources = ShippedSources();
    const auto english = std::find_if(sources.begin(), sources.end(), [](const auto& s) { return s.name == L"english"; });
    ASSERT_NE(english, sources.end());
    for (const auto& source : sources) {
        SCOPED_TRACE(Narrow(source.name));
        for (const auto& [key, value] : source.values) {
            const auto it = english->values.find(key);
            const bool fontKey = key.rfind("Font", 0) == 0 && key != "ForeignFonts";
            EXPECT_TRUE(it != english->values.end() || fontKey) << "unknown key " << key;
            if (it != english->values.end()) {
                EXPECT_EQ(FormatPieces(value), FormatPieces(it->second)) << key;
            }
        }
        if (&source == &*english) continue;
        // Editions share one data folder; none may write into another's files.
        for (Ui key : {Ui::PathLanguage, Ui::PathNameList, Ui::FilenameTempList, Ui::FilenameTempLanguage,
                       Ui::FilenameIni}) {
            const std::string name = UiKeyName(key);
            EXPECT_NE(FoldAsciiCase(source.values.at(name)), FoldAsciiCase(english->values.at(name))) << name;
        }
    }
}

// The letter after the single "&" of a text, folded to upper case (Western letters).
unsigned char Mnemonic(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(text[i + 1]);
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c != 0xF7 && c != 0xFF)) c = static_cast<unsigned char>(c - 0x20);
        return c;
    }
    return 0;
}

TEST(ShippedStringSources, MnemonicsAreUniqueWithinEachMenuAndMatchTheShortcuts) {
    // Texts that share one Alt+letter space: a menu bar (with the main window's
    // buttons), or the items of one pop-up.
    const std::vector<std::vector<const char*>> groups = {
        {"MainMenuFile0", "LanguageMenu", "MainMenuPracticeMode0", "MainMenuPracticeHelp0", "MainButtonAdd",
         "MainButtonPractice", "MainButtonSearch", "MainButtonCreatelist"},
        {"MainMenuFile1", "MainMenuFile2", "MainMenuFile3", "MainMenuFile4"},
        {"MainMenuPracticeMode1", "MainMenuPracticeMode2"},
        {"MainMenuPracticeHelp1", "MainMenuPracticeHelp2", "MainMenuPracticeHelp3"},
        {"AddMenuCharset0", "AddMenuOptions0"},
        {"AddMenuCharset1", "AddMenuCharset2"},
        {"CreatePLMenuFile1", "CreatePLMenuFile2"},
        {"PracticeIAMenuCharset0", "PracticeIAMenuSound0"},
        {"PracticeIAMenuCharset1", "PracticeIAMenuCharset2"},
        {"PracticeIAMenuSound1", "PracticeIAMenuSound2"},
        {"SearchMenuCharset0", "SearchMenuClipboard0", "SearchMenuWindowsize0"},
        {"SearchMenuCharset1", "SearchMenuCharset2"},
        {"SearchMenuClipboard1", "SearchMenuClipboard2"},
        {"TranslateMenuFile1", "TranslateMenuFile2"},
    };
    const std::vector<std::pair<const char*, const char*>> shortcuts = {
        {"MainButtonAdd", "AccelAdd"},
        {"MainButtonPractice", "AccelPractice"},
        {"MainButtonSearch", "AccelSearch"},
        {"MainButtonCreatelist", "AccelCreatelist"},
    };
    for (const auto& source : ShippedSources()) {
        SCOPED_TRACE(Narrow(source.name));
        for (const auto& group : groups) {
            std::map<unsigned char, const char*> owner;
            for (const char* key : group) {
                const unsigned char letter = Mnemonic(source.values.at(key));
                EXPECT_NE(letter, 0) << key << " has no mnemonic";
                const auto [it, added] = owner.emplace(letter, key);
                EXPECT_TRUE(letter == 0 || added) << key << " shares its mnemonic with " << it->second;
            }
        }
        for (const auto& [button, accel] : shortcuts)
            EXPECT_EQ(Mnemonic(source.values.at(button)), static_cast<unsigned char>(source.values.at(accel)[0]))
                << button << " and " << accel;
    }
}

TEST(ShippedStringSources, PackThenUnpackGivesEachSourceBackByteForByte) {
    for (const auto& source : ShippedSources()) {
        SCOPED_TRACE(Narrow(source.name));
        ASSERT_TRUE(source.parsed.Ok());
        std::string stored = PackedBytes(source.parsed.entries);
        EXPECT_NE(stored, EntriesToPlain(source.parsed.entries));
        UnscrambleUiBytes(stored);
        const StringSource back = PlainToEntries(stored);
        ASSERT_TRUE(back.Ok()) << back.error;
        EXPECT_EQ(FormatStringSource(back.entries), source.bytes);
    }
}

TEST(ShippedStringSources, BuildPlacesAPackedFileForEachSource) {
    const std::wstring bin = WindowsPath(EnvironmentValue(L"LINGORIX_BIN_DIR"));
    ASSERT_FALSE(bin.empty()) << "LINGORIX_BIN_DIR is not set";
    for (const auto& source : ShippedSources()) {
        SCOPED_TRACE(Narrow(source.name));
        const std::wstring packed = bin + L"\\strings\\" + source.name + L".str";
        ASSERT_TRUE(FileExists(packed)) << Narrow(packed);
        EXPECT_EQ(ReadBytes(packed), PackedBytes(source.parsed.entries)) << "stale or wrongly packed";
    }
}

// ---------------------------------------------------------------------------
// The readable source format

TEST(StringSourceFormat, AcceptedSourcesComeBackUnchanged) {
    const std::string accepted[] = {
        "",
        "a=b\n",
        "Key=\n",                                              // empty value
        "a=b=c\n",                                             // only the first "=" separates
        "OK=  padded   \n",                                    // blanks kept at both ends
        "Exit=E&xit\\tCtrl+Q\nMsg=one\\n\\ntwo\\r\\x1B\\x7F\n",  // every escape form
        "Path=wordlists\\\\\n",                                // a backslash
        "Name=\xE9t\xE9 \xC0\xFF\x80\n",                       // 8-bit text as it is
        "weird key!=x\n",                                      // keys are any text without "="
    };
    for (const std::string& text : accepted) {
        SCOPED_TRACE(text);
        const StringSource parsed = ParseStringSource(text);
        ASSERT_TRUE(parsed.Ok()) << "line " << parsed.errorLine << ": " << parsed.error;
        EXPECT_EQ(FormatStringSource(parsed.entries), text);
    }
    const StringSource split = ParseStringSource("a=b=c\nPath=x\\\\y\\n\n");
    ASSERT_EQ(split.entries.size(), 2u);
    EXPECT_EQ(split.entries[0], (StringEntry{"a", "b=c"}));
    EXPECT_EQ(split.entries[1], (StringEntry{"Path", "x\\y\n"}));
}

TEST(StringSourceFormat, EveryNonZeroByteSurvivesFormatAndParse) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    const std::vector<StringEntry> entries = {
        {"all", all}, {"empty", ""}, {"lines", "\n\n"}, {"slashes", "\\\\n"}, {"eq", "=="}, {"k", " x "}};
    const std::string text = FormatStringSource(entries);
    const StringSource parsed = ParseStringSource(text);
    ASSERT_TRUE(parsed.Ok()) << "line " << parsed.errorLine << ": " << parsed.error;
    EXPECT_EQ(parsed.entries, entries);
    // One line per entry: no raw line feed or carriage return inside a formatted value.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<std::ptrdiff_t>(entries.size()));
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(StringSourceFormat, RefusesEachMalformedLineNamingIt) {
    struct Case {
        const char* what;
        std::string text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"no equals sign", "a=1\nno equals here\nb=2\n", 2, "line has no '='"},
        {"empty line", "a=1\n\nb=2\n", 2, "line has no '='"},
        {"empty key", "a=1\n=value\n", 2, "empty key"},
        {"key starts with a blank", " a=1\n", 1, "key starts with a blank"},
        {"key ends with a blank", "a=1\nb =2\n", 2, "key ends with a blank"},
        {"control byte in key", "a\tb=1\n", 1, "control byte 0x09"},
        {"unknown escape", "a=1\nb=2\nc=\\q\n", 3, "bad escape '\\q'"},
        {"lone backslash at line end", "a=x\\\n", 1, "lone '\\'"},
        {"short hex escape", "a=\\x4\n", 1, "two hexadecimal digits"},
        {"hex escape with non-hex digit", "a=\\xG1\n", 1, "two hexadecimal digits"},
        {"zero byte", "a=1\nb=x\\x00y\n", 2, "zero byte"},
        {"printable byte escaped", "a=\\x41\n", 1, "write it as 'A'"},
        {"byte with a short escape", "a=\\x0A\n", 1, "write it as '\\n'"},
        {"lower-case hex", "a=\\x1b\n", 1, "upper case, '\\x1B'"},
        {"raw tab in value", "a=1\nb=x\ty\n", 2, "raw control byte 0x09"},
        {"raw CR inside a line", "a=x\ry\n", 1, "raw carriage return"},
        {"CR LF line ends", "a=1\r\nb=2\r\n", 1, "CR LF"},
        {"missing final line feed", "a=1\nb=2\nc=3", 3, "no line feed"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF" "a=1\n", 1, "byte order mark"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StringSource parsed = ParseStringSource(c.text);
        EXPECT_FALSE(parsed.Ok());
        EXPECT_EQ(parsed.errorLine, c.line);
        EXPECT_NE(parsed.error.find(c.message), std::string::npos) << "message: " << parsed.error;
        EXPECT_EQ(parsed.entries.size(), static_cast<std::size_t>(c.line - 1)) << "entries before the bad line";
    }
}

// ---------------------------------------------------------------------------
// The plain entry format

TEST(PlainStringEntries, LayoutAndBack) {
    const std::vector<StringEntry> entries = {{"a", "b=c"}, {"k", ""}, {"x", "1\n2"}};
    const std::string plain = EntriesToPlain(entries);
    EXPECT_EQ(plain, std::string("a=b=c\0k=\0x=1\n2\0\0", 16));
    const StringSource back = PlainToEntries(plain);
    ASSERT_TRUE(back.Ok()) << back.error;
    EXPECT_EQ(back.entries, entries);

    const StringSource none = PlainToEntries(EntriesToPlain({}));
    EXPECT_TRUE(none.Ok()) << none.error;
    EXPECT_TRUE(none.entries.empty());
}

TEST(PlainStringEntries, RefusesDamagedData) {
    struct Case {
        const char* what;
        std::string plain;
    };
    const std::string full = EntriesToPlain({{"Done", "Done"}, {"OK", "OK"}});
    const Case cases[] = {
        {"empty", ""},
        {"no final empty entry", std::string("a=b\0", 4)},
        {"truncated inside an entry", full.substr(0, full.size() - 4)},
        {"truncated before the final empty entry", full.substr(0, full.size() - 1)},
        {"entry without equals sign", std::string("a=b\0ab\0\0", 8)},
        {"bytes after the final empty entry", full + "x"},
        {"empty entry, then more entries", std::string("a=b\0\0c=d\0\0", 10)},
        {"empty key", std::string("=b\0\0", 4)},
        {"key with a leading blank", std::string(" a=b\0\0", 6)},
        {"key with a line feed", std::string("a\nb=c\0\0", 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StringSource result = PlainToEntries(c.plain);
        EXPECT_FALSE(result.Ok());
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(result.errorLine, 0);
        EXPECT_TRUE(result.entries.empty());
    }
}

// ---------------------------------------------------------------------------
// Scrambling

TEST(UiScrambling, KeyHas29NonZeroBytes) {
    const auto key = UiScrambleKey();
    ASSERT_EQ(key.size(), 29u);
    for (std::size_t i = 0; i < key.size(); ++i) EXPECT_NE(key[i], 0) << "key byte " << i;
    EXPECT_EQ(UiScrambleKey(), key);
}

TEST(UiScrambling, StoredByteIsPlainPlusKeyRestartingEvery29Bytes) {
    const auto key = UiScrambleKey();
    std::string zeros(3 * 29 + 5, '\0');
    ScrambleUiBytes(zeros);
    std::string ones(zeros.size(), '\xFF');
    ScrambleUiBytes(ones);
    for (std::size_t i = 0; i < zeros.size(); ++i) {
        EXPECT_EQ(static_cast<unsigned char>(zeros[i]), key[i % 29]) << "byte " << i;
        EXPECT_EQ(static_cast<unsigned char>(ones[i]), static_cast<unsigned char>(key[i % 29] - 1)) << "byte " << i;
    }
}

TEST(UiScrambling, UnscrambleUndoesScrambleForAllBytesAndLengths) {
    // Every byte value at every key position.
    std::string all(256 * 29, '\0');
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<char>(i / 29);
    std::string stored = all;
    ScrambleUiBytes(stored);
    for (std::size_t i = 0; i < all.size(); ++i) ASSERT_NE(stored[i], all[i]) << "byte " << i << " left unchanged";
    UnscrambleUiBytes(stored);
    EXPECT_EQ(stored, all);

    for (const std::size_t length : {0u, 1u, 28u, 29u, 30u, 57u, 58u, 59u, 300u}) {
        SCOPED_TRACE(length);
        std::string plain(length, '\0');
        for (std::size_t i = 0; i < length; ++i) plain[i] = static_cast<char>(i * 37 + length);
        std::string bytes = plain;
        ScrambleUiBytes(bytes);
        std::string raw = plain;
        ScrambleUiBytes(raw.data(), raw.size());
        EXPECT_EQ(raw, bytes);
        UnscrambleUiBytes(bytes);
        EXPECT_EQ(bytes, plain);
    }
}

// ---------------------------------------------------------------------------
// The strtool, run as the build runs it

std::wstring StrToolPath() {
    return WindowsPath(EnvironmentValue(L"LINGORIX_BIN_DIR")) + L"\\..\\tools\\strtool.exe";
}

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // standard output and standard error
};

// Runs the tool in the current directory with output to a file there.
ToolRun RunStrTool(const std::wstring& arguments) {
    ToolRun run;
    const std::wstring tool = StrToolPath();
    const std::wstring outputPath = L"tool-output.log";
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        UniqueFile output(CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output) return run;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.Get();
        startup.hStdError = output.Get();
        PROCESS_INFORMATION process{};
        std::wstring commandLine = L"\"" + tool + L"\" " + arguments;
        if (!CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                            nullptr, &startup, &process))
            return run;
        UniqueKernelHandle processHandle(process.hProcess);
        UniqueKernelHandle threadHandle(process.hThread);
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
            TerminateProcess(process.hProcess, 99);
            return run;
        }
        GetExitCodeProcess(process.hProcess, &run.exitCode);
    }
    run.output = ReadBytes(outputPath);
    DeleteFileW(outputPath.c_str());
    return run;
}

std::vector<std::wstring> FilesInCurrentDirectory() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    UniqueFind find(FindFirstFileW(L"*", &found));
    if (!find) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(find.Get(), &found));
    return names;
}

class StrTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FileExists(StrToolPath())) << "not built: " << Narrow(StrToolPath()); }
    TempDirectory dir_;
};

TEST_F(StrTool, RefusesAMalformedSourceNamingFileAndLine) {
    WriteBytes(L"bad.txt", "Done=Done\nno equals here\nOK=OK\n");
    const ToolRun run = RunStrTool(L"pack bad.txt out.str");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.output.find("bad.txt:2: line has no '='"), std::string::npos) << run.output;
    EXPECT_EQ(FilesInCurrentDirectory(), std::vector<std::wstring>{L"bad.txt"}) << "no output, no leftovers";
}

TEST_F(StrTool, PacksOverAnOldFileAndUnpacksToTheSameSource) {
    const std::string source = EnglishStringsSource();
    ASSERT_FALSE(source.empty());
    WriteBytes(L"english.txt", source);
    WriteBytes(L"english.str", "an older file");

    const ToolRun pack = RunStrTool(L"pack english.txt english.str");
    ASSERT_EQ(pack.exitCode, 0u) << pack.output;
    EXPECT_EQ(pack.output, "") << "a complete source packs without warnings";
    EXPECT_EQ(ReadBytes(L"english.str"), PackedBytes(ParseStringSource(source).entries));

    const ToolRun unpack = RunStrTool(L"unpack english.str back.txt");
    ASSERT_EQ(unpack.exitCode, 0u) << unpack.output;
    EXPECT_EQ(ReadBytes(L"back.txt"), source);
}

TEST_F(StrTool, WarnsAboutMissingAndRepeatedKeysButPacks) {
    WriteBytes(L"part.txt", "Done=Done\ndone=again\n");
    const ToolRun run = RunStrTool(L"pack part.txt part.str");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("part.txt:2: warning: key done repeats line 1"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("key MainMenuFile0 is missing"), std::string::npos) << run.output;
    EXPECT_TRUE(FileExists(L"part.str"));
}

TEST_F(StrTool, RefusesAFileThatIsNoScrambledStringsFile) {
    WriteBytes(L"plain.str", EntriesToPlain({{"a", "b"}}));  // never scrambled
    const ToolRun run = RunStrTool(L"unpack plain.str out.txt");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.output.find("plain.str"), std::string::npos) << run.output;
    EXPECT_FALSE(FileExists(L"out.txt"));
}

TEST_F(StrTool, BadArgumentsGiveUsageAndExitCode2) {
    for (const wchar_t* arguments : {L"", L"pack only-one.txt", L"convert a.txt b.str", L"pack a b c"}) {
        SCOPED_TRACE(Narrow(arguments));
        const ToolRun run = RunStrTool(arguments);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_NE(run.output.find("usage: strtool pack"), std::string::npos) << run.output;
    }
}

}  // namespace
