// Adding words through the real program: typing pairs, the translation that appears
// while typing, the lists sorted on closing, and the character picker.
#include <string>
#include <vector>

#include "e2e/e2efixture.h"
#include "store/records.h"
#include "support/storefixture.h"
#include "text/locale.h"

using namespace e2e;

namespace {

class AddWindowTest : public EndToEndTest {
protected:
    HWND OpenAdd(LaunchedApp& app, HWND main) {
        Command(main, 10);
        HWND add = app.WaitForWindow(L"toevoeg", nullptr);
        if (add) {
            first = WaitForControl(add, 30);
            second = WaitForControl(add, 31);
        }
        return add;
    }
    std::vector<WordEntry> Entries(const std::wstring& file, UINT cp1, UINT cp2) const {
        return DecodeRecords(folder.Read(file), cp1, cp2);
    }
    HWND first = nullptr;
    HWND second = nullptr;
};

TEST_F(AddWindowTest, TypedPairsLandInBothListsSortedOnClosing) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND add = OpenAdd(app, main);
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 10000));

    // A word the list has: its translation shows while typing; Enter takes the caret
    // to the end of it, and the second Enter replaces it with what the edit holds.
    ASSERT_TRUE(TypeText(add, L"maison"));
    ASSERT_TRUE(TextBecomes(second, L"house, home"));
    ASSERT_TRUE(TypeText(add, L"\r, manor\r"));
    ASSERT_TRUE(TextBecomes(first, L""));
    ASSERT_TRUE(TypeWordPair(add, L"chaton", L"kitten"));
    ASSERT_TRUE(TypeWordPair(add, L"dauphin", L"dolphin,,porpoise "));

    PostMessageW(add, WM_COMMAND, MAKEWPARAM(14, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(add, 14)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(add) && IsWindowVisible(main); }, 20000));

    const std::vector<WordEntry> forward = Entries(L"wordlists\\Fre_Eng.tvk", 1252, 1252);
    const std::vector<WordEntry> reverse = Entries(L"wordlists\\Eng_Fre.tvk", 1252, 1252);
    EXPECT_TRUE(Sorted(forward, L"french"));
    EXPECT_TRUE(Sorted(reverse, L"english"));
    ASSERT_NE(Find(forward, L"maison"), nullptr);
    EXPECT_EQ(Find(forward, L"maison")->second, L"house, home, manor");
    ASSERT_NE(Find(forward, L"dauphin"), nullptr);
    EXPECT_EQ(Find(forward, L"dauphin")->second, L"dolphin, porpoise");
    for (const wchar_t* word : {L"manor", L"kitten", L"dolphin", L"porpoise"}) {
        SCOPED_TRACE(word);
        const WordEntry* entry = Find(reverse, word);
        ASSERT_NE(entry, nullptr);
        EXPECT_NE(entry->second.find(word == std::wstring(L"manor") ? L"maison"
                                     : word == std::wstring(L"kitten") ? L"chaton"
                                                                        : L"dauphin"),
                  std::wstring::npos);
    }
    // Only the new forward entries are logged; new entries of both directions are practised.
    EXPECT_EQ(folder.Read(L"new\\French_English.tvk").size(), 2 * kRecordSize);
    const std::vector<WordEntry> practice = Entries(L"practice\\Basics\\Fre_Eng.ls", 1252, 1252);
    ASSERT_GE(practice.size(), 2u);
    EXPECT_EQ(practice[practice.size() - 2].first, L"chaton");
    EXPECT_EQ(practice.back().first, L"dauphin");
    const std::vector<WordEntry> reversePractice = Entries(L"practice\\Basics\\Eng_Fre.ls", 1252, 1252);
    ASSERT_GE(reversePractice.size(), 4u);
    EXPECT_EQ(reversePractice[reversePractice.size() - 4].first, L"manor");
    EXPECT_EQ(reversePractice.back().first, L"porpoise");
}

// Russian to English: the picker offers Cyrillic letters for the first edit and
// Latin ones for the second, and types into whichever edit has the focus.
TEST_F(AddWindowTest, PickerFollowsTheFocusBetweenCyrillicAndLatin) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, 203);  // Russian-English
    EXPECT_EQ(CheckedLanguagesWhen(main, {203}), std::vector<UINT>{203});
    HWND add = OpenAdd(app, main);
    ASSERT_NE(add, nullptr);
    Command(add, 6);  // show the picker
    HWND picker = app.WaitForWindow(L"tekenset", nullptr);
    ASSERT_NE(picker, nullptr);
    const auto click = [&](HWND strip, const std::wstring& letter) {
        for (int id = 0; id < 254; ++id) {
            HWND button = GetDlgItem(strip, id);
            if (!button) break;
            if (ControlText(button) != letter) continue;
            PostMessageW(strip, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return true;
        }
        return false;
    };
    ASSERT_TRUE(click(picker, L"\x0416"));
    ASSERT_TRUE(TextBecomes(first, L"\x0416"));
    ASSERT_TRUE(TypeText(add, L"\x0443\x043a\r"));
    ASSERT_TRUE(TextBecomes(first, L"\x0416\x0443\x043a"));

    // The second edit is English (code page 1252): a new picker with Latin letters.
    HWND latin = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (latin = app.WaitForWindow(L"tekenset", nullptr, 100)) && latin != picker &&
                                       ControlText(GetDlgItem(latin, 0)) == L"\x00C0"; },
                          10000));
    ASSERT_TRUE(TypeText(add, L"caf"));
    ASSERT_TRUE(click(latin, L"\x00E9"));
    ASSERT_TRUE(TextBecomes(second, L"caf\x00E9"));
    ASSERT_TRUE(TypeText(add, L"\r"));
    ASSERT_TRUE(TextBecomes(second, L""));

    PostMessageW(add, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(add) && !IsWindow(latin) && IsWindowVisible(main); }, 20000));
    const std::vector<WordEntry> forward = Entries(L"wordlists\\Rus_Eng.tvk", 1251, 1252);
    ASSERT_NE(Find(forward, L"\x0416\x0443\x043a"), nullptr);
    EXPECT_EQ(Find(forward, L"\x0416\x0443\x043a")->second, L"caf\x00E9");
    const std::vector<WordEntry> reverse = Entries(L"wordlists\\Eng_Rus.tvk", 1252, 1251);
    ASSERT_NE(Find(reverse, L"caf\x00E9"), nullptr);
    EXPECT_EQ(Find(reverse, L"caf\x00E9")->second, L"\x0416\x0443\x043a");
}

}  // namespace
