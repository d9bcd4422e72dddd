#include "practice/printing.h"

#include <richedit.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "practice/printfile.h"
#include "practice/printpages.h"
#include "store/catalogue.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/windowclass.h"

namespace {

constexpr wchar_t kClassName[] = L"printing";
constexpr int kWidth = 300;
constexpr int kHeight = 110;
constexpr RECT kTextRect{25, 20, 350, 40};
constexpr int kRichEditId = 24;
constexpr LPARAM kTextLimit = 0xFFFFF;
constexpr wchar_t kRichEditLibrary[] = L"riched32.dll";
constexpr wchar_t kRichEditClass[] = L"RICHEDIT";
constexpr wchar_t kPrintToFilePort[] = L"FILE: ";
constexpr wchar_t kPrintFace[] = L"Courier New";

// What the print dialog returned last, offered again at the next print of this run.
struct KeptPrintSettings {
    UniqueGlobal devMode;
    UniqueGlobal devNames;
    DWORD flags = PD_RETURNDC | PD_SHOWHELP;
    WORD fromPage = 65535;  // the dialog shows 65535 as an empty field
    WORD toPage = 65535;
    WORD copies = 1;
};

KeptPrintSettings& Kept() {
    static KeptPrintSettings settings;
    return settings;
}

// The dialog may hand back other blocks than it was given (it frees the ones it
// replaces), so the program owns whatever comes back, confirmed or not.
void AdoptDialogHandles(KeptPrintSettings& kept, const PRINTDLGW& dialog) {
    if (dialog.hDevMode != kept.devMode.Get()) {
        kept.devMode.Release();
        kept.devMode.Reset(dialog.hDevMode);
    }
    if (dialog.hDevNames != kept.devNames.Get()) {
        kept.devNames.Release();
        kept.devNames.Reset(dialog.hDevNames);
    }
}

// An open print job: ended when every page went out, else thrown away.
class PrintJob {
public:
    PrintJob(HDC dc, const DOCINFOW& info) noexcept : dc_(dc), started_(StartDocW(dc, &info) > 0) {}
    ~PrintJob() {
        if (started_) AbortDoc(dc_);
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    bool Started() const noexcept { return started_; }
    bool End() noexcept {
        started_ = false;
        return EndDoc(dc_) > 0;
    }

private:
    HDC dc_;
    bool started_;
};

// The rich edit keeps what it formatted for a printer until told to let go.
class FormatCache {
public:
    explicit FormatCache(HWND richEdit) noexcept : richEdit_(richEdit) {}
    ~FormatCache() { SendMessageW(richEdit_, EM_FORMATRANGE, FALSE, 0); }
    FormatCache(const FormatCache&) = delete;
    FormatCache& operator=(const FormatCache&) = delete;

private:
    HWND richEdit_;
};

// Loading the library registers the class; it stays loaded for the rest of the run.
bool RichEditLibraryLoaded() {
    static const HMODULE library = LoadLibraryW(kRichEditLibrary);
    return library != nullptr;
}

HWND CreateHiddenRichEdit(HWND maker) {
    if (!RichEditLibraryLoaded()) return nullptr;
    return CreateChild(maker, {.kind = kRichEditClass,
                               .id = kRichEditId,
                               .style = ES_MULTILINE | ES_NOHIDESEL,
                               .exStyle = WS_EX_CLIENTEDGE,
                               .hidden = true});
}

void SetPrintCharFormat(HWND richEdit, int charset) {
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR;
    format.dwEffects = CFE_AUTOCOLOR;
    format.bCharSet = static_cast<BYTE>(charset & 0xFF);
    wcscpy_s(format.szFaceName, kPrintFace);
    SendMessageW(richEdit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

DWORD CALLBACK ReadPrintFileChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    DWORD read = 0;
    const HANDLE file = reinterpret_cast<HANDLE>(cookie);
    if (file == INVALID_HANDLE_VALUE || !ReadFile(file, buffer, static_cast<DWORD>(wanted), &read, nullptr)) read = 0;
    *got = static_cast<LONG>(read);
    return 0;
}

void LoadPrintFile(HWND richEdit) {
    UniqueFile file(CreateFileW(kPrintFileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(file.Get());
    stream.pfnCallback = ReadPrintFileChunk;
    SendMessageW(richEdit, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
    SendMessageW(richEdit, EM_SETMODIFY, FALSE, 0);
}

// Characters as the control counts positions; a count that took line breaks as two
// would format one empty page too many at the end.
LONG TextLength(HWND richEdit) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT length = SendMessageW(richEdit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    if (length >= 0 && length != E_INVALIDARG) return static_cast<LONG>(length);
    return static_cast<LONG>(SendMessageW(richEdit, WM_GETTEXTLENGTH, 0, 0));
}

CharacterRange Selection(HWND richEdit) {
    CHARRANGE selection{0, 0};
    SendMessageW(richEdit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return {selection.cpMin, selection.cpMax};
}

std::wstring DocumentName() {
    wchar_t title[520];
    if (GetFileTitleW(kPrintFileName, title, static_cast<WORD>(std::size(title))) != 0) return kPrintFileName;
    return title;
}

// Wine's rich edit lays out no pages for a printer (its EM_FORMATRANGE does nothing),
// so there the program lays the lines out itself, in the face, size and character set
// of the loaded text, with the same margins and page handling.
class PlainTextPages {
public:
    PlainTextPages(HWND richEdit, HDC dc, const RECT& renderTwips, CharacterRange range, int charset) : dc_(dc) {
        // The version 1 control is an ANSI window: its text comes through WM_GETTEXT, which
        // the system converts, with each line break as one position as the control counts.
        std::wstring all(static_cast<std::size_t>(GetWindowTextLengthW(richEdit)) + 1, L'\0');
        all.resize(static_cast<std::size_t>(GetWindowTextW(richEdit, all.data(), static_cast<int>(all.size()))));
        std::wstring text;
        text.reserve(all.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            if (!(all[i] == L'\r' && i + 1 < all.size() && all[i + 1] == L'\n')) text += all[i];
        const std::size_t from = std::min(static_cast<std::size_t>(std::max<LONG>(0, range.start)), text.size());
        const std::size_t to = std::clamp(static_cast<std::size_t>(std::max<LONG>(0, range.end)), from, text.size());
        text_ = text.substr(from, to - from);
        first_ = static_cast<LONG>(from);

        const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
        font_.Reset(CreateFontW(-MulDiv(kHeightTwips, dpiY, 1440), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                static_cast<DWORD>(charset & 0xFF), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kPrintFace));
        render_ = {MulDiv(renderTwips.left, dpiX, 1440), MulDiv(renderTwips.top, dpiY, 1440),
                   MulDiv(renderTwips.right, dpiX, 1440), MulDiv(renderTwips.bottom, dpiY, 1440)};
        TEXTMETRICW metrics{};
        {
            SelectionScope selected(dc, font_.Get());
            GetTextMetricsW(dc, &metrics);
        }
        lineHeight_ = std::max<LONG>(1, metrics.tmHeight + metrics.tmExternalLeading);
        linesPerPage_ = std::max<int>(1, static_cast<int>((render_.bottom - render_.top) / lineHeight_));
    }

    LONG Format(LONG start) {
        start_ = start;
        next_ = NextPlainTextPage(text_, first_, start, linesPerPage_);
        return next_;
    }

    bool Print() {
        if (StartPage(dc_) <= 0) return false;
        {
            SelectionScope selected(dc_, font_.Get());
            SetBkMode(dc_, TRANSPARENT);
            SetTextColor(dc_, RGB(0, 0, 0));
            const std::wstring_view page = std::wstring_view(text_).substr(
                static_cast<std::size_t>(start_ - first_), static_cast<std::size_t>(next_ - start_));
            LONG y = render_.top;
            std::size_t pos = 0;
            while (pos < page.size()) {
                std::size_t end = page.find_first_of(L"\r\n", pos);
                if (end == std::wstring_view::npos) end = page.size();
                ExtTextOutW(dc_, render_.left, y, ETO_CLIPPED, &render_, page.data() + pos,
                            static_cast<UINT>(end - pos), nullptr);
                y += lineHeight_;
                pos = end + ((end + 1 < page.size() && page[end] == L'\r' && page[end + 1] == L'\n') ? 2 : 1);
            }
        }
        return EndPage(dc_) > 0;
    }

private:
    static constexpr LONG kHeightTwips = 200;  // the control's own 10 points
    HDC dc_;
    std::wstring text_;
    LONG first_ = 0;
    LONG start_ = 0;
    LONG next_ = 0;
    UniqueFont font_;
    RECT render_{};
    LONG lineHeight_ = 1;
    int linesPerPage_ = 1;
};

}  // namespace

void PaintPrintingWindow(HDC dc) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawLabel(dc, UiText(Ui::CreateListformatting), kTextRect, DT_WORDBREAK);
}

HWND OpenPrintingWindow() {
    return OpenBusyWindow(kClassName, UiText(Ui::CreateListPrint), kWidth, kHeight, PaintPrintingWindow);
}

bool PrintRichText(HWND richEdit, PRINTDLGW& dialog) {
    const HDC dc = dialog.hDC;
    if (!dc) return false;
    WaitCursor wait;
    const std::wstring name = DocumentName();
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    info.lpszOutput = (dialog.Flags & PD_PRINTTOFILE) ? kPrintToFilePort : nullptr;
    PrintJob job(dc, info);
    if (!job.Started()) return false;

    const CharacterRange range = PrintedRange(dialog.Flags, TextLength(richEdit), Selection(richEdit));
    const RECT page = PageRectTwips(GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT),
                                    GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    const RECT render = RenderRectTwips(page);

    PrintChoice choice{dialog.Flags, dialog.nFromPage, dialog.nToPage, dialog.nCopies};
    // Collated copies are produced by running the document again, so the printer is
    // asked for each page once; the dialog keeps that single copy for the next print.
    if (dialog.Flags & PD_COLLATE) dialog.nCopies = 1;

    FormatCache cache(richEdit);
    FORMATRANGE format{};
    format.hdc = dc;
    format.hdcTarget = dc;
    format.rcPage = page;
    const auto formatPage = [&](LONG start) {
        format.rc = render;
        format.chrg = {start, range.end};
        return static_cast<LONG>(SendMessageW(richEdit, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&format)));
    };
    const auto printPage = [&] {
        if (StartPage(dc) <= 0) return false;
        RECT band = render;
        if (!SendMessageW(richEdit, EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(&band))) {
            // A control without banding draws the same page again, rendering this time.
            FORMATRANGE again = format;
            again.rc = render;
            SendMessageW(richEdit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&again));
        }
        return EndPage(dc) > 0;
    };
    // A control that formats nothing of a text that is there cannot print it.
    const bool controlFormats = range.end <= range.start || formatPage(range.start) > range.start;
    if (controlFormats) {
        if (!PrintPages(choice, range, formatPage, printPage)) return false;
    } else {
        PlainTextPages plain(richEdit, dc, render, range, CurrentWordList().firstCharset);
        if (!PrintPages(choice, range, [&](LONG start) { return plain.Format(start); }, [&] { return plain.Print(); }))
            return false;
    }
    return job.End();
}

void PrintPracticeList(HWND maker) {
    // The dialog is modal to the maker, which it disables; a click posted to the print
    // button all the same does not start a second print under the first.
    static bool printing = false;
    if (printing) return;
    printing = true;
    struct Clear {
        ~Clear() { printing = false; }
    } clear;

    UniqueWindow richEdit(CreateHiddenRichEdit(maker));
    bool written = false;
    {
        UniqueWindow window(OpenPrintingWindow());
        if (!richEdit) return;
        written = WritePrintFile();
        if (written) {
            SetPrintCharFormat(richEdit.Get(), CurrentWordList().firstCharset);
            SendMessageW(richEdit.Get(), EM_EXLIMITTEXT, 0, kTextLimit);
            LoadPrintFile(richEdit.Get());
        }
    }
    if (!written) {
        const std::wstring text = std::wstring(UiText(Ui::CreateListNoPrintFile)) + L" " + kPrintFileName;
        ShowMessage(maker, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
        return;
    }

    KeptPrintSettings& kept = Kept();
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    // The maker cannot be closed under its dialog: that would take the rich edit with it.
    dialog.hwndOwner = maker;
    dialog.hDevMode = kept.devMode.Get();
    dialog.hDevNames = kept.devNames.Get();
    dialog.Flags = kept.flags;
    dialog.nFromPage = kept.fromPage;
    dialog.nToPage = kept.toPage;
    dialog.nMinPage = 0;
    dialog.nMaxPage = 65535;
    dialog.nCopies = kept.copies;
    const BOOL confirmed = PrintDlgW(&dialog);
    AdoptDialogHandles(kept, dialog);
    UniquePrinterDc dc(dialog.hDC);
    if (!confirmed) return;

    PrintRichText(richEdit.Get(), dialog);
    kept.flags = dialog.Flags;
    kept.fromPage = dialog.nFromPage;
    kept.toPage = dialog.nToPage;
    kept.copies = dialog.nCopies;
}
