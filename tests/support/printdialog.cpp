#include "support/printdialog.h"

#include <dlgs.h>

#include <algorithm>

#include "support/testenv.h"

namespace {

// Polls without pumping: the answering side usually runs on a thread with no windows.
template <typename Condition>
bool PollFor(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return condition();
        Sleep(20);  // the poll interval, not a wait for the answer
    }
    return true;
}

struct DialogSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    if (pid == search->processId && IsWindowVisible(window) && wcscmp(cls, L"#32770") == 0 &&
        GetDlgItem(window, cmb4)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string FileTail(const std::wstring& path, std::size_t bytes, LONGLONG& size) {
    size = -1;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER length{};
    std::string tail;
    if (GetFileSizeEx(file, &length)) {
        size = length.QuadPart;
        const LONGLONG from = std::max<LONGLONG>(0, length.QuadPart - static_cast<LONGLONG>(bytes));
        LARGE_INTEGER pos{};
        pos.QuadPart = from;
        tail.resize(static_cast<std::size_t>(length.QuadPart - from));
        DWORD read = 0;
        if (!SetFilePointerEx(file, pos, nullptr, FILE_BEGIN) ||
            !ReadFile(file, tail.data(), static_cast<DWORD>(tail.size()), &read, nullptr))
            read = 0;
        tail.resize(read);
    }
    CloseHandle(file);
    return tail;
}

}  // namespace

HWND FindPrintDialog(DWORD processId) {
    DialogSearch search{processId, nullptr};
    EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool AnswerPrintDialog(DWORD processId, const PrintDialogAnswer& answer, DWORD timeoutMs) {
    HWND dialog = nullptr;
    if (!PollFor([&] { return (dialog = FindPrintDialog(processId)) != nullptr; }, timeoutMs)) return false;
    if (answer.cancel) return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0) != FALSE;

    HWND printers = GetDlgItem(dialog, cmb4);
    if (!answer.printer.empty()) {
        const LRESULT index = SendMessageW(printers, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(answer.printer.c_str()));
        if (index == CB_ERR) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return false;
        }
        SendMessageW(printers, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        // The dialog reads the new printer's settings on the notification a user's choice sends.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(printers));
    }
    const std::wstring copies = std::to_wstring(answer.copies);
    SendMessageW(GetDlgItem(dialog, edt3), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copies.c_str()));
    if (HWND collate = GetDlgItem(dialog, chx2)) {
        SendMessageW(collate, BM_SETCHECK, answer.collate ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(chx2, BN_CLICKED), reinterpret_cast<LPARAM>(collate));
    }
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) != FALSE;
}

std::wstring TestPrinterName() { return EnvironmentValue(L"LINGORIX_PRINTER"); }

std::wstring PrintedPdfFolder() {
    std::wstring unixPath = EnvironmentValue(L"LINGORIX_PRINT_OUT");
    if (unixPath.empty()) return {};
    std::replace(unixPath.begin(), unixPath.end(), L'/', L'\\');
    return L"Z:" + unixPath;
}

std::vector<std::wstring> PdfFilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*.pdf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

std::wstring WaitForPrintedPdf(const std::wstring& folder, const std::vector<std::wstring>& before,
                               DWORD timeoutMs) {
    std::wstring path;
    LONGLONG lastSize = -1;
    PollFor(
        [&] {
            if (path.empty())
                for (const std::wstring& name : PdfFilesIn(folder))
                    if (std::find(before.begin(), before.end(), name) == before.end()) path = folder + L"\\" + name;
            if (path.empty()) return false;
            LONGLONG size = 0;
            const std::string tail = FileTail(path, 64, size);
            const bool complete = tail.find("%%EOF") != std::string::npos && size == lastSize;
            lastSize = size;
            return complete;
        },
        timeoutMs);
    LONGLONG size = 0;
    return FileTail(path, 64, size).find("%%EOF") != std::string::npos ? path : std::wstring();
}
