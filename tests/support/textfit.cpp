#include "support/textfit.h"

#include <algorithm>
#include <array>

#include "app/drawing.h"
#include "win/dpi.h"
#include "win/handles.h"

namespace {

struct Label {
    std::wstring text;
    RECT place;
    RECT drawn;  // where the text lands
};
std::vector<Label>* g_labels = nullptr;

RECT Measure(HDC dc, const wchar_t* text, int width, UINT format) {
    RECT box{0, 0, width, 0};
    DrawTextW(dc, text, -1, &box, (format & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
    return box;
}

void ObserveLabel(HDC dc, const wchar_t* text, const RECT& place, UINT format) {
    if (!g_labels || !text || !*text) return;
    const RECT box = Measure(dc, text, place.right - place.left, format);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    int left = place.left;
    if (format & DT_CENTER) left = (place.left + place.right - width) / 2;
    if (format & DT_RIGHT) left = place.right - width;
    int top = place.top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) top = (place.top + place.bottom - height) / 2;
    if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) top = place.bottom - height;
    g_labels->push_back({text, place, {left, top, left + width, top + height}});
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return name.data();
}

std::wstring Size(const RECT& r) { return std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top); }

// Room a control leaves its text: the borders and margins of a push button, the box
// of a check box.
struct Room {
    int width;
    int height;
    bool wraps;
};

bool RoomFor(HWND control, const RECT& client, Room& room) {
    const std::wstring kind = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const int width = client.right;
    const int height = client.bottom;
    const UINT dpi = WindowDpi(control);
    if (CompareStringOrdinal(kind.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            room = {width - Scaled(8, dpi), height - Scaled(4, dpi), (style & BS_MULTILINE) != 0};
            return true;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            room = {width - Scaled(GetSystemMetrics(SM_CXMENUCHECK) + 6, dpi), height, (style & BS_MULTILINE) != 0};
            return true;
        case BS_GROUPBOX: room = {width - Scaled(16, dpi), height, false}; return true;
        default: return false;
        }
    }
    if (CompareStringOrdinal(kind.c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE)
            return false;
        room = {width, height, type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT};
        return true;
    }
    return false;
}

void CheckControl(HWND control, std::vector<TextMisfit>& misfits) {
    if (!IsWindowVisible(control)) return;
    const std::wstring text = WindowText(control);
    RECT client{};
    GetClientRect(control, &client);
    Room room{};
    if (text.empty() || !RoomFor(control, client, room)) return;
    WindowDc dc(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    SelectionScope selected(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const RECT box = Measure(dc.Get(), text.c_str(), room.width, room.wraps ? DT_WORDBREAK : DT_SINGLELINE);
    if (box.right - box.left > room.width || box.bottom - box.top > room.height)
        misfits.push_back({text, ClassOf(control) + L" " + Size(client) + L" leaves " + std::to_wstring(room.width) +
                                     L"x" + std::to_wstring(room.height) + L", the text needs " + Size(box)});
}

// Frames and group boxes only draw a border: labels inside them are meant to be there.
bool IsFrame(HWND control) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const std::wstring kind = ClassOf(control);
    if (CompareStringOrdinal(kind.c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
        const LONG type = style & SS_TYPEMASK;
        return (type >= SS_BLACKRECT && type <= SS_WHITEFRAME) || (type >= SS_ETCHEDHORZ && type <= SS_ETCHEDFRAME);
    }
    return CompareStringOrdinal(kind.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL &&
           (style & BS_TYPEMASK) == BS_GROUPBOX;
}

}  // namespace

std::vector<TextMisfit> TextMisfits(HWND window) {
    std::vector<TextMisfit> misfits;
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls) CheckControl(control, misfits);

    std::vector<Label> labels;
    g_labels = &labels;
    SetLabelObserver(ObserveLabel);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SetLabelObserver(nullptr);
    g_labels = nullptr;
    for (const Label& label : labels) {
        if (label.drawn.right - label.drawn.left > label.place.right - label.place.left ||
            label.drawn.bottom - label.drawn.top > label.place.bottom - label.place.top)
            misfits.push_back({label.text, L"painted in " + Size(label.place) + L", needs " + Size(label.drawn)});
        for (HWND control : controls) {
            if (!IsWindowVisible(control) || GetParent(control) != window || IsFrame(control)) continue;
            RECT at{};
            GetWindowRect(control, &at);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&at), 2);
            // Labels are measured in layout pixels.
            const UINT dpi = WindowDpi(window);
            at = {Unscaled(at.left, dpi), Unscaled(at.top, dpi), Unscaled(at.right, dpi), Unscaled(at.bottom, dpi)};
            RECT overlap{};
            if (IntersectRect(&overlap, &at, &label.drawn))
                misfits.push_back({label.text, L"painted under the control \"" + WindowText(control) + L"\""});
        }
    }
    return misfits;
}

void SimulateDpiChange(HWND window, UINT dpi) {
    RECT now{};
    GetWindowRect(window, &now);
    const UINT before = WindowDpi(window);
    RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, static_cast<int>(dpi), static_cast<int>(before)),
                   now.top + MulDiv(now.bottom - now.top, static_cast<int>(dpi), static_cast<int>(before))};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

std::vector<ChildLayout> ChildLayouts(HWND window) {
    std::vector<ChildLayout> layouts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        LOGFONTW font{};
        const auto handle = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        if (handle) GetObjectW(handle, sizeof font, &font);
        layouts.push_back({child, place, font.lfHeight});
    }
    return layouts;
}

std::string UnscaledChildren(const std::vector<ChildLayout>& at96, const std::vector<ChildLayout>& now, UINT dpi) {
    std::string out;
    const auto text = [](const RECT& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    for (const ChildLayout& before : at96) {
        const auto after = std::find_if(now.begin(), now.end(), [&](const ChildLayout& c) { return c.child == before.child; });
        const std::string name = "control " + std::to_string(GetDlgCtrlID(before.child));
        if (after == now.end()) {
            out += name + " is gone\n";
            continue;
        }
        const RECT expected = ScaledRect(before.place, dpi);
        if (!EqualRect(&expected, &after->place))
            out += name + " at " + text(after->place) + ", expected " + text(expected) + "\n";
        const LONG font = MulDiv(before.fontHeight, static_cast<int>(dpi), static_cast<int>(kLayoutDpi));
        if (after->fontHeight != font)
            out += name + " font " + std::to_string(after->fontHeight) + ", expected " + std::to_string(font) + "\n";
    }
    return out;
}

std::string DescribeMisfits(const std::vector<TextMisfit>& misfits) {
    std::wstring all;
    for (const TextMisfit& m : misfits) all += L"  \"" + m.text + L"\": " + m.why + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, all.c_str(), static_cast<int>(all.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, all.c_str(), static_cast<int>(all.size()), out.data(), size, nullptr, nullptr);
    return out;
}
