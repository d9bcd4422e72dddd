// A help request whose page is missing says so instead of doing nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/help.h"
#include "support/testenv.h"
#include "text/uistrings.h"
#include "win/messages.h"

namespace {

TEST(Help, APageThatIsNotThereIsReported) {
    TempDirectory dir;  // the current directory, with no help folder
    InstallEnglishUiStrings();
    struct Shown {
        std::wstring text;
        UINT type;
    };
    std::vector<Shown> shown;
    SetMessageHook([&](HWND, const wchar_t* text, const wchar_t*, UINT type) {
        shown.push_back({text, type});
        return IDOK;
    });
    ShowHelp(nullptr, L"Add");
    SetMessageHook({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, std::wstring(UiText(Ui::HelpCannotOpen)) + L"\n" + dir.Full(L"help\\lingorix.html"));
    EXPECT_EQ(shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
}

}  // namespace
