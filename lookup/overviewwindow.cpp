#include "lookup/overviewwindow.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/toolwindow.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/charsetnames.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/session.h"

namespace {

constexpr int kWidth = 450;
constexpr int kHeight = 300;
constexpr int kIconSize = 16;
constexpr int kInitialColumnWidth = 10;
constexpr int kColumnMargin = 40;
constexpr int kHeaderMargin = 16;  // the header's own padding on both sides

constexpr std::array<Ui, 4> kColumnHeaders{Ui::WordlistInfoWordlist, Ui::WordlistInfoWords, Ui::WordlistInfoLocale,
                                           Ui::CharacterSet};

struct OverviewState {
    HWND list = nullptr;
    // The list view shares it rather than owning it, so it goes exactly once, here.
    UniqueImageList images;
    UniqueFont font;
};
OverviewState g_overview;

// The list view's own font, held at 96 DPI like every font of the program so the
// list shows it at the DPI of its window.
HFONT MakeListFont() {
    LOGFONTW font{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(kLayoutDpi), static_cast<int>(SystemDpi()));
    return CreateFontIndirectW(&font);
}

// One copy of the program's icon per row. Converting the icon once and copying the
// image inside the list is some fifty times faster than adding the icon every time.
void AddRowIcons(HIMAGELIST images, int count, int size) {
    UniqueIcon icon(static_cast<HICON>(LoadImageW(ModuleInstance, L"tavokicon", IMAGE_ICON, size, size, 0)));
    if (!icon || count < 1 || ImageList_AddIcon(images, icon.Get()) < 0) return;
    if (!ImageList_SetImageCount(images, static_cast<UINT>(count))) return;
    for (int i = 1; i < count; ++i) ImageList_Copy(images, i, images, 0, ILCF_MOVE);
}

void InsertColumns(HWND list) {
    for (std::size_t i = 0; i < kColumnHeaders.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = kInitialColumnWidth;
        column.pszText = const_cast<wchar_t*>(UiText(kColumnHeaders[i]));
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

int TextWidth(HWND list, const std::wstring& text) {
    return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void SetCell(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Columns only ever grow, to the widest cell plus a margin, and never leave their
// header cut. The window is not on screen yet, so the list view need not follow
// every cell. Text widths come in the list's pixels, margins are scaled to them.
void FillRows(HWND list, UINT dpi) {
    const std::vector<OverviewRow> rows = OverviewRows();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), 0);
    const int initial = Scaled(kInitialColumnWidth, dpi);
    std::array<int, kColumnHeaders.size()> widths{};
    for (std::size_t c = 0; c < widths.size(); ++c)
        widths[c] = std::max(initial, TextWidth(list, UiText(kColumnHeaders[c])) + Scaled(kHeaderMargin, dpi));
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const OverviewRow& row = rows[n];
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(n);
        item.iImage = static_cast<int>(n);
        item.pszText = const_cast<wchar_t*>(row.pair.c_str());
        const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (at < 0) break;
        const std::array<const std::wstring*, kColumnHeaders.size()> cells{&row.pair, &row.count, &row.locale,
                                                                            &row.charset};
        for (std::size_t c = 1; c < cells.size(); ++c) SetCell(list, at, static_cast<int>(c), *cells[c]);
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], TextWidth(list, *cells[c]) + Scaled(kColumnMargin, dpi));
    }
    for (std::size_t c = 0; c < widths.size(); ++c) SendMessageW(list, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(widths[c], 0));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

// The icons and the rows for the DPI of the window: the icons at their size there,
// the columns as wide as the texts are there. Without an image list the rows come
// without icons.
void ShowRows(HWND window) {
    HWND list = g_overview.list;
    const UINT dpi = WindowDpi(window);
    const int count = CatalogueCount();
    const int iconSize = Scaled(kIconSize, dpi);
    UniqueImageList images(ImageList_Create(iconSize, iconSize, ILC_MASK | ILC_COLOR4, count, 1));
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.Get()));
    g_overview.images = std::move(images);
    if (g_overview.images) AddRowIcons(g_overview.images.Get(), count, iconSize);
    FillRows(list, dpi);
}

// Without its list view the window opens empty.
void OnCreate(HWND window) {
    g_overview.font.Reset(MakeListFont());
    HWND list = CreateChild(window, {.kind = WC_LISTVIEWW,
                                     .place = {0, 20, 100, 100},
                                     .id = kOverviewListId,
                                     .font = g_overview.font.Get(),
                                     .style = LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS});
    if (!list) return;
    g_overview.list = list;
    InsertColumns(list);
    ShowRows(window);
}

// The list view is repainted whole: it would leave the part it grew by unpainted, with
// the window's grey showing through.
void OnSize(HWND window) {
    if (g_overview.list) PlaceChild(g_overview.list, LayoutClientRect(window));
}

void OnDpiChanged(HWND window) {
    if (!g_overview.list) return;
    ShowRows(window);
    InvalidateRect(g_overview.list, nullptr, TRUE);
}

// The image list itself goes with the window's state, after the window.
void OnDestroy() {
    if (g_overview.list) SendMessageW(g_overview.list, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
}

LRESULT CALLBACK OverviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_SIZE: OnSize(window); return DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY: OnDestroy(); return DefWindowProcW(window, message, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Resizable, with no menu and no saved position: it opens centred every time.
const ToolWindowTraits kOverviewWindowTraits{
    .className = kOverviewClass,
    .caption = Ui::WordlistInfoCaption,
    .width = kWidth,
    .height = kHeight,
    .clientHeight = false,
    .style = WS_OVERLAPPEDWINDOW,
    .procedure = OverviewWindowProc,
    .clearState = [] { g_overview = {}; },
    .dpiChanged = OnDpiChanged,
};

}  // namespace

OverviewRow OverviewRowOf(const WordListDescriptor& d) {
    const int entries = CountWordListEntries(d);
    return {d.firstName + L" - " + d.secondName,
            entries < 0 ? std::wstring(UiText(Ui::WordlistInfoUnknown)) : std::to_wstring(entries), d.locale,
            CharsetOverviewName(d.firstCharset)};
}

std::vector<OverviewRow> OverviewRows() {
    std::vector<OverviewRow> rows;
    rows.reserve(Catalogue().size());
    for (const auto& d : Catalogue()) rows.push_back(OverviewRowOf(*d));
    return rows;
}

HWND OpenOverviewWindow() {
    g_overview = {};
    HWND window = OpenToolWindowFrame(kOverviewWindowTraits);
    if (!window) return nullptr;
    // The rows can be gone through with the keyboard at once.
    if (g_overview.list) SetFocus(g_overview.list);
    return window;
}
