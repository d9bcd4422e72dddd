// Printing a practice list: the print file, the page arithmetic, and printing for real
// through the print dialog on the private PDF printer of the test command.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "app/fonts.h"
#include "practice/printfile.h"
#include "practice/printing.h"
#include "practice/printpages.h"
#include "support/printdialog.h"
#include "support/storefixture.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/session.h"
#include "win/windowclass.h"

namespace {

std::string Utf16Le(std::wstring_view text) {
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class PrintFile : public StoreTest {
protected:
    // A Spanish-English word list whose practice list "Week" holds these entries.
    void OpenSpanish(const std::vector<WordEntry>& practice) {
        WriteBytes(L"languages.ini", LanguageFile({"Spanish,spanish"}, "Spa_Eng.tvk"));
        WriteWordList(L"Spa_Eng.tvk", practice);
        MakeDirectories(L"practice\\Week");
        std::string bytes;
        for (const WordEntry& e : practice) {
            const WordRecord r = EncodeRecord(e, 1252, 1252);
            bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
        }
        WriteBytes(L"practice\\Week\\Spa_Eng.ls", bytes);
        CurrentPracticeList = L"Week";
        Open();
    }
};

}  // namespace

TEST_F(PrintFile, HoldsHeaderAndEveryEntryAsUtf16WithLineFeeds) {
    OpenSpanish({{L"casa", L"house", 0}, {L"perro", L"dog", 1}});
    ASSERT_EQ(PracticeCount, 2);
    ASSERT_TRUE(WritePrintFile());
    // The deleted mark of "perro" does not keep it off the paper.
    const std::wstring expected = L"Spanish" + std::wstring(24, L' ') + L"       English\n"
                                  L"\n"
                                  L"casa" + std::wstring(27, L' ') + L"   -   house\n"
                                  L"perro" + std::wstring(26, L' ') + L"   -   dog\n";
    EXPECT_EQ(ReadBytes(L"list.prt"), Utf16Le(expected));
}

TEST_F(PrintFile, ThatCannotBeCreatedIsReportedAndLeftAlone) {
    OpenSpanish({{L"casa", L"house", 0}});
    MakeDirectories(L"list.prt");
    EXPECT_FALSE(WritePrintFile());
}

TEST(PrintText, LongNamesAreNotCutAndNonLatinLettersCountAsOne) {
    const std::wstring name(33, L'n');
    const std::wstring text = FormatPrintText(name, L"E", {{L"\x0434\x043E\x043C", L"house", 0}});
    EXPECT_EQ(text, name + L"       E\n\n\x0434\x043E\x043C" + std::wstring(28, L' ') + L"   -   house\n");
    EXPECT_EQ(PrintFileBytes(L"A\x0434"), std::string("A\0\x34\x04", 4));
}

TEST(PrintLayout, MarginsOnNormalAndVerySmallPages) {
    // Letter at 600 dpi.
    RECT page = PageRectTwips(5100, 6600, 600, 600);
    EXPECT_EQ(page.right, 12240);
    EXPECT_EQ(page.bottom, 15840);
    RECT render = RenderRectTwips(page);
    EXPECT_EQ(render.left, 360);
    EXPECT_EQ(render.right, 12240 - 360);
    EXPECT_EQ(render.top, 720);
    EXPECT_EQ(render.bottom, 15840 - 720);

    // A4 at 300 by 600 dpi: each side rounded on its own.
    page = PageRectTwips(2480, 7016, 300, 600);
    EXPECT_EQ(page.right, 11904);
    EXPECT_EQ(page.bottom, 16838);  // 16838.4

    // A label of 2.5 by 3 inches keeps its width whole; its height is exactly the limit.
    page = PageRectTwips(750, 900, 300, 300);
    render = RenderRectTwips(page);
    EXPECT_EQ(render.left, 0);
    EXPECT_EQ(render.right, 3600);
    EXPECT_EQ(render.top, 0);
    EXPECT_EQ(render.bottom, 4320);
    // One pixel more of height gets the top and bottom margins, the width still none.
    render = RenderRectTwips(PageRectTwips(750, 901, 300, 300));
    EXPECT_EQ(render.top, 720);
    EXPECT_EQ(render.left, 0);

    // A device that reports no resolution gives an empty page, not a division by zero.
    page = PageRectTwips(100, 100, 0, 0);
    EXPECT_EQ(page.right, 0);
}

namespace {

// A text of `length` characters that the "control" lays out 100 characters a page.
struct FakeDocument {
    LONG length = 0;
    LONG pageSize = 100;
    LONG formatted = -1;
    int formatCalls = 0;
    std::vector<LONG> printed;  // start of each page sent to the printer
    int refuseAfter = -1;

    std::vector<LONG> Print(const PrintChoice& choice, CharacterRange range, bool* ok = nullptr) {
        const bool result = PrintPages(
            choice, range,
            [&](LONG start) {
                ++formatCalls;
                formatted = start;
                return std::min(start + pageSize, range.end);
            },
            [&] {
                if (refuseAfter >= 0 && static_cast<int>(printed.size()) >= refuseAfter) return false;
                printed.push_back(formatted);
                return true;
            });
        if (ok) *ok = result;
        return printed;
    }
};

using Pages = std::vector<LONG>;

}  // namespace

TEST(PrintLayout, CopiesRunPageByPageOrCollatedDocumentByDocument) {
    const CharacterRange all{0, 350};
    EXPECT_EQ(FakeDocument{}.Print({0, 0, 0, 1}, all), (Pages{0, 100, 200, 300}));
    EXPECT_EQ(FakeDocument{}.Print({0, 0, 0, 2}, all), (Pages{0, 0, 100, 100, 200, 200, 300, 300}));
    EXPECT_EQ(FakeDocument{}.Print({PD_COLLATE, 0, 0, 2}, all), (Pages{0, 100, 200, 300, 0, 100, 200, 300}));
    // The dialog's copies of 0 still print once.
    EXPECT_EQ(FakeDocument{}.Print({0, 0, 0, 0}, {0, 150}), (Pages{0, 100}));
}

TEST(PrintLayout, PageRangesPrintOnlyTheirPagesAndStopFormattingAfterThem) {
    const CharacterRange all{0, 550};
    FakeDocument doc;
    EXPECT_EQ(doc.Print({PD_PAGENUMS, 2, 3, 1}, all), (Pages{100, 200}));
    EXPECT_EQ(doc.formatCalls, 3);
    EXPECT_EQ(FakeDocument{}.Print({PD_PAGENUMS | PD_COLLATE, 3, 3, 2}, all), (Pages{200, 200}));
    EXPECT_EQ(FakeDocument{}.Print({PD_PAGENUMS, 2, 3, 2}, all), (Pages{100, 100, 200, 200}));
    // Without PD_PAGENUMS the kept page numbers do not count.
    EXPECT_EQ(FakeDocument{}.Print({0, 5, 5, 1}, {0, 200}), (Pages{0, 100}));
    // A range behind the last page prints nothing.
    EXPECT_EQ(FakeDocument{}.Print({PD_PAGENUMS, 7, 9, 1}, all), Pages{});
}

TEST(PrintLayout, SelectionEmptyTextAndStalledFormatting) {
    EXPECT_EQ(PrintedRange(PD_SELECTION, 500, {120, 250}), (CharacterRange{120, 250}));
    EXPECT_EQ(PrintedRange(PD_SELECTION, 500, {250, 120}), (CharacterRange{0, 500}));
    EXPECT_EQ(PrintedRange(0, 500, {120, 250}), (CharacterRange{0, 500}));
    EXPECT_EQ(FakeDocument{}.Print({PD_SELECTION, 0, 0, 1}, {120, 250}), (Pages{120, 220}));

    // An empty text still gives its one empty page.
    EXPECT_EQ(FakeDocument{}.Print({0, 0, 0, 1}, {0, 0}), (Pages{0}));
    // A control that cannot lay out the text does not move on: the pass ends.
    FakeDocument stuck;
    stuck.pageSize = 0;
    EXPECT_EQ(stuck.Print({0, 0, 0, 1}, {0, 300}), (Pages{0}));
    EXPECT_EQ(stuck.formatCalls, 1);
}

TEST(PrintLayout, RefusedPageEndsTheJob) {
    FakeDocument doc;
    doc.refuseAfter = 3;
    bool ok = true;
    EXPECT_EQ(doc.Print({PD_COLLATE, 0, 0, 3}, {0, 250}, &ok), (Pages{0, 100, 200}));
    EXPECT_FALSE(ok);
}

namespace {

LRESULT CALLBACK MakerStandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// The maker's part in printing: a real top-level window to hold the rich edit, and a
// practice list of 200 numbered entries.
class Printing : public PrintFile {
protected:
    void SetUp() override {
        PrintFile::SetUp();
        ModuleInstance = GetModuleHandleW(nullptr);
        ReadSystemMetrics();
        CreateSharedFonts(SharedFontSettings{}, 0);
        ASSERT_TRUE(RegisterProgramClass(L"printtestmaker", MakerStandInProc));
        maker.Reset(CreateWindowExW(0, L"printtestmaker", L"maker", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400,
                                    300, nullptr, nullptr, ModuleInstance, nullptr));
        ASSERT_TRUE(maker);
        std::vector<WordEntry> entries;
        for (int i = 0; i < 200; ++i) entries.push_back({Numbered(L"palabra", i), Numbered(L"word", i), 0});
        OpenSpanish(entries);
        ASSERT_EQ(PracticeCount, 200);
    }
    void TearDown() override {
        maker.Reset();
        DeleteSharedFonts();
        PrintFile::TearDown();
    }
    static std::wstring Numbered(const wchar_t* stem, int i) {
        wchar_t text[32];
        swprintf(text, 32, L"%ls%03d", stem, i);
        return text;
    }
    // Prints while another thread answers the dialog; whether a dialog was shown.
    bool PrintAnswering(const PrintDialogAnswer& answer) {
        std::atomic<bool> done{false};
        std::atomic<bool> answered{false};
        std::thread answering([&] {
            const DWORD start = GetTickCount();
            // Answers the dialog once it is there; gives up when printing ends without one.
            while (!done && GetTickCount() - start < 60000)
                if (FindPrintDialog(GetCurrentProcessId())) {
                    answered = AnswerPrintDialog(GetCurrentProcessId(), answer, 1000);
                    return;
                } else {
                    Sleep(20);
                }
        });
        PrintPracticeList(maker.Get());
        done = true;
        answering.join();
        return answered;
    }

    UniqueWindow maker;
};

}  // namespace

TEST_F(Printing, UnwritablePrintFileShowsNoDialogAndLeavesNothingBehind) {
    MakeDirectories(L"list.prt");
    EXPECT_FALSE(PrintAnswering({L"", 1, false, true}));
    EXPECT_EQ(FindWindowW(L"printing", nullptr), nullptr);
    EXPECT_EQ(GetWindow(maker.Get(), GW_CHILD), nullptr);
    ASSERT_EQ(messages.size(), 1u);  // but says why nothing comes out
    EXPECT_EQ(messages[0].owner, maker.Get());
    EXPECT_EQ(messages[0].text, std::wstring(UiText(Ui::CreateListNoPrintFile)) + L" list.prt");
}

TEST_F(Printing, CancelledDialogPrintsNothingAndConfirmedOnePrintsTwoCollatedCopies) {
    const std::wstring printer = TestPrinterName();
    const std::wstring out = PrintedPdfFolder();
    if (printer.empty() || out.empty()) GTEST_SKIP() << "no test printer (the test command starts one)";
    const std::vector<std::wstring> before = PdfFilesIn(out);

    ASSERT_TRUE(PrintAnswering({printer, 1, false, true}));
    EXPECT_TRUE(FileExists(L"list.prt"));
    EXPECT_EQ(FindWindowW(L"printing", nullptr), nullptr);
    EXPECT_EQ(GetWindow(maker.Get(), GW_CHILD), nullptr);

    ASSERT_TRUE(PrintAnswering({printer, 2, true, false}));
    EXPECT_EQ(GetWindow(maker.Get(), GW_CHILD), nullptr);
    const std::wstring pdf = WaitForPrintedPdf(out, before);
    ASSERT_FALSE(pdf.empty()) << "no PDF came out";
    // The cancelled print, had it gone out, would have come first.
    EXPECT_EQ(PdfFilesIn(out).size(), before.size() + 1);

    // Where the text must start on paper: the margins from the printable area's corner.
    UniquePrinterDc dc(CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr));
    ASSERT_TRUE(dc);
    const double dpiX = GetDeviceCaps(dc.Get(), LOGPIXELSX), dpiY = GetDeviceCaps(dc.Get(), LOGPIXELSY);
    const double left = (GetDeviceCaps(dc.Get(), PHYSICALOFFSETX) + 360 * dpiX / 1440) * 72 / dpiX;
    const double top = (GetDeviceCaps(dc.Get(), PHYSICALOFFSETY) + 720 * dpiY / 1440) * 72 / dpiY;
    const double width = GetDeviceCaps(dc.Get(), PHYSICALWIDTH) * 72 / dpiX;
    const double height = GetDeviceCaps(dc.Get(), PHYSICALHEIGHT) * 72 / dpiY;

    // The PDF itself is read on the Linux side (check_printed_pdf.sh), after this test.
    const std::wstring kept = out + L"\\printing-test.pdf";
    DeleteFileW(kept.c_str());
    ASSERT_TRUE(MoveFileW(pdf.c_str(), kept.c_str()));
    char facts[512];
    std::snprintf(facts, sizeof facts,
                  "copies=2\ncollated=1\nentries=200\nleft=%.2f\ntop=%.2f\nwidth=%.2f\nheight=%.2f\n", left, top,
                  width, height);
    WriteBytes(out + L"\\printing-test.txt", facts);
}

TEST(PrintLayout, PlainTextPagesEndAfterWholeLinesOfEveryLineBreak) {
    const std::wstring text = L"ab\r\ncd\ref\ngh";  // positions from 10 on
    EXPECT_EQ(NextPlainTextPage(text, 10, 10, 2), 10 + 7);   // after "cd\r"
    EXPECT_EQ(NextPlainTextPage(text, 10, 17, 2), 10 + 12);  // "ef\n" and the unended "gh"
    EXPECT_EQ(NextPlainTextPage(text, 10, 22, 2), 22);       // nothing left: no progress
    EXPECT_EQ(NextPlainTextPage(L"", 0, 0, 5), 0);
}
