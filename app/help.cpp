#include "app/help.h"

#include <shellapi.h>

#include <array>
#include <cwctype>

#include "app/lazylibrary.h"
#include "text/codepage.h"
#include "text/uistrings.h"

namespace {

bool IsWinHelpFile(const std::wstring& name) {
    return name.size() >= 4 && EqualsIgnoreAsciiCase(std::wstring_view(name).substr(name.size() - 4), L".hlp");
}

void AppendEscaped(std::wstring& url, wchar_t c) {
    if (c == L' ' || c == L'%' || c == L'#' || c == L'?') {
        std::array<wchar_t, 4> hex{};
        swprintf(hex.data(), hex.size(), L"%%%02X", static_cast<unsigned>(c));
        url += hex.data();
    } else {
        url += c == L'\\' ? L'/' : c;
    }
}

bool Opened(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

std::wstring HelpPageUrl(const std::wstring& fullPath, const wchar_t* keyword) {
    std::wstring url = L"file:///";
    for (const wchar_t c : fullPath) AppendEscaped(url, c);
    if (keyword && *keyword) {
        url += L'#';
        for (const wchar_t* k = keyword; *k; ++k) AppendEscaped(url, static_cast<wchar_t>(std::towlower(*k)));
    }
    return url;
}

void ShowHelp(HWND owner, const wchar_t* keyword) {
    const std::wstring file = UiText(Ui::FilenameHelp);
    if (IsWinHelpFile(file)) {
        WinHelpW(owner, file.c_str(), keyword ? HELP_KEY : HELP_CONTENTS, reinterpret_cast<ULONG_PTR>(keyword));
        return;
    }
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    const auto shellExecute = LazyFunction<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    if (!shellExecute) return;
    std::array<wchar_t, MAX_PATH> full{};
    const DWORD length = GetFullPathNameW(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) return;
    // A browser may refuse a page address with an anchor; the plain page is better than nothing.
    if (keyword && *keyword &&
        Opened(shellExecute(owner, L"open", HelpPageUrl(full.data(), keyword).c_str(), nullptr, nullptr, SW_SHOWNORMAL)))
        return;
    shellExecute(owner, L"open", full.data(), nullptr, nullptr, SW_SHOWNORMAL);
}
