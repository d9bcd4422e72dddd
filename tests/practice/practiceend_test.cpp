// The end of a practice run as the practice windows tell it, in this process: the end is
// good news, told with the information icon.
#include <gtest/gtest.h>

#include "app/fonts.h"
#include "app/globals.h"
#include "practice/answers.h"
#include "practice/flashcards.h"
#include "practice/flashrun.h"
#include "practice/typedpractice.h"
#include "support/windowfixture.h"
#include "text/uistrings.h"
#include "win/session.h"
#include "win/subclass.h"

namespace {

class PracticeEnd : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        const WordEntry entry{L"chat", L"cat", 0};
        WriteBytes(L"practice\\Week 1\\Fre_Eng.ls",
                   std::string(reinterpret_cast<const char*>(EncodeRecord(entry, 1252, 1252).bytes), kRecordSize));
        CurrentPracticeList = L"Week 1";
        OpenFrench({entry});
    }
};

}  // namespace

TEST_F(PracticeEnd, RunsEndWithAnInformation) {
    window = OpenFlashCards();
    ASSERT_NE(window, nullptr);
    for (int step = 0; step < 3 && messages.empty(); ++step)  // the entry, its second word, the end
        SendMessageW(window, WM_TIMER, kFlashTimer, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, UiText(Ui::PracticeEndlist));
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    messages.clear();
    window = OpenTypedPractice();
    ASSERT_NE(window, nullptr);
    SetWindowTextW(GetDlgItem(window, kPracticeAnswer), L"cat");
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kPracticeAnswer, kKeyNotification), MAKELPARAM(0, VK_RETURN));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, EndOfRunText(1, {}, std::nullopt, true));
    EXPECT_EQ(messages[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}
