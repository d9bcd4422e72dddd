// The import against storing pair by pair, and the import dialog's table painted into
// memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "app/fonts.h"
#include "entry/addwords.h"
#include "entry/importdialog.h"
#include "entry/importtexts.h"
#include "store/catalogue.h"
#include "store/importlists.h"
#include "support/canvas.h"
#include "support/storefixture.h"
#include "text/uistrings.h"

namespace {

class ImportAgainstAddWindow : public StoreTest {
protected:
    void Reset() {
        CloseListFiles();
        RemoveTree(L"practice");
        RemoveTree(L"new");
        MakeDirectories(L"practice\\Basics");
        WriteBytes(L"languages.ini", LanguageFile({"Spanish,spanish", "French,french"}, "Spa_Eng.tvk"));
        WriteWordList(L"Spa_Eng.tvk", {{L"casa", L"house", 0}, {L"gato", L"cat", 0}, {L"perro", L"dog", 0}});
        WriteWordList(L"Eng_Spa.tvk", {{L"cat", L"gato", 0}, {L"dog", L"perro", 0}, {L"home", L"hogar", 0},
                                       {L"house", L"casa", 0}});
        Open();
    }
    // Every file of the folder that the import or the Add window writes.
    static std::vector<std::string> Results() {
        return {ReadBytes(L"wordlists\\Spa_Eng.tvk"), ReadBytes(L"wordlists\\Eng_Spa.tvk"),
                ReadBytes(L"practice\\Basics\\Spa_Eng.ls"), ReadBytes(L"practice\\Basics\\Eng_Spa.ls"),
                ReadBytes(L"new\\Spanish_English.tvk")};
    }
};

}  // namespace

// New words, with translations old and new to the reverse list, the sort table of
// Spanish deciding the order: the same files as typing the pairs one by one.
TEST_F(ImportAgainstAddWindow, NewPairsGiveTheSameFilesAsStoringThemOneByOne) {
    WriteBytes(L"tables\\Spanish.stb", ReadBytes(SourceDirectory() + L"\\data\\runtime\\tables\\Spanish.stb"));
    const std::vector<std::pair<std::wstring, std::wstring>> pairs = {
        {L"hogar", L"home, house, hearth"}, {L"\x00F1u", L"gnu"}, {L"Casita", L"cottage, house"},
        {L"llama", L"flame, llama"},        {L"ch\x00E1", L"tea"}, {L"gata", L"cat"}};

    Reset();
    std::vector<ImportPair> rows;
    for (const auto& [first, second] : pairs) rows.push_back({rows.size() + 1, first, second});
    ImportLists lists;
    ASSERT_TRUE(ReadImportLists(CurrentWordList(), lists));
    const ImportPlan plan = PlanImport(lists, rows);
    EXPECT_EQ(plan.counts.added, pairs.size());
    ASSERT_EQ(ApplyImport(lists, plan, true), ImportFailure::None);
    const std::vector<std::string> imported = Results();

    Reset();
    AddSession session = BeginAddSession(true);
    for (const auto& [first, second] : pairs) ASSERT_EQ(StorePair(session, first, second), StoreOutcome::Added);
    SortChangedLists(session);
    const std::vector<std::string> typed = Results();
    ASSERT_EQ(imported.size(), typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) EXPECT_EQ(imported[i], typed[i]) << "file " << i;
    EXPECT_TRUE(messages.empty());
}

TEST_F(ImportAgainstAddWindow, TheTableShowsRowsInTheColoursOfWhatHappensToThem) {
    Reset();
    CreateSharedFonts(SharedFontSettings{}, 0);
    ImportRequest request;
    ASSERT_TRUE(ReadImportLists(CurrentWordList(), request.lists));
    request.bytes = "casa,home\ncaballo,horse\ngato,cat\n\xD0\xB4\xD0\xBE\xD0\xBC,house\n";
    RefreshImport(request);
    ASSERT_EQ(request.plan.preview.size(), 4u);
    EXPECT_EQ(request.plan.preview[0].second, L"house, home");
    EXPECT_EQ(request.plan.preview[0].outcome, PairOutcome::Merged);
    EXPECT_EQ(request.plan.preview[1].outcome, PairOutcome::Added);
    EXPECT_EQ(request.plan.preview[2].outcome, PairOutcome::Unchanged);
    EXPECT_EQ(request.plan.preview[3].outcome, PairOutcome::Refused);
    EXPECT_EQ(ImportNotesText(request), RefusedRowText(request.plan.refused[0]));
    EXPECT_NE(ImportNotesText(request).find(UiText(Ui::ImportWhyWordCodePage)), std::wstring::npos);

    const RECT area{0, 0, 400, kPreviewHeight};
    const Canvas canvas(area.right, area.bottom, RGB(192, 192, 192));
    PaintImportPreview(canvas.Dc(), area, request, CurrentWordList(), {GuiFont, GuiFont, GuiFont, ArialBoldFont12});
    const std::vector<std::uint32_t> pixels = canvas.Rows(area.bottom);
    const auto rowHas = [&](int row, std::uint32_t colour) {
        const int top = 22 + row * 20;
        return std::any_of(pixels.begin() + top * area.right, pixels.begin() + (top + 20) * area.right,
                           [&](std::uint32_t p) { return (p & 0xFFFFFF) == colour; });
    };
    EXPECT_TRUE(rowHas(0, 0x0000B4));  // merged: blue
    EXPECT_TRUE(rowHas(1, 0x000000));  // new: black
    EXPECT_TRUE(rowHas(2, 0x6E6E6E));  // already there: grey
    EXPECT_TRUE(rowHas(3, 0xBE0000));  // cannot be stored: red
    EXPECT_FALSE(rowHas(4, 0x000000));  // no fifth row
    DeleteSharedFonts();
}

TEST_F(ImportAgainstAddWindow, TheFirstRowsShownAtOnceAreThoseOfTheWholeCount) {
    Reset();
    ImportRequest request;
    ASSERT_TRUE(ReadImportLists(CurrentWordList(), request.lists));
    request.knownNames = {L"Spanish", L"English"};
    std::string file = "Spanish;English\r\ncasa;home\r\n";
    for (int i = 0; i < 30; ++i) file += "palabra" + std::to_string(i) + ";word" + std::to_string(i % 7) + "\r\n";
    request.bytes = file;
    ShowFirstRows(request);
    EXPECT_FALSE(request.counted);
    const std::vector<PlannedRow> first = request.plan.preview;
    RefreshImport(request);
    EXPECT_TRUE(request.counted);
    EXPECT_EQ(request.plan.counts.rows, 31u);
    ASSERT_EQ(first.size(), request.plan.preview.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].first, request.plan.preview[i].first) << i;
        EXPECT_EQ(first[i].second, request.plan.preview[i].second) << i;
        EXPECT_EQ(first[i].outcome, request.plan.preview[i].outcome) << i;
    }
}
