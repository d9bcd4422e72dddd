#include "practice/reviewoptions.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "app/controls.h"
#include "app/drawing.h"
#include "app/fonts.h"
#include "app/settings.h"
#include "text/uistrings.h"
#include "win/dpi.h"
#include "win/messages.h"
#include "win/session.h"

namespace {

constexpr int kDialogWidthUnits = 200;
constexpr int kDialogHeightUnits = 92;

std::optional<int> WholeNumber(const std::wstring& text, int lowest, int highest) {
    std::size_t first = text.find_first_not_of(L' ');
    std::size_t last = text.find_last_not_of(L' ');
    if (first == std::wstring::npos) return std::nullopt;
    const std::wstring digits = text.substr(first, last - first + 1);
    if (digits.size() > 6) return std::nullopt;
    int value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

// A dialog template without controls: the controls are made at WM_INITDIALOG, with
// the program's own texts and fonts, like every other window of the program.
std::vector<WORD> EmptyDialogTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    dialog->cdit = 0;
    dialog->cx = kDialogWidthUnits;
    dialog->cy = kDialogHeightUnits;
    return words;  // then no menu, the standard class and an empty title
}

HWND AddField(HWND dialog, int top, Ui label, int id, int value) {
    CreateChild(dialog, {.text = UiText(label), .place = {12, top + 3, 250, 20}, .font = GuiFont,
                         .style = SS_LEFT | SS_NOPREFIX});
    HWND edit = CreateChild(dialog, {.kind = L"edit", .text = std::to_wstring(value).c_str(),
                                     .place = {268, top, 80, 22}, .id = id, .font = GuiFont,
                                     .style = WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL,
                                     .exStyle = WS_EX_CLIENTEDGE, .limit = 5});
    return edit;
}

INT_PTR OnInitDialog(HWND dialog) {
    SetWindowTextW(dialog, UiText(Ui::ReviewOptionsCaption));
    const UINT dpi = WindowDpi(dialog);
    RECT client{0, 0, Scaled(362, dpi), Scaled(150, dpi)};
    AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    HWND first = AddField(dialog, 14, Ui::ReviewOptionsNew, kOptionsNew, AppSettings.reviewNewPerDay);
    AddField(dialog, 46, Ui::ReviewOptionsReviews, kOptionsReviews, AppSettings.reviewsPerDay);
    AddField(dialog, 78, Ui::ReviewOptionsRetention, kOptionsRetention, AppSettings.reviewRetention);
    CreateChild(dialog, {.kind = L"button", .text = UiText(Ui::OK), .place = {152, 114, 95, 26}, .id = IDOK,
                         .font = GuiFont, .style = WS_TABSTOP | BS_DEFPUSHBUTTON});
    CreateChild(dialog, {.kind = L"button", .text = UiText(Ui::Cancel), .place = {253, 114, 95, 26}, .id = IDCANCEL,
                         .font = GuiFont, .style = WS_TABSTOP});
    // Centred over the owner rather than the screen.
    RECT owner{};
    RECT own{};
    if (GetWindowRect(GetParent(dialog), &owner) && GetWindowRect(dialog, &own)) {
        const int left = owner.left + ((owner.right - owner.left) - (own.right - own.left)) / 2;
        const int top = owner.top + ((owner.bottom - owner.top) - (own.bottom - own.top)) / 2;
        SetWindowPos(dialog, nullptr, std::max(0, left), std::max(0, top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    SetFocus(first);
    SendMessageW(first, EM_SETSEL, 0, -1);
    return FALSE;  // the focus is set
}

void OnOk(HWND dialog) {
    const auto field = [dialog](int id) { return EditText(GetDlgItem(dialog, id), 10); };
    const std::optional<ReviewOptionValues> values =
        ParseReviewOptions(field(kOptionsNew), field(kOptionsReviews), field(kOptionsRetention));
    if (!values) {
        ShowMessage(dialog, UiText(Ui::ReviewOptionsInvalid), UiText(Ui::ReviewOptionsCaption), MB_ICONWARNING);
        return;
    }
    AppSettings.reviewNewPerDay = values->newPerDay;
    AppSettings.reviewsPerDay = values->reviewsPerDay;
    AppSettings.reviewRetention = values->retention;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    // Every control is the program's own: laid out again for the new DPI here, not by the
    // system's scaling of dialogs.
    case WM_DPICHANGED: ApplyDpiChange(dialog, wParam, lParam); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OnOk(dialog);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

std::optional<ReviewOptionValues> ParseReviewOptions(const std::wstring& newPerDay, const std::wstring& reviewsPerDay,
                                                     const std::wstring& retention) {
    const std::optional<int> fresh = WholeNumber(newPerDay, 0, kMostReviewsPerDay);
    const std::optional<int> reviews = WholeNumber(reviewsPerDay, 0, kMostReviewsPerDay);
    const std::optional<int> percent = WholeNumber(retention, kLowestReviewRetention, kHighestReviewRetention);
    if (!fresh || !reviews || !percent) return std::nullopt;
    return ReviewOptionValues{*fresh, *reviews, *percent};
}

bool RunReviewOptions(HWND owner) {
    std::vector<WORD> dialog = EmptyDialogTemplate();
    return DialogBoxIndirectParamW(ModuleInstance, reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                                   OptionsProc, 0) == IDOK;
}
