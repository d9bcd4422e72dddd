#include "entry/importwords.h"

#include <array>
#include <string>

#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/lazylibrary.h"
#include "app/menus.h"
#include "app/settings.h"
#include "entry/importdialog.h"
#include "entry/importtexts.h"
#include "store/backups.h"
#include "store/catalogue.h"
#include "store/importlists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/windowclass.h"

namespace {

constexpr int kProgressWidth = 350;
constexpr int kProgressHeight = 120;
constexpr RECT kProgressRect{20, 60, 330, 85};
// Work shorter than this shows no window at all: it would only flicker.
constexpr DWORD kProgressDelayMs = 200;
constexpr DWORD kRepaintIntervalMs = 40;
constexpr std::size_t kFileTestBytes = 256 * 1024;

std::wstring g_progressTitle;

void PaintImportProgressWindow(HDC dc) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    RECT title{0, 10, kProgressWidth, 35};
    DrawShadowText(dc, title, g_progressTitle.c_str(), DT_CENTER | DT_SINGLELINE);
}

// Shows the progress window once the work has run for a moment, and its latest figures
// a few dozen times a second.
class ImportProgressWindow {
public:
    void Report(ImportStep step, const WordListDescriptor& d, std::size_t done, std::size_t total) {
        const DWORD now = GetTickCount();
        if (!window_ && now - start_ < kProgressDelayMs) return;
        if (!window_) {
            g_progressTitle = d.firstName + L" - " + d.secondName;
            window_.Reset(OpenBusyWindow(kImportProgressClass, UiText(Ui::ImportProgressCaption), kProgressWidth,
                                         kProgressHeight, PaintImportProgressWindow));
        }
        if (painted_ && static_cast<int>(step) == lastStep_ && now - lastPaint_ < kRepaintIntervalMs) return;
        painted_ = true;
        lastStep_ = static_cast<int>(step);
        lastPaint_ = now;
        if (!window_) return;
        WindowDc dc(window_.Get());
        if (!dc) return;
        LayoutDc layout(dc.Get(), WindowDpi(window_.Get()));
        const std::wstring list = d.firstName + L" - " + d.secondName;
        DrawImportProgress(dc.Get(), static_cast<int>(step), list.c_str(), done, total);
    }

private:
    DWORD start_ = GetTickCount();
    UniqueWindow window_;
    bool painted_ = false;
    int lastStep_ = -1;
    DWORD lastPaint_ = 0;
};

const wchar_t* StepText(ImportStep step) {
    switch (step) {
    case ImportStep::Backup: return UiText(Ui::ImportBackingUp);
    case ImportStep::Sorting: return UiText(Ui::Reading);
    case ImportStep::Writing: return UiText(Ui::Writing);
    case ImportStep::Replacing: return UiText(Ui::ImportReplacing);
    }
    return L"";
}

bool ChooseFile(HWND owner, std::wstring& path) {
    using OpenFileFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto getOpenFileName = LazyFunction<OpenFileFunction>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName) return false;
    std::wstring filter = std::wstring(UiText(Ui::ImportFilter)) + L'\0' + L"*.csv;*.tsv;*.txt" + L'\0' +
                          UiText(Ui::AllFilesFilter) + L'\0' + L"*.*" + L'\0';
    std::array<wchar_t, 1024> file{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = UiText(Ui::ImportCaption);
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    // The data folder is the current directory: whatever the dialog does, it stays so.
    std::array<wchar_t, MAX_PATH> directory{};
    GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    const BOOL chosen = getOpenFileName(&dialog);
    SetCurrentDirectoryW(directory.data());
    if (chosen) path = file.data();
    return chosen != FALSE;
}

void Warn(HWND owner, const std::wstring& text) { ShowMessage(owner, text.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING); }

// A file that cannot be imported at all says so before anything else happens.
bool ReadableFile(HWND owner, const std::wstring& path, std::string& bytes, UINT fallbackCodePage) {
    switch (ReadImportFile(path, bytes)) {
    case ImportFileRead::TooLarge: Warn(owner, UiText(Ui::ImportTooLarge)); return false;
    case ImportFileRead::Unreadable: Warn(owner, std::wstring(UiText(Ui::ImportCantRead)) + L"\n" + path); return false;
    case ImportFileRead::Ok: break;
    }
    // The beginning tells; what is wrong further on, the dialog's count of the rows tells.
    const TextProblem problem = DecodeTextFile(bytes, {}, fallbackCodePage, kFileTestBytes).problem;
    if (problem == TextProblem::Empty) Warn(owner, UiText(Ui::ImportEmptyFile));
    if (problem == TextProblem::NotText) Warn(owner, UiText(Ui::ImportNotText));
    return problem == TextProblem::None;
}

// The code page of text that says nothing of its encoding: the foreign language's.
UINT ForeignCodePage(const WordListDescriptor& d) {
    return d.firstCharset != UiCharset() ? d.firstCodePage : d.secondCodePage;
}

void OpenReport(HWND owner, const std::wstring& path) {
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const auto shellExecute = LazyFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
    std::array<wchar_t, MAX_PATH> full{};
    GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (shellExecute) shellExecute(owner, L"open", full.data(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Finish(HWND owner, const ImportRequest& request) {
    const ImportCounts& counts = request.plan.counts;
    std::wstring text = ImportDoneText(counts);
    std::wstring report;
    if (counts.refused > 0) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        report = WriteImportReport(request.path, *request.lists.forward, request.plan, now);
    }
    if (report.empty()) {
        ShowMessage(owner, text.c_str(), UiText(Ui::Lingorix), MB_ICONINFORMATION);
        return;
    }
    text += L"\n\n" + std::wstring(UiText(Ui::ImportOpenReport));
    if (ShowMessage(owner, text.c_str(), UiText(Ui::Lingorix), MB_ICONINFORMATION | MB_YESNO) == IDYES)
        OpenReport(owner, report);
}

}  // namespace

void DrawImportProgress(HDC dc, int step, const wchar_t* list, std::size_t done, std::size_t total) {
    SelectionScope font(dc, GuiFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(50, 50, 50));
    RECT rect = kProgressRect;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    std::wstring text = StepText(static_cast<ImportStep>(step));
    if (total > 1) text += L" " + std::to_wstring(done) + L" / " + std::to_wstring(total);
    text += std::wstring(L" (") + list + L")";
    DrawTextW(dc, text.c_str(), -1, &rect, DT_SINGLELINE | DT_CENTER | DT_NOPREFIX);
}

void ImportWords(HWND owner) {
    ImportRequest request;
    WordListDescriptor& d = CurrentWordList();
    request.fallbackCodePage = ForeignCodePage(d);
    if (!ChooseFile(owner, request.path) || !ReadableFile(owner, request.path, request.bytes, request.fallbackCodePage))
        return;
    {
        const WaitCursor wait;
        if (!ReadImportLists(d, request.lists)) {
            Warn(owner, UiText(Ui::ImportListsUnreadable));
            return;
        }
    }
    request.knownNames = {d.firstName, d.secondName};
    request.addToPracticeList = AppSettings.addNewWordsToList == 1;
    request.practiceListAvailable = !CurrentPracticeList.empty();
    if (!RunImportDialog(owner, request)) return;

    ImportFailure failure = ImportFailure::None;
    {
        ImportProgressWindow progress;
        failure = ApplyImport(request.lists, request.plan, request.addToPracticeList,
                              [&](ImportStep step, const WordListDescriptor& list, std::size_t done, std::size_t total) {
                                  progress.Report(step, list, done, total);
                              });
    }
    UpdateUndoImportItem(GetMenu(MainWindow));
    switch (failure) {
    case ImportFailure::None: Finish(owner, request); break;
    case ImportFailure::Backup: Warn(owner, UiText(Ui::ImportBackupFailed)); break;
    case ImportFailure::Write:
    case ImportFailure::Replace: Warn(owner, UiText(Ui::ImportFailed)); break;
    }
}

void UndoLastImport(HWND owner) {
    const UndoOutcome outcome = RestoreBeforeImport();
    UpdateUndoImportItem(GetMenu(MainWindow));
    switch (outcome) {
    case UndoOutcome::Done: ShowMessage(owner, UiText(Ui::UndoImportDone), UiText(Ui::Lingorix), MB_ICONINFORMATION); break;
    case UndoOutcome::Changed: Warn(owner, UiText(Ui::UndoImportChanged)); break;
    case UndoOutcome::Failed: Warn(owner, UiText(Ui::UndoImportFailed)); break;
    case UndoOutcome::NothingToUndo: break;
    }
}
