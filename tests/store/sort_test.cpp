#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/sortwindow.h"
#include "store/atomicfile.h"
#include "store/collation.h"
#include "store/records.h"
#include "store/sort.h"
#include "support/canvas.h"
#include "support/storefixture.h"
#include "text/uistrings.h"
#include "win/handles.h"

namespace {

class Sorting : public StoreTest {
protected:
    static std::vector<WordEntry> ManyEntries(int count) {
        std::vector<WordEntry> entries;
        for (int i = 0; i < count; ++i) {
            const int k = (i * 7919) % count;
            entries.push_back({L"w" + std::to_wstring(k), L"t" + std::to_wstring(i), 0});
        }
        return entries;
    }
};

}  // namespace

TEST_F(Sorting, OrdersByFirstWordAndDropsMarkedEntries) {
    OpenFrench({{L"zoo", L"zoo", 0}, {L"\x00E9t\x00E9", L"summer", 0}, {L"abricot", L"apricot", 1},
                {L"Maison", L"house", 0}, {L"chat", L"cat", 1}, {L"arbre", L"tree", 0}});
    ASSERT_EQ(SortWordList(), 0);
    EXPECT_EQ(WordCount, 4);
    const auto entries = ReadWordList(L"Fre_Eng.tvk");
    EXPECT_EQ(FirstWords(entries), (std::vector<std::wstring>{L"arbre", L"\x00E9t\x00E9", L"Maison", L"zoo"}));
    for (const auto& e : entries) EXPECT_EQ(e.deleted, 0);
    EXPECT_EQ(entries[1].second, L"summer");
    EXPECT_FALSE(FileExists(L"wordlists\\sort.tmp"));
    // The store is open again on the sorted file.
    ASSERT_EQ(ReadWordRecord(3), 0);
    EXPECT_EQ(CurrentEntry.first, L"zoo");
}

TEST_F(Sorting, EqualWordsKeepTheirOrderAndAreAllFound) {
    OpenFrench({{L"pomme", L"apple (1)", 0}, {L"Pomme", L"apple (2)", 0}, {L"banane", L"banana", 0},
                {L"POMME", L"apple (3)", 0}});
    ASSERT_EQ(SortWordList(), 0);
    const auto entries = ReadWordList(L"Fre_Eng.tvk");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].second, L"apple (1)");
    EXPECT_EQ(entries[2].second, L"apple (2)");
    EXPECT_EQ(entries[3].second, L"apple (3)");
    const int found = FindWordPosition(L"pomme");
    EXPECT_GE(found, 1);
    EXPECT_LE(found, 3);
}

TEST_F(Sorting, TheSortAgreesWithTheBinarySearch) {
    std::vector<WordEntry> entries;
    const wchar_t* words[] = {L"\x00E9l\x00E8ve", L"eleve", L"\x00C9L\x00C8VE", L"c\x0153ur", L"coeur", L"c\x00F4te",
                              L"cote", L"c\x00F4t\x00E9", L"cot\x00E9", L"na\x00EF" L"f", L"naif", L"a-b", L"ab", L"a b",
                              L"\x00E7" L"a", L"ca", L"zz", L"Z", L"\x00FF", L"1", L"10", L"9"};
    for (const wchar_t* w : words) entries.push_back({w, L"x", 0});
    OpenFrench(entries);
    ASSERT_EQ(SortWordList(), 0);
    for (const wchar_t* w : words) {
        const int at = FindWordPosition(w);
        ASSERT_LT(at, WordCount) << "not found";
        ASSERT_EQ(ReadWordRecord(at), 0);
        EXPECT_EQ(CompareFirstWords(CurrentEntry.first, w), 0);
    }
    const auto sorted = ReadWordList(L"Fre_Eng.tvk");
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i)
        EXPECT_LE(CompareFirstWords(sorted[i].first, sorted[i + 1].first), 0) << i;
}

TEST_F(Sorting, ATableSortsPrefixesFirst) {
    std::string table(256, '\x02');
    for (int c = 'a'; c <= 'z'; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<char>(10 + c - 'a');
        table[static_cast<std::size_t>(c - 32)] = static_cast<char>(10 + c - 'a');
    }
    WriteBytes(L"tables\\Latin.stb", table);
    WriteBytes(L"languages.ini", LanguageFile({"Latin"}, "Lat_Eng.tvk"));
    WriteWordList(L"Lat_Eng.tvk", {{L"card", L"", 0}, {L"Car", L"", 0}, {L"ca", L"", 0}, {L"b", L"", 0}});
    Open();
    ASSERT_EQ(SortWordList(), 0);
    EXPECT_EQ(FirstWords(ReadWordList(L"Lat_Eng.tvk")), (std::vector<std::wstring>{L"b", L"ca", L"Car", L"card"}));
}

TEST_F(Sorting, ReportsProgressPerThousandRecordsAndPerTwoThousandComparisons) {
    OpenFrench(ManyEntries(2500));
    std::map<SortPhase, std::vector<long long>> seen;
    ASSERT_EQ(SortWordList([&](SortPhase phase, long long count) { seen[phase].push_back(count); }), 0);
    EXPECT_EQ(seen[SortPhase::Reading], (std::vector<long long>{0, 1000, 2000}));
    EXPECT_EQ(seen[SortPhase::Writing], (std::vector<long long>{0, 1000, 2000}));
    ASSERT_GE(seen[SortPhase::Sorting].size(), 2u);
    for (const long long count : seen[SortPhase::Sorting]) EXPECT_EQ(count % 2000, 0);
}

TEST_F(Sorting, AFailedWriteLeavesTheOldFileWholeAndTheStoreOpen) {
    OpenFrench(ManyEntries(3000));
    const std::string before = ReadBytes(L"wordlists\\Fre_Eng.tvk");
    SetAtomicWriteFailureAfter(100 * 84);
    EXPECT_EQ(SortWordList(), -1);
    SetAtomicWriteFailureAfter(-1);
    EXPECT_EQ(ReadBytes(L"wordlists\\Fre_Eng.tvk"), before);
    EXPECT_FALSE(FileExists(L"wordlists\\sort.tmp"));
    EXPECT_EQ(WordCount, 3000);
    ASSERT_EQ(ReadWordRecord(2999), 0);
}

TEST_F(Sorting, ATemporaryFileThatCannotBeCreatedChangesNothing) {
    OpenFrench({{L"b", L"", 0}, {L"a", L"", 1}});
    const std::string before = ReadBytes(L"wordlists\\Fre_Eng.tvk");
    MakeDirectories(L"wordlists\\sort.tmp");
    EXPECT_EQ(SortWordList(), -1);
    EXPECT_EQ(ReadBytes(L"wordlists\\Fre_Eng.tvk"), before);
    EXPECT_EQ(WordCount, 2);
    EXPECT_EQ(ReadWordRecord(1), 0);
}

TEST_F(Sorting, DamagedRecordsComeOutCleanAndAnEmptyListStaysEmpty) {
    OpenFrench({});
    ASSERT_EQ(SortWordList(), 0);
    EXPECT_EQ(WordCount, 0);
    EXPECT_EQ(ReadBytes(L"wordlists\\Fre_Eng.tvk").size(), 0u);

    CloseListFiles();
    std::string damaged(84, 'q');  // no terminators at all
    damaged[82] = 0;
    damaged[83] = 0;
    WriteBytes(L"wordlists\\Fre_Eng.tvk", damaged);
    ASSERT_EQ(TryOpenWordListFile(), 0);
    CountRecords();
    ASSERT_EQ(SortWordList(), 0);
    const std::string after = ReadBytes(L"wordlists\\Fre_Eng.tvk");
    ASSERT_EQ(after.size(), 84u);
    EXPECT_EQ(after.substr(0, 31), std::string(30, 'q') + '\0');
    EXPECT_EQ(after.substr(31, 51), std::string(50, 'q') + '\0');
}

TEST_F(Sorting, SortAndReportShowsTheWindowAndReportsAFailure) {
    OpenFrench({{L"b", L"", 0}, {L"a", L"", 0}});
    SharedFontSettings fonts;
    CreateSharedFonts(fonts, 0);
    HWND seenOwner = nullptr;
    std::wstring seenClass;
    SetMessageHook([&](HWND owner, const wchar_t* text, const wchar_t* caption, UINT) {
        seenOwner = owner;
        wchar_t name[32] = {};
        GetClassNameW(owner, name, 32);
        seenClass = name;
        messages.push_back({owner, text, caption, 0});
        return IDOK;
    });
    SortAndReport();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(FirstWords(ReadWordList(L"Fre_Eng.tvk")), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(FindWindowW(L"sorting", nullptr), nullptr);

    MakeDirectories(L"wordlists\\sort.tmp");
    SortAndReport();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, UiText(Ui::SortFailed));
    EXPECT_EQ(messages[0].caption, UiText(Ui::Error));
    EXPECT_EQ(seenClass, L"sorting");
    EXPECT_EQ(FindWindowW(L"sorting", nullptr), nullptr);
    DeleteSharedFonts();
}

TEST_F(Sorting, ProgressIsPaintedIntoItsBox) {
    OpenFrench({});
    SharedFontSettings fonts;
    CreateSharedFonts(fonts, 0);
    const Canvas canvas(350, 120);
    PaintSortingWindow(canvas.Dc());
    DrawSortProgress(canvas.Dc(), SortPhase::Sorting, 4000);
    // The progress box is cleared to light grey and holds dark text.
    EXPECT_EQ(canvas.At(268, 93), RGB(192, 192, 192));
    bool text = false;
    for (int x = 110; x < 270 && !text; ++x)
        for (int y = 65; y < 95 && !text; ++y) text = canvas.At(x, y) == RGB(50, 50, 50);
    EXPECT_TRUE(text);
    EXPECT_EQ(canvas.At(5, 110), RGB(255, 255, 255));  // outside: untouched
    DeleteSharedFonts();
}

TEST_F(Sorting, LargeListsStayOrderedAndStableAcrossBothHalves) {
    // Big enough to be split between two threads; many equal words straddle the split.
    std::vector<WordEntry> entries;
    for (int i = 0; i < 30000; ++i)
        entries.push_back({L"mot" + std::to_wstring((i * 7919) % 997), std::to_wstring(i),
                           static_cast<std::uint16_t>(i % 50 == 0 ? 1 : 0)});
    OpenFrench(entries);
    std::vector<long long> reading;
    ASSERT_EQ(SortWordList([&](SortPhase phase, long long count) {
                  if (phase == SortPhase::Reading) reading.push_back(count);
              }),
              0);
    EXPECT_EQ(WordCount, 30000 - 600);
    ASSERT_EQ(reading.size(), 30u);
    for (std::size_t i = 0; i < reading.size(); ++i) EXPECT_EQ(reading[i], static_cast<long long>(i) * 1000);
    const auto sorted = ReadWordList(L"Fre_Eng.tvk");
    ASSERT_EQ(sorted.size(), 29400u);
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        const int c = CompareFirstWords(sorted[i].first, sorted[i + 1].first);
        ASSERT_LE(c, 0) << i;
        if (c == 0) {
            ASSERT_LT(std::stoi(sorted[i].second), std::stoi(sorted[i + 1].second)) << i;
        }
    }
}

TEST_F(Sorting, ATableAgreesWithTheSearchOnBytesTheCodePageCannotTakeBack) {
    // Double-byte text written by other tools can hold lone lead bytes and bytes the code
    // page does not define. The search weighs a word as it reads back, so the sort must
    // weigh it the same way or the binary search walks past it.
    std::string table(256, '\x02');
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = static_cast<char>(c < 2 ? 2 : c);
    WriteBytes(L"tables\\Japanese.stb", table);
    WriteBytes(L"languages.ini", LanguageFile({"Japanese,english,128"}, "Jap_Eng.tvk"));
    const char* firstWords[] = {"\x82\xA0", "b\x81\x20z", "\x81\x7F", "\xA0", "\xFD", "a", "\x81\x40", "\x82\xA0x",
                                "c\xFF", "\xEF\x40", "Z"};
    std::string bytes;
    for (const char* word : firstWords) {
        char record[kRecordSize] = {};
        std::memcpy(record, word, std::strlen(word));
        record[kFirstWordField] = 'x';
        bytes.append(record, kRecordSize);
    }
    WriteBytes(L"wordlists\\Jap_Eng.tvk", bytes);
    Open();
    ASSERT_EQ(SortWordList(), 0);
    ASSERT_EQ(WordCount, static_cast<int>(std::size(firstWords)));
    std::vector<std::wstring> sorted;
    for (int i = 0; i < WordCount; ++i) {
        ASSERT_EQ(ReadWordRecord(i), 0);
        sorted.push_back(CurrentEntry.first);
    }
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i)
        EXPECT_LE(CompareFirstWords(sorted[i], sorted[i + 1]), 0) << i;
    for (const std::wstring& word : sorted) {
        const int at = FindWordPosition(word);
        ASSERT_LT(at, WordCount);
        ASSERT_EQ(ReadWordRecord(at), 0);
        EXPECT_EQ(CompareFirstWords(CurrentEntry.first, word), 0);
    }
}

TEST_F(Sorting, TheSortingWindowIsTopmostOnlyWithStayOnTopAndNamesTheList) {
    OpenFrench({});
    SharedFontSettings fonts;
    CreateSharedFonts(fonts, 0);
    const int previous = StayOnTop;
    for (const int setting : {1, 2}) {  // any value but 1 counts as off
        StayOnTop = setting;
        UniqueWindow window(OpenSortingWindow());
        ASSERT_TRUE(window);
        EXPECT_EQ((GetWindowLongW(window.Get(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, setting == 1) << setting;
        wchar_t title[64] = {};
        GetWindowTextW(window.Get(), title, 64);
        EXPECT_STREQ(title, UiText(Ui::SortCaption));
    }
    StayOnTop = previous;

    // The title line is the pair's names, drawn as the shadowed title text.
    // The rows above the busy text, which starts at 25.
    const auto paint = [](const std::function<void(HDC)>& draw) {
        const Canvas canvas(350, 120);
        draw(canvas.Dc());
        return canvas.Rows(25);
    };
    const auto title = [&](const wchar_t* text) {
        return paint([&](HDC dc) {
            SelectionScope font(dc, GuiFont);
            SetBkMode(dc, TRANSPARENT);
            RECT line{0, 5, 350, 30};
            DrawShadowText(dc, line, text, DT_CENTER | DT_SINGLELINE);
        });
    };
    const auto window = paint([](HDC dc) { PaintSortingWindow(dc); });
    EXPECT_NE(window, paint([](HDC) {}));
    EXPECT_NE(title(L"English - French"), title(L"French - English"));
    EXPECT_EQ(window, title(L"French - English"));
    DeleteSharedFonts();
}
