// Hook library that the end-to-end driver has the system load into the program's
// GUI thread: on the probe message it describes the window's menu bar (or, for a
// pop-up menu on screen, that menu as the bar's only pop-up) and sends the text back
// to the driver's window (wParam) with WM_COPYDATA.
//   BAR
//   P <US> title                      one line per pop-up of the bar
//   I <US> id <US> state <US> text    one line per item of that pop-up
#include <windows.h>

#include <array>
#include <string>

namespace {

std::wstring ItemText(HMENU menu, UINT position) {
    std::array<wchar_t, 512> buffer{};
    GetMenuStringW(menu, position, buffer.data(), static_cast<int>(buffer.size()), MF_BYPOSITION);
    return buffer.data();
}

std::wstring DescribeItems(HMENU popup) {
    std::wstring out;
    const int items = popup ? GetMenuItemCount(popup) : 0;
    for (int i = 0; i < items; ++i) {
        const UINT position = static_cast<UINT>(i);
        const UINT state = GetMenuState(popup, position, MF_BYPOSITION);
        const UINT id = GetMenuItemID(popup, i);
        out += L"I\x1f" + std::to_wstring(id) + L"\x1f" + std::to_wstring(state) + L"\x1f" +
               ItemText(popup, position) + L"\n";
    }
    return out;
}

std::wstring DescribeMenuBar(HMENU bar) {
    std::wstring out = L"BAR\n";
    const int popups = GetMenuItemCount(bar);
    for (int p = 0; p < popups; ++p)
        out += L"P\x1f" + ItemText(bar, static_cast<UINT>(p)) + L"\n" + DescribeItems(GetSubMenu(bar, p));
    return out;
}

std::wstring DescribeWindowMenu(HWND window) {
    if (HMENU bar = GetMenu(window)) return DescribeMenuBar(bar);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32768") != 0) return L"";
    const auto popup = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    return popup ? L"BAR\nP\x1f\n" + DescribeItems(popup) : L"";
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probeMessage = RegisterWindowMessageW(L"LingorixE2EProbe");
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == probeMessage && call->wParam) {
            const std::wstring reply = DescribeWindowMenu(call->hwnd);
            COPYDATASTRUCT data{1, static_cast<DWORD>((reply.size() + 1) * sizeof(wchar_t)),
                                const_cast<wchar_t*>(reply.c_str())};
            SendMessageW(reinterpret_cast<HWND>(call->wParam), WM_COPYDATA, reinterpret_cast<WPARAM>(call->hwnd),
                         reinterpret_cast<LPARAM>(&data));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
