#include "entry/importdialog.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/help.h"
#include "app/toolwindow.h"
#include "entry/importtexts.h"
#include "entry/modal.h"
#include "store/catalogue.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/session.h"

namespace {

constexpr int kWidth = 690;
constexpr int kClientHeight = 530;
constexpr int kListFontPoints = 11;
constexpr RECT kPreviewArea{10, 136, 674, 136 + kPreviewHeight};
constexpr int kHeadingHeight = 22;
constexpr int kRowHeight = 20;
constexpr int kLineColumn = 52;
constexpr std::size_t kShownRefusals = 3;

constexpr COLORREF kAddedColour = RGB(0, 0, 0);
constexpr COLORREF kMergedColour = RGB(0, 0, 180);
constexpr COLORREF kUnchangedColour = RGB(110, 110, 110);
constexpr COLORREF kRefusedColour = RGB(190, 0, 0);

// Counting every row of a large file against lists of a million entries takes a moment;
// it runs beside the window, which shows the first rows at once. The thread only reads
// (the file's bytes it copied, the lists' images, which stay as they are while the
// window lives) and hands its result over under the lock.
class RowCounter {
public:
    struct Result {
        unsigned generation = 0;
        ImportSource source;
        ImportPlan plan;
        bool failed = false;
    };
    ~RowCounter() { Stop(); }
    void Start(HWND window, const ImportRequest& r, unsigned generation) {
        Stop();
        worker_ = std::jthread([this, window, generation, bytes = r.bytes, settings = r.settings, lists = &r.lists,
                                names = r.knownNames, fallback = r.fallbackCodePage](std::stop_token stop) {
            Result result;
            result.generation = generation;
            try {
                result.source = ReadImportSource(bytes, settings, fallback, names);
                if (result.source.problem == TextProblem::None && !stop.stop_requested())
                    result.plan = PlanImport(*lists, result.source.pairs, [&] { return stop.stop_requested(); });
            } catch (const std::exception&) {
                result.failed = true;
            }
            if (stop.stop_requested() || result.plan.cancelled) return;
            {
                const std::lock_guard lock(mutex_);
                result_ = std::move(result);
            }
            PostMessageW(window, kCountedMessage, generation, 0);
        });
    }
    void Stop() {
        if (!worker_.joinable()) return;
        worker_.request_stop();
        worker_.join();
    }
    std::optional<Result> Take() {
        const std::lock_guard lock(mutex_);
        std::optional<Result> result = std::move(result_);
        result_.reset();
        return result;
    }
    static constexpr UINT kCountedMessage = WM_APP + 20;

private:
    std::mutex mutex_;
    std::optional<Result> result_;
    std::jthread worker_;
};

struct ImportDialogState {
    HWND window = nullptr;
    HWND owner = nullptr;
    HWND delimiter = nullptr;
    HWND encoding = nullptr;
    HWND wordColumn = nullptr;
    HWND translationColumn = nullptr;
    UniqueFont firstFont;
    UniqueFont secondFont;
    ImportRequest* request = nullptr;
    std::unique_ptr<RowCounter> counter = std::make_unique<RowCounter>();
    unsigned generation = 0;
};
ImportDialogState g_dialog;

// --- what the choices mean ---------------------------------------------------------

constexpr std::array<wchar_t, 4> kDelimiters{0, L'\t', L';', L','};

std::wstring DelimiterName(wchar_t delimiter) {
    switch (delimiter) {
    case L'\t': return UiText(Ui::ImportTab);
    case L';': return UiText(Ui::ImportSemicolon);
    case L',': return UiText(Ui::ImportComma);
    default: return std::wstring(L"\"") + delimiter + L"\"";  // one a header line named
    }
}

std::wstring EncodingName(const TextEncoding& e) {
    switch (e.kind) {
    case EncodingKind::Utf8: return L"UTF-8";
    case EncodingKind::Utf16Le: return L"UTF-16 LE";
    case EncodingKind::Utf16Be: return L"UTF-16 BE";
    case EncodingKind::CodePage: return L"Windows-" + std::to_wstring(e.codePage);
    default: return UiText(Ui::ImportAutomatic);
    }
}

// Automatic, the Unicode forms, then the code pages of the list's two languages.
std::vector<TextEncoding> EncodingChoices(const WordListDescriptor& d) {
    std::vector<TextEncoding> choices{{EncodingKind::Automatic, 0},
                                      {EncodingKind::Utf8, 0},
                                      {EncodingKind::Utf16Le, 0},
                                      {EncodingKind::Utf16Be, 0},
                                      {EncodingKind::CodePage, d.firstCodePage}};
    if (d.secondCodePage != d.firstCodePage) choices.push_back({EncodingKind::CodePage, d.secondCodePage});
    return choices;
}

std::wstring ColumnName(const ImportSource& source, std::size_t column) {
    std::wstring name = std::wstring(UiText(Ui::ImportColumn)) + L" " + std::to_wstring(column + 1);
    std::wstring hint = column < source.columnNames.size() ? source.columnNames[column] : std::wstring();
    if (hint.empty() && !source.pairs.empty()) {
        const ImportPair& first = source.pairs.front();
        hint = column == source.firstColumn ? first.first : column == source.secondColumn ? first.second : L"";
    }
    if (hint.size() > 30) hint = hint.substr(0, 30) + L"...";
    return hint.empty() ? name : name + L": " + hint;
}

std::wstring ProblemText(const ImportSource& source, const ImportPlan& plan) {
    switch (source.problem) {
    case TextProblem::Empty: return UiText(Ui::ImportEmptyFile);
    case TextProblem::NotText: return UiText(Ui::ImportNotText);
    case TextProblem::None: break;
    }
    if (source.unclosedQuoteLine > 0)
        return std::wstring(UiText(Ui::ImportUnclosedQuote)) + L" " + std::to_wstring(source.unclosedQuoteLine) + L".";
    if (plan.counts.rows == 0) return UiText(Ui::ImportNoRows);
    return {};
}

// --- the controls ------------------------------------------------------------------

HWND Label(HWND window, Ui text, RECT place) {
    return CreateChild(window, {.kind = L"static", .text = UiText(text), .place = place, .font = GuiFont});
}

HWND Combo(HWND window, int id, RECT place) {
    return CreateChild(window, {.kind = L"combobox", .place = place, .id = id, .font = GuiFont,
                                .style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP});
}

void Button(HWND window, int id, Ui text, RECT place, DWORD style = BS_PUSHBUTTON) {
    CreateChild(window, {.kind = L"button", .text = UiText(text), .place = place, .id = id, .font = GuiFont,
                         .style = style | WS_TABSTOP});
}

void FillCombo(HWND combo, const std::vector<std::wstring>& items, std::size_t selected) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(combo, CB_SETCURSEL, selected, 0);
}

std::size_t Selection(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? 0 : static_cast<std::size_t>(index);
}

// The controls show what the file was read with: "Automatic" names what it found.
void ShowChoices() {
    const ImportRequest& r = *g_dialog.request;
    const ImportSource& source = r.source;
    std::vector<std::wstring> delimiters{std::wstring(UiText(Ui::ImportAutomatic)) + L" (" + DelimiterName(source.delimiter) + L")"};
    for (std::size_t i = 1; i < kDelimiters.size(); ++i) delimiters.push_back(DelimiterName(kDelimiters[i]));
    const auto delimiter = std::find(kDelimiters.begin(), kDelimiters.end(), r.settings.delimiter);
    FillCombo(g_dialog.delimiter, delimiters,
              delimiter == kDelimiters.end() ? 0 : static_cast<std::size_t>(delimiter - kDelimiters.begin()));

    const std::vector<TextEncoding> choices = EncodingChoices(*r.lists.forward);
    std::vector<std::wstring> encodings;
    for (const TextEncoding& e : choices) encodings.push_back(EncodingName(e));
    encodings[0] += L" (" + EncodingName(source.encoding) + L")";
    const auto encoding = std::find(choices.begin(), choices.end(), r.settings.encoding);
    FillCombo(g_dialog.encoding, encodings, encoding == choices.end() ? 0 : static_cast<std::size_t>(encoding - choices.begin()));

    CheckDlgButton(g_dialog.window, kImportHeaderRow, source.headerRow ? BST_CHECKED : BST_UNCHECKED);
    std::vector<std::wstring> columns;
    for (std::size_t c = 0; c < source.columnNames.size(); ++c) columns.push_back(ColumnName(source, c));
    FillCombo(g_dialog.wordColumn, columns, source.firstColumn);
    FillCombo(g_dialog.translationColumn, columns, source.secondColumn);
    SetDlgItemTextW(g_dialog.window, kImportCounts, r.counted ? CountsText(r.plan.counts).c_str() : UiText(Ui::ImportCounting));
    SetDlgItemTextW(g_dialog.window, kImportNotes, ImportNotesText(r).c_str());
    EnableWindow(GetDlgItem(g_dialog.window, kImportOk), r.counted && r.problem.empty() && r.plan.Changes());
}

void ShowPreview() {
    ShowChoices();
    const RECT area = ScaledRect(kPreviewArea, WindowDpi(g_dialog.window));
    InvalidateRect(g_dialog.window, &area, TRUE);
}

// The first rows at once, every row counted beside the window.
void Refresh() {
    ImportRequest& r = *g_dialog.request;
    ShowFirstRows(r);
    ShowPreview();
    if (!r.counted) g_dialog.counter->Start(g_dialog.window, r, ++g_dialog.generation);
}

LRESULT OnCounted(WPARAM generation) {
    // A stale message must not take the result of the count that replaced its own: that
    // count's message would find nothing and leave the window counting.
    if (generation != g_dialog.generation) return 0;
    std::optional<RowCounter::Result> result = g_dialog.counter->Take();
    if (!result || result->generation != generation) return 0;
    ImportRequest& r = *g_dialog.request;
    r.source = std::move(result->source);
    r.plan = std::move(result->plan);
    r.problem = result->failed ? UiText(Ui::ImportFailed) : ProblemText(r.source, r.plan);
    r.counted = true;
    ShowPreview();
    return 0;
}

void OnChoice(int id) {
    ImportSettings& s = g_dialog.request->settings;
    switch (id) {
    case kImportDelimiter:
        s.delimiter = kDelimiters[std::min(Selection(g_dialog.delimiter), kDelimiters.size() - 1)];
        // Other columns: the choice of them starts again.
        s.firstColumn = s.secondColumn = SIZE_MAX;
        break;
    case kImportEncoding: {
        const std::vector<TextEncoding> choices = EncodingChoices(*g_dialog.request->lists.forward);
        s.encoding = choices[std::min(Selection(g_dialog.encoding), choices.size() - 1)];
        break;
    }
    case kImportWordColumn: s.firstColumn = Selection(g_dialog.wordColumn); break;
    case kImportTranslationColumn: s.secondColumn = Selection(g_dialog.translationColumn); break;
    default: return;
    }
    Refresh();
}

void ToggleHeaderRow() {
    ImportRequest& r = *g_dialog.request;
    r.settings.headerRow = r.source.headerRow ? 0 : 1;
    Refresh();
}

void Swap() {
    ImportRequest& r = *g_dialog.request;
    r.settings.firstColumn = r.source.secondColumn;
    r.settings.secondColumn = r.source.firstColumn;
    Refresh();
}

void Close(HWND window) { EndOwnedModal(g_dialog.owner, window); }

// The file is read once more: what is imported is what was shown.
void Accept(HWND window) {
    // Enter reaches here too, also while the rows are counted.
    if (!IsWindowEnabled(GetDlgItem(window, kImportOk))) return;
    ImportRequest& r = *g_dialog.request;
    std::string bytes;
    if (ReadImportFile(r.path, bytes) != ImportFileRead::Ok) {
        const std::wstring text = std::wstring(UiText(Ui::ImportCantRead)) + L"\n" + r.path;
        ShowMessage(window, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
        return;
    }
    if (bytes != r.bytes) {
        r.bytes = std::move(bytes);
        Refresh();
        ShowMessage(window, UiText(Ui::ImportFileChanged), UiText(Ui::Lingorix), MB_ICONWARNING);
        return;
    }
    r.addToPracticeList = IsDlgButtonChecked(window, kImportAddToPracticeList) == BST_CHECKED;
    r.accepted = true;
    Close(window);
}

// --- messages ----------------------------------------------------------------------

LRESULT OnCreate(HWND window) {
    g_dialog.window = window;
    const ImportRequest& r = *g_dialog.request;
    const WordListDescriptor& d = *r.lists.forward;
    g_dialog.firstFont.Reset(CreateScaledFont(kListFontPoints, FW_NORMAL, kDefaultWordFace, d.firstCharset));
    g_dialog.secondFont.Reset(CreateScaledFont(kListFontPoints, FW_NORMAL, kDefaultWordFace, d.secondCharset));

    const std::wstring file = std::wstring(UiText(Ui::ImportFile)) + L" " + r.path;
    CreateChild(window, {.kind = L"static", .text = file.c_str(), .place = {10, 12, 664, 18}, .font = GuiFont,
                         .style = SS_PATHELLIPSIS | SS_NOPREFIX});
    Label(window, Ui::ImportDelimiter, {10, 43, 88, 18});
    g_dialog.delimiter = Combo(window, kImportDelimiter, {100, 39, 200, 200});
    Label(window, Ui::ImportEncoding, {330, 43, 80, 18});
    g_dialog.encoding = Combo(window, kImportEncoding, {420, 39, 200, 200});
    Button(window, kImportHeaderRow, Ui::ImportHeaderRow, {10, 70, 320, 22}, BS_CHECKBOX);
    Button(window, kImportAddToPracticeList, Ui::ImportAddToPracticeList, {340, 70, 334, 22}, BS_AUTOCHECKBOX);
    CheckDlgButton(window, kImportAddToPracticeList, r.addToPracticeList && r.practiceListAvailable ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(window, kImportAddToPracticeList), r.practiceListAvailable);
    Label(window, Ui::ImportWordColumn, {10, 105, 88, 18});
    g_dialog.wordColumn = Combo(window, kImportWordColumn, {100, 101, 215, 200});
    Label(window, Ui::ImportTranslationColumn, {330, 105, 88, 18});
    g_dialog.translationColumn = Combo(window, kImportTranslationColumn, {420, 101, 170, 200});
    Button(window, kImportSwap, Ui::ImportSwap, {598, 100, 76, 25});
    CreateChild(window, {.kind = L"static", .place = {10, 406, 664, 18}, .id = kImportCounts, .font = GuiFont,
                         .style = SS_NOPREFIX});
    CreateChild(window, {.kind = L"static", .place = {10, 426, 664, 56}, .id = kImportNotes, .font = GuiFont,
                         .style = SS_NOPREFIX});
    Button(window, kImportHelp, Ui::Help, {10, 492, 100, 28});
    Button(window, kImportCancel, Ui::Cancel, {464, 492, 100, 28});
    Button(window, kImportOk, Ui::ImportButton, {574, 492, 100, 28}, BS_DEFPUSHBUTTON);
    Refresh();
    SetFocus(g_dialog.delimiter);
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    switch (id) {
    case kImportOk: Accept(window); break;
    case kImportCancel: Close(window); break;
    case kImportHelp: ShowHelp(window, UiText(Ui::ImportHelpkey)); break;
    case kImportHeaderRow: ToggleHeaderRow(); break;
    case kImportSwap: Swap(); break;
    default:
        if (notification == CBN_SELCHANGE) OnChoice(id);
        break;
    }
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    DrawTopRule(paint.Dc(), paint.Client());
    PaintImportPreview(paint.Dc(), kPreviewArea, *g_dialog.request, *g_dialog.request->lists.forward,
                       {g_dialog.firstFont.Get(), g_dialog.secondFont.Get(), GuiFont, ArialBoldFont12});
    return 0;
}

// Texts and check boxes on the window's own grey; the notes in the colour of refused rows.
LRESULT OnControlColour(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetDlgCtrlID(control) == kImportNotes ? kRefusedColour : RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
}

LRESULT CALLBACK ImportDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_PAINT: return OnPaint(window);
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case RowCounter::kCountedMessage: return OnCounted(wParam);
    case WM_DESTROY: g_dialog.counter->Stop(); return 0;
    case WM_CLOSE: Close(window); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

const ToolWindowTraits kImportDialogTraits{
    .className = kImportDialogClass,
    .caption = Ui::ImportCaption,
    .width = kWidth,
    .height = kClientHeight,
    .style = WS_CAPTION | WS_SYSMENU,
    .procedure = ImportDialogProc,
    .clearState = [] { g_dialog = {}; },
    .role = WindowRole::Helper,
};

// --- painting ----------------------------------------------------------------------

COLORREF OutcomeColour(PairOutcome outcome) {
    switch (outcome) {
    case PairOutcome::Added: return kAddedColour;
    case PairOutcome::Merged: return kMergedColour;
    case PairOutcome::Unchanged: return kUnchangedColour;
    case PairOutcome::Refused: return kRefusedColour;
    }
    return kAddedColour;
}

void Cell(HDC dc, HFONT font, const std::wstring& text, RECT rect, UINT format = DT_LEFT) {
    SelectObject(dc, font);
    rect.left += 4;
    rect.right -= 4;
    std::wstring shown = text;
    for (wchar_t& c : shown)
        if (c < 0x20) c = L' ';
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &rect,
              format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

void PaintImportPreview(HDC dc, const RECT& area, const ImportRequest& request, const WordListDescriptor& d,
                        const PreviewFonts& fonts) {
    SelectionScope keep(dc, fonts.text);
    SetBkMode(dc, TRANSPARENT);
    const int width = area.right - area.left;
    const int wordRight = area.left + kLineColumn + (width - kLineColumn) * 2 / 5;
    const int tableBottom = area.top + kHeadingHeight + static_cast<int>(kPreviewRows) * kRowHeight;
    RECT table{area.left, area.top, area.right, tableBottom};
    FillRect(dc, &table, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT heading{area.left, area.top, area.right, area.top + kHeadingHeight};
    UniqueBrush headingBrush(CreateSolidBrush(RGB(200, 200, 200)));
    FillRect(dc, &heading, headingBrush.Get());
    SetTextColor(dc, RGB(0, 0, 0));
    Cell(dc, fonts.heading, UiText(Ui::ImportLine), {area.left, area.top, area.left + kLineColumn, heading.bottom});
    Cell(dc, fonts.heading, d.firstName, {area.left + kLineColumn, area.top, wordRight, heading.bottom});
    Cell(dc, fonts.heading, d.secondName, {wordRight, area.top, area.right, heading.bottom});
    FrameRect(dc, &table, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

    const std::vector<PlannedRow>& rows = request.plan.preview;
    for (std::size_t i = 0; i < rows.size() && i < kPreviewRows; ++i) {
        const int top = heading.bottom + static_cast<int>(i) * kRowHeight;
        SetTextColor(dc, OutcomeColour(rows[i].outcome));
        Cell(dc, fonts.text, std::to_wstring(rows[i].line), {area.left, top, area.left + kLineColumn, top + kRowHeight}, DT_RIGHT);
        Cell(dc, fonts.first, rows[i].first, {area.left + kLineColumn, top, wordRight, top + kRowHeight});
        Cell(dc, fonts.second, rows[i].second, {wordRight, top, area.right, top + kRowHeight});
    }

}

std::wstring ImportNotesText(const ImportRequest& request) {
    std::wstring notes = request.problem;
    for (std::size_t i = 0; i < request.plan.refused.size() && i < kShownRefusals; ++i)
        notes += (notes.empty() ? L"" : L"\r\n") + RefusedRowText(request.plan.refused[i]);
    return notes;
}

void RefreshImport(ImportRequest& r) {
    r.source = ReadImportSource(r.bytes, r.settings, r.fallbackCodePage, r.knownNames);
    r.plan = r.source.problem == TextProblem::None ? PlanImport(r.lists, r.source.pairs) : ImportPlan{};
    r.problem = ProblemText(r.source, r.plan);
    r.counted = true;
}

void ShowFirstRows(ImportRequest& r) {
    r.source = ReadImportSource(r.bytes, r.settings, r.fallbackCodePage, r.knownNames, kPreviewRows);
    // More rows were asked for than are shown: when no more came, they are the whole file.
    r.counted = r.source.problem != TextProblem::None || r.source.pairs.size() <= kPreviewRows;
    if (!r.counted) r.source.pairs.resize(kPreviewRows);
    r.plan = r.source.problem == TextProblem::None ? PlanImport(r.lists, r.source.pairs) : ImportPlan{};
    r.problem = r.counted ? ProblemText(r.source, r.plan) : std::wstring();
}

bool RunImportDialog(HWND owner, ImportRequest& request) {
    request.accepted = false;
    g_dialog = {};
    g_dialog.request = &request;
    g_dialog.owner = owner;
    return RunOwnedModal(owner, OpenToolWindowFrame(kImportDialogTraits)) && request.accepted;
}
