// The setup end to end: the real installer run silently into a temporary folder, the
// installed program started from there and given a word, upgrades over the user's
// changes, and the silent uninstallation.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "store/records.h"
#include "support/storefixture.h"
#include "support/testenv.h"
#include "version.h"
#include "win/handles.h"

using namespace e2e;

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingorix";
constexpr DWORD kSetupTimeoutMs = 120000;

// What the user owns in the folder: the upgrade keeps it and a silent uninstallation
// leaves it. Paths relative to the folder, lower case; a trailing backslash takes
// the whole folder.
const std::vector<std::wstring> kUserData = {
    L"languages.ini", L"sprachen.ini", L"language.ini", L"lingorix.ini", L"wordlists\\", L"woerterlisten\\",
    L"practice\\", L"uebungslisten\\", L"charset\\", L"tables\\", L"new\\", L"sound\\"};

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool IsUserData(const std::wstring& relative) {
    const std::wstring path = Lower(relative);
    for (const std::wstring& entry : kUserData) {
        if (entry.back() == L'\\' ? path.starts_with(entry) : path == entry) return true;
    }
    return false;
}

// Every file below the folder by its path relative to it.
std::map<std::wstring, std::string> FilesIn(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    for (auto& [path, bytes] : FilesBelow(folder)) files[path.substr(folder.size() + 1)] = std::move(bytes);
    return files;
}

std::optional<std::wstring> RegistryText(const wchar_t* name) {
    std::array<wchar_t, 1024> buffer{};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer.data());
}

std::wstring Edition(const std::wstring& folder) {
    std::array<wchar_t, 64> buffer{};
    GetPrivateProfileStringW(L"Lingorix", L"Language", L"", buffer.data(), static_cast<DWORD>(buffer.size()),
                             (folder + L"\\language.ini").c_str());
    return buffer.data();
}

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComRef = std::unique_ptr<T, ComRelease>;

struct Shortcut {
    std::wstring target;
    std::wstring folder;
};

std::optional<Shortcut> ReadShortcut(const std::wstring& path) {
    IShellLinkW* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&rawLink))))
        return std::nullopt;
    const ComRef<IShellLinkW> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return std::nullopt;
    const ComRef<IPersistFile> file(rawFile);
    if (FAILED(file->Load(path.c_str(), STGM_READ))) return std::nullopt;
    std::array<wchar_t, MAX_PATH> target{}, folder{};
    link->GetPath(target.data(), MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder.data(), MAX_PATH);
    return Shortcut{target.data(), folder.data()};
}

std::wstring FileVersion(const std::wstring& program) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(program.c_str(), &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (block.empty() || !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &size))
        return {};
    return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) +
           L"." + std::to_wstring(HIWORD(info->dwFileVersionLS));
}

// Runs a command line and waits until it and every process it started have ended:
// the uninstaller hands its work to a copy of itself and returns at once.
bool RunToTheEnd(std::wstring commandLine, DWORD timeoutMs) {
    UniqueKernelHandle job(CreateJobObjectW(nullptr, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!job || !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                nullptr, &startup, &info))
        return false;
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    if (!AssignProcessToJobObject(job.Get(), process.Get())) {
        TerminateProcess(process.Get(), 1);
        return false;
    }
    ResumeThread(thread.Get());
    return WaitUntil(
        [&] {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
            return QueryInformationJobObject(job.Get(), JobObjectBasicAccountingInformation, &accounting,
                                             sizeof accounting, nullptr) &&
                   accounting.ActiveProcesses == 0;
        },
        timeoutMs);
}

// A window below the parent (at any depth) that satisfies the condition, waited for.
template <typename Condition>
HWND WaitForDescendant(HWND parent, Condition condition, DWORD timeoutMs = 15000) {
    struct Search {
        Condition& condition;
        HWND found;
    } search{condition, nullptr};
    WaitUntil(
        [&] {
            EnumChildWindows(
                parent,
                [](HWND child, LPARAM data) {
                    auto* s = reinterpret_cast<Search*>(data);
                    if (!IsWindowVisible(child) || !s->condition(child)) return TRUE;
                    s->found = child;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

HWND WaitForControlText(HWND parent, const std::wstring& text, DWORD timeoutMs = 15000) {
    return WaitForDescendant(parent, [&](HWND child) { return ControlText(child) == text; }, timeoutMs);
}

// The wizard's Next (Install, Finish, Close) button, once it may be pressed.
bool PressNext(HWND wizard, DWORD timeoutMs = 60000) {
    HWND next = GetDlgItem(wizard, IDOK);
    if (!WaitUntil([&] { return IsWindowEnabled(next) && IsWindowVisible(next); }, timeoutMs)) return false;
    return PostMessageW(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(next)) != 0;
}

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        profile::Clear();
        RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
        std::array<wchar_t, MAX_PATH> programs{};
        SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs.data());
        shortcut = std::wstring(programs.data()) + L"\\Lingorix.lnk";
        DeleteFileW(shortcut.c_str());
        folder = CreateUniqueTempFolder(L"lgxsetup") + L"\\Lingorix";
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
        DeleteFileW(shortcut.c_str());
        RemoveTree(folder.substr(0, folder.find_last_of(L'\\')));
        profile::Clear();
        CoUninitialize();
    }

    static std::wstring SetupProgram() {
        return UnixToWindowsPath(EnvironmentValue(L"LINGORIX_DIST_DIR")) + L"\\lingorix-" LINGORIX_VERSION_WTEXT L"-setup.exe";
    }
    std::optional<DWORD> RunSetup(const std::wstring& arguments) const {
        LaunchedApp setup(SetupProgram(), BinDirectory(), arguments);
        return setup.WaitForExit(kSetupTimeoutMs);
    }
    std::vector<WordEntry> FrenchEnglish() const {
        return DecodeRecords(ReadBytes(folder + L"\\wordlists\\Fre_Eng.tvk"));
    }
    static bool Has(const std::vector<WordEntry>& entries, const std::wstring& word, const std::wstring& translation) {
        for (const WordEntry& e : entries)
            if (e.first == word && e.second == translation) return true;
        return false;
    }

    // Starts the installed program as its shortcut does and adds a word pair
    // through the Add window.
    void AddWordInInstalledProgram(const std::wstring& word, const std::wstring& translation) {
        LaunchedApp app(folder + L"\\lingorix.exe", folder, L"");
        ASSERT_TRUE(app.Started());
        HWND main = app.WaitForMainWindow();
        ASSERT_NE(main, nullptr) << "no main window";
        Command(main, 10);
        HWND add = app.WaitForWindow(L"toevoeg", nullptr);
        ASSERT_NE(add, nullptr);
        ASSERT_TRUE(TypeWordPair(add, word, translation));
        PostMessageW(add, WM_COMMAND, MAKEWPARAM(14, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(add, 14)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(add) && IsWindowVisible(main); }, 20000));
        EXPECT_EQ(app.Exit(main), std::optional<DWORD>(0));
    }

    std::wstring folder;
    std::wstring shortcut;
};

TEST_F(SetupTest, InstallsStartsUpgradesKeepingTheUsersFilesAndUninstalls) {
    const std::map<std::wstring, std::string> shipped = FilesIn(BinDirectory());

    // A first installation: the whole data folder, English unless asked otherwise.
    ASSERT_EQ(RunSetup(L"/S /D=" + folder), std::optional<DWORD>(0));
    std::map<std::wstring, std::string> installed = FilesIn(folder);
    for (const auto& [path, bytes] : shipped) {
        // The edition is the setup's to write; the rest the program writes when it
        // is started in the build's folder.
        const std::wstring lower = Lower(path);
        if (lower == L"language.ini" || lower == L"lingorix.ini" || lower.starts_with(L"new\\") ||
            lower.starts_with(L"sound\\"))
            continue;
        SCOPED_TRACE(path);
        ASSERT_TRUE(installed.contains(path));
        EXPECT_TRUE(installed[path] == bytes);
        installed.erase(path);
    }
    installed.erase(L"language.ini");
    EXPECT_EQ(installed.size(), 1u) << "settings, logs or recordings shipped";
    EXPECT_TRUE(installed.contains(L"uninstall.exe"));
    EXPECT_EQ(Edition(folder), L"english");

    const std::optional<Shortcut> link = ReadShortcut(shortcut);
    ASSERT_TRUE(link.has_value()) << "no Start menu shortcut";
    EXPECT_EQ(Lower(link->target), Lower(folder + L"\\lingorix.exe"));
    EXPECT_EQ(Lower(link->folder), Lower(folder));

    EXPECT_EQ(RegistryText(L"DisplayName"), L"Lingorix");
    EXPECT_EQ(RegistryText(L"DisplayVersion"), LINGORIX_VERSION_WTEXT);
    EXPECT_EQ(RegistryText(L"InstallLocation"), folder);
    EXPECT_EQ(RegistryText(L"UninstallString"), L"\"" + folder + L"\\uninstall.exe\"");
    EXPECT_EQ(RegistryText(L"QuietUninstallString"), L"\"" + folder + L"\\uninstall.exe\" /S");
    EXPECT_EQ(FileVersion(folder + L"\\lingorix.exe"), LINGORIX_VERSION_WTEXT);

    AddWordInInstalledProgram(L"chaton", L"kitten");
    ASSERT_TRUE(Has(FrenchEnglish(), L"chaton", L"kitten"));

    // The user's changes, a damaged program file and a sample the user deleted.
    const std::string languages = ReadBytes(folder + L"\\languages.ini") + "\r\n# mine\r\n";
    WriteBytes(folder + L"\\languages.ini", languages);
    WriteBytes(folder + L"\\lingorix.ini", "[Lingorix]\r\nSounds=0\r\n");
    WriteBytes(folder + L"\\help\\lingorix.html", "damaged");
    ASSERT_TRUE(DeleteFileW((folder + L"\\charset\\Greek.chs").c_str()));

    // The same setup again, now for the German edition.
    ASSERT_EQ(RunSetup(L"/S /EDITION=german /D=" + folder), std::optional<DWORD>(0));
    EXPECT_TRUE(Has(FrenchEnglish(), L"chaton", L"kitten"));
    EXPECT_EQ(ReadBytes(folder + L"\\languages.ini"), languages);
    EXPECT_EQ(ReadBytes(folder + L"\\lingorix.ini"), "[Lingorix]\r\nSounds=0\r\n");
    EXPECT_TRUE(ReadBytes(folder + L"\\help\\lingorix.html") == shipped.at(L"help\\lingorix.html"));
    EXPECT_TRUE(ReadBytes(folder + L"\\charset\\Greek.chs") == shipped.at(L"charset\\Greek.chs"));
    EXPECT_EQ(Edition(folder), L"german");

    // Without a folder or an edition an upgrade finds the installation and keeps its edition.
    ASSERT_EQ(RunSetup(L"/S"), std::optional<DWORD>(0));
    EXPECT_EQ(Edition(folder), L"german");
    EXPECT_EQ(RegistryText(L"InstallLocation"), folder);

    // Uninstalled the way Apps and Features does it silently.
    const std::optional<std::wstring> uninstall = RegistryText(L"QuietUninstallString");
    ASSERT_TRUE(uninstall.has_value());
    ASSERT_TRUE(RunToTheEnd(*uninstall, kSetupTimeoutMs));
    for (const auto& [path, bytes] : FilesIn(folder)) EXPECT_TRUE(IsUserData(path)) << "left behind: " << path;
    EXPECT_TRUE(Has(FrenchEnglish(), L"chaton", L"kitten"));
    EXPECT_EQ(ReadBytes(folder + L"\\languages.ini"), languages);
    EXPECT_TRUE(FileExists(folder + L"\\lingorix.ini"));
    EXPECT_TRUE(FileExists(folder + L"\\practice\\Basics\\Fre_Eng.ls"));
    EXPECT_FALSE(FileExists(shortcut));
    EXPECT_FALSE(RegistryText(L"DisplayName").has_value());
}

// The pages a user clicks through: the folder, the edition (German here), the finish
// page that starts the program; then the uninstaller, told to remove the data too.
TEST_F(SetupTest, PagesInstallTheChosenEditionAndTheUninstallerAsksAboutTheData) {
    LaunchedApp setup(SetupProgram(), BinDirectory(), L"");
    HWND wizard = setup.WaitForWindow(L"#32770", nullptr);
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(WindowText(wizard).starts_with(L"Lingorix " LINGORIX_VERSION_WTEXT L" Setup"));
    ASSERT_TRUE(PressNext(wizard));  // past the welcome page
    HWND path = WaitForDescendant(wizard, [](HWND child) { return GetDlgCtrlID(child) == 1019; });
    ASSERT_NE(path, nullptr);
    EXPECT_NE(Lower(ControlText(path)).find(L"\\programs\\lingorix"), std::wstring::npos) << "proposes the user's programs folder";
    SendMessageW(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    ASSERT_TRUE(PressNext(wizard));

    HWND german = WaitForControlText(wizard, L"&Deutsch (German)");
    HWND english = WaitForControlText(wizard, L"&English");
    ASSERT_NE(german, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(SendMessageW(english, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(german, BM_CLICK, 0, 0);
    ASSERT_EQ(SendMessageW(german, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(PressNext(wizard));  // Install

    HWND run = WaitForControlText(wizard, L"Start Lingorix", kSetupTimeoutMs);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(SendMessageW(run, BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(PressNext(wizard));  // Finish
    EXPECT_EQ(setup.WaitForExit(kSetupTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(Edition(folder), L"german");

    // Started by the finish page: it only gets to its main window in its own folder.
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (main = FindWindowW(L"tavok", nullptr)) && IsWindowVisible(main); }, 15000));
    DWORD programId = 0;
    GetWindowThreadProcessId(main, &programId);
    UniqueKernelHandle program(OpenProcess(SYNCHRONIZE, FALSE, programId));
    Command(main, 3);  // File, Exit
    EXPECT_EQ(WaitForSingleObject(program.Get(), 15000), WAIT_OBJECT_0);

    WriteBytes(folder + L"\\sound\\French\\chat.wav", "RIFF");
    WriteBytes(folder + L"\\lingorix.ini", "[Lingorix]\r\n");

    // Run in place so that its windows are its own; it cannot remove itself then.
    LaunchedApp uninstall(folder + L"\\uninstall.exe", folder, L"_?=" + folder);
    HWND confirm = uninstall.WaitForWindow(L"#32770", nullptr);
    ASSERT_NE(confirm, nullptr);
    EXPECT_TRUE(WindowText(confirm).starts_with(L"Lingorix " LINGORIX_VERSION_WTEXT L" Uninstall"));
    ASSERT_TRUE(PressNext(confirm));  // Uninstall
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND window : uninstall.Windows(true))
                if (window != confirm && ClassName(window) == L"#32770") question = window;
            return question != nullptr;
        },
        kSetupTimeoutMs));
    const MessageBoxWindow box(question);
    EXPECT_NE(box.Text().find(L"word lists"), std::wstring::npos) << std::string(box.Text().begin(), box.Text().end());
    ASSERT_TRUE(box.HasButton(IDYES) && box.HasButton(IDNO));
    box.Press(IDYES);
    ASSERT_TRUE(PressNext(confirm));  // Close
    EXPECT_EQ(uninstall.WaitForExit(kSetupTimeoutMs), std::optional<DWORD>(0));

    std::map<std::wstring, std::string> left = FilesIn(folder);
    EXPECT_EQ(left.size(), 1u);
    EXPECT_TRUE(left.contains(L"uninstall.exe"));
    EXPECT_FALSE(FileExists(shortcut));
    EXPECT_FALSE(RegistryText(L"DisplayName").has_value());
}

}  // namespace
