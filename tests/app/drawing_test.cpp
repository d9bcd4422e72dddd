// The font rule, the gradient, the logo mask and the blank trimming.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/drawing.h"
#include "app/fonts.h"
#include "shell/mainpaint.h"
#include "support/canvas.h"
#include "support/testenv.h"
#include "text/translations.h"
#include "win/handles.h"

namespace {

LOGFONTW FontOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

}  // namespace

TEST(ScaledFont, PointSizesBecomeNegativeHeightsAt96Dpi) {
    InstallEnglishUiStrings();
    EXPECT_EQ(ScaledFontDescription(9, FW_NORMAL, L"Arial", 0).lfHeight, -12);
    EXPECT_EQ(ScaledFontDescription(30, FW_BOLD, L"Arial", 0).lfHeight, -40);
    EXPECT_EQ(ScaledFontDescription(43, FW_BOLD, L"Arial", 0).lfHeight, -57);

    UniqueFont font(CreateScaledFont(30, FW_BOLD, L"Times New Roman", GREEK_CHARSET));
    ASSERT_TRUE(font);
    const LOGFONTW lf = FontOf(font.Get());
    EXPECT_EQ(lf.lfHeight, -40);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfCharSet, GREEK_CHARSET);
    EXPECT_STREQ(lf.lfFaceName, L"Times New Roman");
    EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
}

TEST(ScaledFont, OwnCharsetNumbersPickTheirFaceWithTheAnsiCharset) {
    InstallEnglishUiStrings({{"ForeignFonts", "1"}, {"Font600", "Nirmala Test"}});
    UniqueFont foreign(CreateScaledFont(12, FW_NORMAL, L"Arial", 600));
    EXPECT_STREQ(FontOf(foreign.Get()).lfFaceName, L"Nirmala Test");
    EXPECT_EQ(FontOf(foreign.Get()).lfCharSet, ANSI_CHARSET);

    UniqueFont sudEuro(CreateScaledFont(12, FW_NORMAL, L"Arial", 500));
    EXPECT_STREQ(FontOf(sudEuro.Get()).lfFaceName, L"Times SudEuro");
    EXPECT_EQ(FontOf(sudEuro.Get()).lfCharSet, ANSI_CHARSET);
    InstallEnglishUiStrings();
}

TEST(TrimSpaces, CutsBlanksOnlyAndKeepsTabs) {
    wchar_t padded[] = L"  casa  ";
    EXPECT_STREQ(TrimSpaces(padded), L"casa");
    wchar_t tabbed[] = L"\tcasa ";
    EXPECT_STREQ(TrimSpaces(tabbed), L"\tcasa");
    wchar_t empty[] = L"";
    EXPECT_EQ(TrimSpaces(empty), empty);
    wchar_t blanks[] = L"   ";
    EXPECT_STREQ(TrimSpaces(blanks), L"");
    EXPECT_EQ(TrimSpaces(std::wstring(L"  dos casas  ")), L"dos casas");
}

TEST(Gradient, DefaultsFadeFromGreenToDarkGreen) {
    const auto pens = GradientPenColours(GradientColours{});
    EXPECT_EQ(pens[0], RGB(0, 200, 0));
    EXPECT_EQ(pens[1], RGB(0, 197, 0));
    EXPECT_EQ(pens[62], RGB(0, 14, 0));
    EXPECT_EQ(pens[63], RGB(0, 11, 0));
}

TEST(Gradient, ComponentsWrapAroundModulo256) {
    GradientColours c;
    c.r = 10;
    c.ri = 1;
    c.g = 20;
    c.gi = 3;
    c.b = 0x1FF;  // only the low 8 bits count
    c.bi = 0;
    const auto pens = GradientPenColours(c);
    EXPECT_EQ(GetGValue(pens[6]), 2);
    EXPECT_EQ(GetGValue(pens[7]), 255);
    EXPECT_EQ(GetGValue(pens[8]), 252);
    EXPECT_EQ(GetRValue(pens[10]), 0);
    EXPECT_EQ(GetRValue(pens[11]), 255);
    EXPECT_EQ(GetBValue(pens[40]), 255);

    c.gi = -2;  // a negative step brightens, wrapping past 255 as well
    EXPECT_EQ(GetGValue(GradientPenColours(c)[118 / 2]), (20 + 118) & 0xFF);
}

TEST(Gradient, RowsMapToPensTopToBottom) {
    EXPECT_EQ(GradientPenForRow(0, 332, 32), 0);
    EXPECT_EQ(GradientPenForRow(5, 332, 32), 0);    // 315 / 332
    EXPECT_EQ(GradientPenForRow(6, 332, 32), 1);    // 378 / 332
    EXPECT_EQ(GradientPenForRow(331, 332, 32), 62);
    EXPECT_EQ(GradientPenForRow(100, 200, 24), 31);
    EXPECT_EQ(GradientPenForRow(0, 332, 16), 32);
    EXPECT_EQ(GradientPenForRow(331, 332, 8), 32);
}

TEST(Gradient, PaintsRowsTopLineAndFlatColourOnShallowDisplays) {
    Canvas canvas(100, 332, RGB(255, 255, 255));
    PaintGradient(canvas.Dc(), RECT{0, 0, 100, 332}, GradientColours{}, 32);
    EXPECT_EQ(canvas.At(50, 0), RGB(25, 25, 25));
    EXPECT_EQ(canvas.At(0, 1), RGB(0, 200, 0));
    EXPECT_EQ(canvas.At(99, 6), RGB(0, 197, 0));
    EXPECT_EQ(canvas.At(99, 331), RGB(0, 14, 0));

    Canvas flat(100, 332, RGB(255, 255, 255));
    PaintGradient(flat.Dc(), RECT{0, 0, 100, 332}, GradientColours{}, 16);
    EXPECT_EQ(flat.At(50, 0), RGB(25, 25, 25));
    EXPECT_EQ(flat.At(50, 1), RGB(0, 104, 0));
    EXPECT_EQ(flat.At(50, 331), RGB(0, 104, 0));
}

TEST(Logo, TopLeftColourBecomesTransparent) {
    constexpr COLORREF kKey = RGB(255, 0, 255);
    constexpr COLORREF kInk = RGB(200, 30, 40);
    UniqueBitmap logo;
    {
        WindowDc screen(nullptr);
        logo.Reset(CreateCompatibleBitmap(screen.Get(), 20, 10));
        UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
        SelectionScope selected(dc.Get(), logo.Get());
        UniqueBrush key(CreateSolidBrush(kKey));
        UniqueBrush ink(CreateSolidBrush(kInk));
        RECT all{0, 0, 20, 10};
        RECT middle{5, 2, 15, 8};
        FillRect(dc.Get(), &all, key.Get());
        FillRect(dc.Get(), &middle, ink.Get());
    }
    UniqueBitmap mask(BuildLogoMask(logo.Get(), kKey));
    ASSERT_TRUE(mask);

    Canvas canvas(565, 96, RGB(0, 0, 255));
    DrawLogo(canvas.Dc(), logo.Get(), mask.Get());
    // Centred: (565 - 20) / 2 = 272, (96 - 10) / 2 = 43.
    EXPECT_EQ(canvas.At(272, 43), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(291, 52), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(272 + 5, 43 + 2), kInk);
    EXPECT_EQ(canvas.At(272 + 14, 43 + 7), kInk);
    EXPECT_EQ(canvas.At(271, 45), RGB(0, 0, 255));
}
