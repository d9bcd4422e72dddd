// The program on a screen scaled to 150 %: it declares itself aware of the DPI, so the
// system does not stretch it blurry, and lays out every window for 144 DPI itself.
#include <string>

#include "e2e/e2efixture.h"

using namespace e2e;

namespace {

// The screen's scaling as a user sets it; the program reads it at its start.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof previous_;
        had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
               ERROR_SUCCESS;
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScreenDpi() {
        if (had_)
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
        else
            RegDeleteValueW(key_, L"LogPixels");
        RegCloseKey(key_);
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD previous_ = 96;
    bool had_ = false;
};

SIZE Size(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

class DpiTest : public EndToEndTest {};

}  // namespace

TEST_F(DpiTest, At150PercentEveryFigureOfTheWindowsScales) {
    ScreenDpi scaled(144);
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    // The window 565 wide at 96 DPI, its first button at 10, 280, 120 x 30.
    EXPECT_EQ(Size(main).cx, 848);
    RECT button{};
    GetWindowRect(GetDlgItem(main, 10), &button);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.left, 15);
    EXPECT_EQ(button.top, 420);
    EXPECT_EQ(button.right - button.left, 180);
    EXPECT_EQ(button.bottom - button.top, 45);

    Command(main, 12);  // Search
    HWND search = app.WaitForWindow(L"zoeken", nullptr);
    ASSERT_NE(search, nullptr);
    const SIZE done = Size(GetDlgItem(search, 14));
    EXPECT_EQ(done.cx, 150);
    EXPECT_EQ(done.cy, 42);
    ASSERT_TRUE(CloseAndExit(app, search, main));
}
