// Flash-card practice in the real program: a run of two entries at the fast end of the
// slider, a covered word that comes back, the end message and the main window again.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "e2e/e2efixture.h"
#include "support/canvas.h"
#include "win/handles.h"

using namespace e2e;

namespace {

constexpr int kPractise = 11;
constexpr std::uint32_t kNavy = 0x000080;   // the words' colour as a DIB pixel
constexpr std::uint32_t kCover = 0xFF00FF;  // magenta, in no window of the program

// Pixels of one colour where the window is on the screen.
int PixelsOnScreen(HWND window, std::uint32_t colour) {
    const RECT r = WindowRect(window);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    Canvas canvas(width, height, RGB(255, 255, 255));
    {
        WindowDc screen(nullptr);
        BitBlt(canvas.Dc(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
    }
    int count = 0;
    for (std::uint32_t pixel : canvas.Rows(height)) count += (pixel & 0xFFFFFF) == colour;
    return count;
}

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window of this test over another one, filled with the cover colour.
UniqueWindow CoverWindow(HWND over) {
    static UniqueBrush brush(CreateSolidBrush(RGB(255, 0, 255)));
    WNDCLASSW cls{};
    cls.lpfnWndProc = CoverProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = brush.Get();
    cls.lpszClassName = L"flashcover";
    RegisterClassW(&cls);
    const RECT r = WindowRect(over);
    return UniqueWindow(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls.lpszClassName, L"",
                                        WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                        nullptr, nullptr, cls.hInstance, nullptr));
}

class FlashCardsTest : public EndToEndTest {
protected:
    void WritePracticeList(const std::vector<WordEntry>& entries) const {
        std::string bytes;
        for (const WordEntry& e : entries) {
            const WordRecord record = EncodeRecord(e, 1252, 1252);
            bytes.append(reinterpret_cast<const char*>(record.bytes), kRecordSize);
        }
        folder.Write(L"practice\\Basics\\Fre_Eng.ls", bytes);
    }
};

}  // namespace

TEST_F(FlashCardsTest, TwoEntriesAtTheFastEndRunToTheEndMessage) {
    profile::Set(L"PracticeMode", L"0");
    WritePracticeList({{L"maison", L"house, home"}, {L"chat", L"cat"}});
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, kPractise);
    const std::wstring caption = EnglishText("PracticeCaption") + L" (Basics)";
    HWND flash = app.WaitForWindow(L"leren", caption.c_str());
    ASSERT_NE(flash, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000));
    HWND question = GetDlgItem(flash, 45);
    HWND answer = GetDlgItem(flash, 46);
    HWND slider = GetDlgItem(flash, 50);
    HWND progress = GetDlgItem(flash, 40);
    ASSERT_TRUE(question && answer && slider && progress);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 6);
    EXPECT_EQ(SendMessageW(progress, PBM_GETRANGE, FALSE, 0), 2);

    // The first word comes at once; its second word only after the slider's 5.25 s.
    ASSERT_TRUE(WaitUntil([&] { return PixelsOnScreen(question, kNavy) > 0; }, 3000));
    EXPECT_EQ(PixelsOnScreen(answer, kNavy), 0);

    // Covered, repainted meanwhile and uncovered: the word is there again.
    {
        UniqueWindow cover = CoverWindow(question);
        ASSERT_TRUE(cover);
        ASSERT_TRUE(WaitUntil([&] { return PixelsOnScreen(question, kNavy) == 0; }, 3000));
        RedrawWindow(question, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    EXPECT_TRUE(WaitUntil(
        [&] { return PixelsOnScreen(question, kCover) == 0 && PixelsOnScreen(question, kNavy) > 0; }, 3000));
    EXPECT_EQ(PixelsOnScreen(answer, kNavy), 0);

    // Fastest; a click brings the second word at once, then every step takes 0.5 s.
    SendMessageW(slider, TBM_SETPOS, TRUE, 11);
    const DWORD clicked = GetTickCount();
    ClickClient(flash, 400, 5);
    std::optional<MessageBoxWindow> box;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND w : app.Windows(true))
                if (ClassName(w) == L"#32770" && GetWindow(w, GW_OWNER) == flash) box = MessageBoxWindow(w);
            return box.has_value();
        },
        5000));
    EXPECT_GE(GetTickCount() - clicked, 1400u);  // three waits of 0.5 s: second word, entry, second word
    EXPECT_EQ(box->Text(), EnglishText("PracticeEndlist"));
    EXPECT_EQ(box->Caption(), EnglishText("Lingorix"));
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), 2);
    box->Press(IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(flash) && IsWindowVisible(main); }, 5000));

    ASSERT_EQ(app.Exit(main), 0u);
    EXPECT_TRUE(profile::Int(L"WinPosTopPractise").has_value());
}

// Minimised before its second word and restored: the last card still shows its second
// word, and the run goes on rather than ending at once.
TEST_F(FlashCardsTest, RestoredAfterAMinimiseTheCardKeepsItsSecondWord) {
    profile::Set(L"PracticeMode", L"0");
    WritePracticeList({{L"chat", L"cat"}});
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, kPractise);
    HWND flash = app.WaitForWindow(L"leren", nullptr);
    ASSERT_NE(flash, nullptr);
    HWND answer = GetDlgItem(flash, 46);
    ASSERT_TRUE(WaitUntil([&] { return PixelsOnScreen(GetDlgItem(flash, 45), kNavy) > 0; }, 3000));

    PostMessageW(flash, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(flash) != FALSE; }, 3000));
    PostMessageW(flash, WM_SYSCOMMAND, SC_RESTORE, 0);
    // The step after a restore comes a tenth of a second later; an end after the second
    // word would wait the slider's 5.25 s.
    ASSERT_TRUE(WaitUntil(
        [&] { return app.FindMessageBox() || (!IsIconic(flash) && PixelsOnScreen(answer, kNavy) > 0); }, 4000));
    EXPECT_FALSE(app.FindMessageBox());
    EXPECT_TRUE(IsWindow(flash));
    if (std::optional<MessageBoxWindow> box = app.FindMessageBox()) box->Press(IDOK);
    EXPECT_TRUE(CloseAndExit(app, flash, main));
}
