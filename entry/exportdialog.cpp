#include "entry/exportdialog.h"

#include <array>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/lazylibrary.h"
#include "app/toolwindow.h"
#include "entry/modal.h"
#include "store/catalogue.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/handles.h"
#include "win/messages.h"

namespace {

constexpr int kWidth = 460;
constexpr int kClientHeight = 210;

struct ExportDialogState {
    HWND window = nullptr;
    HWND owner = nullptr;
    bool practiceList = false;
    ExportOptions options;
};
ExportDialogState g_export;

std::wstring ListChoiceText(Ui label, const std::wstring& name, int entries) {
    return std::wstring(UiText(label)) + L" (" + name + L", " + std::to_wstring(entries) + L" " +
           UiText(Ui::ExportEntries) + L")";
}

void Radio(HWND window, int id, const std::wstring& text, int top, bool firstOfGroup) {
    CreateChild(window, {.kind = L"button", .text = text.c_str(), .place = {14, top, 430, 22}, .id = id, .font = GuiFont,
                         .style = static_cast<DWORD>(BS_AUTORADIOBUTTON | WS_TABSTOP | (firstOfGroup ? WS_GROUP : 0))});
}

bool ChooseTarget(HWND owner, const WordListDescriptor& d, std::wstring& path) {
    using SaveFileFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto getSaveFileName = LazyFunction<SaveFileFunction>(L"comdlg32.dll", "GetSaveFileNameW");
    if (!getSaveFileName) return false;
    const bool csv = g_export.options.format == ExportFormat::Csv;
    const std::wstring filter = csv ? std::wstring(UiText(Ui::ExportCsvFilter)) + L'\0' + L"*.csv" + L'\0'
                                    : std::wstring(UiText(Ui::ExportTabsFilter)) + L'\0' + L"*.txt;*.tsv" + L'\0';
    const std::wstring all = std::wstring(UiText(Ui::AllFilesFilter)) + L'\0' + L"*.*" + L'\0';
    const std::wstring filters = filter + all;
    std::array<wchar_t, 1024> file{};
    const std::wstring suggested = SuggestedExportName(g_export.practiceList ? PracticeListFileName(d) : WordListFileName(d),
                                                       g_export.options.format);
    suggested.copy(file.data(), std::min(suggested.size(), file.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = csv ? L"csv" : L"txt";
    dialog.lpstrTitle = UiText(Ui::ExportCaption);
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    std::array<wchar_t, MAX_PATH> directory{};
    GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    const BOOL chosen = getSaveFileName(&dialog);
    SetCurrentDirectoryW(directory.data());
    if (chosen) path = file.data();
    return chosen != FALSE;
}

void Save(HWND window) {
    g_export.practiceList = IsDlgButtonChecked(window, kExportPracticeList) == BST_CHECKED;
    g_export.options.format = IsDlgButtonChecked(window, kExportTabs) == BST_CHECKED ? ExportFormat::Tabs : ExportFormat::Csv;
    g_export.options.headerRow = IsDlgButtonChecked(window, kExportHeaderRow) == BST_CHECKED;
    const WordListDescriptor& d = CurrentWordList();
    std::wstring target;
    if (!ChooseTarget(window, d, target)) return;
    const std::wstring source = g_export.practiceList ? PracticeListPath(d) : WordListPath(d);
    const ExportResult result = ExportListFile(source, d, target, g_export.options);
    if (!result.read) {
        ShowMessage(window, UiText(Ui::ExportCantRead), UiText(Ui::Lingorix), MB_ICONWARNING);
        return;
    }
    if (!result.written) {
        const std::wstring text = std::wstring(UiText(Ui::ExportFailed)) + L"\n" + target;
        ShowMessage(window, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING);
        return;
    }
    const std::wstring text = std::to_wstring(result.entries) + L" " + UiText(Ui::ExportDone) + L"\n" + target;
    ShowMessage(window, text.c_str(), UiText(Ui::Lingorix), MB_ICONINFORMATION);
    EndOwnedModal(g_export.owner, window);
}

LRESULT OnCreate(HWND window) {
    g_export.window = window;
    const WordListDescriptor& d = CurrentWordList();
    Radio(window, kExportWordList, ListChoiceText(Ui::ExportWordList, d.firstName + L" - " + d.secondName, WordCount), 12, true);
    Radio(window, kExportPracticeList, ListChoiceText(Ui::ExportPracticeList, CurrentPracticeList, PracticeCount), 36, false);
    EnableWindow(GetDlgItem(window, kExportPracticeList), !CurrentPracticeList.empty() && PracticeCount > 0);
    CheckDlgButton(window, kExportWordList, BST_CHECKED);
    Radio(window, kExportCsv, UiText(Ui::ExportCsv), 72, true);
    Radio(window, kExportTabs, UiText(Ui::ExportTabs), 96, false);
    CheckDlgButton(window, kExportCsv, BST_CHECKED);
    CreateChild(window, {.kind = L"button", .text = UiText(Ui::ExportHeaderRow), .place = {14, 132, 430, 22},
                         .id = kExportHeaderRow, .font = GuiFont, .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP});
    CreateChild(window, {.kind = L"button", .text = UiText(Ui::Cancel), .place = {204, 170, 115, 28}, .id = kExportCancel,
                         .font = GuiFont, .style = WS_TABSTOP | WS_GROUP});
    CreateChild(window, {.kind = L"button", .text = UiText(Ui::ExportSave), .place = {329, 170, 115, 28}, .id = kExportSave,
                         .font = GuiFont, .style = BS_DEFPUSHBUTTON | WS_TABSTOP});
    SetFocus(GetDlgItem(window, kExportSave));
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case kExportSave: Save(window); break;
    case kExportCancel: EndOwnedModal(g_export.owner, window); break;
    default: break;
    }
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    DrawTopRule(paint.Dc(), paint.Client());
    return 0;
}

// Check boxes and option buttons on the window's own grey.
LRESULT OnControlColour(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
}

LRESULT CALLBACK ExportDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_COMMAND: return OnCommand(window, wParam);
    case WM_PAINT: return OnPaint(window);
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wParam));
    case WM_CLOSE: EndOwnedModal(g_export.owner, window); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

const ToolWindowTraits kExportDialogTraits{
    .className = kExportDialogClass,
    .caption = Ui::ExportCaption,
    .width = kWidth,
    .height = kClientHeight,
    .style = WS_CAPTION | WS_SYSMENU,
    .procedure = ExportDialogProc,
    .clearState = [] { g_export = {}; },
    .role = WindowRole::Helper,
};

}  // namespace

std::wstring SuggestedExportName(const std::wstring& listFileName, ExportFormat format) {
    std::wstring name = listFileName;
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name + (format == ExportFormat::Csv ? L".csv" : L".txt");
}

void ExportWords(HWND owner) {
    g_export = {};
    g_export.owner = owner;
    RunOwnedModal(owner, OpenToolWindowFrame(kExportDialogTraits));
}
