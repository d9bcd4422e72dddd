// Drives the real lingorix.exe from outside, the way any other Windows program
// could: a private copy of the data folder, CreateProcess, the process's top-level
// windows, posted messages and synthesized input, the profile and the files the
// program writes.
//
// Menus belong to the process that made them, and Wine refuses to read another
// process's menu, so menus are read by a small hook library (lingorix_probe.dll)
// that the system loads into the program's GUI thread for the duration of a query.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/printdialog.h"

namespace e2e {

// The print dialog of the program (AnswerPrintDialog(app.ProcessId(), {printer, copies,
// collate})) and the PDF that the private test printer writes (WaitForPrintedPdf with
// PdfFilesIn(PrintedPdfFolder()) taken before printing); see support/printdialog.h.
using ::AnswerPrintDialog;
using ::FindPrintDialog;
using ::PdfFilesIn;
using ::PrintedPdfFolder;
using ::TestPrinterName;
using ::WaitForPrintedPdf;

// Polls the condition until it holds or the time is up; returns its last value.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return condition();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}

// The build's data folder (LINGORIX_BIN_DIR) as a Windows path, and the program in it.
std::wstring BinDirectory();
// A Unix path as Wine shows it (Z:\...), without a trailing backslash.
std::wstring UnixToWindowsPath(std::wstring path);
std::wstring ProgramPath();
// The folder of the running test or benchmark program (helper programs live there).
std::wstring OwnDirectory();

// A fresh copy of the data folder in the temporary folder; removed afterwards.
class AppFolder {
public:
    AppFolder();
    ~AppFolder();
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring Full(std::wstring_view relative) const;

    bool Exists(std::wstring_view relative) const;
    bool Delete(std::wstring_view relative) const;
    void DeleteFolder(std::wstring_view relative) const;
    void Write(std::wstring_view relative, std::string_view bytes) const;
    std::string Read(std::wstring_view relative) const;

    // The lines of the language file (languages.ini), without line ends.
    std::vector<std::string> LanguageFileLines() const;
    // The line after "[Selected]" in the language file; empty when there is none.
    std::string SelectedWordList() const;

private:
    void AddMissingWordLists() const;
    std::wstring path_;
};

// A top-level message box ("#32770") of the program.
class MessageBoxWindow {
public:
    explicit MessageBoxWindow(HWND window) : window_(window) {}
    HWND Handle() const { return window_; }
    std::wstring Text() const;
    std::wstring Caption() const;
    bool HasButton(int id) const { return GetDlgItem(window_, id) != nullptr; }
    void Press(int id) const;

private:
    HWND window_;
};

struct MenuItem {
    UINT id = 0;
    std::wstring text;
    bool checked = false;
    bool grayed = false;
    bool separator = false;
    bool popup = false;
};
struct MenuPopup {
    std::wstring title;
    std::vector<MenuItem> items;
};
struct MenuBar {
    std::vector<MenuPopup> popups;
    bool read = false;  // false when the probe could not answer
    const MenuItem* Find(UINT id) const;
    bool IsChecked(UINT id) const;
    // Command ids of the checked items of one pop-up, in menu order.
    std::vector<UINT> CheckedIds(std::size_t popup) const;
};

// One run of lingorix.exe in a data folder; killed on destruction if still running.
class LaunchedApp {
public:
    LaunchedApp(const AppFolder& folder, const std::wstring& arguments = {});
    // Any program, with the given current directory.
    LaunchedApp(const std::wstring& program, const std::wstring& directory, const std::wstring& arguments);
    ~LaunchedApp();
    LaunchedApp(const LaunchedApp&) = delete;
    LaunchedApp& operator=(const LaunchedApp&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }
    // Performance counter value taken right before CreateProcessW.
    LONGLONG StartCounter() const { return startCounter_; }
    // The system's error code when the program could not be started.
    DWORD StartError() const { return startError_; }
    bool Running() const;
    // The exit code, or nothing when the process still runs after the timeout.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000) const;
    void Kill();

    // Top-level windows of this process.
    std::vector<HWND> Windows(bool visibleOnly = false) const;
    // A visible top-level window of the class (and title, unless null).
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs = 15000) const;
    // The visible main window, or null.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000) const;
    std::optional<MessageBoxWindow> FindMessageBox() const;
    std::optional<MessageBoxWindow> WaitForMessageBox(DWORD timeoutMs = 15000) const;

    // Ends the run the way the user does (File, Exit) and waits for the exit code.
    std::optional<DWORD> Exit(HWND mainWindow, DWORD timeoutMs = 15000);

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    LONGLONG startCounter_ = 0;
    DWORD startError_ = 0;
};

// Input and state of a window of another process.
void Command(HWND window, int id);                 // posted WM_COMMAND, as from a menu
void ClickClient(HWND window, int x, int y);       // posted left button down and up
bool BringToForeground(HWND window);               // false when it is not in the foreground in time
bool PressKeys(HWND window, std::initializer_list<WORD> keys);  // SendInput chord after BringToForeground
// Notches of the mouse wheel with the pointer over the control's middle, its window in
// the foreground (negative: towards the user).
bool TurnWheelOver(HWND control, int notches);
// The control of the window's GUI thread that has the keyboard.
HWND FocusOf(HWND window);
// The key events of one character as a keyboard sends them: letters, digits, blanks,
// commas and "\r" by their keys, anything else as a Unicode character. The press and
// the release can be had apart, for timing what a release does.
enum class KeyHalf { Press, Release, Both };
void AppendCharacterKey(std::vector<INPUT>& inputs, wchar_t c, KeyHalf half = KeyHalf::Both);
// Types into the focused control of the foreground window as a keyboard would: a key
// down and up for each character. False when the window cannot be brought to the
// foreground or not all keys went out.
bool TypeText(HWND window, std::wstring_view text);
// The text of a control of another process, through WM_GETTEXT.
std::wstring ControlText(HWND control);
// The cells of a list view of another process, row by row, columns 0 to columns - 1.
// The texts are fetched through memory lent in that process, as a list view's item
// messages carry pointers that are not carried across processes. Empty when the
// process cannot be reached.
std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns);
// The child with this control id, waited for.
HWND WaitForControl(HWND parent, int id, DWORD timeoutMs = 15000);
// The menu bar of a window, or the items of a pop-up menu window ("#32768") on screen.
MenuBar ReadMenuBar(HWND window);
// The pop-up menu a right click at `at` (client coordinates) on the control opens, read
// and closed again with Escape; not `read` when no menu came up.
MenuBar ReadContextMenu(const LaunchedApp& app, HWND control, POINT at = {5, 5});
bool IsTopmost(HWND window);
RECT WindowRect(HWND window);
RECT ClientRect(HWND window);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// The program's settings section in the newest AppFolder's lingorix.ini; Clear also
// empties the section an earlier installation left in win.ini, shared by every run.
namespace profile {
void Clear();
std::optional<int> Int(const wchar_t* key);       // nothing when the key is missing
std::optional<std::wstring> Text(const wchar_t* key);
void Set(const wchar_t* key, const std::wstring& value);
// The earlier installation's section in win.ini.
void SetLegacy(const wchar_t* key, const std::wstring& value);
std::optional<std::wstring> LegacyText(const wchar_t* key);
}  // namespace profile

// Closes a tool window and ends the run from the main window once it shows again, as
// a user ends it; true when the program ended with exit code 0.
bool CloseAndExit(LaunchedApp& app, HWND window, HWND main);

// Types a pair into the Add window as a user does, each step once the window has shown
// the last one: the word, Enter, the translations, Enter.
bool TypeWordPair(HWND add, const std::wstring& word, const std::wstring& translations);

// UI strings files in the program's format, from the shipped English source with
// one key dropped or values replaced.
std::string EnglishStringsWithout(std::string_view key);
// The value of a key in the shipped English strings, as the program shows it.
std::wstring EnglishText(std::string_view key);

}  // namespace e2e
