#include "shell/mainwindow.h"

#include <array>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/globals.h"
#include "app/help.h"
#include "app/menus.h"
#include "app/toolwindow.h"
#include "app/wordlists.h"
#include "entry/addwindow.h"
#include "entry/exportdialog.h"
#include "entry/importwords.h"
#include "entry/newlistwindow.h"
#include "lookup/overviewwindow.h"
#include "lookup/searchwindow.h"
#include "lookup/translatewindow.h"
#include "practice/flashcards.h"
#include "practice/listdialog.h"
#include "practice/maker.h"
#include "practice/progresswindow.h"
#include "practice/reviewsession.h"
#include "practice/reviewwindow.h"
#include "practice/typedpractice.h"
#include "shell/aboutbox.h"
#include "shell/mainpaint.h"
#include "sound/recorder.h"
#include "store/catalogue.h"
#include "store/practicelists.h"
#include "store/records.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/messages.h"
#include "win/windowclass.h"
#include "win/windowpos.h"

namespace {

constexpr int kIconLeft = 60;
constexpr int kIconSize = 32;
constexpr int kFirstIconTop = 107;
constexpr int kSecondIconTop = 177;
constexpr int kButtonTop = 280;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 30;
constexpr int kLogoMinDepth = 16;
constexpr COLORREF kTitleShade = RGB(230, 230, 230);

struct MainButton {
    int left;
    int id;
    Ui text;
};
constexpr MainButton kButtons[] = {
    {10, kCmdAdd, Ui::MainButtonAdd},
    {150, kCmdMakeList, Ui::MainButtonCreatelist},
    {290, kCmdPractise, Ui::MainButtonPractice},
    {430, kCmdSearch, Ui::MainButtonSearch},
};

// Opening operations of the tool windows by command id; a window that is not part
// of the program yet has none, so its command does nothing.
struct ToolWindowCommand {
    int id;
    OpenToolWindowFunction open;
};
constexpr ToolWindowCommand kToolWindows[] = {
    {kCmdTranslate, OpenTranslateWindow}, {kCmdAdd, OpenAddWindow},                   {kCmdSearch, OpenSearchWindow},
    {kCmdRecord, OpenRecorderWindow},     {kCmdNewWordList, OpenNewWordListWindow}, {kCmdOverview, OpenOverviewWindow},
    {kCmdProgress, OpenProgressWindow},
};
constexpr OpenToolWindowFunction kOpenFlashCards = OpenFlashCards;
constexpr OpenToolWindowFunction kOpenTypedPractice = OpenTypedPractice;
constexpr OpenToolWindowFunction kOpenReview = OpenReviewWindow;
constexpr OpenToolWindowFunction kOpenPracticeListMaker = OpenPracticeListMaker;

struct MainState {
    int colourDepth = 0;
    UniqueBitmap logo;
    UniqueBitmap logoMask;
    COLORREF logoTransparent = 0;
    UniqueBitmap scaledLogo;  // for the DPI it was made for
    UINT scaledLogoDpi = 0;
    UniqueIcon firstIcon;
    UniqueIcon secondIcon;
};
MainState g_main;

GradientColours BaseColours() {
    const Settings& s = AppSettings;
    return {s.colorR, s.colorG, s.colorB, s.colorRi, s.colorGi, s.colorBi};
}

HICON LoadIconFile(const std::wstring& name) {
    std::wstring path = std::wstring(UiText(Ui::PathIcons)) + name;
    if (path.size() > MAX_PATH - 1) path.resize(MAX_PATH - 1);
    return static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_LOADFROMFILE));
}

int ScreenColourDepth() {
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), PLANES) * GetDeviceCaps(screen.Get(), BITSPIXEL);
}

void LoadLogo() {
    g_main.logo.Reset(static_cast<HBITMAP>(LoadImageW(nullptr, L"logo.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (!g_main.logo) return;
    COLORREF transparent = 0;
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        SelectionScope selected(dc.Get(), g_main.logo.Get());
        transparent = GetPixel(dc.Get(), 0, 0);
    }
    g_main.logoTransparent = transparent;
    g_main.logoMask.Reset(BuildLogoMask(g_main.logo.Get(), transparent));
}

// The mask has blackened the transparent pixels of the loaded logo, so the scaled one
// is made from the file again, once a DPI: a logo that could not be made is not tried
// again at every paint.
HBITMAP ScaledLogo(UINT dpi) {
    if (g_main.scaledLogoDpi == dpi) return g_main.scaledLogo.Get();
    UniqueBitmap fresh(static_cast<HBITMAP>(LoadImageW(nullptr, L"logo.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    g_main.scaledLogo.Reset(fresh ? BuildScaledLogo(fresh.Get(), g_main.logoTransparent, dpi) : nullptr);
    g_main.scaledLogoDpi = dpi;
    return g_main.scaledLogo.Get();
}

void CreateButtons(HWND window) {
    for (const MainButton& b : kButtons)
        CreateChild(window, {.kind = L"button",
                             .text = UiText(b.text),
                             .place = {b.left, kButtonTop, kButtonWidth, kButtonHeight},
                             .id = b.id,
                             .font = GuiFont,
                             .style = BS_MULTILINE});
}

// Black text with a light copy two pixels up and left.
void DrawEmbossedText(HDC dc, const std::wstring& text, RECT rect) {
    SetTextColor(dc, RGB(0, 0, 0));
    DrawLabel(dc, text.c_str(), rect, DT_SINGLELINE);
    SetTextColor(dc, kTitleShade);
    rect.left -= 2;
    rect.top -= 2;
    DrawTextW(dc, text.c_str(), -1, &rect, DT_SINGLELINE);
}

void MakePracticeList() {
    if (ToolWindowOpen) return;
    const int lists = CountPracticeLists();
    PracticeListCount = lists > 0 ? lists : 0;
    if (lists == 0) {
        RunNewListDialog(MainWindow);
        if (CurrentPracticeList.empty()) return;
    }
    OpenToolWindow(kOpenPracticeListMaker);
}

void Practise(HWND window) {
    if (ToolWindowOpen) return;
    // The review asks the list in both directions, so either direction's entries will do.
    if (PracticeMode == 2 ? CountDeckEntries(CurrentReviewDecks()) > 0 : PracticeCount > 0) {
        OpenToolWindow(PracticeMode == 0 ? kOpenFlashCards : PracticeMode == 1 ? kOpenTypedPractice : kOpenReview);
        return;
    }
    const std::wstring question = PractiseQuestionText();
    if (ShowMessage(window, question.c_str(), UiText(Ui::Lingorix), MB_ICONWARNING | MB_YESNO) == IDYES)
        MakePracticeList();
}

void ToggleStayOnTop(HWND window) {
    HMENU menu = GetMenu(window);
    const DWORD previous = CheckMenuItem(menu, kCmdStayOnTop, MF_BYCOMMAND | MF_UNCHECKED);
    const bool wasChecked = previous != static_cast<DWORD>(-1) && (previous & MF_CHECKED);
    if (!wasChecked) CheckMenuItem(menu, kCmdStayOnTop, MF_BYCOMMAND | MF_CHECKED);
    StayOnTop = wasChecked ? 0 : 1;
    ApplyStayOnTop(window);
}

void ChoosePracticeMode(HWND window, int mode) {
    HMENU menu = GetMenu(window);
    CheckMenuItem(menu, kCmdFlashCards, MF_BYCOMMAND | (mode == 0 ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, kCmdTypedPractice, MF_BYCOMMAND | (mode == 1 ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, kCmdReviewMode, MF_BYCOMMAND | (mode == 2 ? MF_CHECKED : MF_UNCHECKED));
    PracticeMode = mode;
}

void LoadLanguageIcons() {
    const WordListDescriptor& d = CurrentWordList();
    g_main.firstIcon.Reset(LoadIconFile(d.HasLongName() ? d.longFirstIconFile : d.firstIconFile));
    g_main.secondIcon.Reset(LoadIconFile(d.HasLongName() ? d.longSecondIconFile : d.secondIconFile));
}

void OnWordListCommand(int id) {
    if (WordListDescriptor* d = WordListOfCommand(id))
        SelectWordList(*d);
    else
        UncheckLanguageItem();
}

bool IsWordListCommand(int id) { return id >= kCmdFirstWordList && id < kCmdFirstWordList + CatalogueCount(); }

bool OpenToolWindowCommand(int id) {
    for (const ToolWindowCommand& tool : kToolWindows) {
        if (tool.id != id) continue;
        OpenToolWindow(tool.open);
        return true;
    }
    return false;
}

// The shortcut ends the program also while a tool window is open: that window closes
// first through its own closing path, so the sort or update it owes the lists is done.
void Exit(HWND window) {
    if (HWND tool = OpenedToolWindow()) {
        SendMessageW(tool, WM_CLOSE, 0, 0);
        if (IsWindow(tool)) return;
    }
    DestroyWindow(window);
}

// True when the command was the main window's; other ids go to the default procedure.
bool RunCommand(HWND window, int id) {
    if (IsWordListCommand(id)) {
        OnWordListCommand(id);
        return true;
    }
    switch (id) {
        case kCmdExit: Exit(window); return true;
        case kCmdHelp: ShowHelp(window, nullptr); return true;
        case kCmdAbout: ShowAboutBox(window); return true;
        case kCmdPractise: Practise(window); return true;
        case kCmdMakeList: MakePracticeList(); return true;
        case kCmdStayOnTop: ToggleStayOnTop(window); return true;
        case kCmdFlashCards: ChoosePracticeMode(window, 0); return true;
        case kCmdTypedPractice: ChoosePracticeMode(window, 1); return true;
        case kCmdReviewMode: ChoosePracticeMode(window, 2); return true;
        case kCmdImport: ImportWords(window); return true;
        case kCmdExport: ExportWords(window); return true;
        case kCmdUndoImport: UndoLastImport(window); return true;
        default: return OpenToolWindowCommand(id);
    }
}

LRESULT OnCreate(HWND window) {
    MainWindow = window;
    g_main = {};
    LoadLanguageIcons();
    g_main.colourDepth = ScreenColourDepth();
    if (g_main.colourDepth >= kLogoMinDepth) LoadLogo();
    ReadWindowSettings(AppSettings, ProfileFile);
    PracticeMode = AppSettings.practiceMode;
    StayOnTop = AppSettings.stayOnTop;
    CreateButtons(window);
    ApplyStayOnTop(window);
    RestoreWindowPosition(window, AppSettings.mainWindow);
    return 0;
}

LRESULT OnPaint(HWND window) {
    LayoutPaint paint(window);
    PaintMainWindow(paint.Dc(), paint.Client(), WindowDpi(window));
    return 0;
}

LRESULT OnLeftButtonDown(HWND window, LPARAM lParam) {
    const POINT at = LayoutPoint(window, lParam);
    if (!IsOnLanguageIcon(at.x, at.y)) return 0;
    if (WordListDescriptor* opposite = OppositeWordList(CurrentWordList()))
        SelectWordList(*opposite);
    else
        UncheckLanguageItem();
    return 0;
}

LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (RunCommand(window, LOWORD(wParam))) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT OnWordListChanged(HWND window) {
    LoadLanguageIcons();
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    WriteSettings(SettingsToSave(window), ProfileFile);
    g_main = {};
    CloseListFiles();
    DeleteSharedFonts();
    FreeUiNarrowText();
    LanguageMenu = nullptr;
    CheckedLanguageItem = 0;
    if (MainWindow == window) MainWindow = nullptr;
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window);
        case WM_PAINT: return OnPaint(window);
        case WM_LBUTTONDOWN: return OnLeftButtonDown(window, lParam);
        case WM_DPICHANGED: ApplyDpiChange(window, wParam, lParam); return 0;
        case WM_COMMAND: return OnCommand(window, message, wParam, lParam);
        case WM_INITMENUPOPUP: UpdateUndoImportItem(GetMenu(window)); return 0;
        case kWordListChangedMessage: return OnWordListChanged(window);
        case WM_DESTROY: return OnDestroy(window);
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE) {
    return RegisterProgramClass(kMainWindowClass, MainWindowProc);
}

HWND CreateMainWindow(HINSTANCE instance) {
    const UINT dpi = SystemDpi();
    const int width = Scaled(kMainWindowWidth, dpi);
    const int height = CaptionHeight + MenuHeight + Scaled(kMainClientHeight, dpi);
    return CreateWindowExW(0, kMainWindowClass, UiText(Ui::Lingorix), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           (ScreenWidth - width) / 2, (ScreenHeight - height) / 2, width, height, nullptr, nullptr,
                           instance, nullptr);
}

void OpenToolWindow(OpenToolWindowFunction open) {
    if (ToolWindowOpen || !open) return;
    ToolWindowOpen = 1;
    // Without its window the user would be left with no window at all.
    if (!open()) {
        ToolWindowOpen = 0;
        return;
    }
    ShowWindow(MainWindow, SW_HIDE);
}

std::wstring PractiseQuestionText() {
    const WordListDescriptor& d = CurrentWordList();
    return std::wstring(UiText(Ui::CreateListEmpty1)) + L" (" + d.firstName + L"-" + d.secondName + L") " +
           UiText(Ui::CreateListEmpty2);
}

bool IsOnLanguageIcon(int x, int y) {
    const auto within = [](int v, int from) { return v >= from && v < from + kIconSize; };
    return within(x, kIconLeft) && (within(y, kFirstIconTop) || within(y, kSecondIconTop));
}

Settings SettingsToSave(HWND window) {
    Settings s = AppSettings;
    s.practiceMode = PracticeMode;
    s.stayOnTop = StayOnTop;
    s.practiceList = CurrentPracticeList;
    s.listId = CurrentListId;
    const WindowPosition position = TakeWindowPosition(window);
    if (position.Saved()) s.mainWindow = position;
    return s;
}

void PaintMainWindow(HDC dc, const RECT& client, UINT dpi) {
    PaintGradient(dc, client, BaseColours(), g_main.colourDepth);
    // At their layout size, whatever size the icon file gave for this screen.
    if (g_main.firstIcon)
        DrawIconEx(dc, kIconLeft, kFirstIconTop, g_main.firstIcon.Get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    if (g_main.secondIcon)
        DrawIconEx(dc, kIconLeft, kSecondIconTop, g_main.secondIcon.Get(), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    SetBkMode(dc, TRANSPARENT);
    SelectionScope font(dc, TitleFont);
    HBITMAP scaled = dpi != kLayoutDpi && g_main.logo ? ScaledLogo(dpi) : nullptr;
    if (g_main.colourDepth >= kLogoMinDepth && scaled)
        DrawScaledLogo(dc, g_main.logo.Get(), scaled);
    else if (g_main.colourDepth >= kLogoMinDepth && g_main.logo && g_main.logoMask)
        DrawLogo(dc, g_main.logo.Get(), g_main.logoMask.Get());
    else
        DrawEmbossedText(dc, UiText(Ui::Lingorix), {140, 20, 560, 90});
    SelectObject(dc, LanguageFont);
    const WordListDescriptor& d = CurrentWordList();
    DrawEmbossedText(dc, d.firstName, {140, 102, 560, 160});
    DrawEmbossedText(dc, d.secondName, {140, 172, 560, 230});
}
