#include "support/windowfixture.h"

#include "app/fonts.h"
#include "app/settings.h"
#include "win/session.h"

void WindowTest::SetUp() {
    StoreTest::SetUp();
    ModuleInstance = GetModuleHandleW(nullptr);
    ReadSystemMetrics();
    CreateSharedFonts(SharedFontSettings{}, 0);
    AppSettings = {};
}

void WindowTest::TearDown() {
    if (IsWindow(window)) DestroyWindow(window);
    DeleteSharedFonts();
    StoreTest::TearDown();
}
