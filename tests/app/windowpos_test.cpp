// Saved window positions come back where they were taken, whatever part of the
// screen a taskbar holds.
#include <gtest/gtest.h>

#include "win/windowpos.h"

namespace {

TEST(WindowPositionTest, WorkspaceOffsetComesFromTheWindowItself) {
    // Taskbar at the top (40) or the left (60): placement and screen differ by its size.
    POINT at = ScreenFromWorkspace({100, 50}, {10, 20}, {10, 60});
    EXPECT_EQ(at.x, 100);
    EXPECT_EQ(at.y, 90);
    at = ScreenFromWorkspace({100, 50}, {10, 20}, {70, 20});
    EXPECT_EQ(at.x, 160);
    EXPECT_EQ(at.y, 50);
    at = ScreenFromWorkspace({100, 50}, {10, 20}, {10, 20});
    EXPECT_EQ(at.x, 100);
    EXPECT_EQ(at.y, 50);
}

// With the work area moved away from the screen's corner, taking the position of a
// window just restored gives the saved position back, start after start.
TEST(WindowPositionTest, RestoredWindowDoesNotCreep) {
    RECT original{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &original, 0));
    RECT shifted = original;
    shifted.top += 40;
    shifted.left += 25;
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &shifted, 0);

    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED | WS_CAPTION, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    WindowPosition position{300, 200};
    for (int start = 0; start < 3; ++start) {
        RestoreWindowPosition(window, position);
        position = TakeWindowPosition(window);
        EXPECT_EQ(position.left, 300);
        EXPECT_EQ(position.top, 200);
    }
    // Minimised, the position still goes to the normal placement.
    ShowWindow(window, SW_MINIMIZE);
    RestoreWindowPosition(window, {120, 130});
    position = TakeWindowPosition(window);
    EXPECT_EQ(position.left, 120);
    EXPECT_EQ(position.top, 130);
    DestroyWindow(window);
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, 0);
}

}  // namespace
