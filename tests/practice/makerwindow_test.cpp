// The practice list maker in this process, for what the program's files cannot be
// made to do from outside under the test bench: a mark the practice list file refuses.
#include <gtest/gtest.h>

#include "app/fonts.h"
#include "app/globals.h"
#include "practice/maker.h"
#include "store/practicelists.h"
#include "support/storefixture.h"
#include "text/uistrings.h"
#include "win/session.h"

namespace {

class MakerWindow : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ModuleInstance = GetModuleHandleW(nullptr);
        ReadSystemMetrics();
        CreateSharedFonts(SharedFontSettings{}, 0);
        std::vector<WordEntry> entries;
        std::string bytes;
        for (int i = 0; i < 3; ++i) {
            entries.push_back({L"w" + std::to_wstring(i), L"t" + std::to_wstring(i), 0});
            bytes.append(reinterpret_cast<const char*>(EncodeRecord(entries.back(), 1252, 1252).bytes), kRecordSize);
        }
        WriteBytes(kPracticeFile, bytes);
        CurrentPracticeList = L"Week 1";
        OpenFrench(entries);
    }
    void TearDown() override {
        if (IsWindow(maker)) DestroyWindow(maker);
        DeleteSharedFonts();
        StoreTest::TearDown();
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
