#include "shell/mainpaint.h"

#include "win/handles.h"

namespace {

constexpr int kLogoAreaWidth = 565;
constexpr int kLogoAreaHeight = 96;
constexpr int kFlatPen = 32;
constexpr COLORREF kTopLine = RGB(25, 25, 25);

BYTE Component(int base, int step, int i) {
    return static_cast<BYTE>((static_cast<unsigned>(base) - static_cast<unsigned>(i) * static_cast<unsigned>(step)) &
                             0xFFu);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

std::array<COLORREF, kGradientPens> GradientPenColours(const GradientColours& c) {
    std::array<COLORREF, kGradientPens> pens{};
    for (int i = 0; i < kGradientPens; ++i)
        pens[static_cast<std::size_t>(i)] =
            RGB(Component(c.r, c.ri, i), Component(c.g, c.gi, i), Component(c.b, c.bi, i));
    return pens;
}

int GradientPenForRow(int y, int height, int colourDepth) {
    if (colourDepth < 24 || height <= 0) return kFlatPen;
    return static_cast<int>(static_cast<long long>(kGradientPens - 1) * y / height);
}

void PaintGradient(HDC dc, const RECT& rect, const GradientColours& colours, int colourDepth) {
    const auto colourList = GradientPenColours(colours);
    std::array<UniquePen, kGradientPens> pens;
    for (std::size_t i = 0; i < pens.size(); ++i) pens[i].Reset(CreatePen(PS_SOLID, 1, colourList[i]));
    UniquePen topLine(CreatePen(PS_SOLID, 1, kTopLine));

    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SelectionScope restore(dc, pens[0].Get());
    for (int y = 0; y < height; ++y) {
        SelectObject(dc, pens[static_cast<std::size_t>(GradientPenForRow(y, height, colourDepth))].Get());
        MoveToEx(dc, rect.left, rect.top + y, nullptr);
        LineTo(dc, rect.left + width, rect.top + y);
    }
    SelectObject(dc, topLine.Get());
    MoveToEx(dc, rect.left, rect.top, nullptr);
    LineTo(dc, rect.left + width, rect.top);
}

HBITMAP BuildLogoMask(HBITMAP logo, COLORREF transparent) {
    const SIZE size = BitmapSize(logo);
    HBITMAP mask = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    if (!mask) return nullptr;
    UniqueMemoryDc logoDc(CreateCompatibleDC(nullptr));
    UniqueMemoryDc maskDc(CreateCompatibleDC(nullptr));
    SelectionScope logoSelected(logoDc.Get(), logo);
    SelectionScope maskSelected(maskDc.Get(), mask);
    // Colour to monochrome: pixels of the background colour become white.
    SetBkColor(logoDc.Get(), transparent);
    BitBlt(maskDc.Get(), 0, 0, size.cx, size.cy, logoDc.Get(), 0, 0, SRCCOPY);
    // Monochrome to colour: white becomes black, so the transparent pixels drop out.
    SetBkColor(logoDc.Get(), RGB(0, 0, 0));
    SetTextColor(logoDc.Get(), RGB(255, 255, 255));
    BitBlt(logoDc.Get(), 0, 0, size.cx, size.cy, maskDc.Get(), 0, 0, SRCAND);
    return mask;
}

void DrawLogo(HDC dc, HBITMAP logo, HBITMAP mask) {
    const SIZE size = BitmapSize(logo);
    const int left = (kLogoAreaWidth - size.cx) / 2;
    const int top = (kLogoAreaHeight - size.cy) / 2;
    // The mask's white must stay white on the way to a colour surface.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    {
        SelectionScope selected(source.Get(), mask);
        BitBlt(dc, left, top, size.cx, size.cy, source.Get(), 0, 0, SRCAND);
    }
    SelectionScope selected(source.Get(), logo);
    BitBlt(dc, left, top, size.cx, size.cy, source.Get(), 0, 0, SRCPAINT);
}
