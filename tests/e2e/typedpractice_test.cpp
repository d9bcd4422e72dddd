// Typed practice in the real program: a run answered through the window, its score
// kept in the score file and shown as the best at the next opening.
#include <map>
#include <string>
#include <vector>

#include "e2e/e2efixture.h"
#include "support/storefixture.h"

using namespace e2e;

namespace {

constexpr int kPractise = 11;

class TypedPracticeTest : public EndToEndTest {
protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        profile::Set(L"PracticeMode", L"1");
        profile::Set(L"PracticeSound", L"0");
        std::string bytes;
        for (const auto& [first, second] : answers) {
            const WordRecord r = EncodeRecord({first, second, 0}, 1252, 1252);
            bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
        }
        folder.Write(L"practice\\Basics\\Fre_Eng.ls", bytes);
        folder.Delete(L"practice\\Basics\\Fre_Eng.score");
    }
    HWND Open(const LaunchedApp& app, HWND main) const {
        Command(main, kPractise);
        HWND window = app.WaitForWindow(L"leren2", (EnglishText("PracticeCaption") + L" (Basics)").c_str());
        for (HWND child = window ? GetWindow(window, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
            if (ClassName(child) == L"Static" || ClassName(child) == L"static") statics.push_back(child);
        return window;
    }
    // The score line texts: current, then best.
    std::wstring CurrentScore() const { return statics.size() > 5 ? ControlText(statics[3]) : L"?"; }
    std::wstring BestScore() const { return statics.size() > 5 ? ControlText(statics[5]) : L"?"; }
    static std::wstring Line(int skipped, int errors) {
        return EnglishText("PracticeSkipped") + L" " + std::to_wstring(skipped) + L"  -  " +
               EnglishText("PracticeErrors") + L" " + std::to_wstring(errors);
    }

    const std::map<std::wstring, std::wstring> answers{
        {L"chat", L"cat"}, {L"chien", L"dog"}, {L"maison", L"house, home"}};
    mutable std::vector<HWND> statics;
};

}  // namespace

TEST_F(TypedPracticeTest, RunWithAWrongAndAShownAnswerKeepsItsScoreAsTheBest) {
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    HWND window = Open(app, main);
    ASSERT_NE(window, nullptr);
    HWND question = GetDlgItem(window, 45);
    HWND show = GetDlgItem(window, 27);
    EXPECT_EQ(BestScore(), EnglishText("PracticeNotavailable"));
    EXPECT_EQ(CurrentScore(), Line(0, 0));

    std::wstring asked = ControlText(question);
    ASSERT_EQ(answers.count(asked), 1u) << std::string(asked.begin(), asked.end());
    ASSERT_TRUE(TypeText(window, L"wrong\r"));
    ASSERT_TRUE(TextBecomes(statics[3], Line(0, 1)));
    // The wrong answer stands selected: what is typed next replaces it.
    EXPECT_EQ(SendMessageW(GetDlgItem(window, 30), EM_GETSEL, 0, 0), MAKELRESULT(0, 5));
    ASSERT_TRUE(TypeText(window, answers.at(asked) + L"\r"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(question) != asked; }, 10000));

    asked = ControlText(question);
    ClickClient(show, 5, 5);
    ASSERT_TRUE(TextBecomes(GetDlgItem(window, 30), answers.at(asked)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(show); }, 10000));
    ASSERT_TRUE(PressKeys(window, {VK_ESCAPE}));  // Show is off: nothing more is counted
    ASSERT_TRUE(TypeText(window, L"\r"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(question) != asked; }, 10000));
    EXPECT_EQ(CurrentScore(), Line(1, 1));

    asked = ControlText(question);
    ASSERT_TRUE(TypeText(window, L" " + answers.at(asked).substr(0, answers.at(asked).find(L',')) + L" \r"));
    const std::optional<MessageBoxWindow> box = app.WaitForMessageBox();
    ASSERT_TRUE(box);
    // The score of the run (of three entries one was shown, one was first answered wrongly),
    // and the first run of the list is its best.
    EXPECT_EQ(box->Text(), EnglishText("PracticeEndlist") + L"\n\n" + EnglishText("PracticeRight") + L" 2   " +
                               EnglishText("PracticeErrors") + L" 1   " + EnglishText("PracticeSkipped") + L" 1\n" +
                               EnglishText("PracticeNewBest"));
    box->Press(IDOK);
    EXPECT_EQ(folder.Read(L"practice\\Basics\\Fre_Eng.score"), "1\r\n1\r\n");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 30)));

    Command(window, 14);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window) && IsWindowVisible(main); }, 10000));
    statics.clear();
    window = Open(app, main);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(BestScore(), Line(1, 1));
}
