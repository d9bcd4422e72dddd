#include "e2e/driver.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <utility>

#include "support/testenv.h"
#include "text/scramble.h"
#include "text/stringsource.h"
#include "win/handles.h"

namespace e2e {

namespace {

constexpr wchar_t kProfileSection[] = L"Lingorix";
// The settings file of the newest data folder; the section of an earlier installation.
std::wstring g_settingsFile;
constexpr wchar_t kLegacyProfile[] = L"win.ini";
constexpr wchar_t kProbeMessage[] = L"LingorixE2EProbe";
constexpr wchar_t kProbeLibrary[] = L"lingorix_probe.dll";
constexpr wchar_t kProbeReplyClass[] = L"LingorixE2EProbeReply";
// The native language of the shipped English strings names the word list files.
constexpr char kNativeLanguage[] = "English";


bool EndsWithIgnoreCase(const std::wstring& text, std::wstring_view tail) {
    if (text.size() < tail.size()) return false;
    return _wcsicmp(text.c_str() + (text.size() - tail.size()), std::wstring(tail).c_str()) == 0;
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        } else if (!EndsWithIgnoreCase(name, L".exe") && !EndsWithIgnoreCase(name, L".dll")) {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> SplitFields(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

struct EnumQuery {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<EnumQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == query->processId && (!query->visibleOnly || IsWindowVisible(window))) query->found.push_back(window);
    return TRUE;
}

// The probe's answer arrives as WM_COPYDATA while this thread waits in SendMessage.
LRESULT CALLBACK ProbeReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* reply = reinterpret_cast<std::wstring*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (reply && data->lpData)
            reply->assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        while (reply && !reply->empty() && reply->back() == L'\0') reply->pop_back();
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateProbeReplyWindow(std::wstring* reply) {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProbeReplyProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kProbeReplyClass;
        return RegisterClassW(&wc);
    }();
    (void)registered;
    HWND window = CreateWindowW(kProbeReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reply));
    return window;
}

// Sends the probe message to the window's thread with the hook in place; the probe
// answers with one record per line, fields separated by U+001F.
std::wstring AskProbe(HWND window) {
    static HMODULE library = LoadLibraryW((OwnDirectory() + L"\\" + kProbeLibrary).c_str());
    if (!library) return {};
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, "ProbeHook")));
    if (!hook) return {};
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    HHOOK installed = SetWindowsHookExW(WH_CALLWNDPROC, hook, library, thread);
    if (!installed) return {};
    std::wstring reply;
    HWND replyWindow = CreateProbeReplyWindow(&reply);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, RegisterWindowMessageW(kProbeMessage), reinterpret_cast<WPARAM>(replyWindow), 0,
                        SMTO_ABORTIFHUNG, 5000, &result);
    UnhookWindowsHookEx(installed);
    DestroyWindow(replyWindow);
    return reply;
}

MenuBar ParseMenuReply(const std::wstring& reply) {
    MenuBar bar;
    std::size_t start = 0;
    while (start < reply.size()) {
        std::size_t end = reply.find(L'\n', start);
        if (end == std::wstring::npos) end = reply.size();
        const std::wstring line = reply.substr(start, end - start);
        start = end + 1;
        std::vector<std::wstring> fields;
        for (std::size_t from = 0;;) {
            const std::size_t sep = line.find(L'\x1f', from);
            fields.push_back(line.substr(from, sep == std::wstring::npos ? std::wstring::npos : sep - from));
            if (sep == std::wstring::npos) break;
            from = sep + 1;
        }
        if (fields[0] == L"BAR") {
            bar.read = true;
        } else if (fields[0] == L"P" && fields.size() >= 2) {
            bar.popups.push_back({fields[1], {}});
        } else if (fields[0] == L"I" && fields.size() >= 4 && !bar.popups.empty()) {
            MenuItem item;
            item.id = static_cast<UINT>(std::wcstoul(fields[1].c_str(), nullptr, 10));
            const UINT state = static_cast<UINT>(std::wcstoul(fields[2].c_str(), nullptr, 10));
            item.checked = (state & MF_CHECKED) != 0;
            item.grayed = (state & (MF_GRAYED | MF_DISABLED)) != 0;
            item.separator = (state & MF_SEPARATOR) != 0;
            item.popup = (state & MF_POPUP) != 0;
            item.text = fields[3];
            bar.popups.back().items.push_back(item);
        }
    }
    return bar;
}

}  // namespace

std::wstring UnixToWindowsPath(std::wstring dir) {
    // Wine maps the root of the Unix file system to Z:.
    if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
    for (wchar_t& c : dir)
        if (c == L'/') c = L'\\';
    while (dir.size() > 3 && dir.back() == L'\\') dir.pop_back();
    return dir;
}

std::wstring BinDirectory() {
    std::wstring dir = EnvironmentValue(L"LINGORIX_BIN_DIR");
#ifdef LINGORIX_DEFAULT_BIN_DIR
    if (dir.empty()) dir = Widen(LINGORIX_DEFAULT_BIN_DIR);
#endif
    return UnixToWindowsPath(dir);
}

std::wstring ProgramPath() { return BinDirectory() + L"\\lingorix.exe"; }

std::wstring OwnDirectory() {
    std::array<wchar_t, MAX_PATH> buffer{};
    GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path = buffer.data();
    return path.substr(0, path.find_last_of(L"\\/"));
}

// --- AppFolder ---------------------------------------------------------------

AppFolder::AppFolder() : path_(CreateUniqueTempFolder(L"lgxe2e")) {
    CopyTree(BinDirectory(), path_);
    AddMissingWordLists();
    g_settingsFile = Full(L"lingorix.ini");
}

AppFolder::~AppFolder() {
    if (g_settingsFile == Full(L"lingorix.ini")) g_settingsFile.clear();
    RemoveTree(path_);
}

std::wstring AppFolder::Full(std::wstring_view relative) const { return path_ + L"\\" + std::wstring(relative); }

bool AppFolder::Exists(std::wstring_view relative) const { return FileExists(Full(relative)); }

bool AppFolder::Delete(std::wstring_view relative) const { return DeleteFileW(Full(relative).c_str()) != 0; }

void AppFolder::DeleteFolder(std::wstring_view relative) const { RemoveTree(Full(relative)); }

void AppFolder::Write(std::wstring_view relative, std::string_view bytes) const { WriteBytes(Full(relative), bytes); }

// Shares deletion too: the program replaces its files by renaming over them, and a
// test that polls a file must not make that replacement fail.
std::string AppFolder::Read(std::wstring_view relative) const {
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(Full(relative).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    std::array<char, 4096> chunk{};
    DWORD read = 0;
    while (ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) && read > 0)
        bytes.append(chunk.data(), read);
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> AppFolder::LanguageFileLines() const { return SplitLines(Read(L"languages.ini")); }

std::string AppFolder::SelectedWordList() const {
    const std::vector<std::string> lines = LanguageFileLines();
    for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        if (_stricmp(lines[i].c_str(), "[Selected]") == 0) return lines[i + 1];
    return {};
}

// Until the build makes the sample word lists, every list of the language file
// gets an empty file, so the program can start.
void AppFolder::AddMissingWordLists() const {
    const std::vector<std::string> lines = LanguageFileLines();
    bool inLanguages = false;
    const std::string native = kNativeLanguage;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#') {
            inLanguages = false;
            continue;
        }
        if (inLanguages) {
            const std::vector<std::string> fields = SplitFields(line, ',');
            const bool hasLong = fields.size() >= 4 && !fields[3].empty();
            const std::string foreign = hasLong ? fields[3] : fields[0].substr(0, 3);
            const std::string home = hasLong ? native : native.substr(0, 3);
            const std::string forward = foreign + "_" + home;
            const std::string reverse = home + "_" + foreign;
            for (const std::string& stem : {forward, reverse}) {
                const std::wstring file = L"wordlists\\" + Widen(stem) + L".tvk";
                if (!Exists(file)) Write(file, "");
            }
        }
        if (_stricmp(line.c_str(), "[Languages]") == 0) inLanguages = true;
    }
}

// --- MessageBoxWindow --------------------------------------------------------

std::wstring MessageBoxWindow::Text() const {
    if (HWND text = GetDlgItem(window_, 0xFFFF)) return WindowText(text);
    return {};
}

std::wstring MessageBoxWindow::Caption() const { return WindowText(window_); }

void MessageBoxWindow::Press(int id) const {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
}

// --- MenuBar -----------------------------------------------------------------

const MenuItem* MenuBar::Find(UINT id) const {
    for (const MenuPopup& popup : popups)
        for (const MenuItem& item : popup.items)
            if (!item.separator && !item.popup && item.id == id) return &item;
    return nullptr;
}

bool MenuBar::IsChecked(UINT id) const {
    const MenuItem* item = Find(id);
    return item && item->checked;
}

std::vector<UINT> MenuBar::CheckedIds(std::size_t popup) const {
    std::vector<UINT> ids;
    if (popup >= popups.size()) return ids;
    for (const MenuItem& item : popups[popup].items)
        if (item.checked) ids.push_back(item.id);
    return ids;
}

// --- LaunchedApp -------------------------------------------------------------

LaunchedApp::LaunchedApp(const AppFolder& folder, const std::wstring& arguments)
    : LaunchedApp(ProgramPath(), folder.Path(), arguments) {}

LaunchedApp::LaunchedApp(const std::wstring& program, const std::wstring& directory, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Wine has been seen to refuse a start now and then while the previous run is still
    // being torn down; a refusal that lasts is reported with its code.
    const bool started = WaitUntil(
        [&] {
            LARGE_INTEGER now{};
            QueryPerformanceCounter(&now);
            startCounter_ = now.QuadPart;
            if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               directory.c_str(), &startup, &info))
                return true;
            startError_ = GetLastError();
            return false;
        },
        5000);
    if (!started) return;
    startError_ = 0;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
}

LaunchedApp::~LaunchedApp() {
    Kill();
    if (process_) CloseHandle(process_);
}

bool LaunchedApp::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> LaunchedApp::WaitForExit(DWORD timeoutMs) const {
    if (!process_) return std::nullopt;
    if (!WaitUntil([&] { return !Running(); }, timeoutMs)) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void LaunchedApp::Kill() {
    if (!Running()) return;
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 10000);
}

std::vector<HWND> LaunchedApp::Windows(bool visibleOnly) const {
    EnumQuery query{processId_, visibleOnly, {}};
    if (process_) EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND LaunchedApp::WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : Windows(true)) {
                if (ClassName(window) != className) continue;
                if (title && WindowText(window) != title) continue;
                found = window;
                return true;
            }
            return !Running();
        },
        timeoutMs);
    return found;
}

HWND LaunchedApp::WaitForMainWindow(DWORD timeoutMs) const { return WaitForWindow(L"tavok", nullptr, timeoutMs); }

std::optional<MessageBoxWindow> LaunchedApp::FindMessageBox() const {
    for (HWND window : Windows(true))
        if (ClassName(window) == L"#32770") return MessageBoxWindow(window);
    return std::nullopt;
}

std::optional<MessageBoxWindow> LaunchedApp::WaitForMessageBox(DWORD timeoutMs) const {
    std::optional<MessageBoxWindow> box;
    WaitUntil(
        [&] {
            box = FindMessageBox();
            return box.has_value() || !Running();
        },
        timeoutMs);
    return box;
}

std::optional<DWORD> LaunchedApp::Exit(HWND mainWindow, DWORD timeoutMs) {
    Command(mainWindow, 3);
    return WaitForExit(timeoutMs);
}

MenuBar ReadMenuBar(HWND window) { return ParseMenuReply(AskProbe(window)); }

// --- profile -----------------------------------------------------------------

namespace profile {

void Clear() {
    WritePrivateProfileStringW(kProfileSection, nullptr, nullptr, kLegacyProfile);
    if (!g_settingsFile.empty()) DeleteFileW(g_settingsFile.c_str());
}

std::optional<std::wstring> Text(const wchar_t* key, const wchar_t* file) {
    constexpr wchar_t kMissing[] = L"\x01missing\x01";
    std::array<wchar_t, 512> buffer{};
    GetPrivateProfileStringW(kProfileSection, key, kMissing, buffer.data(), static_cast<DWORD>(buffer.size()), file);
    if (std::wstring(buffer.data()) == kMissing) return std::nullopt;
    return std::wstring(buffer.data());
}

std::optional<std::wstring> Text(const wchar_t* key) { return Text(key, g_settingsFile.c_str()); }

std::optional<int> Int(const wchar_t* key) {
    const std::optional<std::wstring> text = Text(key);
    if (!text) return std::nullopt;
    return static_cast<int>(GetPrivateProfileIntW(kProfileSection, key, 0, g_settingsFile.c_str()));
}

void Set(const wchar_t* key, const std::wstring& value) {
    WritePrivateProfileStringW(kProfileSection, key, value.c_str(), g_settingsFile.c_str());
}

void SetLegacy(const wchar_t* key, const std::wstring& value) {
    WritePrivateProfileStringW(kProfileSection, key, value.c_str(), kLegacyProfile);
}

std::optional<std::wstring> LegacyText(const wchar_t* key) { return Text(key, kLegacyProfile); }

}  // namespace profile

MenuBar ReadContextMenu(const LaunchedApp& app, HWND control, POINT at) {
    PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    HWND menu = app.WaitForWindow(L"#32768", nullptr, 10000);
    if (!menu) return {};
    MenuBar items;
    WaitUntil([&] { return (items = ReadMenuBar(menu)).read; }, 10000);
    PressKeys(menu, {VK_ESCAPE});
    if (!WaitUntil([&] { return !IsWindowVisible(menu); }, 10000)) items.read = false;
    return items;
}

bool CloseAndExit(LaunchedApp& app, HWND window, HWND main) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !IsWindow(window) && IsWindowVisible(main); }, 20000) &&
           app.Exit(main) == std::optional<DWORD>(0);
}

bool TypeWordPair(HWND add, const std::wstring& word, const std::wstring& translations) {
    HWND first = WaitForControl(add, 30);
    HWND second = WaitForControl(add, 31);
    const auto shows = [](HWND control, const std::wstring& text) {
        return WaitUntil([&] { return ControlText(control) == text; }, 10000);
    };
    return first && second && TypeText(add, word) && shows(first, word) && TypeText(add, L"\r" + translations) &&
           shows(second, translations) && TypeText(add, L"\r") && shows(second, L"");
}

std::string EnglishStringsWithout(std::string_view key) {
    StringSource source = ParseStringSource(EnglishStringsSource());
    std::erase_if(source.entries, [&](const StringEntry& entry) { return entry.key == key; });
    std::string bytes = EntriesToPlain(source.entries);
    ScrambleUiBytes(bytes);
    return bytes;
}

std::wstring EnglishText(std::string_view key) {
    const StringSource source = ParseStringSource(EnglishStringsSource());
    for (const StringEntry& entry : source.entries) {
        if (entry.key != key) continue;
        std::wstring wide(entry.value.size(), L'\0');
        const int n = MultiByteToWideChar(1252, 0, entry.value.data(), static_cast<int>(entry.value.size()),
                                          wide.data(), static_cast<int>(wide.size()));
        wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return wide;
    }
    return {};
}

}  // namespace e2e
