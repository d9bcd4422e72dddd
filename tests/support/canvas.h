// A 32-bit top-down DIB section selected into a memory DC: what a paint function draws
// into it can be read back pixel by pixel, or compared whole.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "win/handles.h"

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : dc_(CreateCompatibleDC(nullptr)), width_(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        previous_ = SelectObject(dc_.Get(), bitmap_.Get());
        UniqueBrush brush(CreateSolidBrush(fill));
        RECT all{0, 0, width, height};
        FillRect(dc_.Get(), &all, brush.Get());
    }
    ~Canvas() { SelectObject(dc_.Get(), previous_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
    // The first `rows` rows as they stand, after any drawing still queued is done.
    std::vector<std::uint32_t> Rows(int rows) const {
        GdiFlush();
        if (!bits_) return {};
        return std::vector<std::uint32_t>(bits_, bits_ + static_cast<std::size_t>(rows) * static_cast<std::size_t>(width_));
    }

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
    int width_;
};
