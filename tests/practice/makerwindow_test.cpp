// The practice list maker in this process, for what the program's files cannot be
// made to do from outside under the test bench: a mark the practice list file refuses.
#include <gtest/gtest.h>

#include "app/fonts.h"
#include "app/globals.h"
#include "practice/maker.h"
#include "store/practicelists.h"
#include "support/canvas.h"
#include "support/windowfixture.h"
#include "text/uistrings.h"
#include "win/session.h"

namespace {

class MakerWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        std::vector<WordEntry> entries;
        std::string bytes;
        for (int i = 0; i < 3; ++i) {
            entries.push_back({L"w" + std::to_wstring(i), L"t" + std::to_wstring(i), 0});
            bytes.append(reinterpret_cast<const char*>(EncodeRecord(entries.back(), 1252, 1252).bytes), kRecordSize);
        }
        WriteBytes(kPracticeFile, bytes);
        CurrentPracticeList = L"Week 1";
        entries.push_back({L"w3", L"t3", 0});  // a word the practice list lacks
        OpenFrench(entries);
    }
    void TearDown() override {
        if (IsWindow(maker)) DestroyWindow(maker);
        WindowTest::TearDown();
    }
    static std::wstring Text(HWND control) {
        wchar_t text[64] = {};
        GetWindowTextW(control, text, 64);
        return text;
    }
    // What a click on the row makes the edit tell the maker.
    void ClickRow(int id) const {
        SendMessageW(maker, WM_COMMAND, MAKEWPARAM(id, EN_SETFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(maker, id)));
    }
    static std::vector<WordEntry> Practice() { return DecodeRecords(ReadBytes(kPracticeFile)); }
    // Pixels of the tick beside a word row, as the maker paints itself.
    static int MarkPixels(int row) {
        Canvas canvas(605, 355, RGB(192, 192, 192));
        PaintMaker(canvas.Dc(), {0, 0, 605, 355});
        int count = 0;
        for (int y = 40 + 23 * row; y < 63 + 23 * row; ++y)
            for (int x = 213; x < 225; ++x) count += canvas.At(x, y) == RGB(0, 128, 0);
        return count;
    }

    static constexpr wchar_t kPracticeFile[] = L"practice\\Week 1\\Fre_Eng.ls";
    HWND maker = nullptr;
};

}  // namespace

TEST_F(MakerWindow, MarkTheFileRefusesIsReportedAndNotShown) {
    maker = OpenPracticeListMaker();
    ASSERT_NE(maker, nullptr);
    HWND row = GetDlgItem(maker, kMakerFirstPracticeRow);
    ASSERT_EQ(Text(row), L"w0");

    FailNextPracticeMarkWrite();
    ClickRow(kMakerFirstPracticeRow);
    EXPECT_EQ(Text(row), L"w0");
    EXPECT_EQ(Practice()[0].deleted, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].owner, maker);
    EXPECT_EQ(messages[0].text, std::wstring(UiText(Ui::CreateListNoMark)) + L" Week 1");

    ClickRow(kMakerFirstPracticeRow);  // the file takes this one
    EXPECT_EQ(Text(row), UiText(Ui::CreateListDeleted));
    EXPECT_EQ(Practice()[0].deleted, 1);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MakerWindow, WordsThePracticeListHoldsAreMarkedAndNotAddedTwice) {
    maker = OpenPracticeListMaker();
    ASSERT_NE(maker, nullptr);
    for (int row = 0; row < 3; ++row) EXPECT_GT(MarkPixels(row), 0) << row;
    EXPECT_EQ(MarkPixels(3), 0);

    ClickRow(kMakerFirstWordRow + 1);
    EXPECT_EQ(Practice().size(), 3u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].owner, maker);
    EXPECT_EQ(messages[0].text, UiText(Ui::CaptureAlreadyThere));
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_ICONINFORMATION));

    ClickRow(kMakerFirstWordRow + 3);  // not there yet: added and marked
    ASSERT_EQ(Practice().size(), 4u);
    EXPECT_EQ(Practice()[3], (WordEntry{L"w3", L"t3", 0}));
    EXPECT_GT(MarkPixels(3), 0);

    // An entry marked for removal leaves the list: its word may come in again.
    ClickRow(kMakerFirstPracticeRow);
    EXPECT_EQ(MarkPixels(0), 0);
    ClickRow(kMakerFirstWordRow);
    ASSERT_EQ(Practice().size(), 5u);
    EXPECT_EQ(Practice()[4], (WordEntry{L"w0", L"t0", 0}));
    EXPECT_GT(MarkPixels(0), 0);
    EXPECT_EQ(messages.size(), 1u);
}
