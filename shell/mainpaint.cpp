#include "shell/mainpaint.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "win/dpi.h"
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
    std::array<UniqueBrush, kGradientPens> brushes;
    for (std::size_t i = 0; i < brushes.size(); ++i) brushes[i].Reset(CreateSolidBrush(colourList[i]));
    UniqueBrush topLine(CreateSolidBrush(kTopLine));

    // Rows are filled rather than drawn as lines: at any scaling of the device context
    // the rows then meet without gaps.
    const int height = rect.bottom - rect.top;
    for (int y = 0; y < height; ++y) {
        const RECT row{rect.left, rect.top + y, rect.right, rect.top + y + 1};
        FillRect(dc, &row, brushes[static_cast<std::size_t>(GradientPenForRow(y, height, colourDepth))].Get());
    }
    const RECT top{rect.left, rect.top, rect.right, rect.top + 1};
    FillRect(dc, &top, topLine.Get());
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

HBITMAP BuildScaledLogo(HBITMAP logo, COLORREF transparent, UINT dpi) {
    const SIZE from = BitmapSize(logo);
    const int toWidth = Scaled(from.cx, dpi);
    const int toHeight = Scaled(from.cy, dpi);
    if (from.cx <= 0 || from.cy <= 0 || toWidth <= 0 || toHeight <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = from.cx;
    info.bmiHeader.biHeight = -from.cy;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> source(static_cast<std::size_t>(from.cx) * static_cast<std::size_t>(from.cy));
    {
        WindowDc screen(nullptr);
        if (!GetDIBits(screen.Get(), logo, 0, static_cast<UINT>(from.cy), source.data(), &info, DIB_RGB_COLORS))
            return nullptr;
    }
    // The transparent colour as the bits store it (blue in the low byte).
    const std::uint32_t clear = (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) | GetBValue(transparent);
    info.bmiHeader.biWidth = toWidth;
    info.bmiHeader.biHeight = -toHeight;
    void* bits = nullptr;
    HBITMAP scaled = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!scaled || !bits) return scaled;
    auto* target = static_cast<std::uint32_t*>(bits);
    const double sx = static_cast<double>(from.cx) / toWidth;
    const double sy = static_cast<double>(from.cy) / toHeight;
    for (int y = 0; y < toHeight; ++y) {
        const double y0 = y * sy, y1 = (y + 1) * sy;
        for (int x = 0; x < toWidth; ++x) {
            const double x0 = x * sx, x1 = (x + 1) * sx;
            double sum[4] = {0, 0, 0, 0}, area = 0;
            for (int v = static_cast<int>(y0); v < from.cy && v < y1; ++v) {
                const double wy = std::min<double>(v + 1, y1) - std::max<double>(v, y0);
                for (int u = static_cast<int>(x0); u < from.cx && u < x1; ++u) {
                    const double w = wy * (std::min<double>(u + 1, x1) - std::max<double>(u, x0));
                    const std::uint32_t p = source[static_cast<std::size_t>(v) * from.cx + u] & 0xFFFFFFu;
                    area += w;
                    if (p == clear) continue;  // no colour and no cover
                    sum[0] += w * (p & 0xFF);
                    sum[1] += w * ((p >> 8) & 0xFF);
                    sum[2] += w * ((p >> 16) & 0xFF);
                    sum[3] += w * 255;
                }
            }
            const auto channel = [&](int i) { return static_cast<std::uint32_t>(area > 0 ? sum[i] / area + 0.5 : 0); };
            target[static_cast<std::size_t>(y) * toWidth + x] =
                channel(0) | (channel(1) << 8) | (channel(2) << 16) | (channel(3) << 24);
        }
    }
    return scaled;
}

void DrawScaledLogo(HDC dc, HBITMAP logo, HBITMAP scaled) {
    const SIZE size = BitmapSize(logo);
    const SIZE device = BitmapSize(scaled);
    const int left = (kLogoAreaWidth - size.cx) / 2;
    const int top = (kLogoAreaHeight - size.cy) / 2;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectionScope selected(source.Get(), scaled);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, left, top, size.cx, size.cy, source.Get(), 0, 0, device.cx, device.cy, blend);
}
