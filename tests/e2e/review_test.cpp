// The review in the real program over three days, the program's clock set by the
// ReviewClock setting: answers typed and graded with keys and buttons, the log after
// each day, a kill after the second day, and the due counts each day shows.
#include <sstream>
#include <string>
#include <vector>

#include "e2e/e2efixture.h"

using namespace e2e;

namespace {

constexpr int kPractise = 11;
constexpr long long kDayOne = 1718020800;  // 2024-06-10 12:00 UTC
constexpr long long kDay = 86400;
constexpr int kQuestion = 45;
constexpr int kSolution = 46;
constexpr int kCounts = 47;
constexpr int kGood = 53;
constexpr int kEasy = 54;
constexpr wchar_t kLog[] = L"practice\\Basics\\Fre_Eng.review";

class ReviewTest : public EndToEndTest {
protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        profile::Set(L"PracticeMode", L"2");
        profile::Set(L"PracticeSound", L"0");
        std::string bytes;
        for (const WordEntry& e : std::vector<WordEntry>{{L"chat", L"cat", 0}, {L"chien", L"dog", 0},
                                                         {L"maison", L"house, home", 0}}) {
            const WordRecord r = EncodeRecord(e, 1252, 1252);
            bytes.append(reinterpret_cast<const char*>(r.bytes), kRecordSize);
        }
        folder.Write(L"practice\\Basics\\Fre_Eng.ls", bytes);
        folder.Write(L"practice\\Basics\\Eng_Fre.ls", "");
    }

    // Starts the program on the given day and opens the review.
    HWND Open(LaunchedApp& app, HWND& main) {
        main = StartMainWindow(app);
        if (!main) return nullptr;
        EXPECT_TRUE(ReadMenuBar(main).IsChecked(66));  // Practice mode > Review due words
        Command(main, kPractise);
        return app.WaitForWindow(L"herhalen", (EnglishText("ReviewCaption") + L" (Basics)").c_str());
    }
    static std::wstring Counts(int fresh, int learning, int due) {
        return EnglishText("ReviewNew") + L" " + std::to_wstring(fresh) + L"   " + EnglishText("ReviewLearning") + L" " +
               std::to_wstring(learning) + L"   " + EnglishText("ReviewDue") + L" " + std::to_wstring(due);
    }
    static bool Shows(HWND window, int id, const std::wstring& text) {
        return WaitUntil([&] { return ControlText(GetDlgItem(window, id)) == text; }, 10000);
    }
    // The entry shown after a key or a click, then the next card (its solution line empty).
    static bool Revealed(HWND window, const std::wstring& second) { return Shows(window, kSolution, second); }
    static bool NextCard(HWND window, const std::wstring& first) {
        return WaitUntil([&] {
            return ControlText(GetDlgItem(window, kQuestion)) == first && ControlText(GetDlgItem(window, kSolution)).empty();
        }, 10000);
    }
    static bool IsDefault(HWND button) { return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }
    // "<first> <grade>" of every answer in the log, and whether each was given at `times`.
    std::vector<std::wstring> LoggedAnswers(std::vector<long long>* times = nullptr) const {
        std::vector<std::wstring> answers;
        std::istringstream lines(folder.Read(kLog));
        std::string line;
        while (std::getline(lines, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::vector<std::string> f;
            std::istringstream fields(line);
            for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
            if (f.size() != 9) return {L"bad line"};
            answers.push_back(std::wstring(f[1].begin(), f[1].end()) + L" " + std::wstring(f[3].begin(), f[3].end()));
            if (times) times->push_back(std::stoll(f[0]));
        }
        return answers;
    }
};

}  // namespace

TEST_F(ReviewTest, ThreeDaysOfReviewKeepEveryAnswerInTheLog) {
    // Day one: three new cards, learnt through their steps.
    profile::Set(L"ReviewClock", std::to_wstring(kDayOne));
    {
        LaunchedApp app(folder);
        HWND main = nullptr;
        HWND window = Open(app, main);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(ControlText(GetDlgItem(window, kCounts)), Counts(3, 0, 0));
        ASSERT_EQ(ControlText(GetDlgItem(window, kQuestion)), L"chat");

        ASSERT_TRUE(TypeText(window, L"cat\r"));  // typed and right: Good is the default
        ASSERT_TRUE(Revealed(window, L"cat"));
        EXPECT_TRUE(IsDefault(GetDlgItem(window, kGood)));
        EXPECT_EQ(ControlText(GetDlgItem(window, 51)), EnglishText("ReviewAgain") + L"\n1 min");
        EXPECT_EQ(ControlText(GetDlgItem(window, kGood)), EnglishText("ReviewGood") + L"\n10 min");
        EXPECT_EQ(ControlText(GetDlgItem(window, kEasy)), EnglishText("ReviewEasy") + L"\n8 d");
        ASSERT_TRUE(TypeText(window, L"\r"));
        ASSERT_TRUE(NextCard(window, L"chien"));
        EXPECT_EQ(ControlText(GetDlgItem(window, kCounts)), Counts(2, 1, 0));

        ASSERT_TRUE(TypeText(window, L" "));  // shown without typing
        ASSERT_TRUE(Revealed(window, L"dog"));
        ClickClient(GetDlgItem(window, kEasy), 5, 5);
        ASSERT_TRUE(NextCard(window, L"maison"));

        ASSERT_TRUE(TypeText(window, L"wrong\r"));  // typed and wrong: Again is the default
        ASSERT_TRUE(Revealed(window, L"house, home"));
        EXPECT_TRUE(IsDefault(GetDlgItem(window, 51)));
        ASSERT_TRUE(TypeText(window, L"\r"));
        ASSERT_TRUE(NextCard(window, L"maison"));  // back after a minute: nothing else is left
        EXPECT_EQ(ControlText(GetDlgItem(window, kCounts)), Counts(0, 2, 0));
        for (const wchar_t* first : {L"chat", L"maison", L""}) {
            ASSERT_TRUE(TypeText(window, L" "));
            ASSERT_TRUE(WaitUntil([&] { return !ControlText(GetDlgItem(window, kSolution)).empty(); }, 10000));
            ASSERT_TRUE(TypeText(window, L"3"));
            if (*first) {
                ASSERT_TRUE(NextCard(window, first));
            }
        }
        ASSERT_TRUE(Shows(window, kQuestion, EnglishText("ReviewDone")));
        EXPECT_EQ(ControlText(GetDlgItem(window, kCounts)), Counts(0, 0, 0));
        EXPECT_EQ(ControlText(GetDlgItem(window, kSolution)).rfind(EnglishText("ReviewNextCard"), 0), 0u);
        std::vector<long long> times;
        EXPECT_EQ(LoggedAnswers(&times), (std::vector<std::wstring>{L"chat 3", L"chien 4", L"maison 1", L"maison 3",
                                                                    L"chat 3", L"maison 3"}));
        EXPECT_EQ(times, std::vector<long long>(6, kDayOne));
        ASSERT_TRUE(CloseAndExit(app, window, main));
        EXPECT_TRUE(folder.Exists(L"practice\\Basics\\Fre_Eng.reviewstate"));
    }

    // Day two: only the card learnt last with a short interval is due. The program is
    // killed after the answer: the log has it all the same.
    profile::Set(L"ReviewClock", std::to_wstring(kDayOne + kDay));
    {
        LaunchedApp app(folder);
        HWND main = nullptr;
        HWND window = Open(app, main);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(ControlText(GetDlgItem(window, kCounts)), Counts(0, 0, 1));
        ASSERT_EQ(ControlText(GetDlgItem(window, kQuestion)), L"maison");
        ASSERT_TRUE(TypeText(window, L"home\r"));
        ASSERT_TRUE(Revealed(window, L"house, home"));
        ClickClient(GetDlgItem(window, kGood), 5, 5);
        ASSERT_TRUE(Shows(window, kQuestion, EnglishText("ReviewDone")));
        EXPECT_EQ(LoggedAnswers().size(), 7u);
        app.Kill();
    }

    // Day three: the first card's two days are up.
    profile::Set(L"ReviewClock", std::to_wstring(kDayOne + 2 * kDay));
    {
        LaunchedApp app(folder);
        HWND main = nullptr;
        HWND window = Open(app, main);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(ControlText(GetDlgItem(window, kCounts)), Counts(0, 0, 1));
        ASSERT_EQ(ControlText(GetDlgItem(window, kQuestion)), L"chat");
        ASSERT_TRUE(TypeText(window, L" "));
        ASSERT_TRUE(Revealed(window, L"cat"));
        ASSERT_TRUE(TypeText(window, L"2"));
        ASSERT_TRUE(Shows(window, kQuestion, EnglishText("ReviewDone")));
        std::vector<long long> times;
        const std::vector<std::wstring> answers = LoggedAnswers(&times);
        ASSERT_EQ(answers.size(), 8u);
        EXPECT_EQ(answers[6], L"maison 3");
        EXPECT_EQ(answers[7], L"chat 2");
        EXPECT_EQ(times[6], kDayOne + kDay);
        EXPECT_EQ(times[7], kDayOne + 2 * kDay);
        ASSERT_TRUE(CloseAndExit(app, window, main));
    }
}

// A word looked up while reading goes into the review with one key: the Translate
// window's Ctrl+D puts the first row's entry into the practice list in both directions,
// and the next review has it as a new card.
TEST_F(ReviewTest, AWordCapturedInTheTranslateWindowIsANewCard) {
    profile::Set(L"ReviewClock", std::to_wstring(kDayOne));
    LaunchedApp app(folder);
    HWND main = StartMainWindow(app);
    ASSERT_NE(main, nullptr);
    Command(main, 9);  // File > Translate
    HWND translate = app.WaitForWindow(L"vertaal", nullptr);
    ASSERT_NE(translate, nullptr);
    ASSERT_NE(WaitForControl(translate, 30), nullptr);
    ASSERT_TRUE(TypeText(translate, L"oiseau"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(translate, 100)) == L"oiseau"; }, 10000));
    ASSERT_TRUE(PressKeys(translate, {VK_CONTROL, 'D'}));
    // The entry in this direction, "bird" in the other.
    EXPECT_TRUE(WaitUntil([&] {
        return folder.Read(L"practice\\Basics\\Fre_Eng.ls").size() == 4 * kRecordSize &&
               folder.Read(L"practice\\Basics\\Eng_Fre.ls").size() == kRecordSize;
    }, 10000));
    SendMessageW(translate, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10000));

    Command(main, kPractise);
    HWND window = app.WaitForWindow(L"herhalen", nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Shows(window, kCounts, Counts(5, 0, 0))) << ControlText(GetDlgItem(window, kCounts));  // both directions
    ASSERT_TRUE(CloseAndExit(app, window, main));
}
