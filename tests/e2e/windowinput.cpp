// Input to and state of the windows of the program under test, another process.
#include "e2e/driver.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <utility>

#include "support/testenv.h"
#include "win/handles.h"

namespace e2e {

void Command(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ClickClient(HWND window, int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool BringToForeground(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 10000);
}

bool PressKeys(HWND window, std::initializer_list<WORD> keys) {
    if (!BringToForeground(window)) return false;
    std::vector<INPUT> inputs;
    AppendChord(inputs, keys);
    return SendKeyboardInputs(std::move(inputs));
}

bool TurnWheelOver(HWND control, int notches) {
    const RECT at = WindowRect(control);
    const POINT middle{(at.left + at.right) / 2, (at.top + at.bottom) / 2};
    if (!BringToForeground(GetAncestor(control, GA_ROOT)) || !SetCursorPos(middle.x, middle.y)) return false;
    // The wheel message carries where the pointer is: it must have arrived first.
    if (!WaitUntil(
            [&] {
                POINT now{};
                return GetCursorPos(&now) && now.x == middle.x && now.y == middle.y;
            },
            10000))
        return false;
    // A move to the same place goes first in the same batch: the program's own idea of
    // where the pointer is may lag behind SetCursorPos, and the wheel uses that idea.
    INPUT inputs[2]{};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[0].mi.dx = MulDiv(middle.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = MulDiv(middle.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_WHEEL;
    inputs[1].mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void AppendCharacterKey(std::vector<INPUT>& inputs, wchar_t c, KeyHalf half) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    if (c >= L'a' && c <= L'z') {
        input.ki.wVk = static_cast<WORD>(c - L'a' + L'A');
    } else if ((c >= L'0' && c <= L'9') || c == L' ') {
        input.ki.wVk = static_cast<WORD>(c);
    } else if (c == L',') {
        input.ki.wVk = VK_OEM_COMMA;
    } else if (c == L'\r') {
        input.ki.wVk = VK_RETURN;
    } else {
        input.ki.wScan = static_cast<WORD>(c);
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    if (half != KeyHalf::Release) inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    if (half != KeyHalf::Press) inputs.push_back(input);
}

bool TypeText(HWND window, std::wstring_view text) {
    if (!BringToForeground(window)) return false;
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) AppendCharacterKey(inputs, c);
    return SendKeyboardInputs(std::move(inputs));
}

std::wstring ControlText(HWND control) {
    std::array<wchar_t, 1024> buffer{};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    return std::wstring(buffer.data(), std::min<std::size_t>(copied, buffer.size() - 1));
}

namespace {

// Memory committed in another process for as long as the object lives.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    char* Address() const { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

}  // namespace

std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns) {
    constexpr std::size_t kTextChars = 512;
    std::vector<std::vector<std::wstring>> rows;
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    UniqueKernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) return rows;
    RemoteMemory remote(process.Get(), sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!remote.Address()) return rows;
    wchar_t* remoteText = reinterpret_cast<wchar_t*>(remote.Address() + sizeof(LVITEMW));
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return rows;
    for (DWORD_PTR row = 0; row < count; ++row) {
        std::vector<std::wstring> cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = remoteText;
            item.cchTextMax = static_cast<int>(kTextChars);
            std::array<wchar_t, kTextChars> text{};
            DWORD_PTR length = 0;
            if (!WriteProcessMemory(process.Get(), remote.Address(), &item, sizeof item, nullptr) ||
                !SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.Address()),
                                     SMTO_ABORTIFHUNG, 5000, &length) ||
                !ReadProcessMemory(process.Get(), remoteText, text.data(), sizeof text, nullptr))
                return {};
            cells.emplace_back(text.data(), std::min<std::size_t>(length, kTextChars - 1));
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

HWND WaitForControl(HWND parent, int id, DWORD timeoutMs) {
    HWND control = nullptr;
    WaitUntil([&] { return (control = GetDlgItem(parent, id)) != nullptr; }, timeoutMs);
    return control;
}


bool IsTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

std::wstring WindowText(HWND window) {
    std::array<wchar_t, 1024> buffer{};
    GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

std::wstring ClassName(HWND window) {
    std::array<wchar_t, 256> buffer{};
    GetClassNameW(window, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

}  // namespace e2e
