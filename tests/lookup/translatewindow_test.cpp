// The Translate window for real: the thumb dragged down a list of hundreds of
// thousands of entries, and what closing leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "app/fonts.h"
#include "app/globals.h"
#include "app/settings.h"
#include "lookup/translatewindow.h"
#include "support/classspy.h"
#include "support/windowfixture.h"

namespace {

class TranslateWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteBytes(L"languages.ini", LanguageFile({"French,french"}, "Fre_Eng.tvk"));
        WriteWordList(L"Eng_Fre.tvk", {{L"cat", L"chat", 0}});
        ToolWindowOpen = 1;
    }
    void OpenWindow() {
        window = OpenTranslateWindow();
        ASSERT_NE(window, nullptr);
    }
    std::wstring Text(int id) const {
        wchar_t text[64] = {};
        GetDlgItemTextW(window, id, text, 64);
        return text;
    }
};

// A list whose entries only differ near its end, where each is named by its index.
void WriteLongList(int count, int namedFrom) {
    const WordRecord filler = EncodeRecord({L"a", L"x", 0}, 1252, 1252);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * kRecordSize);
    for (int i = 0; i < count; ++i) {
        if (i < namedFrom) {
            bytes.append(reinterpret_cast<const char*>(filler.bytes), kRecordSize);
        } else {
            const WordRecord r = EncodeRecord({L"n" + std::to_wstring(i), L"x", 0}, 1252, 1252);
            bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
        }
    }
    WriteBytes(L"wordlists\\Fre_Eng.tvk", bytes);
}

// Past 32 767 scroll units (a list of about 330 000 entries) the thumb's position no
// longer fits a signed 16-bit value; read as one it would send the rows to the top.
TEST_F(TranslateWindowTest, DraggingTheThumbToTheEndOfALongListShowsItsEnd) {
    constexpr int kCount = 340000;
    WriteLongList(kCount, kCount - 100);
    Open();
    OpenWindow();
    HWND bar = GetDlgItem(window, kTranslateScrollBar);
    int low = 0;
    int high = 0;
    GetScrollRange(bar, SB_CTL, &low, &high);
    ASSERT_EQ(high, (kCount - 3) / 10);
    ASSERT_GT(high, 32767);

    // A drag as the mouse makes it: pressed on the thumb, moved below the bar's end,
    // released there. The bar tracks the drag in a loop of its own, which takes the
    // move and the release from the queue.
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(bar, OBJID_CLIENT, &info));
    const int x = 10;
    const int thumb = (info.xyThumbTop + info.xyThumbBottom) / 2;
    RECT client{};
    GetClientRect(bar, &client);
    const int below = client.bottom + 10;
    PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, below));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, below));
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, thumb));

    EXPECT_EQ(Text(kTranslateFirstRow), L"n" + std::to_wstring(10 * high));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), high);
}

// The wheel over a row moves the rows as the arrow keys do, by the system's lines a
// notch, and no further than the list's last entries.
TEST_F(TranslateWindowTest, TheWheelOverTheRowsMovesThem) {
    WriteLongList(40, 0);
    Open();
    OpenWindow();
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_LT(lines, 10u);
    const auto wheel = [&](int notches) {
        SendMessageW(GetDlgItem(window, kTranslateSecondRow + 1), WM_MOUSEWHEEL,
                     MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)), 0);
    };
    wheel(-1);
    EXPECT_EQ(Text(kTranslateFirstRow), L"n" + std::to_wstring(lines));
    wheel(-20);
    EXPECT_EQ(Text(kTranslateFirstRow), L"n37");
    wheel(1);
    EXPECT_EQ(Text(kTranslateFirstRow), L"n" + std::to_wstring(37 - lines));
}

// The text pane and the edits get their own procedures back at their end, so the
// memory they hold (the pane: the whole text) goes with them at every closing.
TEST_F(TranslateWindowTest, ThePaneAndTheEditsEndThroughTheirOwnProcedure) {
    WriteWordList(L"Fre_Eng.tvk", {{L"chat", L"cat", 0}});
    Open();
    WriteBytes(L"text.txt", "Le chat dort.");
    ClassProcedureSpy spy(L"edit");
    OpenWindow();
    ASSERT_EQ(LoadTextFile(GetDlgItem(window, kTranslatePane), dir.Full(L"text.txt")), 1);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ToolWindowOpen, 0);
    EXPECT_TRUE(AppSettings.translate.Saved());
    EXPECT_EQ(spy.Count(WM_NCDESTROY), 8);  // the pane, the look-up edit and the six row edits
}

}  // namespace
